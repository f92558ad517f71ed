#include "shell/scripted_input.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>

TestDriverCommandLine ParseTestDriverCommandLine(int argc, const char* const* argv) {
    TestDriverCommandLine result;
    TestHooks& hooks = result.hooks;
    result.parsed = ParseCommandLine(argc, argv, [&hooks](CLI::App& app) {
        app.name("zarn-test-driver");
        app.description(
            "Runs the game as zarn does, scripted by the test hooks below; for the tests and benchmarks.");
        app.add_option("--exit-after-frames", hooks.exitAfterFrames,
                       "Test hook: press ESCAPE for the game after N frames")
            ->type_name("N")
            ->check(CLI::NonNegativeNumber);
        app.add_option(
               "--lose-display-after-frames", hooks.loseDisplayAfterFrames,
               "Test hook: lose the display after N frames (it is restored and the pictures reloaded)")
            ->type_name("N")
            ->check(CLI::NonNegativeNumber);
        app.add_option("--hint-after-frames", hooks.hintAfterFrames,
                       "Test hook: press H (the hint) for the player after N frames")
            ->type_name("N")
            ->check(CLI::NonNegativeNumber);
        app.add_flag("--keep-demo", hooks.keepDemo,
                     "Test hook: the demo resumes, saves and records its match like a player's match");
        app.add_flag(
            "--fast-frames", hooks.fastFrames,
            "Test hook: no frame pacing, one frame in 16 drawn, the game's clock 50 ms ahead every frame");
        app.add_option("--text-log", hooks.textLogPath,
                       "Test hook: write each text the table draws to FILE, once, as it first appears")
            ->type_name("FILE");
        app.add_flag(
            "--report-frame-rate", hooks.reportFrameRate,
            "Test hook: tell on standard error, once a second, the frames run and shown and the rate "
            "of frames shown one after another");
        app.add_flag("--report-scale", hooks.reportScale,
                     "Test hook: tell on standard error when the table is first shown at each new drawing "
                     "scale");
    });
    return result;
}

Clock& ScriptedDriver::GameClock() {
    return hooks_.fastFrames ? static_cast<Clock&>(frameClock_) : GameDriver::GameClock();
}

void ScriptedDriver::BeforeFrame() {
    if (!hooks_.fastFrames) {
        GameDriver::BeforeFrame();
    }
}

bool ScriptedDriver::DrawsFrame(int64_t framesRun) const {
    return !hooks_.fastFrames || framesRun % kFastFramesDrawn == 0;
}

bool ScriptedDriver::ScriptsInput() const {
    return hooks_.exitAfterFrames >= 0 || hooks_.loseDisplayAfterFrames >= 0 || hooks_.hintAfterFrames >= 0 ||
           hooks_.fastFrames;
}

FrameScript ScriptedDriver::ScriptFrame(int64_t framesRun, InputSnapshot& input) {
    if (hooks_.exitAfterFrames >= 0 && framesRun >= hooks_.exitAfterFrames) {
        input.Keys[kKeyEscape] = true;
    }
    if (framesRun == hooks_.hintAfterFrames) {
        input.Keys[kKeyH] = true;
    }
    return {.loseDisplay = framesRun == hooks_.loseDisplayAfterFrames};
}

void ScriptedDriver::FrameShown(int32_t scale) {
    if (hooks_.reportScale && scale != scaleShown_) {
        scaleShown_ = scale;
        std::fprintf(stderr, "zarn: drawing at scale %d\n", scaleShown_);
        std::fflush(stderr);
    }
}

bool ScriptedDriver::AfterPass(const GameState& /*state*/, const LoopCounts& counts) {
    if (hooks_.reportFrameRate) {
        if (const std::optional<std::string> line = frameRate_.Pass(counts, MonotonicMicroseconds())) {
            std::fprintf(stderr, "%s\n", line->c_str());
            std::fflush(stderr);
        }
    }
    return true;
}

std::optional<std::string> ShownFrameRate::Pass(const LoopCounts& counts, uint64_t nowUs) {
    if (!started_) {
        started_ = true;
        last_ = periodStart_ = counts;
        lastUs_ = periodStartUs_ = nowUs;
        return std::nullopt;
    }
    const bool shown = counts.framesRun == last_.framesRun + 1 && counts.presents > last_.presents;
    if (shown && lastShown_) {
        ++backToBack_;
        backToBackUs_ += nowUs - lastUs_;
    }
    lastShown_ = shown;
    last_ = counts;
    lastUs_ = nowUs;
    constexpr uint64_t kSecondUs = 1'000'000;
    if (nowUs - periodStartUs_ < kSecondUs) {
        return std::nullopt;
    }
    const double ms = static_cast<double>(backToBackUs_) / 1000.0;
    char line[200];
    std::snprintf(
        line, sizeof line,
        "zarn: frames over %.3f s: %lld run, %lld shown; %lld shown back to back in %.1f ms (%.1f fps)",
        static_cast<double>(nowUs - periodStartUs_) / 1e6,
        static_cast<long long>(counts.framesRun - periodStart_.framesRun),
        static_cast<long long>(counts.presents - periodStart_.presents), static_cast<long long>(backToBack_),
        ms, backToBackUs_ > 0 ? static_cast<double>(backToBack_) * 1000.0 / ms : 0.0);
    periodStart_ = counts;
    periodStartUs_ = nowUs;
    backToBack_ = 0;
    backToBackUs_ = 0;
    return std::string(line);
}

void FileTextLog::Drawn(std::string_view text) {
    if (text.empty() || seen_.contains(text)) {
        return;
    }
    seen_.emplace(text);
    std::ofstream(path_, std::ios::app) << text << '\n' << std::flush;
}
