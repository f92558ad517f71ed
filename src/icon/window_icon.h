#pragma once

#include <cstdint>
#include <span>

// The program's icon as the windows carry it (the game's and the dialog's, so the task bar shows the
// same picture as the menu): square, RGBA bytes row by row, not premultiplied. Drawn by the asset
// generator at build time and compiled in, so every window has it wherever the program runs from.
struct WindowIconPixels {
    int size = 0;  // width and height in pixels
    std::span<const uint8_t> rgba;
};

WindowIconPixels WindowIcon();
