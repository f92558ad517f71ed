// The game's main loop on SDL's dummy display: a table waiting for the player costs no presents, and
// the player's click is answered in the next frame.

#include <gtest/gtest.h>

#include <SDL.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "flow/autoplayer.h"
#include "flow/frame_wake.h"
#include "flow/game_frame.h"
#include "persistence/match_keeper.h"
#include "players/seat_player.h"
#include "shell/game_session.h"
#include "speech/queued_speech.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kWaitingSpan = 5s;

// The game's one window (only one exists at a time).
SDL_Window* GameWindow() {
    for (Uint32 id = 1; id < 1000; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id)) {
            return window;
        }
    }
    return nullptr;
}

void PushButton(SDL_Window* window, Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(window);
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

// The player's driver, watching the loop: once the table waits for the player, counts what the loop does
// for five seconds, then clicks where a person would (a contract button or a card) and sees whether the
// next frame run presented a picture.
class WaitingTableWatcher final : public GameDriver {
public:
    bool AfterPass(const GameState& state, const LoopCounts& counts) override {
        const auto now = Clock::now();
        if (now - started_ > 90s) {
            return false;  // the checks below then fail
        }
        if (!waiting_) {
            if (state.AwaitingHuman && !state.Paused && TableAtRest(state)) {
                waiting_ = true;
                waitStart_ = now;
                atWaitStart_ = counts;
                tableWaits.store(true);
            }
            return true;
        }
        if (!clicked_) {
            if (now - waitStart_ < kWaitingSpan) {
                return true;
            }
            secondsWaited = std::chrono::duration<double>(now - waitStart_).count();
            presentsWhileWaiting = counts.presents - atWaitStart_.presents;
            framesWhileWaiting = counts.framesRun - atWaitStart_.framesRun;
            AutoPlayer person;
            const InputSnapshot click = person.NextInput(state);
            SDL_Window* window = GameWindow();
            if (window == nullptr || !click.Buttons[0]) {
                return false;
            }
            SDL_Event move{};
            move.type = SDL_MOUSEMOTION;
            move.motion.windowID = SDL_GetWindowID(window);
            move.motion.x = click.MouseX;
            move.motion.y = click.MouseY;
            SDL_PushEvent(&move);
            PushButton(window, SDL_MOUSEBUTTONDOWN, click.MouseX, click.MouseY);
            PushButton(window, SDL_MOUSEBUTTONUP, click.MouseX, click.MouseY);
            clicked_ = true;
            atClick_ = counts;
            clickNote = "phase " + std::to_string(static_cast<int>(state.Phase)) + " click at (" +
                        std::to_string(click.MouseX) + ", " + std::to_string(click.MouseY) + ")";
            return true;
        }
        if (counts.framesRun > atClick_.framesRun) {
            presentedAfterClick = counts.presents > atClick_.presents;
            int moving = 0;
            for (const CardRecord& card : state.Hand[kHumanSeat]) {
                moving += card.Moving ? 1 : 0;
            }
            clickNote += ", card taken " + std::to_string(state.CardUnderMouse) + ", cards moving " +
                         std::to_string(moving) + ", then phase " +
                         std::to_string(static_cast<int>(state.Phase)) + ", frames " +
                         std::to_string(counts.framesRun - atClick_.framesRun);
            clickAnswered = true;
            return false;
        }
        return true;
    }

    std::atomic<bool> tableWaits{false};
    double secondsWaited = 0;
    int64_t presentsWhileWaiting = -1;
    int64_t framesWhileWaiting = -1;
    bool clickAnswered = false;
    bool presentedAfterClick = false;
    std::string clickNote;

private:
    Clock::time_point started_ = Clock::now();
    bool waiting_ = false;
    bool clicked_ = false;
    Clock::time_point waitStart_;
    LoopCounts atWaitStart_;
    LoopCounts atClick_;
};

// A game in a window of SDL's dummy display, with the game's own files in a folder of the test's and the
// archive read as the game reads it.
class GameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(home_);
        fs::create_directories(home_);
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
            setenv(name, home_.c_str(), 1);
        }
        PakArchive archive;
        archive.OpenQ2Pak(ZARN_ARCHIVE);
        resources_.emplace(ResourceSet::FromArchive(archive));
        state_.Options.FullScreen = false;
        line_.windowed = true;
        line_.seed = 4;
    }
    void TearDown() override { fs::remove_all(home_); }

    const fs::path home_ = fs::temp_directory_path() / ("zarn_loop_" + std::to_string(::getpid()));
    std::optional<ResourceSet> resources_;
    GameState state_;
    CommandLine line_;
};

