#include "presentation/blt_surface.h"

#include <cmath>

namespace {

bool Inside(const Rect32& inner, const Rect32& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Rect32 Scaled(const Rect32& r, int32_t k) {
    return Rect32{r.left * k, r.top * k, r.right * k, r.bottom * k};
}

}  // namespace

int32_t SpotPixelX(const TableSpot& at, int32_t scale) {
    return RoundToPixel(at.x * static_cast<float>(scale)) + at.dx * scale;
}

int32_t SpotPixelY(const TableSpot& at, int32_t scale) {
    return RoundToPixel(at.y * static_cast<float>(scale)) + at.dy * scale;
}

void BltSurface(Canvas& canvas, const Rect32& clipRect, PictureId source, Rect32 sourceRect, TableSpot at,
                bool keyed) {
    // Everything below is in back-buffer pixels; at scale 1 they are the units themselves.
    const int32_t k = canvas.Scale();
    const Rect32 whole = Scaled(canvas.PictureRect(source), k);
    sourceRect = sourceRect == Rect32{} ? whole : Scaled(sourceRect, k);
    const Rect32 clip = Scaled(clipRect, k);
    int32_t x = SpotPixelX(at, k);
    int32_t y = SpotPixelY(at, k);
    const int32_t w = sourceRect.right - sourceRect.left;
    const int32_t h = sourceRect.bottom - sourceRect.top;
    if (x + w > clip.right) {
        sourceRect.right = clip.right + sourceRect.left - x;
    }
    if (y + h > clip.bottom) {
        sourceRect.bottom = clip.bottom + sourceRect.top - y;
    }
    if (x < clip.left) {
        sourceRect.left = clip.left + sourceRect.left - x;
        x = clip.left;
    }
    if (y < clip.top) {
        sourceRect.top = clip.top + sourceRect.top - y;
        y = clip.top;
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
