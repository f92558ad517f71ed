#pragma once

#include <cstdint>
#include <vector>

#include "presentation/canvas.h"
#include "presentation/draw_list.h"

// Draws each frame into the back buffer only where it differs from the frame before. The frame is first
// drawn into a list of copies (Recorder); Compose then compares it with the last frame's list and makes,
// in each changed box, the frame's copies cut to that box, in the same order: the back buffer then holds
// exactly what drawing the whole frame would give. The boxes are what the display has to show anew.
class FrameComposer {
public:
    // `target` is the back buffer, `width` x `height` units at its scale.
    explicit FrameComposer(Canvas& target, int32_t width = 800, int32_t height = 600);

    // Starts a frame: the canvas to draw it into (its copies are recorded, not made).
    Canvas& BeginFrame();
    // The canvas of the frame begun, to draw more of it.
    Canvas& Recorder() { return recorder_; }
    // The copies of the frame begun so far.
    const std::vector<DrawCall>& FrameCalls() const { return recorder_.Calls(); }

    // Draws what changed since the last composed frame into the target and returns the changed boxes in
    // back-buffer pixels (none when the frame is the same picture). After RedrawAll, and for the first
    // frame, the whole back buffer.
    std::vector<Rect32> Compose();

    // The next Compose draws everything: the pictures, the scale or the back buffer are new.
    void RedrawAll();

private:
    Rect32 Whole() const;

    Canvas& target_;
    int32_t width_;
    int32_t height_;
    DrawListCanvas recorder_;
    std::vector<DrawCall> shown_;  // the copies of the frame the back buffer holds
    bool redrawAll_ = true;
};
