#pragma once

struct SDL_Window;

// Full screen where no window manager provides it (a bare X session, a kiosk, `startx zarn`). SDL asks
// the window manager for full screen and, without one, leaves the window at its first size while it
// draws for the whole screen, so only a corner of the table would show. The X server is asked whether a
// window manager runs (one that takes the root window's structure requests); when none does, the
// window is moved and sized to cover its screen here. Then the window's real size is the one SDL draws
// for and reports, so the table's layout, the drawing scale and the mouse all follow it.
//
// True when the window was moved to cover the screen. On Wayland, and under a window manager, nothing
// is done (false): size-change events bring the size the manager gives.
bool CoverScreenWithoutWindowManager(SDL_Window* window);
