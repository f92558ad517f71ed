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
// fast frame clock, and the report of each new drawing scale.
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
    DrawnTextLog* TextLog() override { return textLog_ ? &*textLog_ : nullptr; }

private:
    TestHooks hooks_;
    ManualClock frameClock_;
    int32_t scaleShown_ = 0;
    std::optional<FileTextLog> textLog_;
};
