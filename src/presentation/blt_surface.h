#pragma once

#include <cstdint>

#include "presentation/canvas.h"

// Where a picture goes: a position in table units that may lie between pixels (a moving card), plus
// whole units on top of it. The position lands on the back buffer's pixel grid first (at scale k a
// card moves in steps of 1/k unit), then the whole units are added, so a mark drawn a few units from a
// card keeps its distance exactly at every scale.
struct TableSpot {
    float x = 0;
    float y = 0;
    int32_t dx = 0;
    int32_t dy = 0;

    TableSpot Offset(int32_t moreX, int32_t moreY) const { return {x, y, dx + moreX, dy + moreY}; }
};

// The one way a picture reaches the back buffer. Rectangles and positions are in table units; the
// canvas's scale turns them into pixels. The source rectangle is cut so the copy stays inside clipRect;
// an all-zero source rectangle means the whole picture, cut the same way with the picture's real size.
// Copies that end up empty, or that would read outside the picture, are left out.
void BltSurface(Canvas& canvas, const Rect32& clipRect, PictureId source, Rect32 sourceRect, TableSpot at,
                bool keyed);
inline void BltSurface(Canvas& canvas, const Rect32& clipRect, PictureId source, Rect32 sourceRect, int32_t x,
                       int32_t y, bool keyed) {
    BltSurface(canvas, clipRect, source, sourceRect, TableSpot{0, 0, x, y}, keyed);
}

// Screen positions of cards and texts are floats; they land on the pixel nearest, halves to even.
int32_t RoundToPixel(float value);

// The back-buffer pixel a spot lands on at the given scale.
int32_t SpotPixelX(const TableSpot& at, int32_t scale);
int32_t SpotPixelY(const TableSpot& at, int32_t scale);
