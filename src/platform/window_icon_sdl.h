#pragma once

// The program's icon on the game's window (platform sources only: the header shows SDL types).

#include "platform/sdl_handles.h"

// The compiled-in icon as an RGBA surface; null when SDL cannot make one.
SurfacePtr WindowIconSurface();

// Gives the window the program's icon, so the task bar shows the same picture as the menu. A window
// without it still works, so a failure is not an error.
void SetProgramIcon(SDL_Window* window);
