#include "platform/letterbox.h"

#include <algorithm>
#include <cmath>

#include "presentation/canvas.h"

Viewport FitBackBuffer(int32_t outputWidth, int32_t outputHeight) {
    if (outputWidth <= 0 || outputHeight <= 0) {
        return {};
    }
    Viewport v;
    const int64_t w = outputWidth;
    const int64_t h = outputHeight;
    if (w * kBackBufferHeight <= h * kBackBufferWidth) {
        // Narrower than 4:3: full width, bars above and below.
        v.width = outputWidth;
        v.height = static_cast<int32_t>(w * kBackBufferHeight / kBackBufferWidth);
    } else {
        v.height = outputHeight;
        v.width = static_cast<int32_t>(h * kBackBufferWidth / kBackBufferHeight);
    }
    v.x = (outputWidth - v.width) / 2;
    v.y = (outputHeight - v.height) / 2;
    return v;
}

BackBufferPoint WindowToBackBuffer(int32_t windowX, int32_t windowY, int32_t windowWidth,
                                   int32_t windowHeight, int32_t outputWidth, int32_t outputHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return {};
    }
    const Viewport v = FitBackBuffer(outputWidth, outputHeight);
    if (v.width <= 0 || v.height <= 0) {
        return {};
    }
    // Window coordinates to output pixels, then output pixels to back-buffer pixels.
    const double outX = (static_cast<double>(windowX) + 0.5) * outputWidth / windowWidth;
    const double outY = (static_cast<double>(windowY) + 0.5) * outputHeight / windowHeight;
    const double bx = std::floor((outX - v.x) * kBackBufferWidth / v.width);
    const double by = std::floor((outY - v.y) * kBackBufferHeight / v.height);
    BackBufferPoint p;
    p.inside = bx >= 0 && bx < kBackBufferWidth && by >= 0 && by < kBackBufferHeight;
    p.x = static_cast<int32_t>(std::clamp(bx, 0.0, static_cast<double>(kBackBufferWidth - 1)));
    p.y = static_cast<int32_t>(std::clamp(by, 0.0, static_cast<double>(kBackBufferHeight - 1)));
    return p;
}

int32_t ScaleForOutput(int32_t outputWidth, int32_t outputHeight) {
    // The table's shown height against 600 decides, in whole percent, so the rule has no rounding doubt.
    const int64_t shown = FitBackBuffer(outputWidth, outputHeight).height;
    int32_t k = 1;
    if (shown * 100 >= int64_t{kScale2FromPercent} * kBackBufferHeight) {
        k = 2;
    }
    if (shown * 100 >= int64_t{kScale3FromPercent} * kBackBufferHeight) {
        k = 3;
    }
    return std::min(k, kLargestScale);
}
