#include "shell/game_session.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "flow/autoplayer.h"
#include "flow/frame_wake.h"
#include "flow/game_frame.h"
#include "flow/thinking_seats.h"
#include "i18n/translation.h"
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
#include "presentation/frame_composer.h"
#include "presentation/notice_drawing.h"
#include "presentation/table_drawing.h"
#include "shell/resource_loading.h"
#include "shell/table_pictures.h"
#include "shell/window_caption.h"
#include "speech/on_demand_speech.h"
#include "speech/spoken_play.h"

namespace {

// In the demo the score sheet stays up long enough to be read.
constexpr int kDemoScoreSheetFrames = 240;

// Milliseconds until the time of day turns to its next minute (local minutes turn with UTC's).
uint32_t MsToNextMinute() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return static_cast<uint32_t>(60000 - ms % 60000);
}

class Game final : public FrameDrawing {
public:
    Game(const GameParts& parts, GameDriver& driver)
        : parts_(parts),
          state_(parts.state),
          line_(parts.line),
          files_(parts.files),
          driver_(driver),
          random_(line_.seed ? *line_.seed : TimeOfDaySeed()) {}

    int Run();

    bool WaitForDisplay() override;
    void DrawBackground(const GameState& state) override;
    void DrawTableLayer(const GameState& state) override;

private:
    void SetUp();
    // The drawing scale the command line or the remembered window's size calls for; none in full screen
    // (the desktop's size is known once the display is).
    std::optional<int32_t> ScaleWithoutWindow() const;
    // Called on the thread that reads the sharper pictures once they are ready.
    void WakeForPictures();
    // The window's events of one pass; true when the game is to end.
    bool HandleWindowEvents(const WindowEvents& events);
    // True when the drawing scale changed (the next frame must draw everything anew).
    bool CheckWindow();
    WakeContext WakeContextNow(bool eventsArrived);
    // One frame; true when the game is to end.
    bool GameFrame();
    InputSnapshot ReadInput();
    void DrawMouseCursor(const InputSnapshot& input);
    // The lines the table shows over the play, drawn last so nothing covers them.
    void DrawTableNotices();
    // Keeps the match after a fault, before the program ends with it.
    void SaveAfterFault();
    void KeepMatch();
    // The keeper's messages (a save that failed, a damaged file) go to standard error.
    void PrintKeeperMessages();
    // A notice of the voice (no speech service) goes to standard error and stays over the table while
    // spoken play is on; true when one came.
    bool TakeSpeechNotice();
    // The "your turn" cue, read from the second archive the first time spoken play is on.
    void LoadTurnCue();
    int ExitGame();
    int EndProgram(const std::string& message, int exitCode);
    SoundSink& Sound() { return sound_ ? static_cast<SoundSink&>(*sound_) : silence_; }
    GameServices Services() { return {random_, Sound(), driver_.GameClock(), computers_.get()}; }

    const GameParts& parts_;
    GameState& state_;
    const CommandLine& line_;
    const SessionFiles& files_;
    GameDriver& driver_;
    SeededRandom random_;
    NullSound silence_;

    std::unique_ptr<SdlLibrary> sdl_;
    std::unique_ptr<Display> display_;
    // Each frame is drawn as a list of copies, and only the boxes where it differs from the last one are
    // drawn into the back buffer and shown.
    std::optional<FrameComposer> composer_;
    std::unique_ptr<InputDevices> input_;
    std::unique_ptr<MixerSound> sound_;
    std::optional<TablePictures> pictures_;
    Rect32 clipRect_{};
    std::unique_ptr<ThinkingSeats> computers_;  // the expert players, when chosen
    std::optional<AutoPlayer> autoPlayer_;
    GameCaption caption_;
    OnDemandSpeech speech_{[this] { return driver_.MakeSpeech([] { InputDevices::WakeFromAnyThread(); }); }};
    std::optional<SpokenPlay> spoken_;
    std::string speechNotice_;
    bool turnCueLoaded_ = false;

