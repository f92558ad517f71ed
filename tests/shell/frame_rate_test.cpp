#include "shell/frame_rate.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameRateMeter, ZeroUntilThirtyFramesAndMeasuredFromMidnight) {
    FrameRateMeter meter;
    for (int i = 0; i < 29; ++i) {
        EXPECT_EQ(meter.FrameRate(10.0F), 0.0F);
    }
    // The first measure runs from the time of day 0, as the counter's fields start there.
    EXPECT_FLOAT_EQ(meter.FrameRate(10.0F), 3.0F);
}

TEST(FrameRateMeter, ThirtyFramesInHalfASecondIsSixty) {
    FrameRateMeter meter;
    for (int i = 0; i < 30; ++i) {
        meter.FrameRate(100.0F);
    }
    float rate = 0;
    for (int i = 0; i < 30; ++i) {
        rate = meter.FrameRate(100.5F);
    }
    EXPECT_FLOAT_EQ(rate, 60.0F);
}

TEST(FrameRateMeter, WithinOneClockTickTheCountRunsOn) {
    FrameRateMeter meter;
    for (int i = 0; i < 30; ++i) {
        meter.FrameRate(50.0F);
    }
    const float before = meter.FrameRate(50.0F);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(meter.FrameRate(50.0F), before);
    }
    // When the clock moves on, the rate is still taken as thirty frames over the time since the last
    // measure, however many frames were counted while it stood still.
    EXPECT_FLOAT_EQ(meter.FrameRate(51.0F), 30.0F);
    for (int i = 0; i < 29; ++i) {
        EXPECT_FLOAT_EQ(meter.FrameRate(51.5F), 30.0F);
    }
    EXPECT_FLOAT_EQ(meter.FrameRate(51.5F), 60.0F);
}

TEST(FrameRateMeter, MidnightDoesNotGiveANegativeRate) {
    FrameRateMeter meter;
    for (int i = 0; i < 30; ++i) {
        meter.FrameRate(86399.5F);
    }
    float rate = 0;
    for (int i = 0; i < 30; ++i) {
        rate = meter.FrameRate(0.25F);
    }
    EXPECT_GE(rate, 0.0F);
}

struct CaptionCase {
    int32_t x, y;
    float fps;
    const char* expected;
};

// When the loop stops running frames, the rate falls to the frames actually run, then to zero, and
// no further refresh is due.
TEST(FrameRateMeter, RefreshShowsTheFramesActuallyRunWhileTheLoopWaits) {
    FrameRateMeter meter;
    for (int i = 0; i < 30; ++i) {
        meter.FrameRate(100.0F);
    }
    for (int i = 0; i < 30; ++i) {
        meter.FrameRate(100.5F);
    }
    for (int i = 0; i < 12; ++i) {
        meter.FrameRate(100.6F);
    }
    // Within the second the rate stands.
    EXPECT_FLOAT_EQ(*meter.SecondsToRefresh(100.75F), 0.75F);
    EXPECT_FLOAT_EQ(meter.Refresh(100.75F), 60.0F);
    EXPECT_FLOAT_EQ(meter.Refresh(102.0F), 8.0F);
    EXPECT_FLOAT_EQ(*meter.SecondsToRefresh(102.0F), 1.0F);
    EXPECT_FLOAT_EQ(meter.Refresh(104.0F), 0.0F);
    EXPECT_FALSE(meter.SecondsToRefresh(110.0F).has_value());
    // Frames counting again make a refresh due.
    meter.FrameRate(111.0F);
    EXPECT_TRUE(meter.SecondsToRefresh(111.0F).has_value());
    EXPECT_FALSE(FrameRateMeter().SecondsToRefresh(5.0F).has_value());
}

TEST(WindowCaption, MousePositionAndRateWithOneDecimal) {
    const CaptionCase cases[] = {
        {400, 300, 60.0F, "   400   300    Frames per Second =60.0"},
        {0, 0, 0.0F, "   0   0    Frames per Second =.0"},
        {799, 5, 59.94F, "   799   5    Frames per Second =59.9"},
        {12, 34, 0.46F, "   12   34    Frames per Second =.5"},
        {1, 2, 119.96F, "   1   2    Frames per Second =120.0"},
    };
    for (const CaptionCase& c : cases) {
        EXPECT_EQ(WindowCaption(c.x, c.y, c.fps), c.expected);
    }
}

}  // namespace
