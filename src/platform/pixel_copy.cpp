#include "platform/pixel_copy.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// One row: every pixel that is not the key replaces the target's.
void CopyKeyedRow(const uint16_t* from, uint16_t* to, int32_t count, uint16_t key) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= count; i += 8) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        const __m128i transparent = _mm_cmpeq_epi16(source, keys);
        const __m128i mixed =
            _mm_or_si128(_mm_and_si128(transparent, target), _mm_andnot_si128(transparent, source));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), mixed);
    }
#endif
    for (; i < count; ++i) {
        if (from[i] != key) {
            to[i] = from[i];
        }
    }
}

// Clips one axis of a copy: the span [from, from + length) of a source `sourceSize` long going to `to`
// in a target `targetSize` long. Inside the source first, then inside the target; each cut moves the
// other side along, as SDL's blit clips.
void ClipAxis(int32_t& from, int32_t& to, int32_t& length, int32_t sourceSize, int32_t targetSize) {
    if (from < 0) {
        to -= from;
        length += from;
        from = 0;
    }
    length = std::min(length, sourceSize - from);
    if (to < 0) {
        from -= to;
        length += to;
        to = 0;
    }
    length = std::min(length, targetSize - to);
}

}  // namespace

void CopyPixels(const PixelPlane& source, int32_t left, int32_t top, int32_t width, int32_t height,
                const PixelPlane& target, int32_t x, int32_t y, std::optional<uint16_t> key) {
    ClipAxis(left, x, width, source.width, target.width);
    ClipAxis(top, y, height, source.height, target.height);
    if (width <= 0 || height <= 0) {
        return;
    }
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* from = source.pixels + static_cast<ptrdiff_t>(top + row) * source.pitch +
                              static_cast<ptrdiff_t>(left) * 2;
        uint8_t* to =
            target.pixels + static_cast<ptrdiff_t>(y + row) * target.pitch + static_cast<ptrdiff_t>(x) * 2;
        if (key) {
            // 16-bit surfaces keep their rows 2-byte aligned, so the pixels may be read as words.
            CopyKeyedRow(reinterpret_cast<const uint16_t*>(from), reinterpret_cast<uint16_t*>(to), width,
                         *key);
        } else {
            std::memcpy(to, from, static_cast<size_t>(width) * 2);
        }
    }
}