    std::atomic<bool> wakeArmed_{false};  // SDL takes events (the display exists)
    int64_t frames_ = 0;
    bool presented_ = false;  // the last frame showed a new picture
    bool minimized_ = false;
    bool wasPaused_ = false;
    bool closeRequested_ = false;
    bool playerInputDown_ = false;  // a key or button of the player's was down in the last frame
    InputState lastInput_;
    // The minute the table's clock showed in the last frame drawn.
    std::optional<WallClock> clockShown_;
    int windowWidth_ = 0;  // the window's last size out of full screen
    int windowHeight_ = 0;
};

void Game::SetUp() {
    // When the scale is known without a window, its pictures are read from the very start.
    std::unique_ptr<ScaledPictureReader> early;
    if (const std::optional<int32_t> scale = ScaleWithoutWindow(); scale && *scale > 1) {
        early = ReadPicturesEarly(*scale, state_, parts_.scaledArchivePath, parts_.language,
                                  parts_.languageArchivePath, [this] { WakeForPictures(); });
    }
    sdl_ = std::make_unique<SdlLibrary>();
    display_ = std::make_unique<Display>(state_.Options.FullScreen, kGameTitle);
    composer_.emplace(*display_);
    input_ = std::make_unique<InputDevices>(*display_);
    wakeArmed_.store(true);
    if (display_->Windowed() && files_.windowWidth > 0) {
        display_->SetWindowSize(files_.windowWidth, files_.windowHeight);
    }
    // The first frame is drawn at scale 1, as quickly as ever; the sharper pictures the window calls for
    // are read and decoded meanwhile on a thread of their own, and shown once ready (see CheckWindow),
    // so a large window never waits for them to show the table.
    pictures_.emplace(*display_, parts_.resources, state_, parts_.scaledArchivePath, line_.scale,
                      parts_.language, parts_.languageArchivePath, [this] { WakeForPictures(); });
    pictures_->ReadAhead(std::move(early));
    // No audio device: the game plays silent, without a word about it.
    sound_ = MixerSound::Open();
    if (sound_) {
        LoadSounds(*sound_, parts_.resources);
    }
    pictures_->LoadAt(1);
    clipRect_ = kScreenClipRect;
    if (state_.Options.Players == PlayerLevel::Expert) {
        computers_ = driver_.MakeComputerSeats(line_.seed ? *line_.seed : TimeOfDaySeed(), line_.autoplay);
    }
    // The sound switch as the player left it, before the first shuffle sounds.
    state_.Aids.Muted = files_.soundMuted;
    if (files_.resume && files_.keeper != nullptr && files_.keeper->SavedMatch() != nullptr) {
        files_.keeper->Resume(state_, random_, driver_.GameClock().GetTickCount());
        state_.Aids.Muted = files_.soundMuted;
    } else {
        GameServices services = Services();
        StartNewGame(state_, services);
    }
    if (line_.autoplay) {
        AutoPlayerOptions options;
        options.computers = computers_.get();
        options.ScoreSheetFrames = kDemoScoreSheetFrames;
        autoPlayer_.emplace(options);
    }
    speech_.SetLanguage(parts_.language);
    spoken_.emplace(speech_, Sound(), files_.speech);
    spoken_->Start(state_);
    input_->ShowSystemCursor(false);
    BltSurface(*display_, clipRect_, PictureId::Background, {}, 0, 0, false);
}

std::optional<int32_t> Game::ScaleWithoutWindow() const {
    if (line_.scale) {
        return line_.scale;
    }
    if (!state_.Options.FullScreen && files_.windowWidth > 0 && files_.windowHeight > 0) {
        return ScaleForOutput(files_.windowWidth, files_.windowHeight);
    }
    return std::nullopt;
}

void Game::WakeForPictures() {
    // Before the display exists there is no wait to end (and SDL is not ready for events).
    if (wakeArmed_.load()) {
        InputDevices::WakeFromAnyThread();
    }
}

