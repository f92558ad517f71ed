#include "platform/shrink_filter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace {

// Below this shrink (target over source, in percent) the linear filter's strokes turn uneven.
constexpr int64_t kAreaShrinkBelowPercent = 85;

// RGB565 widened to 8 bits a channel as SDL widens it (the high bits repeated into the low ones), in
// 16-bit lanes: blue, green, red, none. Each byte of a pixel adds its own part (green's bits straddle
// the two, and its repeated high bits come from the high byte alone), so two small tables do it.
struct WidenTables {
    std::array<uint64_t, 256> low{};
    std::array<uint64_t, 256> high{};
    constexpr WidenTables() {
        for (uint64_t v = 0; v < 256; ++v) {
            const uint64_t blue = v & 0x1F;
            const uint64_t greenLow = v >> 5;  // green's bits 0 to 2
            low[v] = ((blue << 3) | (blue >> 2)) | ((greenLow << 2) << 16);
            const uint64_t greenHigh = v & 0x07;  // green's bits 3 to 5
            const uint64_t red = v >> 3;
            high[v] = (((greenHigh << 5) | (greenHigh >> 1)) << 16) | (((red << 3) | (red >> 2)) << 32);
        }
    }
};
constexpr WidenTables kWiden;

PixelRect Clip(const PixelRect& r, int32_t width, int32_t height) {
    const int32_t left = std::max(r.x, 0);
    const int32_t top = std::max(r.y, 0);
    const int32_t right = std::min(r.x + std::max(r.width, 0), width);
    const int32_t bottom = std::min(r.y + std::max(r.height, 0), height);
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

}  // namespace

PixelRect ChangedPart(const uint8_t* before, const uint8_t* after, int32_t pitch, int32_t width,
                      int32_t height) {
    const auto rowBytes = static_cast<size_t>(width) * 2;
    const auto rowDiffers = [&](int32_t y) {
        const ptrdiff_t at = static_cast<ptrdiff_t>(y) * pitch;
        return std::memcmp(before + at, after + at, rowBytes) != 0;
    };
    int32_t top = 0;
    while (top < height && !rowDiffers(top)) {
        ++top;
    }
    if (top == height) {
        return {};
    }
    int32_t bottom = height - 1;
    while (!rowDiffers(bottom)) {
        --bottom;
    }
    // Columns: each row is searched only outside the columns already known to differ.
    int32_t left = width;
    int32_t right = -1;
    for (int32_t y = top; y <= bottom; ++y) {
        const auto* a = reinterpret_cast<const uint16_t*>(before + static_cast<ptrdiff_t>(y) * pitch);
        const auto* b = reinterpret_cast<const uint16_t*>(after + static_cast<ptrdiff_t>(y) * pitch);
        for (int32_t x = 0; x < left; ++x) {
            if (a[x] != b[x]) {
                left = x;
                break;
            }
        }
        for (int32_t x = width - 1; x > right; --x) {
            if (a[x] != b[x]) {
                right = x;
                break;
            }
        }
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

bool AreaShrinkPays(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight,
                    bool rendererOnProcessor) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) {
        return false;
    }
    if (rendererOnProcessor) {
        return targetWidth < sourceWidth || targetHeight < sourceHeight;
    }
    return int64_t{targetWidth} * 100 < kAreaShrinkBelowPercent * sourceWidth ||
           int64_t{targetHeight} * 100 < kAreaShrinkBelowPercent * sourceHeight;
}

void AreaShrink::Axis::Build(int32_t sourceSize, int32_t targetSize) {
    size = targetSize;
    // Target pixel t covers [t S, (t + 1) S) and source pixel i covers [i T, (i + 1) T), both in
    // 1/T of a source pixel: whole numbers throughout.
    const int64_t s = sourceSize;
    const int64_t t = targetSize;
    taps = 1;
    for (int64_t i = 0; i < t; ++i) {
        const int64_t from = i * s / t;
        const int64_t to = ((i + 1) * s + t - 1) / t;
        taps = std::max(taps, static_cast<int32_t>(to - from));
    }
    first.assign(static_cast<size_t>(size), 0);
    weights.assign(static_cast<size_t>(size) * static_cast<size_t>(taps), 0);
    for (int64_t i = 0; i < t; ++i) {
        const int64_t begin = i * s;
        const int64_t end = (i + 1) * s;
        // The taps start early enough to stay inside the source; leading ones then weigh nothing.
        const int64_t from = std::min(begin / t, s - taps);
        uint16_t* w = &weights[static_cast<size_t>(i) * static_cast<size_t>(taps)];
        int32_t total = 0;
        int32_t largest = 0;
        for (int32_t k = 0; k < taps; ++k) {
            const int64_t pixelBegin = (from + k) * t;
            const int64_t overlap =
                std::max<int64_t>(0, std::min(end, pixelBegin + t) - std::max(begin, pixelBegin));
            w[k] = static_cast<uint16_t>((overlap * 256 + s / 2) / s);
            total += w[k];
            largest = w[k] > w[largest] ? k : largest;
        }
        // Rounding may leave the sum a step off 256: the largest weight takes the difference.
        w[largest] = static_cast<uint16_t>(w[largest] + 256 - total);
        first[static_cast<size_t>(i)] = static_cast<int32_t>(from);
    }
}

