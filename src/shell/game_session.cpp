#include "shell/game_session.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "archive/pak_archive.h"
#include "flow/autoplayer.h"
#include "flow/frame_wake.h"
#include "flow/game_frame.h"
#include "flow/thinking_seats.h"
#include "platform/display.h"
#include "platform/frame_pacer.h"
#include "platform/input_devices.h"
#include "platform/letterbox.h"
#include "platform/message_box.h"
#include "platform/mixer_sound.h"
#include "platform/sdl_library.h"
#include "platform/setup_error.h"
#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/table_drawing.h"
#include "shell/frame_rate.h"
#include "shell/resource_loading.h"

namespace {

constexpr const char* kGameTitle = "Zarn";

// In the demo the score sheet stays up long enough to be read.
constexpr int kDemoScoreSheetFrames = 240;

// With the fast-frames test hook, the game's clock moves this far every frame, and only one frame in
// so many is drawn.
constexpr uint32_t kFastFrameMs = 50;
constexpr int64_t kFastFramesDrawn = 16;

// Milliseconds until the time of day turns to its next minute (local minutes turn with UTC's).
uint32_t MsToNextMinute() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return static_cast<uint32_t>(60000 - ms % 60000);
}

class Game final : public FrameDrawing {
public:
    Game(GameState& state, const ResourceSet& resources, const CommandLine& line, const SessionFiles& files,
         LoopWatcher* watcher, std::string scaledArchivePath)
        : state_(state),
          resources_(resources),
          line_(line),
          files_(files),
          watcher_(watcher),
          scaledArchivePath_(std::move(scaledArchivePath)),
          random_(line.seed ? *line.seed : TimeOfDaySeed()) {}

    int Run();

    // A computer seat is still working out its decision on the worker thread: the frame loop must keep
    // stepping (not sleep as when idle) so the answer is picked up.
    bool ComputerThinking() const { return computers_ && computers_->Thinking(); }

    bool WaitForDisplay() override;
    void DrawBackground(const GameState& state) override;
    void DrawTableLayer(const GameState& state) override;

private:
    void SetUp();
    // One frame; true when the game is to end.
    bool GameFrame();
    WakeContext WakeContextNow(bool eventsArrived);
    // While the loop waits: the caption's frame rate falls to the frames actually run.
    void RefreshCaption();
    void SetCaption(int32_t mouseX, int32_t mouseY);
    InputSnapshot ReadInput();
    // True when the drawing scale changed (the next frame must draw everything anew).
    bool CheckWindow();
    int32_t WantedScale() const;
    // Loads every picture and font at the scale; at a scale above 1 that cannot be had, says why once
    // and loads them at scale 1.
    void LoadPicturesAt(int32_t scale);
    const ResourceSet* ScaledResources(int32_t scale);
    void GiveUpScaling(const std::string& why);
    void DrawMouseCursor(const InputSnapshot& input);
    int ExitGame();
    int EndProgram(const std::string& message, int exitCode);
    SoundSink& Sound() { return sound_ ? static_cast<SoundSink&>(*sound_) : silence_; }
    Clock& GameClock() { return line_.fastFrames ? static_cast<Clock&>(frameClock_) : clock_; }
    void KeepMatch();

    GameState& state_;
    const ResourceSet& resources_;
    const CommandLine& line_;
    const SessionFiles& files_;
    LoopWatcher* watcher_;
    std::string scaledArchivePath_;
    std::optional<ResourceSet> scaledResources_;  // one scale's pictures, read when first needed
    int32_t scaledResourcesScale_ = 0;
    bool scalingGivenUp_ = false;
    int32_t scaleShown_ = 0;  // the scale of the last frame shown, for --report-scale
    SeededRandom random_;
    SystemClock clock_;
    ManualClock frameClock_;
    int windowWidth_ = 0;  // the window's last size out of full screen
    int windowHeight_ = 0;
    NullSound silence_;

