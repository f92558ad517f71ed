// The test driver's scripted input: which frames get which keys, the lost display, the frames drawn and
// the fast frame clock.

#include "shell/scripted_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ScriptCase {
    std::string what;
    TestHooks hooks;
    int64_t framesRun;
    bool escape;
    bool hint;
    bool loseDisplay;
};

TEST(ScriptedDriver, EachHookActsAtItsFrame) {
    const TestHooks exitAt10{.exitAfterFrames = 10};
    const TestHooks hintAt5{.hintAfterFrames = 5};
    const TestHooks loseAt3{.loseDisplayAfterFrames = 3};
    const std::vector<ScriptCase> cases = {
        {"no hook", {}, 0, false, false, false},
        {"before the exit", exitAt10, 9, false, false, false},
        {"at the exit", exitAt10, 10, true, false, false},
        {"ESCAPE stays pressed after the exit", exitAt10, 500, true, false, false},
        {"exit at frame 0", {.exitAfterFrames = 0}, 0, true, false, false},
        {"before the hint", hintAt5, 4, false, false, false},
        {"at the hint", hintAt5, 5, false, true, false},
        {"the hint is pressed once", hintAt5, 6, false, false, false},
        {"before the lost display", loseAt3, 2, false, false, false},
        {"at the lost display", loseAt3, 3, false, false, true},
        {"the display is lost once", loseAt3, 4, false, false, false},
    };
    for (const ScriptCase& c : cases) {
        ScriptedDriver driver(c.hooks);
        InputSnapshot input;
        const FrameScript script = driver.ScriptFrame(c.framesRun, input);
        EXPECT_EQ(input.Keys[kKeyEscape], c.escape) << c.what;
        EXPECT_EQ(input.Keys[kKeyH], c.hint) << c.what;
        EXPECT_EQ(script.loseDisplay, c.loseDisplay) << c.what;
    }
}

TEST(ScriptedDriver, ScriptedKeysAddToThePlayersKeys) {
    ScriptedDriver driver(TestHooks{.exitAfterFrames = 0});
    InputSnapshot input;
    input.Keys[kKeyP] = true;
    driver.ScriptFrame(0, input);
    EXPECT_TRUE(input.Keys[kKeyP]);
    EXPECT_TRUE(input.Keys[kKeyEscape]);
}

TEST(ScriptedDriver, AnyHookKeepsTheLoopRunningButTheScaleReportAndTheKeptDemo) {
    EXPECT_FALSE(ScriptedDriver(TestHooks{}).ScriptsInput());
    EXPECT_FALSE(ScriptedDriver(TestHooks{.keepDemo = true, .reportScale = true}).ScriptsInput());
    EXPECT_TRUE(ScriptedDriver(TestHooks{.exitAfterFrames = 1}).ScriptsInput());
    EXPECT_TRUE(ScriptedDriver(TestHooks{.loseDisplayAfterFrames = 1}).ScriptsInput());
    EXPECT_TRUE(ScriptedDriver(TestHooks{.hintAfterFrames = 1}).ScriptsInput());
    EXPECT_TRUE(ScriptedDriver(TestHooks{.fastFrames = true}).ScriptsInput());
    EXPECT_FALSE(GameDriver().ScriptsInput());
}

TEST(ScriptedDriver, FastFramesDrawOneFrameInSixteenOnAClockMovedByEachFrame) {
    ScriptedDriver fast(TestHooks{.fastFrames = true});
    const uint32_t start = fast.GameClock().GetTickCount();
    int64_t drawn = 0;
    for (int64_t framesRun = 1; framesRun <= 64; ++framesRun) {
        fast.BeforeFrame();
        drawn += fast.DrawsFrame(framesRun) ? 1 : 0;
        fast.AfterFrame();
    }
    EXPECT_EQ(drawn, 64 / kFastFramesDrawn);
    EXPECT_TRUE(fast.DrawsFrame(kFastFramesDrawn));
    EXPECT_FALSE(fast.DrawsFrame(kFastFramesDrawn + 1));
    EXPECT_EQ(fast.GameClock().GetTickCount() - start, 64 * kFastFrameMs);

    // Without the hook every frame is drawn, on the game's own clock.
    ScriptedDriver paced(TestHooks{.exitAfterFrames = 5});
    EXPECT_TRUE(paced.DrawsFrame(kFastFramesDrawn + 1));
    EXPECT_EQ(dynamic_cast<ManualClock*>(&paced.GameClock()), nullptr);
}

}  // namespace