TEST_F(GameLoop, AWaitingTablePresentsNothingNewAndAClickIsAnsweredInTheNextFrame) {
    WaitingTableWatcher watcher;
    std::atomic<bool> done{false};
    // The loop may sleep until the clock's next minute: an event wakes it when the span is over.
    std::thread waker([&] {
        while (!done.load() && !watcher.tableWaits.load()) {
            std::this_thread::sleep_for(10ms);
        }
        const auto until = Clock::now() + kWaitingSpan + 50ms;
        while (!done.load() && Clock::now() < until) {
            std::this_thread::sleep_for(10ms);
        }
        if (!done.load()) {
            SDL_Event wake{};
            wake.type = SDL_USEREVENT;
            SDL_PushEvent(&wake);
        }
    });
    const int exitCode = RunGame(
        {.state = state_, .resources = *resources_, .line = line_, .files = {}, .scaledArchivePath = {}},
        watcher);
    done.store(true);
    waker.join();

    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(watcher.tableWaits.load()) << "the table never waited for the player";
    ASSERT_GE(watcher.secondsWaited, 5.0);
    EXPECT_LE(watcher.presentsWhileWaiting, static_cast<int64_t>(2 * watcher.secondsWaited))
        << "over " << watcher.secondsWaited << " s";
    EXPECT_LE(watcher.framesWhileWaiting, static_cast<int64_t>(2 * watcher.secondsWaited))
        << "over " << watcher.secondsWaited << " s";
    EXPECT_TRUE(watcher.clickAnswered);
    EXPECT_TRUE(watcher.presentedAfterClick) << watcher.clickNote;
}

// A computer player whose every decision fails.
class FailingPlayer final : public SeatPlayer {
public:
    int16_t Contract(const GameState&, int) override { throw std::runtime_error("the player broke"); }
    int16_t TrickCard(const GameState&, int) override { throw std::runtime_error("the player broke"); }
    int16_t LayoutSlot(const GameState&, int) override { throw std::runtime_error("the player broke"); }
};

// Seats failing computer players, and gives up after a minute should the failure never arrive.
class FailingComputersDriver final : public GameDriver {
public:
    std::unique_ptr<ThinkingSeats> MakeComputerSeats(uint64_t, bool seat0) override {
        ++seated;
        return std::make_unique<ThinkingSeats>(std::make_unique<FailingPlayer>(), seat0);
    }
    bool AfterPass(const GameState& state, const LoopCounts&) override {
        opponents = state.OpponentName;
        return Clock::now() - started_ < 60s;
    }

    int seated = 0;
    std::array<std::string, kSeats> opponents{};

private:
    Clock::time_point started_ = Clock::now();
};

