#pragma once

#include <array>
#include <optional>
#include <string>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/input_snapshot.h"
#include "speech/speech_event.h"
#include "speech/speech_output.h"

// The keys of spoken play (the game's scan codes). None of them does anything else at the table.
inline constexpr int kKeySpeechSwitch = 0x3C;     // F2: spoken play on and off
inline constexpr int kKeySpeechVerbosity = 0x3D;  // F3: terse, normal, detailed, in turn
inline constexpr int kKeySpeechSlower = 0x3E;     // F4
inline constexpr int kKeySpeechFaster = 0x3F;     // F5
inline constexpr int kKeyReadHand = 0x2E;         // C
inline constexpr int kKeyReadTable = 0x14;        // T
inline constexpr int kKeyReadScores = 0x1F;       // S
inline constexpr int kKeyReadContract = 0x17;     // I
inline constexpr int kKeyReadFocus = 0x21;        // F
inline constexpr int kKeySayAgain = 0x1E;         // A

// What the player chose for spoken play; kept in the settings.
struct SpeechChoices {
    bool on = false;
    Verbosity verbosity = Verbosity::Normal;
    int rate = 0;  // -100 .. 100, 0 the voice's own

    bool operator==(const SpeechChoices&) const = default;
};

inline constexpr int kSpeechRateStep = 10;
inline constexpr int kSpeechRateLimit = 100;

// Spoken play at the table: after each frame it tells what happened (the events between the state
// before the frame and after it, at the chosen verbosity), answers the speech keys, speaks the focus
// as it moves and the hint, and plays the "your turn" cue. It only reads the state and only queues
// texts, so a frame never waits on it. Switched off it listens for F2 alone and keeps no state.
class SpokenPlay {
public:
    SpokenPlay(SpeechOutput& output, SoundSink& cue, SpeechChoices choices);

    // Once the match is set up: when spoken play is on, where the match stands and whether the player
    // must act.
    void Start(const GameState& s);
    // The state as it stands before the frame.
    void BeforeFrame(const GameState& before);
    // The frame's input and the state after it.
    void AfterFrame(const GameState& after, const InputSnapshot& input);

    const SpeechChoices& Choices() const { return choices_; }
    // The last text said, for "say again"; "" before the first.
    const std::string& LastSaid() const { return lastSaid_; }

private:
    void HandleKeys(const GameState& s, const std::array<bool, 256>& pressed);
    void TellEvents(const GameState& before, const GameState& after);
    void TellAids(const GameState& before, const GameState& after, bool focusKey);
    void Say(const std::string& text, SpeechPriority priority);
    void SwitchOn(bool on);
    void TellSituation(const GameState& s);

    SpeechOutput& output_;
    SoundSink& cue_;
    SpeechChoices choices_;
    std::optional<GameState> before_;
    std::array<bool, 256> keysBefore_{};
    std::string lastSaid_;
};
