#include "presentation/frame_composer.h"

#include <utility>

FrameComposer::FrameComposer(Canvas& target, int32_t width, int32_t height)
    : target_(target), width_(width), height_(height), recorder_(target) {}

Canvas& FrameComposer::BeginFrame() {
    recorder_.Calls().clear();
    return recorder_;
}

std::vector<Rect32> FrameComposer::Compose() {
    std::vector<DrawCall>& calls = recorder_.Calls();
    std::vector<Rect32> boxes =
        redrawAll_ ? std::vector<Rect32>{Whole()} : ChangedBoxes(shown_, calls, Whole());
    for (const Rect32& box : boxes) {
        ReplayInBox(target_, calls, box);
    }
    redrawAll_ = false;
    // The old list's storage is kept for the next frame's copies.
    std::swap(shown_, calls);
    calls.clear();
    return boxes;
}

void FrameComposer::RedrawAll() {
    redrawAll_ = true;
}

Rect32 FrameComposer::Whole() const {
    const int32_t k = target_.Scale();
    return Rect32{0, 0, width_ * k, height_ * k};
}
