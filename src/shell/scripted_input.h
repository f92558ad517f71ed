#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cards/seams.h"
#include "shell/command_line.h"
#include "shell/game_driver.h"

// The test driver's hooks: what the end-to-end tests and benchmarks script into a game. None of them
// is an option of the player's program.
struct TestHooks {
    // After this many frames the game reads ESCAPE as pressed (and goes on reading it), or its display
    // is lost. -1: never.
    int64_t exitAfterFrames = -1;
    int64_t loseDisplayAfterFrames = -1;
    // After this many frames the game reads H as pressed once (the hint shows). -1: never.
    int64_t hintAfterFrames = -1;
    // The demo resumes, saves and records like a player's match.
    bool keepDemo = false;
    // No frame pacing, one frame in kFastFramesDrawn drawn, the game's clock kFastFrameMs ahead every
    // frame: a whole match runs in seconds.
    bool fastFrames = false;
    // Every first frame shown at a new drawing scale is told on standard error.
    bool reportScale = false;
    // Once a second, the frames run and shown are told on standard error (see ShownFrameRate).
    bool reportFrameRate = false;
    // Each text the table draws is written to this file (one line each, the first time it is drawn).
    std::string textLogPath = {};
};

// The texts the table draws, each written once to a file as it first appears, so a test reads what the
// player was shown even when it ends the game by killing it.
class FileTextLog final : public DrawnTextLog {
public:
    explicit FileTextLog(std::string path) : path_(std::move(path)) {}
    void Drawn(std::string_view text) override;

private:
    std::string path_;
    std::set<std::string, std::less<>> seen_;
};

// The frames the loop runs and shows, told once a second: a full-screen window has no caption to show
// its frame rate. Besides the counts it times the frames shown right after a shown frame: while cards
// move every frame is shown, so their rate is the rate the animation runs at, whatever still moments
// (a computer player's pause, the player thinking) lie between. Times come in as parameters, so the
// count is tested with made-up times.
class ShownFrameRate {
public:
    // After each pass of the loop (a frame run or a wait ended), at `nowUs` microseconds: a line to tell
    // once a second has passed since the last one (or since the first pass), else none.
    std::optional<std::string> Pass(const LoopCounts& counts, uint64_t nowUs);

private:
    bool started_ = false;
    LoopCounts last_;
    uint64_t lastUs_ = 0;
    bool lastShown_ = false;  // the last pass ran a frame and showed it
    uint64_t periodStartUs_ = 0;
    LoopCounts periodStart_;
    int64_t backToBack_ = 0;
    uint64_t backToBackUs_ = 0;
};

// With fast frames, the game's clock moves this far every frame, and only one frame in so many is drawn.
inline constexpr uint32_t kFastFrameMs = 50;
inline constexpr int64_t kFastFramesDrawn = 16;

// The player's command line with the test hooks on top, as `zarn-test-driver` reads it.
struct TestDriverCommandLine {
    ParsedCommandLine parsed;
    TestHooks hooks;
};
TestDriverCommandLine ParseTestDriverCommandLine(int argc, const char* const* argv);

// A driver that plays the hooks into the game: scripted keys and a lost display at their frames, the
// fast frame clock, and the reports of each new drawing scale and of the frame rate.
class ScriptedDriver final : public GameDriver {
public:
    explicit ScriptedDriver(const TestHooks& hooks) : hooks_(hooks) {
        if (!hooks_.textLogPath.empty()) {
            textLog_.emplace(hooks_.textLogPath);
        }
    }

    Clock& GameClock() override;
    void BeforeFrame() override;
    void AfterFrame() override { frameClock_.Advance(kFastFrameMs); }
    bool DrawsFrame(int64_t framesRun) const override;
    bool ScriptsInput() const override;
    FrameScript ScriptFrame(int64_t framesRun, InputSnapshot& input) override;
    void FrameShown(int32_t scale) override;
    bool AfterPass(const GameState& state, const LoopCounts& counts) override;
    DrawnTextLog* TextLog() override { return textLog_ ? &*textLog_ : nullptr; }

private:
    TestHooks hooks_;
    ManualClock frameClock_;
    int32_t scaleShown_ = 0;
    ShownFrameRate frameRate_;
    std::optional<FileTextLog> textLog_;
};
