#include "presentation/blt_surface.h"

#include <cmath>

namespace {

bool Inside(const Rect32& inner, const Rect32& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

void BltSurface(Canvas& canvas, const Rect32& clipRect, PictureId source, Rect32 sourceRect, int32_t x,
                int32_t y, bool keyed) {
    const Rect32 whole = canvas.PictureRect(source);
    if (sourceRect == Rect32{}) {
        sourceRect = whole;
    }
    const int32_t w = sourceRect.right - sourceRect.left;
    const int32_t h = sourceRect.bottom - sourceRect.top;
    if (x + w > clipRect.right) {
        sourceRect.right = clipRect.right + sourceRect.left - x;
    }
    if (y + h > clipRect.bottom) {
        sourceRect.bottom = clipRect.bottom + sourceRect.top - y;
    }
    if (x < clipRect.left) {
        sourceRect.left = clipRect.left + sourceRect.left - x;
        x = clipRect.left;
    }
    if (y < clipRect.top) {
        sourceRect.top = clipRect.top + sourceRect.top - y;
        y = clipRect.top;
    }
    // A copy placed wholly outside the clip rectangle leaves an empty or inverted rectangle, and a
    // rectangle reaching past the picture (a glyph the font picture has no cell for) has nothing to
    // copy: both are skipped instead of handed to the canvas.
    if (sourceRect.Empty() || !Inside(sourceRect, whole)) {
        return;
    }
    canvas.CopyRect(source, sourceRect, x, y, keyed);
}

int32_t RoundToPixel(float value) {
    // nearbyint follows the default rounding mode, round to nearest with halves to even. Positions far
    // off the screen are held to a range that still converts safely; they are clipped away anyway.
    constexpr float kFarAway = 1.0e6F;
    if (!(value > -kFarAway)) {
        return -static_cast<int32_t>(kFarAway);
    }
    if (value > kFarAway) {
        return static_cast<int32_t>(kFarAway);
    }
    return static_cast<int32_t>(std::nearbyint(value));
}
