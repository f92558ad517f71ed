// The test driver's scripted input: which frames get which keys, the lost display, the frames drawn,
// the fast frame clock and the frame-rate report.

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

TEST(ScriptedDriver, AnyHookKeepsTheLoopRunningButTheReportsAndTheKeptDemo) {
    EXPECT_FALSE(ScriptedDriver(TestHooks{}).ScriptsInput());
    EXPECT_FALSE(ScriptedDriver(TestHooks{.keepDemo = true, .reportScale = true, .reportFrameRate = true})
                     .ScriptsInput());
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

// Runs passes through the frame-rate report: each pass `frames` frames after the last (0: a wait ended),
// `shown` when its frame was shown, `us` microseconds after the last. Returns the lines told.
struct Pass {
    int64_t frames;
    bool shown;
    uint64_t us;
};
std::vector<std::string> ReportLines(const std::vector<Pass>& passes) {
    ShownFrameRate rate;
    LoopCounts counts;
    uint64_t now = 5'000'000;
    std::vector<std::string> lines;
    rate.Pass(counts, now);
    for (const Pass& p : passes) {
        counts.framesRun += p.frames;
        counts.presents += p.shown ? 1 : 0;
        now += p.us;
        if (const auto line = rate.Pass(counts, now)) {
            lines.push_back(*line);
        }
    }
    return lines;
}
std::vector<Pass> Repeat(int n, Pass p) {
    return std::vector<Pass>(static_cast<size_t>(n), p);
}
std::vector<Pass> Alternate(int n, Pass a, Pass b) {
    std::vector<Pass> all;
    for (int i = 0; i < n; ++i) {
        all.push_back(a);
        all.push_back(b);
    }
    return all;
}
std::vector<Pass> Join(std::vector<std::vector<Pass>> parts) {
    std::vector<Pass> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(ShownFrameRate, TimesOnlyFramesShownRightAfterAShownFrameOnceASecond) {
    struct Case {
        std::string what;
        std::vector<Pass> passes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"under a second: nothing told", Repeat(59, {1, true, 16'667}), {}},
        {"every frame shown at 60",
         Repeat(60, {1, true, 16'667}),
         {"zarn: frames over 1.000 s: 60 run, 60 shown; 59 shown back to back in 983.4 ms (60.0 fps)"}},
        {"every frame shown at 30: the animation slowed down",
         Repeat(31, {1, true, 33'333}),
         {"zarn: frames over 1.033 s: 31 run, 31 shown; 30 shown back to back in 1000.0 ms (30.0 fps)"}},
        {"every other frame unchanged: none back to back",
         Alternate(30, {1, true, 16'667}, {1, false, 16'667}),
         {"zarn: frames over 1.000 s: 60 run, 30 shown; 0 shown back to back in 0.0 ms (0.0 fps)"}},
        {"a rest and a still frame between two runs of shown frames count neither",
         Join({Repeat(11, {1, true, 16'667}),
               {{0, false, 590'000}},
               Repeat(11, {1, true, 16'667}),
               {{1, false, 16'667}},
               Repeat(2, {1, true, 16'667})}),
         {"zarn: frames over 1.007 s: 25 run, 24 shown; 21 shown back to back in 350.0 ms (60.0 fps)"}},
        {"a second line for the next second alone",
         Repeat(120, {1, true, 16'667}),
         {"zarn: frames over 1.000 s: 60 run, 60 shown; 59 shown back to back in 983.4 ms (60.0 fps)",
          "zarn: frames over 1.000 s: 60 run, 60 shown; 60 shown back to back in 1000.0 ms (60.0 fps)"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportLines(c.passes), c.lines) << c.what;
    }
}

}  // namespace
