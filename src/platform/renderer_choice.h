#pragma once

#include "platform/sdl_handles.h"

// The renderer that shows the game's frames in `window`: an accelerated one with vsync where the
// machine has a graphics device; SDL's software renderer where there is none, or where the only
// accelerated renderer is GL drawn by the processor (it costs several times as much per frame); and the
// software renderer as the last resort. Empty when none can be made. A renderer the player names in
// SDL_RENDER_DRIVER is honoured as SDL does.
RendererPtr CreateFrameRenderer(SDL_Window* window);
