// The reference for the frame loop benchmarks: the least a window that shows an RGB565 picture of
// k x 800 by k x 600 sixty times a second can cost. One window of that size, the renderer the game asks
// for (the same choice the game makes), and one unchanging buffer uploaded and presented every frame until
// the given number of seconds has passed. Given "full" for K, the window covers the screen as the
// game's full screen does (by itself where no window manager runs), and the picture is of the size the
// table is shown at there (fitted, its shape kept), in 32 bits, shown pixel for pixel: the least any
// full-screen picture shown sixty times a second costs, the reference for the game full screen.
//
//   bare_present_loop SECONDS [K|full]   (K 1 to 3, 1 unless given)

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/bare_x_full_screen.h"
#include "platform/letterbox.h"
#include "platform/renderer_choice.h"

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_present_loop: %s\n", SDL_GetError());
        return 1;
    }
    const bool fullScreen = argc > 2 && std::string_view(argv[2]) == "full";
    const int scale = argc > 2 && !fullScreen ? std::atoi(argv[2]) : 1;
    if (scale < 1 || scale > 3) {
        std::fprintf(stderr, "bare_present_loop: the scale is 1, 2, 3 or full\n");
        return 2;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_Window* window =
        SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kBackBufferWidth * scale,
                         kBackBufferHeight * scale,
                         static_cast<Uint32>(SDL_WINDOW_RESIZABLE) |
                             (fullScreen ? static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP) : 0U));
    if (window != nullptr && fullScreen) {
        CoverScreenWithoutWindowManager(window);
    }
    RendererPtr ownedRenderer = window != nullptr ? CreateFrameRenderer(window) : RendererPtr{};
    SDL_Renderer* renderer = ownedRenderer.get();
    int outputWidth = 0;
    int outputHeight = 0;
    int width = kBackBufferWidth * scale;
    int height = kBackBufferHeight * scale;
    Uint32 format = SDL_PIXELFORMAT_RGB565;
    if (renderer != nullptr && fullScreen) {
        // The window manager may take a moment to give the window the screen.
        for (int i = 0; i < 50; ++i) {
            SDL_PumpEvents();
            SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
            SDL_DisplayMode mode{};
            if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && outputWidth == mode.w && outputHeight == mode.h) {
                break;
            }
            SDL_Delay(20);
        }
        const Viewport v = FitBackBuffer(outputWidth, outputHeight);
        width = v.width;
        height = v.height;
        format = SDL_PIXELFORMAT_XRGB8888;
    }
    const int bytesPerPixel = SDL_BYTESPERPIXEL(format);
    SDL_Texture* texture =
        renderer != nullptr ? SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height)
                            : nullptr;
    if (texture == nullptr) {
        std::fprintf(stderr, "bare_present_loop: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    std::vector<uint16_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) *
                                 static_cast<size_t>(bytesPerPixel) / 2);
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
        SDL_UpdateTexture(texture, nullptr, pixels.data(), width * bytesPerPixel);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
        const Viewport v = FitBackBuffer(outputWidth, outputHeight);
        const SDL_Rect target{v.x, v.y, v.width, v.height};
        SDL_RenderCopy(renderer, texture, nullptr, &target);
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
    std::printf("bare_present_loop: %.1f fps, %d x %d shown in a window of %d x %d\n",
                elapsed > 0 ? static_cast<double>(frames) / elapsed : 0.0, width, height, outputWidth,
                outputHeight);
    SDL_DestroyTexture(texture);
    ownedRenderer.reset();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
