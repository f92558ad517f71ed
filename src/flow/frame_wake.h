#pragma once

#include <cstdint>
#include <optional>

#include "cards/game_state.h"

// When the main loop must run its next frame. The game is frame-driven, but most of the time it waits
// for the player: then a frame would step nothing and draw the picture already on screen, and the loop
// sleeps instead until something can change. Every reason to wake is listed here, in one place.

// What the loop knows besides the game state.
struct WakeContext {
    uint32_t nowMs = 0;  // the game's millisecond clock (the one the delays are measured on)
    // The table's clock shows an older minute than the time of day, and until the next minute turns.
    bool clockMinuteStale = false;
    uint32_t msToNextClockMinute = 60000;
    // A key, click, pointer move or window event arrived since the last frame, or a key or button was
    // still down in the last frame (its release must be seen by a frame).
    bool inputPending = false;
    // Something outside the table drives every frame: the demo's player, or a test hook counting frames.
    bool scripted = false;
    // The window caption's frame rate is due to be refreshed in this many milliseconds (none: it shows
    // nothing that can go stale).
    std::optional<uint32_t> msToCaptionRefresh;
};

enum class WakeReason {
    Input,        // run now: the player did something
    Scripted,     // run now: the demo or a test hook acts every frame
    TableMoving,  // run now: cards move or the game has a step to take
    DelayEnds,    // run now, or wait for it: the game's pause between moves ends
    ClockMinute,  // run now, or wait for it: the table's clock shows the next minute
    Caption,      // wait: the caption's frame rate is to be refreshed (by the loop, without a frame)
    PlayerOnly,   // wait for an event: only the player can change anything (paused by P)
};

struct FrameWake {
    bool runNow = false;
    // When not running now: how long the loop may wait for an event; none: until an event comes.
    std::optional<uint32_t> waitMs;
    WakeReason reason = WakeReason::PlayerOnly;
};

// The one decision of the loop: run a frame now, or wait (for an event, at most `waitMs`).
//   - Input pending or a scripted player: run now.
//   - Paused by P: nothing is stepped or drawn; only an event can change that.
//   - The table is not at rest (see TableAtRest): run now, at the frame rate.
//   - At rest: run now when the delay has ended or the clock's minute has turned; else wait until the
//     earliest of the delay's end, the clock's next minute and the caption's refresh.
FrameWake NextFrameWake(const GameState& s, const WakeContext& context);

// True when a game step with no input changes nothing but possibly ends the current delay: no card
// moves, and the game waits for the player (a contract, a card, the click after a score sheet) or for
// its delay's end. Every other state has a step to take in the coming frame.
bool TableAtRest(const GameState& s);
