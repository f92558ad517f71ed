#include "shell/frame_rate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

float FrameRateMeter::FrameRate(float secondsOfDay) {
    ++count_;
    if (count_ >= 30) {
        // Past midnight the time of day starts again from 0: measure from there instead of giving a
        // negative rate.
        if (secondsOfDay < lastUpdate_) {
            lastUpdate_ = secondsOfDay;
            count_ = 0;
        } else if (secondsOfDay != lastUpdate_) {
            rate_ = 30.0F / (secondsOfDay - lastUpdate_);
            lastUpdate_ = secondsOfDay;
            count_ = 0;
        }
    }
    return rate_;
}

float FrameRateMeter::Refresh(float secondsOfDay) {
    if (secondsOfDay < lastUpdate_) {
        lastUpdate_ = secondsOfDay;
        count_ = 0;
    } else if (secondsOfDay - lastUpdate_ >= 1.0F) {
        rate_ = static_cast<float>(count_) / (secondsOfDay - lastUpdate_);
        lastUpdate_ = secondsOfDay;
        count_ = 0;
    }
    return rate_;
}

std::optional<float> FrameRateMeter::SecondsToRefresh(float secondsOfDay) const {
    if (rate_ == 0.0F && count_ == 0) {
        return std::nullopt;
    }
    return std::max(0.0F, lastUpdate_ + 1.0F - secondsOfDay);
}

float SecondsOfDay() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto sinceSecond = now - std::chrono::system_clock::from_time_t(t);
    const double fraction = std::chrono::duration<double>(sinceSecond).count();
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

std::string WindowCaption(int32_t mouseX, int32_t mouseY, float framesPerSecond) {
    // "#.0": one decimal, rounded, no leading zero (0 reads ".0").
    const long tenths = std::lround(static_cast<double>(framesPerSecond) * 10.0);
    const long whole = tenths / 10;
    const long tenth = std::labs(tenths % 10);
    std::string rate = (whole != 0 ? std::to_string(whole) : std::string(tenths < 0 ? "-" : "")) + "." +
                       std::to_string(tenth);
    return "   " + std::to_string(mouseX) + "   " + std::to_string(mouseY) + "    Frames per Second =" + rate;
}
