#pragma once

// The program's icon on the game's window (platform sources only: the header shows SDL types).

#include "platform/sdl_handles.h"

// The compiled-in icon as an RGBA surface; null when SDL cannot make one.
SurfacePtr WindowIconSurface();

// Gives the window the program's icon, so the task bar shows the same picture as the menu. A window
// without it still works, so a failure is not an error.
void SetProgramIcon(SDL_Window* window);

// On Wayland the desktop finds a window's menu entry and icon by its application id, not by a picture
// the program sets: SDL's Wayland windows take the id from SDL_VIDEO_WAYLAND_WMCLASS, set here before
// the video system starts unless the player has set it. (On X11 the window class stays the program's
// name, which the menu entry names as its window class.)
void NameWindowsForTheDesktop(const char* applicationId);