int Game::Run() {
    try {
        SetUp();
        bool eventsArrived = true;
        while (true) {
            const WindowEvents events = input_->PumpEvents();
            if (HandleWindowEvents(events)) {
                return ExitGame();
            }
            if (!state_.Paused && CheckWindow()) {
                composer_->RedrawAll();
                eventsArrived = true;
            }
            if (events.exposed || events.toggleFullScreen) {
                // The window's picture is spoilt or of a new size: everything is drawn and shown anew.
                composer_->RedrawAll();
                display_->PresentWholeNext();
            }
            eventsArrived = eventsArrived || events.anyEvent || TakeSpeechNotice();
            const FrameWake wake = NextFrameWake(state_, WakeContextNow(eventsArrived));
            presented_ = false;
            if (wake.runNow && !minimized_) {
                driver_.BeforeFrame();
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
                if (!state_.Paused) {
                    caption_.Refresh(*display_, lastInput_.MouseX, lastInput_.MouseY);
                }
                // Nothing on the table can change before this deadline but through an event.
                const std::optional<uint32_t> waitMs = minimized_ ? std::nullopt : wake.waitMs;
                eventsArrived = input_->WaitForEvent(waitMs);
            }
            if (!driver_.AfterPass(state_, {frames_, display_->Presents()})) {
                return ExitGame();
            }
        }
    } catch (const SetupError& e) {
        return EndProgram(e.what(), 1);
    } catch (const std::exception& e) {
        // A fault in the middle of the game (a computer player's thinking among them) ends it, but the
        // match as it stood before the failed step is kept, as at any other end.
        SaveAfterFault();
        return EndProgram(FillText(Tr("The game stopped: {reason}"), {{"reason", e.what()}}), 1);
    }
}

void Game::SaveAfterFault() {
    // Before the first deal the keeper keeps nothing, so a fault in the set-up leaves the saved match.
    if (files_.keeper == nullptr) {
        return;
    }
    try {
        files_.keeper->Save(state_, random_, driver_.GameClock().GetTickCount());
        PrintKeeperMessages();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n",
                     FillText(Tr("zarn: the match could not be kept after the fault: {reason}"),
                              {{"reason", e.what()}})
                         .c_str());
    }
}

bool Game::HandleWindowEvents(const WindowEvents& events) {
    // Closing the window ends the game as ESCAPE does.
    if (events.closeRequested || closeRequested_) {
        return true;
    }
    if (events.toggleFullScreen) {
        display_->SetFullScreen(display_->Windowed());
    }
    if (events.displayLost) {
        display_->DisplayLost();
    }
    return false;
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
    return frames_ > 0 && pictures_->FollowWindow();
}

WakeContext Game::WakeContextNow(bool eventsArrived) {
    WakeContext context;
    context.nowMs = driver_.GameClock().GetTickCount();
    const WallClock now = LocalWallClock();
    context.clockMinuteStale =
        clockShown_ && (clockShown_->hour != now.hour || clockShown_->minute != now.minute);
    context.msToNextClockMinute = MsToNextMinute();
    // A key or button still down must be seen going up by a frame (the pause key's latch).
    context.inputPending = eventsArrived || playerInputDown_;
    context.scripted = autoPlayer_.has_value() || driver_.ScriptsInput();
    context.msToCaptionRefresh = caption_.MsToRefresh(*display_);
    return context;
}

bool Game::GameFrame() {
    const InputSnapshot input = ReadInput();
    const bool shown = driver_.DrawsFrame(frames_);
    GameServices services = Services();
    spoken_->BeforeFrame(state_);
    const FrameResult result = RunGameFrame(state_, input, services, shown ? this : nullptr);
    LoadTurnCue();
    spoken_->AfterFrame(state_, input);
    driver_.AfterFrame();
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
    presented_ = display_->PresentBoxes(composer_->Compose());
    if (presented_) {
        driver_.FrameShown(display_->Scale());
    }
    caption_.FrameShown(*display_, input.MouseX, input.MouseY);
    return false;
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
    if (driver_.ScriptFrame(frames_, snapshot).loseDisplay) {
        input_->PostDisplayLost();
    }
    ++frames_;
    return snapshot;
}

