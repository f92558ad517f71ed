#pragma once

#include <cstdint>

// The game reads keys by the PC keyboard's scan codes (1 ESCAPE, 19 R, 25 P, ...), the codes its key
// table has always been indexed by. SDL reports keys by USB usage codes (SDL_Scancode); this maps one
// to the other. 0 means the key has no code in the table.
uint8_t ScanCodeForSdlScancode(int sdlScancode);