    std::unique_ptr<SdlLibrary> sdl_;
    std::unique_ptr<Display> display_;
    std::unique_ptr<InputDevices> input_;
    std::unique_ptr<MixerSound> sound_;
    GameFonts fonts_;
    Rect32 clipRect_{};

    std::unique_ptr<ThinkingSeats> computers_;  // the expert players, when chosen
    std::optional<AutoPlayer> autoPlayer_;
    FramePacer pacer_{60};
    FrameRateMeter frameRate_;
    float framesPerSecond_ = 0.0F;
    bool minimized_ = false;
    bool wasPaused_ = false;
    bool closeRequested_ = false;
    int64_t frames_ = 0;
    bool presented_ = false;
    bool playerInputDown_ = false;  // a key or button of the player's was down in the last frame
    // The minute the table's clock showed in the last frame drawn.
    std::optional<WallClock> clockShown_;
    InputState lastInput_;
    std::string caption_;
};

void Game::SetUp() {
    sdl_ = std::make_unique<SdlLibrary>();
    display_ = std::make_unique<Display>(state_.Options.FullScreen, kGameTitle);
    input_ = std::make_unique<InputDevices>(*display_);
    // No audio device: the game plays silent, without a word about it.
    sound_ = MixerSound::Open();
    if (sound_) {
        LoadSounds(*sound_, resources_);
    }
    if (display_->Windowed() && files_.windowWidth > 0) {
        display_->SetWindowSize(files_.windowWidth, files_.windowHeight);
    }
    // The first frame is drawn at scale 1, as quickly as ever; the sharper pictures are read right after
    // it (see CheckWindow), so a large window never waits for them to show the table.
    LoadPicturesAt(1);
    clipRect_ = kScreenClipRect;
    if (state_.Options.Players == PlayerLevel::Expert) {
        computers_ =
            std::make_unique<ThinkingSeats>(line_.seed ? *line_.seed : TimeOfDaySeed(), line_.autoplay);
    }
    GameServices services{random_, Sound(), GameClock(), computers_.get()};
    // The sound switch as the player left it, before the first shuffle sounds.
    state_.Aids.Muted = files_.soundMuted;
    if (files_.resume && files_.keeper != nullptr && files_.keeper->SavedMatch() != nullptr) {
        files_.keeper->Resume(state_, random_, GameClock().GetTickCount());
        state_.Aids.Muted = files_.soundMuted;
    } else {
        StartNewGame(state_, services);
    }
    if (line_.autoplay) {
        AutoPlayerOptions options;
        options.computers = computers_.get();
        options.ScoreSheetFrames = kDemoScoreSheetFrames;
        autoPlayer_.emplace(options);
    }
    input_->ShowSystemCursor(false);
    BltSurface(*display_, clipRect_, PictureId::Background, {}, 0, 0, false);
}

int Game::Run() {
    try {
        SetUp();
        bool eventsArrived = true;
        while (true) {
            const WindowEvents events = input_->PumpEvents();
            // Closing the window ends the game as ESCAPE does.
            if (events.closeRequested || closeRequested_) {
                return ExitGame();
            }
            if (events.toggleFullScreen) {
                display_->SetFullScreen(display_->Windowed());
            }
            if (events.displayLost) {
                display_->DisplayLost();
            }
            if (!state_.Paused && CheckWindow()) {
                eventsArrived = true;
            }
            eventsArrived = eventsArrived || events.anyEvent;
            const FrameWake wake = NextFrameWake(state_, WakeContextNow(eventsArrived));
            presented_ = false;
            if (wake.runNow && !minimized_) {
                if (!line_.fastFrames) {
                    SleepMicroseconds(pacer_.WaitBeforeFrame(MonotonicMicroseconds()));
                }
                pacer_.FrameStarted(MonotonicMicroseconds());
                if (GameFrame()) {
                    return ExitGame();
                }
            }
            eventsArrived = false;
            // A frame that drew nothing new leaves a resized or uncovered window its last picture.
            if (!presented_ && (events.exposed || events.toggleFullScreen)) {
                display_->ShowLastFrame();
            }
            if (!wake.runNow || minimized_) {
                RefreshCaption();
                // Nothing on the table can change before this deadline but through an event.
                const std::optional<uint32_t> waitMs = minimized_ ? std::nullopt : wake.waitMs;
                eventsArrived = input_->WaitForEvent(waitMs);
            }
            if (watcher_ && !watcher_->AfterPass(state_, {frames_, display_->Presents()})) {
                return ExitGame();
            }
        }
    } catch (const SetupError& e) {
        return EndProgram(e.what(), 1);
    } catch (const std::exception& e) {
        return EndProgram(std::string("The game stopped: ") + e.what(), 1);
    }
}

