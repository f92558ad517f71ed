#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "presentation/canvas.h"

// One frame's drawing as a list of copies, so that two frames can be compared and only the boxes where
// they differ drawn again. A pixel is the result of the copies that cover it, in their order; where two
// frames' lists agree on those, the pixel is the same in both.

// One copy into the back buffer, in back-buffer pixels, as a canvas receives it.
struct DrawCall {
    PictureId picture = PictureId::Background;
    Rect32 source;
    int32_t x = 0;
    int32_t y = 0;
    bool keyed = false;
    friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

// The back-buffer pixels a copy covers (keyed or not).
Rect32 CallBox(const DrawCall& call);

// Records the copies drawn into it instead of making them; the scale and the picture sizes are those of
// the canvas it stands in for, so the drawing code lays the frame out exactly as it would there.
class DrawListCanvas final : public Canvas {
public:
    explicit DrawListCanvas(const Canvas& target) : target_(target) {}

    int32_t Scale() const override { return target_.Scale(); }
    Rect32 PictureRect(PictureId picture) const override { return target_.PictureRect(picture); }
    void CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) override;

    std::vector<DrawCall>& Calls() { return calls_; }
    const std::vector<DrawCall>& Calls() const { return calls_; }

private:
    const Canvas& target_;
    std::vector<DrawCall> calls_;
};

// Makes the copies of `calls` in order, each cut to `box` (back-buffer pixels): the pixels inside the
// box come out as a full replay would make them, and nothing outside it is touched.
void ReplayInBox(Canvas& canvas, std::span<const DrawCall> calls, const Rect32& box);

// The boxes where a frame drawn by `after` can differ from one drawn by `before`, within `whole` (the
// back buffer): the boxes of the copies the two lists do not share in the same order, merged where they
// touch. When so much changed that boxes would cost more than the whole, `whole` alone. Empty when the
// lists are equal.
std::vector<Rect32> ChangedBoxes(std::span<const DrawCall> before, std::span<const DrawCall> after,
                                 const Rect32& whole);
