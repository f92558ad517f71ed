#pragma once

#include <cstdint>
#include <vector>

// A rectangle of pixels: its top-left corner and its size.
struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding every pixel that differs between two RGB565 pictures of the same size
// and layout (empty when they are equal): the part of a new frame that has to be shrunk again.
PixelRect ChangedPart(const uint8_t* before, const uint8_t* after, int32_t pitch, int32_t width,
                      int32_t height);

// Whether a picture of the source size shown at the target size is better shrunk by AreaShrink than by
// the renderer's linear filter. The linear filter samples two source pixels a direction wherever a
// target pixel's centre falls, so once a target pixel spans well over one source pixel some source
// pixels weigh little or nothing: strokes one pixel wide come out uneven. Up to a shrink of about 0.85
// the two look alike and a graphics device's filter costs nothing extra. A renderer that scales on the
// processor (`rendererOnProcessor`: SDL's software renderer) converts and scales the whole frame at
// every present, which keeps an animation from 60 frames a second on large screens; AreaShrink, which
// redoes only what changed, then pays at every shrink.
bool AreaShrinkPays(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight,
                    bool rendererOnProcessor = false);

// Shrinks an RGB565 picture to a smaller XRGB8888 one by area averaging: each target pixel is the mean
// of the source area it covers, every source pixel weighted by how much of it lies inside (in 1/256
// steps a direction). Edges and lines stay as even as the source drew them. Works on any part of the
// target, so a frame that changed in one place is shrunk only there.
class AreaShrink {
public:
    // Sizes in pixels; a target larger than the source in a direction is clamped to the source's.
    AreaShrink(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight);

    int32_t SourceWidth() const { return sourceWidth_; }
    int32_t SourceHeight() const { return sourceHeight_; }
    int32_t TargetWidth() const { return columns_.size; }
    int32_t TargetHeight() const { return rows_.size; }

    // The target pixels whose area overlaps the given source pixels (clipped to the pictures): what
    // has to be shrunk again after that part of the source changed.
    PixelRect TargetRectFor(const PixelRect& source) const;

    // Fills a part of the target (clipped to it) from the whole source. `source` is the source's
    // top-left pixel, `target` the target's (not the part's); pitches are bytes from row to row.
    void Shrink(const uint8_t* source, int32_t sourcePitch, uint8_t* target, int32_t targetPitch,
                const PixelRect& part);

private:
    // For one direction: the first source pixel each target pixel covers and its `taps` weights
    // (summing to 256; unused taps weigh 0).
    struct Axis {
        int32_t size = 0;
        int32_t taps = 0;
        std::vector<int32_t> first;
        std::vector<uint16_t> weights;
        void Build(int32_t sourceSize, int32_t targetSize);
    };

    // One row already shrunk down (four 16-bit lanes a source pixel, indexed from source column 0),
    // shrunk across into `count` target pixels from `from` on.
    template <int32_t kTaps>
    static void ShrinkAcross(const Axis& columns, const uint16_t* row, int32_t from, int32_t count,
                             uint8_t* out);

    int32_t sourceWidth_ = 0;
    int32_t sourceHeight_ = 0;
    Axis columns_;
    Axis rows_;
    // Work space: a few source rows widened (kept by source row, so that neighbouring target rows
    // share them) and one row shrunk down.
    std::vector<uint16_t> wideRows_;
    std::vector<int32_t> wideRow_;
    std::vector<uint16_t> down_;
};