WakeContext Game::WakeContextNow(bool eventsArrived) {
    WakeContext context;
    context.nowMs = GameClock().GetTickCount();
    const WallClock now = LocalWallClock();
    context.clockMinuteStale =
        clockShown_ && (clockShown_->hour != now.hour || clockShown_->minute != now.minute);
    context.msToNextClockMinute = MsToNextMinute();
    // A key or button still down must be seen going up by a frame (the pause key's latch).
    context.inputPending = eventsArrived || playerInputDown_;
    context.scripted = autoPlayer_.has_value() || line_.exitAfterFrames >= 0 ||
                       line_.loseDisplayAfterFrames >= 0 || line_.hintAfterFrames >= 0 || line_.fastFrames;
    if (display_->Windowed() && !caption_.empty()) {
        if (const std::optional<float> seconds = frameRate_.SecondsToRefresh(SecondsOfDay())) {
            context.msToCaptionRefresh = static_cast<uint32_t>(*seconds * 1000.0F) + 1;
        }
    }
    return context;
}

InputSnapshot Game::ReadInput() {
    lastInput_ = input_->Read();
    InputSnapshot snapshot;
    snapshot.Keys = lastInput_.Keys;
    snapshot.MouseX = lastInput_.MouseX;
    snapshot.MouseY = lastInput_.MouseY;
    snapshot.Buttons = lastInput_.Buttons;
    playerInputDown_ = AnyKeyOrButtonDown(snapshot);
    if (autoPlayer_) {
        // The demo plays seat 0 with its own pointer; the player's keys (ESCAPE, P) still count.
        InputSnapshot demo = autoPlayer_->NextInput(state_);
        for (size_t i = 0; i < demo.Keys.size(); ++i) {
            demo.Keys[i] = demo.Keys[i] || snapshot.Keys[i];
        }
        snapshot = demo;
    }
    if (line_.exitAfterFrames >= 0 && frames_ >= line_.exitAfterFrames) {
        snapshot.Keys[kKeyEscape] = true;
    }
    if (frames_ == line_.hintAfterFrames) {
        snapshot.Keys[kKeyH] = true;
    }
    if (frames_ == line_.loseDisplayAfterFrames) {
        input_->PostDisplayLost();
    }
    ++frames_;
    return snapshot;
}

bool Game::GameFrame() {
    const InputSnapshot input = ReadInput();
    GameServices services{random_, Sound(), GameClock(), computers_.get()};
    const bool shown = !line_.fastFrames || frames_ % kFastFramesDrawn == 0;
    const FrameResult result = RunGameFrame(state_, input, services, shown ? this : nullptr);
    frameClock_.Advance(kFastFrameMs);
    KeepMatch();
    // The loop rests through a pause between moves, so the expert players start on the next decision as
    // the pause begins rather than when it ends.
    if (computers_ && state_.Phase == Phase::Paused) {
        computers_->Prepare(state_);
    }
    if (result.ExitRequested || closeRequested_) {
        return true;
    }
    if (result.Paused) {
        // In a window the player gets the system pointer back while the game waits.
        if (!wasPaused_ && display_->Windowed()) {
            input_->ShowSystemCursor(true);
        }
        wasPaused_ = true;
        return false;
    }
    wasPaused_ = false;
    if (!shown) {
        return false;
    }
    DrawMouseCursor(input);
    presented_ = display_->FlipScreen();
    if (presented_ && line_.reportScale && display_->Scale() != scaleShown_) {
        scaleShown_ = display_->Scale();
        std::fprintf(stderr, "zarn: drawing at scale %d\n", scaleShown_);
        std::fflush(stderr);
    }
    framesPerSecond_ = frameRate_.FrameRate(SecondsOfDay());
    SetCaption(input.MouseX, input.MouseY);
    return false;
}

