#include "shell/window_caption.h"

#include <utility>

#include "platform/display.h"

void GameCaption::FrameShown(Display& display, int32_t mouseX, int32_t mouseY) {
    framesPerSecond_ = frameRate_.FrameRate(SecondsOfDay());
    Set(display, mouseX, mouseY);
}

void GameCaption::Refresh(Display& display, int32_t mouseX, int32_t mouseY) {
    if (display.Windowed() && !caption_.empty()) {
        framesPerSecond_ = frameRate_.Refresh(SecondsOfDay());
        Set(display, mouseX, mouseY);
    }
}

std::optional<uint32_t> GameCaption::MsToRefresh(const Display& display) const {
    if (display.Windowed() && !caption_.empty()) {
        if (const std::optional<float> seconds = frameRate_.SecondsToRefresh(SecondsOfDay())) {
            return static_cast<uint32_t>(*seconds * 1000.0F) + 1;
        }
    }
    return std::nullopt;
}

void GameCaption::Set(Display& display, int32_t mouseX, int32_t mouseY) {
    if (display.Windowed()) {
        std::string caption = WindowCaption(mouseX, mouseY, framesPerSecond_);
        if (caption != caption_) {
            caption_ = std::move(caption);
            display.SetTitle(caption_);
        }
    } else if (!caption_.empty()) {
        caption_.clear();
        display.SetTitle(kGameTitle);
    }
}
