#pragma once

#include <cstdint>

#include "presentation/canvas.h"

// The one way a picture reaches the back buffer. The source rectangle is cut so the copy stays inside
// clipRect; an all-zero source rectangle means the whole picture, cut the same way with the picture's
// real size. Copies that end up empty, or that would read outside the picture, are left out.
void BltSurface(Canvas& canvas, const Rect32& clipRect, PictureId source, Rect32 sourceRect, int32_t x,
                int32_t y, bool keyed);

// Screen positions of cards and texts are floats; they land on the pixel nearest, halves to even.
int32_t RoundToPixel(float value);
