#pragma once

#include <cstdint>

// The table is 800 x 600 units (drawn at 1, 2 or 3 pixels a unit). It is shown scaled to the window or
// screen with its aspect kept, centred, with black bars where the shapes differ. Both the drawing and
// the mouse go through these functions, so a click always lands where the picture shows it; the mouse
// is given in units whatever the scale.

inline constexpr int32_t kBackBufferWidth = 800;
inline constexpr int32_t kBackBufferHeight = 600;

// Where the back buffer goes inside an output of the given pixel size.
struct Viewport {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Viewport&, const Viewport&) = default;
};
Viewport FitBackBuffer(int32_t outputWidth, int32_t outputHeight);

struct BackBufferPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool inside = false;  // the point lies on the picture, not on a bar or outside the window
    friend bool operator==(const BackBufferPoint&, const BackBufferPoint&) = default;
};

// Converts a point in window coordinates to back-buffer pixels, clamped to the back buffer. The window
// size and the output (drawable) size differ on high-density screens.
BackBufferPoint WindowToBackBuffer(int32_t windowX, int32_t windowY, int32_t windowWidth,
                                   int32_t windowHeight, int32_t outputWidth, int32_t outputHeight);

// The scale to draw the back buffer at for an output of the given pixel size, from 1 to 3: the drawn
// size nearest to the size the table gets on screen, preferring to shrink a little over stretching. A
// picture drawn larger and shrunk keeps its card indices crisp; one stretched far smears them. Scale 2
// from 1.1 times 800 x 600, scale 3 from 2.1 times: where the hand's edge contrast of the larger
// drawing, shrunk, overtakes the smaller one's, stretched (measured; see docs/scale-choice.md).
inline constexpr int32_t kScale2FromPercent = 110;
inline constexpr int32_t kScale3FromPercent = 210;
int32_t ScaleForOutput(int32_t outputWidth, int32_t outputHeight);
