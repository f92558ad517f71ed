#include "platform/frame_pacer.h"

#include <chrono>
#include <thread>

FramePacer::FramePacer(uint32_t framesPerSecond)
    : period_(framesPerSecond == 0 ? 0 : (1000000 + framesPerSecond / 2) / framesPerSecond) {}

uint64_t FramePacer::WaitBeforeFrame(uint64_t now) const {
    if (!started_ || now >= nextFrame_) {
        return 0;
    }
    return nextFrame_ - now;
}

void FramePacer::FrameStarted(uint64_t now) {
    if (!started_ || now >= nextFrame_ + period_) {
        nextFrame_ = now + period_;
        started_ = true;
        return;
    }
    // On time or slightly late: keep the steady schedule so the average stays at the rate.
    nextFrame_ += period_;
}

void SleepMicroseconds(uint64_t microseconds) {
    if (microseconds > 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    }
}

uint64_t MonotonicMicroseconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}
