#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/frame_rate.h"

class Display;

// The game's title, shown in full screen and until a window shows its first caption.
inline constexpr const char* kGameTitle = "Zarn";

// The window's caption: in a window, the mouse position and the frames per second (see WindowCaption);
// in full screen, the game's title. The title is set only when its text changes.
class GameCaption {
public:
    // A frame was shown: the frame is counted and the caption follows the mouse.
    void FrameShown(Display& display, int32_t mouseX, int32_t mouseY);
    // While the loop waits: the frame rate falls to the frames actually run.
    void Refresh(Display& display, int32_t mouseX, int32_t mouseY);
    // Milliseconds until the waiting caption's frame rate is due to change; none when it shows nothing
    // that can go stale.
    std::optional<uint32_t> MsToRefresh(const Display& display) const;

private:
    void Set(Display& display, int32_t mouseX, int32_t mouseY);

    FrameRateMeter frameRate_;
    float framesPerSecond_ = 0.0F;
    std::string caption_;
};
