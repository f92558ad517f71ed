#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacer, FirstFrameNeverWaits) {
    FramePacer pacer(60);
    EXPECT_EQ(pacer.WaitBeforeFrame(5'000'000), 0u);
}

TEST(FramePacer, FastLoopIsHeldToSixtyFramesASecond) {
    FramePacer pacer(60);
    uint64_t now = 1'000'000;
    int frames = 0;
    // A loop whose own work takes 1 ms: over one simulated second it may start only 60 frames.
    while (now < 2'000'000) {
        now += pacer.WaitBeforeFrame(now);
        if (now >= 2'000'000) {
            break;
        }
        pacer.FrameStarted(now);
        ++frames;
        now += 1000;
    }
    EXPECT_GE(frames, 59);
    EXPECT_LE(frames, 61);
}

TEST(FramePacer, SlowFramesDoNotWaitAtAll) {
    FramePacer pacer(60);
    uint64_t now = 0;
    pacer.FrameStarted(now);
    now += 30'000;  // a 30 ms frame
    EXPECT_EQ(pacer.WaitBeforeFrame(now), 0u);
}

TEST(FramePacer, AfterAStallTheScheduleRestartsInsteadOfRushing) {
    FramePacer pacer(60);
    pacer.FrameStarted(0);
    pacer.FrameStarted(500'000);  // half a second stall (a dragged window, a breakpoint)
    // The next frame is one period later, not immediately.
    EXPECT_EQ(pacer.WaitBeforeFrame(500'000), pacer.FramePeriod());
}

TEST(FramePacer, SlightlyLateFrameKeepsTheAverage) {
    FramePacer pacer(60);
    const uint64_t period = pacer.FramePeriod();
    pacer.FrameStarted(0);
    pacer.FrameStarted(period + 2000);  // 2 ms late
    EXPECT_EQ(pacer.WaitBeforeFrame(period + 2000), period - 2000);
}

}  // namespace
