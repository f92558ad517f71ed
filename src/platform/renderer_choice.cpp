#include "platform/renderer_choice.h"

#include <SDL.h>

#include <filesystem>
#include <string_view>

namespace {

// True when the machine shows no graphics device a GL driver could use, so any accelerated renderer
// would be a GL driver drawing with the processor.
bool NoGraphicsDevice() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        if (entry.path().filename().string().starts_with("renderD")) {
            return false;
        }
    }
    return !std::filesystem::exists("/dev/nvidiactl", error);
}

// True when the renderer is GL drawn by the processor (Mesa's llvmpipe, softpipe or swrast). Such a
// driver spends several times what SDL's own software renderer does to show the same picture.
bool DrawsWithTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr ||
        !std::string_view(info.name).starts_with("opengl")) {
        return false;
    }
    // The renderer's context is current; GL_RENDERER names the driver.
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    if (name == nullptr) {
        return false;
    }
    const std::string_view driver(reinterpret_cast<const char*>(name));
    return driver.find("llvmpipe") != std::string_view::npos ||
           driver.find("softpipe") != std::string_view::npos ||
           driver.find("Software Rasterizer") != std::string_view::npos;
}

// On X11 without a real graphics device, SDL's software renderer handing its picture straight to the
// X server (shared memory) is the cheapest way to show a frame. A renderer the player chose through
// SDL_RENDER_DRIVER is left alone.
bool PreferSoftwareRenderer() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::string_view(driver) == "x11" &&
           SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr;
}

}  // namespace

RendererPtr CreateFrameRenderer(SDL_Window* window) {
    const bool preferSoftware = PreferSoftwareRenderer();
    RendererPtr renderer;
    // Without a device, GL would only start a processor-drawn driver to be dropped at once.
    if (!preferSoftware || !NoGraphicsDevice()) {
        renderer.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    }
    if (renderer && preferSoftware && DrawsWithTheProcessor(renderer.get())) {
        renderer.reset();
    }
    if (!renderer) {
        if (preferSoftware) {
            // The window's own pixels in shared memory, not a GL texture behind them.
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        }
        renderer.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
    }
    return renderer;
}