void Game::RefreshCaption() {
    if (display_->Windowed() && !caption_.empty() && !state_.Paused) {
        framesPerSecond_ = frameRate_.Refresh(SecondsOfDay());
        SetCaption(lastInput_.MouseX, lastInput_.MouseY);
    }
}

void Game::SetCaption(int32_t mouseX, int32_t mouseY) {
    if (display_->Windowed()) {
        std::string caption = WindowCaption(mouseX, mouseY, framesPerSecond_);
        if (caption != caption_) {
            caption_ = std::move(caption);
            display_->SetTitle(caption_);
        }
    } else if (!caption_.empty()) {
        caption_.clear();
        display_->SetTitle(kGameTitle);
    }
}

bool Game::CheckWindow() {
    minimized_ = display_->Minimized();
    if (minimized_) {
        return false;
    }
    // The game draws its own pointer over the picture; over the bars or outside, the system's shows.
    const bool overPicture = lastInput_.MouseOnPicture;
    if (overPicture == input_->SystemCursorShown()) {
        input_->ShowSystemCursor(!overPicture);
    }
    const int32_t wanted = WantedScale();
    if (frames_ == 0 || wanted == display_->Scale()) {
        return false;
    }
    LoadPicturesAt(wanted);
    return true;
}

int32_t Game::WantedScale() const {
    if (scalingGivenUp_) {
        return 1;
    }
    if (line_.scale) {
        return *line_.scale;
    }
    int width = 0;
    int height = 0;
    display_->OutputSize(width, height);
    return ScaleForOutput(width, height);
}

const ResourceSet* Game::ScaledResources(int32_t scale) {
    if (!scaledResources_ || scaledResourcesScale_ != scale) {
        // Only this scale's pictures, and only the chosen deck's cards: a quarter of the archive.
        const std::string suffix = "@" + std::to_string(scale) + "x.";
        const std::optional<ResourceFolder> deck = DeckFolder(state_.Options.DeckName);
        const auto keep = [&suffix, deck](ResourceFolder folder, std::string_view name) {
            const bool otherDeck =
                (folder == ResourceFolder::Roya2 || folder == ResourceFolder::Royal) && folder != deck;
            return !otherDeck && name.find(suffix) != std::string_view::npos;
        };
        scaledResources_.reset();
        try {
            scaledResources_ = ResourceSet::FromFile(scaledArchivePath_, keep);
            scaledResourcesScale_ = scale;
        } catch (const PakError& e) {
            GiveUpScaling(e.what());
            return nullptr;
        }
    }
    return &*scaledResources_;
}

void Game::GiveUpScaling(const std::string& why) {
    if (!scalingGivenUp_) {
        std::fprintf(stderr,
                     "zarn: the sharper pictures cannot be used (%s); the table is drawn at scale 1\n",
                     why.c_str());
    }
    scalingGivenUp_ = true;
    scaledResources_.reset();
}

void Game::LoadPicturesAt(int32_t scale) {
    const ResourceSet* scaled = scale > 1 ? ScaledResources(scale) : nullptr;
    if (scale > 1 && scaled == nullptr) {
        scale = 1;
    }
    display_->SetScale(scale);
    try {
        fonts_ = LoadBitmaps(*display_, resources_, state_, scaled);
    } catch (const ScaledPicturesError& e) {
        GiveUpScaling(e.what());
        display_->SetScale(1);
        fonts_ = LoadBitmaps(*display_, resources_, state_);
    }
}

void Game::DrawMouseCursor(const InputSnapshot& input) {
    BltSurface(*display_, clipRect_, PictureId::Cursor, {0, 0, 32, 32}, input.MouseX - 16, input.MouseY - 16,
               true);
}