TEST_F(GameLoop, AComputerPlayerThatFailsEndsTheGameWithAnErrorAndTheMatchKept) {
    state_.Options.Players = PlayerLevel::Expert;
    line_.autoplay = true;  // every seat asks the computer players, so the failure comes without a click
    int exitCode = -1;
    FailingComputersDriver driver;
    {
        MatchKeeper keeper(home_ / "state", home_ / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        SessionFiles files;
        files.keeper = &keeper;
        exitCode = RunGame({.state = state_,
                            .resources = *resources_,
                            .line = line_,
                            .files = files,
                            .scaledArchivePath = {}},
                           driver);
    }
    MatchKeeper next(home_ / "state", home_ / "statistics", true);

    EXPECT_EQ(driver.seated, 1);
    EXPECT_EQ(exitCode, 1) << "the failure did not end the game as a fault";
    EXPECT_TRUE(next.Claim());
    ASSERT_NE(next.SavedMatch(), nullptr) << "the match was not kept";
    EXPECT_EQ(next.SavedMatch()->OpponentName, driver.opponents);
}

// Fails as the game sets up, before any match is dealt or resumed.
class FailingSetUpDriver final : public GameDriver {
public:
    std::unique_ptr<ThinkingSeats> MakeComputerSeats(uint64_t, bool) override {
        throw std::runtime_error("no worker thread");
    }
};

TEST_F(GameLoop, AFaultBeforeTheMatchStartsLeavesTheSavedMatchAsItWas) {
    // A match of its own in the player's save.
    GameState kept;
    SeededRandom keptRandom(11);
    {
        ManualClock clock;
        NullSound sound;
        GameServices services{keptRandom, sound, clock, nullptr};
        StartNewGame(kept, services);
        MatchKeeper keeper(home_ / "state", home_ / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        keeper.Save(kept, keptRandom, 0);
    }
    state_.Options.Players = PlayerLevel::Expert;
    FailingSetUpDriver driver;
    int exitCode = -1;
    {
        MatchKeeper keeper(home_ / "state", home_ / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        SessionFiles files;
        files.keeper = &keeper;
        exitCode = RunGame({.state = state_,
                            .resources = *resources_,
                            .line = line_,
                            .files = files,
                            .scaledArchivePath = {}},
                           driver);
    }
    MatchKeeper next(home_ / "state", home_ / "statistics", true);

    EXPECT_EQ(exitCode, 1);
    ASSERT_TRUE(next.Claim());
    ASSERT_NE(next.SavedMatch(), nullptr);
    EXPECT_EQ(next.SavedMatch()->OpponentName, kept.OpponentName) << "the saved match was replaced";
}

// A speech service that does not answer: Open waits until the test lets it go (or fails at once).
struct StuckService {
    std::mutex mutex;
    std::condition_variable released;
    bool letGo = false;
    std::atomic<int> opens{0};

    void LetGo() {
        {
            std::lock_guard lock(mutex);
            letGo = true;
        }
        released.notify_all();
    }
};

class StuckEngine final : public SpeechEngine {
public:
    StuckEngine(std::shared_ptr<StuckService> service, bool answers)
        : service_(std::move(service)), answers_(answers) {}
    bool Open() override {
        ++service_->opens;
        if (!answers_) {
            return false;
        }
        std::unique_lock lock(service_->mutex);
        service_->released.wait(lock, [&] { return service_->letGo; });
        return true;
    }
    bool Speak(const std::string&, SpeechPriority) override { return true; }
    void Cancel() override {}
    void SetRate(int) override {}
    void SetLanguage(const std::string&) override {}

private:
    std::shared_ptr<StuckService> service_;
    bool answers_;
};

class TextsSeen final : public DrawnTextLog {
public:
    void Drawn(std::string_view text) override { texts.emplace_back(text); }
    bool Saw(std::string_view part) const {
        for (const std::string& text : texts) {
            if (text.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> texts;
};

// The demo on a fast clock with spoken play's voice given by the test; it ends after `frames` frames,
// or as soon as the table has shown `until`.
class SpeakingDriver final : public GameDriver {
public:
    SpeakingDriver(std::shared_ptr<StuckService> service, bool answers, int64_t frames,
                   std::string until = {})
        : service_(std::move(service)), answers_(answers), frames_(frames), until_(std::move(until)) {}

    ::Clock& GameClock() override { return clock_; }
    void BeforeFrame() override {}
    void AfterFrame() override { clock_.Advance(17); }
    bool ScriptsInput() const override { return true; }
    DrawnTextLog* TextLog() override { return &seen; }
    std::unique_ptr<SpeechOutput> MakeSpeech(std::function<void()> noticeReady) override {
        ++made;
        return std::make_unique<QueuedSpeech>(std::make_unique<StuckEngine>(service_, answers_),
                                              std::move(noticeReady));
    }
    bool AfterPass(const GameState&, const LoopCounts& counts) override {
        framesRun = counts.framesRun;
        if (!until_.empty() && seen.Saw(until_)) {
            return false;
        }
        return counts.framesRun < frames_ && Clock::now() - started_ < 60s;
    }

    TextsSeen seen;
    int made = 0;
    int64_t framesRun = 0;

private:
    std::shared_ptr<StuckService> service_;
    bool answers_;
    int64_t frames_;
    std::string until_;
    ManualClock clock_;
    Clock::time_point started_ = Clock::now();
};

TEST_F(GameLoop, ASpeechServiceThatNeverAnswersHoldsUpNoFrame) {
    line_.autoplay = true;
    auto service = std::make_shared<StuckService>();
    SpeakingDriver driver(service, true, 3000);
    SessionFiles files;
    files.speech.on = true;
    const int exitCode = RunGame(
        {.state = state_, .resources = *resources_, .line = line_, .files = files, .scaledArchivePath = {}},
        driver);
    // Still stuck as the game ended: every frame ran without it.
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(driver.framesRun, 3000);
    EXPECT_EQ(driver.made, 1);
    EXPECT_EQ(service->opens.load(), 1);
    service->LetGo();
}

TEST_F(GameLoop, NoSpeechServiceIsToldOnceOnStandardErrorAndOverTheTable) {
    line_.autoplay = true;
    auto service = std::make_shared<StuckService>();
    const std::string notice = "No speech service answered";
    const std::string tableNotice = "Spoken play: no speech service answered.";
    SpeakingDriver driver(service, false, 1000000, tableNotice);
    SessionFiles files;
    files.speech.on = true;
    ::testing::internal::CaptureStderr();
    const int exitCode = RunGame(
        {.state = state_, .resources = *resources_, .line = line_, .files = files, .scaledArchivePath = {}},
        driver);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(driver.seen.Saw(tableNotice)) << "not shown after " << driver.framesRun << " frames";
    const size_t first = errors.find(notice);
    ASSERT_NE(first, std::string::npos) << errors;
    EXPECT_EQ(errors.find(notice, first + 1), std::string::npos) << "told twice: " << errors;
}

TEST_F(GameLoop, SpeechSwitchedOffNeverStartsTheSpeechService) {
    line_.autoplay = true;
    auto service = std::make_shared<StuckService>();
    SpeakingDriver driver(service, true, 600);
    const int exitCode = RunGame(
        {.state = state_, .resources = *resources_, .line = line_, .files = {}, .scaledArchivePath = {}},
        driver);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(driver.made, 0);
    EXPECT_EQ(service->opens.load(), 0);
}

// Notes each new scale the frames are shown at, and ends the game once a frame at `endAt` was shown (at
// the first pass for 0), or after a minute should it never be.
class ScaleWatcher final : public GameDriver {
public:
    explicit ScaleWatcher(int32_t endAt) : endAt_(endAt) {}
    void FrameShown(int32_t scale) override {
        if (scales.empty() || scales.back() != scale) {
            scales.push_back(scale);
        }
    }
    bool AfterPass(const GameState&, const LoopCounts&) override {
        return endAt_ != 0 && (scales.empty() || scales.back() != endAt_) && Clock::now() - started_ < 60s;
    }

    std::vector<int32_t> scales;

private:
    int32_t endAt_;
    Clock::time_point started_ = Clock::now();
};

// At a fixed scale of 3 the first frame is shown at scale 1 and the sharp frames follow once their
// pictures are read, without an event from outside; a game that ends while they are read ends at once
// and cleanly (the sanitizer builds check that nothing is left behind).
TEST_F(GameLoop, TheSharpFramesFollowTheFirstByThemselvesAndAGameEndedWhileTheyAreReadEndsCleanly) {
    line_.scale = 3;
    for (const int32_t endAt : {3, 0}) {
        ScaleWatcher watcher(endAt);
        const int exitCode = RunGame({.state = state_,
                                      .resources = *resources_,
                                      .line = line_,
                                      .files = {},
                                      .scaledArchivePath = ZARN_SCALED_ARCHIVE},
                                     watcher);
        EXPECT_EQ(exitCode, 0);
        if (endAt == 3) {
            EXPECT_EQ(watcher.scales, (std::vector<int32_t>{1, 3}));
        } else {
            EXPECT_LE(watcher.scales.size(), 1U);
        }
    }
}

}  // namespace
