// The reference for the frame loop benchmarks: the least a window that shows an RGB565 picture of
// k x 800 by k x 600 sixty times a second can cost. One window of that size, the renderer the game asks
// for (the same choice the game makes), and one unchanging buffer uploaded and presented every frame until
// the given number of seconds has passed.
//
//   bare_present_loop SECONDS [K]   (K 1 to 3, 1 unless given)

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/renderer_choice.h"

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_present_loop: %s\n", SDL_GetError());
        return 1;
    }
    const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
    if (scale < 1 || scale > 3) {
        std::fprintf(stderr, "bare_present_loop: the scale is 1, 2 or 3\n");
        return 2;
    }
    const int width = 800 * scale;
    const int height = 600 * scale;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, SDL_WINDOW_RESIZABLE);
    RendererPtr ownedRenderer = window != nullptr ? CreateFrameRenderer(window) : RendererPtr{};
    SDL_Renderer* renderer = ownedRenderer.get();
    SDL_Texture* texture = renderer != nullptr ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                                                   SDL_TEXTUREACCESS_STREAMING, width, height)
                                               : nullptr;
    if (texture == nullptr) {
        std::fprintf(stderr, "bare_present_loop: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint16_t>(i * 2654435761U >> 16);
    }
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / 60;
    const Uint64 start = SDL_GetPerformanceCounter();
    const Uint64 end = start + static_cast<Uint64>(seconds * static_cast<double>(frequency));
    Uint64 next = start;
    long frames = 0;
    bool running = true;
    while (running && SDL_GetPerformanceCounter() < end) {
        SDL_Event e;
        while (SDL_PollEvent(&e) != 0) {
            running = running && e.type != SDL_QUIT;
        }
        SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 2);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        ++frames;
        next += period;
        const Uint64 now = SDL_GetPerformanceCounter();
        if (now < next) {
            SDL_Delay(static_cast<Uint32>((next - now) * 1000 / frequency));
        } else {
            next = now;
        }
    }
    const double elapsed =
        static_cast<double>(SDL_GetPerformanceCounter() - start) / static_cast<double>(frequency);
    // The frame rate it reached: on a slow display path even this bare loop may fall short of 60.
    std::printf("bare_present_loop: %.1f fps\n", elapsed > 0 ? static_cast<double>(frames) / elapsed : 0.0);
    SDL_DestroyTexture(texture);
    ownedRenderer.reset();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
