#include "platform/window_icon_sdl.h"

#include <cstdlib>
#include <cstring>

#include "icon/window_icon.h"

SurfacePtr WindowIconSurface() {
    const WindowIconPixels icon = WindowIcon();
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, icon.size, icon.size, 32, SDL_PIXELFORMAT_RGBA32));
    if (!surface || icon.rgba.size() != static_cast<size_t>(icon.size) * icon.size * 4) {
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(icon.size) * 4;
    for (int y = 0; y < icon.size; ++y) {
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                    icon.rgba.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
    }
    return surface;
}

void SetProgramIcon(SDL_Window* window) {
    if (const SurfacePtr icon = WindowIconSurface()) {
        SDL_SetWindowIcon(window, icon.get());  // SDL keeps its own copy
    }
}

void NameWindowsForTheDesktop(const char* applicationId) {
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", applicationId, 0);
}
