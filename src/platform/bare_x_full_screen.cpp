#include "platform/bare_x_full_screen.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace {

// A window manager is, by definition, the one client that redirects the root window's structure
// requests; the flag is visible to every client.
bool WindowManagerRuns(::Display* x, ::Window root) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(x, root, &attributes) != 0 &&
           (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

}  // namespace

bool CoverScreenWithoutWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    ::Display* x = info.info.x11.display;
    const ::Window w = info.info.x11.window;
    if (WindowManagerRuns(x, DefaultRootWindow(x))) {
        return false;
    }
    SDL_Rect bounds{};
    const int screen = SDL_GetWindowDisplayIndex(window);
    if (screen < 0 || SDL_GetDisplayBounds(screen, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
        return false;
    }
    XMoveResizeWindow(x, w, bounds.x, bounds.y, static_cast<unsigned>(bounds.w),
                      static_cast<unsigned>(bounds.h));
    XRaiseWindow(x, w);
    // Done before the first frame is drawn for the new size.
    XSync(x, False);
    return true;
}
