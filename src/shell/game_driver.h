#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/input_snapshot.h"
#include "flow/thinking_seats.h"
#include "platform/frame_pacer.h"
#include "presentation/drawn_text_log.h"
#include "speech/speech_output.h"

// What the loop has done so far, for a driver watching it.
struct LoopCounts {
    int64_t framesRun = 0;
    int64_t presents = 0;  // pictures shown on the display
};

// What a driver does to one frame besides its keys.
struct FrameScript {
    bool loseDisplay = false;  // the display is lost before the frame is drawn
};

// What the loop takes from outside the game: the clock the game runs on, the pacing of frames, which
// frames are drawn, input on top of the player's, and a look after every pass. The player's driver is
// this class itself; a test builds one that scripts the game (see ScriptedDriver).
class GameDriver {
public:
    virtual ~GameDriver() = default;

    virtual Clock& GameClock() { return clock_; }
    // Just before a frame runs: waits for its moment, so card movements keep the game's frame rate.
    virtual void BeforeFrame();
    // After a frame ran.
    virtual void AfterFrame() {}
    // Whether the frame that brings the frames run to `framesRun` is drawn and shown.
    virtual bool DrawsFrame(int64_t /*framesRun*/) const { return true; }
    // True when the driver adds input to every frame: the loop then never rests waiting for the player.
    virtual bool ScriptsInput() const { return false; }
    // Adds to the input of the frame that follows `framesRun` frames.
    virtual FrameScript ScriptFrame(int64_t /*framesRun*/, InputSnapshot& /*input*/) { return {}; }
    // A frame was shown at the drawing scale.
    virtual void FrameShown(int32_t /*scale*/) {}
    // After every pass of the loop (a frame run, or a wait ended); false ends the game as ESCAPE does.
    virtual bool AfterPass(const GameState& /*state*/, const LoopCounts& /*counts*/) { return true; }
    // Told every text the table draws; none for the player's game.
    virtual DrawnTextLog* TextLog() { return nullptr; }
    // The Expert players' worker thread, when the match is played by them.
    virtual std::unique_ptr<ThinkingSeats> MakeComputerSeats(uint64_t seed, bool seat0) {
        return std::make_unique<ThinkingSeats>(seed, seat0);
    }

    // The voice of spoken play, made when it is first switched on: Speech Dispatcher for the player.
    // `noticeReady` may be called from any thread when the voice has a notice for the player.
    virtual std::unique_ptr<SpeechOutput> MakeSpeech(std::function<void()> noticeReady);

private:
    SystemClock clock_;
    FramePacer pacer_{60};
};
