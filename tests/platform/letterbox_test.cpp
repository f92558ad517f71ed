#include "platform/letterbox.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* name;
    int32_t outW, outH;
    Viewport expected;
};

class FitBackBufferTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitBackBufferTest, KeepsTheAspectAndCentres) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitBackBuffer(c.outW, c.outH), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FitBackBufferTest,
    ::testing::Values(FitCase{"SameSize", 800, 600, {0, 0, 800, 600}},
                      FitCase{"DoubleSize", 1600, 1200, {0, 0, 1600, 1200}},
                      FitCase{"WideScreenBarsLeftAndRight", 1920, 1080, {240, 0, 1440, 1080}},
                      FitCase{"TallWindowBarsAboveAndBelow", 800, 800, {0, 100, 800, 600}},
                      FitCase{"OldWindowSize", 640, 480, {0, 0, 640, 480}},
                      FitCase{"NothingToShowOn", 0, 0, {0, 0, 0, 0}}),
    [](const auto& param) { return std::string(param.param.name); });

struct MouseCase {
    const char* name;
    int32_t wx, wy, winW, winH, outW, outH;
    BackBufferPoint expected;
};

class WindowToBackBufferTest : public ::testing::TestWithParam<MouseCase> {};

TEST_P(WindowToBackBufferTest, HitsTheShownPixel) {
    const MouseCase& c = GetParam();
    EXPECT_EQ(WindowToBackBuffer(c.wx, c.wy, c.winW, c.winH, c.outW, c.outH), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, WindowToBackBufferTest,
    ::testing::Values(
        MouseCase{"UnscaledIsIdentity", 123, 456, 800, 600, 800, 600, {123, 456, true}},
        MouseCase{"UnscaledLastPixel", 799, 599, 800, 600, 800, 600, {799, 599, true}},
        MouseCase{"DoubledHalves", 801, 3, 1600, 1200, 1600, 1200, {400, 1, true}},
        // 1920 x 1080: the picture is 1440 wide from x 240, scale 1.8.
        MouseCase{"WideScreenLeftEdgeOfPicture", 240, 0, 1920, 1080, 1920, 1080, {0, 0, true}},
        MouseCase{"WideScreenCentre", 960, 540, 1920, 1080, 1920, 1080, {400, 300, true}},
        MouseCase{"WideScreenOnLeftBarClamps", 100, 540, 1920, 1080, 1920, 1080, {0, 300, false}},
        MouseCase{"WideScreenOnRightBarClamps", 1800, 1079, 1920, 1080, 1920, 1080, {799, 599, false}},
        MouseCase{"TallWindowAbovePicture", 400, 50, 800, 800, 800, 800, {400, 0, false}},
        MouseCase{"TallWindowInsidePicture", 400, 150, 800, 800, 800, 800, {400, 50, true}},
        // A high-density screen: the window reports 800 x 600 points over 1600 x 1200 pixels.
        MouseCase{"HighDensityUsesPoints", 400, 300, 800, 600, 1600, 1200, {400, 300, true}},
        MouseCase{"OutsideTheWindowClamps", -20, 700, 800, 600, 800, 600, {0, 599, false}},
        MouseCase{"EmptyWindow", 5, 5, 0, 0, 0, 0, {0, 0, false}}),
    [](const auto& param) { return std::string(param.param.name); });

// After any resize the pixel the player sees under the pointer is the one the game hits: walk window
// sizes from the game's own up to large screens and point at the middle of a card corner's pixel.
TEST(WindowToBackBuffer, EveryWindowSizeHitsTheDrawnCorner) {
    for (int32_t w = 800; w <= 2600; w += 37) {
        for (int32_t h = 600; h <= 1700; h += 41) {
            const Viewport v = FitBackBuffer(w, h);
            // Where the middle of back-buffer pixel (350, 420) is shown.
            const auto fromX = static_cast<int32_t>(v.x + 350.5 * v.width / kBackBufferWidth);
            const auto fromY = static_cast<int32_t>(v.y + 420.5 * v.height / kBackBufferHeight);
            const BackBufferPoint p = WindowToBackBuffer(fromX, fromY, w, h, w, h);
            ASSERT_TRUE(p.inside) << w << "x" << h;
            ASSERT_EQ(p.x, 350) << w << "x" << h;
            ASSERT_EQ(p.y, 420) << w << "x" << h;
        }
    }
}

}  // namespace

TEST(ScaleForOutput, TheNearestDrawnSizeShrunkALittleRatherThanStretchedFromOneToThree) {
    struct Case {
        int32_t width, height, scale;
    };
    const Case cases[] = {
        // Small outputs and exact multiples.
        {400, 300, 1},
        {800, 600, 1},
        {1600, 1200, 2},
        {2400, 1800, 3},
        {0, 0, 1},
        {7680, 4320, 3},
        // Scale 2 from 1.1 times 800 x 600: 660 rows shown, whatever bars the shape leaves.
        {880, 659, 1},
        {880, 660, 2},
        {1920, 659, 1},
        {1920, 660, 2},
        {879, 1000, 1},
        {1024, 768, 2},
        // Screens people have: 1366 x 768 shows 1.28 times (drawn at 2, shrunk to 0.64), 1920 x 1080
        // 1.8 times (drawn at 2, shrunk to 0.9), 2560 x 1440 2.4 times (drawn at 3, shrunk to 0.8).
        {1366, 768, 2},
        {1920, 1080, 2},
        {1920, 1200, 2},
        {2560, 1440, 3},
        {3840, 2160, 3},
        // Scale 3 from 2.1 times: 1260 rows shown.
        {1920, 1259, 2},
        {1920, 1260, 3},
        {1679, 1400, 2},
        {1680, 1400, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleForOutput(c.width, c.height), c.scale) << c.width << " x " << c.height;
    }
}