template <int32_t kTaps>
void AreaShrink::ShrinkAcross(const Axis& columns, const uint16_t* row, int32_t from, int32_t count,
                              uint8_t* out) {
    // kTaps fixes the common tap counts at compile time (0: as many as the axis has).
    const int32_t taps = kTaps > 0 ? kTaps : columns.taps;
    for (int32_t x = 0; x < count; ++x) {
        const size_t column = static_cast<size_t>(from + x);
        const uint16_t* w = &columns.weights[column * static_cast<size_t>(taps)];
        const uint16_t* in = row + static_cast<ptrdiff_t>(columns.first[column]) * 4;
        uint64_t sum = 0x0080008000800080ULL;
        for (int32_t k = 0; k < taps; ++k) {
            uint64_t pixel = 0;
            std::memcpy(&pixel, in + 4 * k, sizeof pixel);
            sum += w[k] * pixel;
        }
        const uint64_t lanes8 = (sum >> 8) & 0x00FF00FF00FF00FFULL;
        const auto pixel = static_cast<uint32_t>(0xFF000000U | (lanes8 & 0xFF) | ((lanes8 >> 8) & 0xFF00) |
                                                 ((lanes8 >> 16) & 0xFF0000));
        std::memcpy(out + static_cast<ptrdiff_t>(x) * 4, &pixel, sizeof pixel);
    }
}

AreaShrink::AreaShrink(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight)
    : sourceWidth_(std::max(sourceWidth, 1)), sourceHeight_(std::max(sourceHeight, 1)) {
    columns_.Build(sourceWidth_, std::clamp(targetWidth, 1, sourceWidth_));
    rows_.Build(sourceHeight_, std::clamp(targetHeight, 1, sourceHeight_));
}

PixelRect AreaShrink::TargetRectFor(const PixelRect& source) const {
    const PixelRect s = Clip(source, sourceWidth_, sourceHeight_);
    if (s.Empty()) {
        return {};
    }
    // Target pixel t covers source pixels [t S / T, ceil((t + 1) S / T)): the ones touching the part.
    const auto span = [](int32_t from, int32_t count, int64_t sourceSize, int64_t targetSize, int32_t& begin,
                         int32_t& length) {
        const int64_t first = from * targetSize / sourceSize;
        const int64_t last =
            std::min(((from + count) * targetSize + sourceSize - 1) / sourceSize, targetSize);
        begin = static_cast<int32_t>(first);
        length = static_cast<int32_t>(last - first);
    };
    PixelRect t;
    span(s.x, s.width, sourceWidth_, columns_.size, t.x, t.width);
    span(s.y, s.height, sourceHeight_, rows_.size, t.y, t.height);
    return t;
}

void AreaShrink::Shrink(const uint8_t* source, int32_t sourcePitch, uint8_t* target, int32_t targetPitch,
                        const PixelRect& part) {
    const PixelRect p = Clip(part, columns_.size, rows_.size);
    if (p.Empty()) {
        return;
    }
    const int32_t ct = columns_.taps;
    const int32_t rt = rows_.taps;
    // The source columns the part's taps read.
    const int32_t firstColumn = columns_.first[static_cast<size_t>(p.x)];
    const int32_t endColumn = columns_.first[static_cast<size_t>(p.x + p.width - 1)] + ct;
    const size_t lanes = static_cast<size_t>(endColumn - firstColumn) * 4;
    const int32_t slots = rt + 1;
    wideRows_.resize(lanes * static_cast<size_t>(slots));
    wideRow_.assign(static_cast<size_t>(slots), -1);
    down_.resize(lanes);

    // One source row widened to 8 bits a channel, four 16-bit lanes a pixel (blue, green, red, none),
    // in its slot unless it is there already: neighbouring target rows share source rows.
    const auto widened = [&](int32_t sourceRow) -> const uint16_t* {
        const size_t slot = static_cast<size_t>(sourceRow % slots);
        uint16_t* out = &wideRows_[slot * lanes];
        if (wideRow_[slot] != sourceRow) {
            wideRow_[slot] = sourceRow;
            const uint8_t* in = source + static_cast<ptrdiff_t>(sourceRow) * sourcePitch;
            for (int32_t x = firstColumn; x < endColumn; ++x) {
                const uint64_t wide = kWiden.low[in[2 * x]] + kWiden.high[in[2 * x + 1]];
                std::memcpy(out + static_cast<size_t>(x - firstColumn) * 4, &wide, sizeof wide);
            }
        }
        return out;
    };

    for (int32_t y = p.y; y < p.y + p.height; ++y) {
        // Down first: the target row's source rows weighted into one row of the source's width. Sums
        // of at most 255 x 256 fit the 16-bit lanes, so the loop runs many lanes at a time.
        const int32_t top = rows_.first[static_cast<size_t>(y)];
        const uint16_t* w = &rows_.weights[static_cast<size_t>(y) * static_cast<size_t>(rt)];
        std::fill(down_.begin(), down_.end(), uint16_t{128});
        for (int32_t k = 0; k < rt; ++k) {
            if (w[k] == 0) {
                continue;
            }
            const uint16_t* row = widened(top + k);
            const uint16_t weight = w[k];
            for (size_t i = 0; i < lanes; ++i) {
                down_[i] = static_cast<uint16_t>(down_[i] + weight * row[i]);
            }
        }
        for (size_t i = 0; i < lanes; ++i) {
            down_[i] = static_cast<uint16_t>(down_[i] >> 8);
        }
        // Then across: all three channels of a pixel in one 64-bit sum.
        auto* out = target + static_cast<ptrdiff_t>(y) * targetPitch + static_cast<ptrdiff_t>(p.x) * 4;
        const uint16_t* down = down_.data() - static_cast<ptrdiff_t>(firstColumn) * 4;
        switch (ct) {
            case 2:
                ShrinkAcross<2>(columns_, down, p.x, p.width, out);
                break;
            case 3:
                ShrinkAcross<3>(columns_, down, p.x, p.width, out);
                break;
            default:
                ShrinkAcross<0>(columns_, down, p.x, p.width, out);
                break;
        }
    }
}