bool Game::WaitForDisplay() {
    if (display_->DisplayReady()) {
        return true;
    }
    // The renderer's device was reset: wait until a new one can be made, then reload every picture
    // and font from the archive in memory.
    while (!display_->DisplayReady()) {
        if (input_->PumpEvents().closeRequested) {
            closeRequested_ = true;
            return false;
        }
        try {
            display_->RestoreDisplay();
        } catch (const SetupError&) {
            SleepMicroseconds(100000);
        }
    }
    input_->PumpEvents();
    LoadPicturesAt(display_->Scale());
    return true;
}

void Game::DrawBackground(const GameState&) {
    BltSurface(*display_, clipRect_, PictureId::Background, {}, 0, 0, false);
}

void Game::DrawTableLayer(const GameState&) {
    // The score page's left edge peeks in at the right of the screen.
    BltSurface(*display_, clipRect_, PictureId::ScorePage, {}, kScorePageEdgeX, kScorePageEdgeY, true);
    const WallClock now = LocalWallClock();
    clockShown_ = now;
    DrawTable(*display_, clipRect_, state_, fonts_, now);
}

void Game::KeepMatch() {
    if (files_.keeper != nullptr) {
        files_.keeper->AfterFrame(state_, random_, GameClock().GetTickCount());
        for (const std::string& message : files_.keeper->TakeMessages()) {
            std::fprintf(stderr, "%s\n", message.c_str());
        }
    }
    if (display_->Windowed()) {
        display_->WindowSize(windowWidth_, windowHeight_);
    }
}

int Game::ExitGame() {
    int exitCode = 0;
    // The match in progress is kept for the next start, and the window's state for the settings.
    if (files_.keeper != nullptr) {
        files_.keeper->Save(state_, random_, GameClock().GetTickCount());
        for (const std::string& message : files_.keeper->TakeMessages()) {
            std::fprintf(stderr, "%s\n", message.c_str());
        }
    }
    if (files_.rememberWindow) {
        files_.rememberWindow(display_->Windowed(), windowWidth_, windowHeight_);
    }
    if (files_.rememberSound) {
        files_.rememberSound(state_.Aids.Muted);
    }
    if (!line_.screenshotPath.empty()) {
        try {
            display_->SaveScreenshot(line_.screenshotPath);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zarn: %s\n", e.what());
            exitCode = 1;
        }
    }
    // The game's release order: background, cursor, the fonts, card back, card faces, score page,
    // the banner font, the sounds.
    display_->ReleasePicture(PictureId::Background);
    display_->ReleasePicture(PictureId::Cursor);
    fonts_ = GameFonts{};
    display_->ReleasePicture(PictureId::FontHandwriting);
    display_->ReleasePicture(PictureId::FontDigit);
    display_->ReleasePicture(PictureId::CardBack);
    for (int card = 0; card < kCards; ++card) {
        display_->ReleasePicture(CardFacePicture(card));
    }
    display_->ReleasePicture(PictureId::ScorePage);
    display_->ReleasePicture(PictureId::FontDeluxe);
    if (sound_) {
        sound_->ReleaseEffects();
    }
    return EndProgram("", exitCode);
}

int Game::EndProgram(const std::string& message, int exitCode) {
    // The system pointer, the keyboard and mouse, the sound, then the display; SDL itself last, after
    // the message has been shown.
    if (input_) {
        input_->ShowSystemCursor(true);
    }
    input_.reset();
    sound_.reset();
    display_.reset();
    if (!message.empty()) {
        ShowErrorMessage(kGameTitle, message);
    }
    sdl_.reset();
    return exitCode;
}

}  // namespace

int StartGame(GameState& state, const ResourceSet& resources, const CommandLine& line,
              const SessionFiles& files, LoopWatcher* watcher, const std::string& scaledArchivePath) {
    Game game(state, resources, line, files, watcher, scaledArchivePath);
    return game.Run();
}