void Game::DrawMouseCursor(const InputSnapshot& input) {
    BltSurface(composer_->Recorder(), clipRect_, PictureId::Cursor, {0, 0, 32, 32}, input.MouseX - 16,
               input.MouseY - 16, true);
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
    pictures_->Reload();
    composer_->RedrawAll();
    return true;
}

void Game::DrawBackground(const GameState&) {
    BltSurface(composer_->BeginFrame(), clipRect_, PictureId::Background, {}, 0, 0, false);
}

void Game::DrawTableLayer(const GameState&) {
    // The score page's left edge peeks in at the right of the screen.
    Canvas& canvas = composer_->Recorder();
    BltSurface(canvas, clipRect_, PictureId::ScorePage, {}, kScorePageEdgeX, kScorePageEdgeY, true);
    const WallClock now = LocalWallClock();
    clockShown_ = now;
    DrawTable(canvas, clipRect_, state_, pictures_->Fonts(), now, driver_.TextLog());
    DrawTableNotices();
}

void Game::DrawTableNotices() {
    // A save that failed shows over the table until a save works again; it matters more than the voice.
    if (files_.keeper != nullptr) {
        if (const std::optional<std::string> trouble = files_.keeper->SaveTrouble()) {
            DrawNotice(composer_->Recorder(), clipRect_, pictures_->Fonts(), *trouble, driver_.TextLog());
            return;
        }
    }
    if (!speechNotice_.empty() && spoken_ && spoken_->Choices().on) {
        DrawNotice(composer_->Recorder(), clipRect_, pictures_->Fonts(), speechNotice_, driver_.TextLog());
    }
}

bool Game::TakeSpeechNotice() {
    const std::string notice = speech_.TakeNotice();
    if (notice.empty()) {
        return false;
    }
    std::fprintf(stderr, "zarn: %s\n", notice.c_str());
    // The table's line is short: a notice wider than the table would be cut.
    // TRANSLATORS: shown at the top of the table while spoken play is on but no speech service answers;
    // at most 46 characters.
    speechNotice_ = Tr("Spoken play: no speech service answered.");
    return true;
}

void Game::LoadTurnCue() {
    if (turnCueLoaded_ || !sound_ || !spoken_->Choices().on) {
        return;
    }
    turnCueLoaded_ = true;
    LoadSoundFromArchive(*sound_, parts_.scaledArchivePath, SoundEffect::YourTurn);
}

void Game::KeepMatch() {
    if (files_.keeper != nullptr) {
        files_.keeper->AfterFrame(state_, random_, driver_.GameClock().GetTickCount());
        PrintKeeperMessages();
    }
    if (display_->Windowed()) {
        display_->WindowSize(windowWidth_, windowHeight_);
    }
}

void Game::PrintKeeperMessages() {
    for (const std::string& message : files_.keeper->TakeMessages()) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}

int Game::ExitGame() {
    int exitCode = 0;
    // The match in progress is kept for the next start, and the window's state for the settings.
    if (files_.keeper != nullptr) {
        files_.keeper->Save(state_, random_, driver_.GameClock().GetTickCount());
        PrintKeeperMessages();
    }
    if (files_.rememberWindow) {
        files_.rememberWindow(display_->Windowed(), windowWidth_, windowHeight_);
    }
    if (files_.rememberSound) {
        files_.rememberSound(state_.Aids.Muted);
    }
    if (files_.rememberSpeech && spoken_) {
        files_.rememberSpeech(spoken_->Choices());
    }
    if (!line_.screenshotPath.empty()) {
        try {
            display_->SaveScreenshot(line_.screenshotPath);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zarn: %s\n", e.what());
            exitCode = 1;
        }
    }
    // The pictures in the game's release order, then the sounds.
    pictures_->ReleaseInGameOrder();
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
    pictures_.reset();
    composer_.reset();
    display_.reset();
    if (!message.empty()) {
        ShowErrorMessage(kGameTitle, message);
    }
    sdl_.reset();
    return exitCode;
}

}  // namespace

int RunGame(const GameParts& parts, GameDriver& driver) {
    Game game(parts, driver);
    return game.Run();
}
