#pragma once

#include <cstdint>

// Keeps frames from coming faster than a set rate: card movements are counted in frames, so a fast
// display (or none at all, as with vsync missing) must not speed the game up. Times are in
// microseconds from any fixed start; the pacer itself never reads a clock, so it is tested with
// made-up times.
class FramePacer {
public:
    explicit FramePacer(uint32_t framesPerSecond = 60);

    // How long to wait, from `now`, before the next frame may start. The first frame never waits.
    uint64_t WaitBeforeFrame(uint64_t now) const;

    // Records that a frame started at `now`. After a long stall (more than a frame late) the schedule
    // restarts from `now` instead of rushing frames to catch up.
    void FrameStarted(uint64_t now);

    uint64_t FramePeriod() const { return period_; }

private:
    uint64_t period_;
    uint64_t nextFrame_ = 0;
    bool started_ = false;
};

// Sleeps the calling thread for the given microseconds (no busy waiting).
void SleepMicroseconds(uint64_t microseconds);

// A monotonic microsecond clock for the pacer.
uint64_t MonotonicMicroseconds();
