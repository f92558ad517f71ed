// A small program for the leak check's own test: it opens an SDL window with a renderer, shows a frame
// and closes everything again, as the game does, so the system libraries behind a real window are loaded
// and torn down. With --leak it also loses a block of 1337 bytes of its own; the sanitizer build must
// then report that block and end with a failure, whatever the suppression file names.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct WindowCloser {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererCloser {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};

// Kept out of line and called before more work is done, so no register or live stack slot still holds
// the block when the leak check runs at exit.
[[gnu::noinline]] void LoseABlockOfOurOwn() {
    void* volatile block = std::malloc(1337);
    std::memset(block, 0x5a, 1337);
}

int ShowOneFrame() {
    std::unique_ptr<SDL_Window, WindowCloser> window(
        SDL_CreateWindow("leaking window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 320, 200, 0));
    if (!window) {
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        return 1;
    }
    std::unique_ptr<SDL_Renderer, RendererCloser> renderer(SDL_CreateRenderer(window.get(), -1, 0));
    if (!renderer) {
        std::fprintf(stderr, "no renderer: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetRenderDrawColor(renderer.get(), 0, 96, 0, 255);
    SDL_RenderClear(renderer.get());
    SDL_RenderPresent(renderer.get());
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool leak = argc > 1 && std::strcmp(argv[1], "--leak") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "no video: %s\n", SDL_GetError());
        return 1;
    }
    if (leak) {
        LoseABlockOfOurOwn();
    }
    const int status = ShowOneFrame();
    SDL_Quit();
    std::puts(status == 0 ? "window shown and closed" : "window failed");
    return status;
}
