#include "speech/spoken_play.h"

#include <algorithm>
#include <vector>

#include "cards/rules.h"
#include "flow/play_aids.h"
#include "i18n/translation.h"
#include "speech/event_detector.h"
#include "speech/spoken_names.h"
#include "speech/spoken_texts.h"

namespace {

std::string VerbosityText(Verbosity verbosity) {
    switch (verbosity) {
        case Verbosity::Terse:
            // TRANSLATORS: spoken when the player chooses how much speech says (F3).
            return Tr("Terse: only what you must act on, and the results.");
        case Verbosity::Normal:
            return Tr("Normal.");
        case Verbosity::Detailed:
            return Tr("Detailed: every card and count.");
    }
    return "";
}

Verbosity NextVerbosity(Verbosity verbosity) {
    switch (verbosity) {
        case Verbosity::Terse:
            return Verbosity::Normal;
        case Verbosity::Normal:
            return Verbosity::Detailed;
        case Verbosity::Detailed:
            break;
    }
    return Verbosity::Terse;
}

// What the player has to act on now, said when spoken play starts: nothing has "happened" yet, but a
// player who switches it on at their own turn must hear that it is theirs.
std::optional<SpeechEvent> WaitingOnPlayer(const GameState& s) {
    if (AwaitingHumanCard(s)) {
        return SpeechEvent{.kind = SpeechEventKind::HumanToPlay};
    }
    if (AwaitingHumanContract(s)) {
        return SpeechEvent{.kind = SpeechEventKind::HumanToChoose};
    }
    return std::nullopt;
}

// The score sheet waits for the player after every contract.
std::string ScoreSheetWaitText(const GameState& s) {
    // TRANSLATORS: spoken when the score sheet waits for the player after a contract.
    return s.MatchOver ? Tr("Enter starts a new match; Escape ends the game.")
                       : Tr("Enter deals the next contract.");
}

bool PlayersTurn(const SpeechEvent& event) {
    return event.kind == SpeechEventKind::HumanToPlay || event.kind == SpeechEventKind::HumanToChoose;
}

}  // namespace

SpokenPlay::SpokenPlay(SpeechOutput& output, SoundSink& cue, SpeechChoices choices)
    : output_(output), cue_(cue), choices_(choices) {
    choices_.rate = std::clamp(choices_.rate, -kSpeechRateLimit, kSpeechRateLimit);
    output_.SetRate(choices_.rate);
}

void SpokenPlay::Start(const GameState& s) {
    if (choices_.on) {
        TellSituation(s);
    }
}

void SpokenPlay::TellSituation(const GameState& s) {
    if (s.Phase == Phase::DealingCards) {
        const SpeechEvent deal{.kind = SpeechEventKind::DealStarted,
                               .seat = static_cast<int16_t>(WrapSeat(s.KingdomSeat - 1))};
        Say(EventUtterance(s, deal, Verbosity::Normal).text, SpeechPriority::Normal);
    } else if (s.Contract >= kTricks && s.Contract <= kLayoutContract && !s.MatchOver) {
        Say(ContractText(s), SpeechPriority::Normal);
    }
    if (const std::optional<SpeechEvent> waiting = WaitingOnPlayer(s)) {
        const Utterance said = EventUtterance(s, *waiting, choices_.verbosity);
        Say(said.text, said.priority);
    } else if (s.Phase == Phase::EndOfMatch) {
        Say(ScoreSheetWaitText(s), SpeechPriority::Urgent);
    }
}

void SpokenPlay::BeforeFrame(const GameState& before) {
    if (choices_.on) {
        before_ = before;
    }
}

void SpokenPlay::AfterFrame(const GameState& after, const InputSnapshot& input) {
    std::array<bool, 256> pressed{};
    for (size_t key = 0; key < pressed.size(); ++key) {
        pressed[key] = input.Keys[key] && !keysBefore_[key];
    }
    keysBefore_ = input.Keys;
    if (choices_.on && before_) {
        TellEvents(*before_, after);
        // A key that moves the focus is answered even where the focus has nowhere else to go.
        const bool focusKey = pressed[kKeyRight] || pressed[kKeyLeft] || pressed[kKeyUp] ||
                              pressed[kKeyDown] || pressed[kKeyTab];
        TellAids(*before_, after, focusKey);
    }
    HandleKeys(after, pressed);
    before_.reset();
}

void SpokenPlay::TellEvents(const GameState& before, const GameState& after) {
    const std::vector<SpeechEvent> events = DetectSpeechEvents(before, after);
    for (const SpeechEvent& event : events) {
        const bool cue = PlayersTurn(event) && !after.Aids.Muted;
        if (cue) {
            cue_.PlaySound(SoundEffect::YourTurn);
        }
        // At the terse level the cue stands for "Your turn." (the words stay when the sound is off).
        if (cue && choices_.verbosity == Verbosity::Terse && event.kind == SpeechEventKind::HumanToPlay) {
            continue;
        }
        const Utterance said = EventUtterance(after, event, choices_.verbosity);
        Say(said.text, said.priority);
    }
    if (after.Phase == Phase::EndOfMatch && before.Phase != Phase::EndOfMatch) {
        Say(ScoreSheetWaitText(after), SpeechPriority::Urgent);
    }
}

void SpokenPlay::TellAids(const GameState& before, const GameState& after, bool focusKey) {
    const PlayAids& was = before.Aids;
    const PlayAids& now = after.Aids;
    if (now.HintSlot >= 0 && now.HintSlot != was.HintSlot && now.HintSlot <= kLastHandSlot) {
        // TRANSLATORS: spoken when the player asks for a hint (H): the card the computer would play.
        Say(FillText(Tr("Hint: {card}."),
                     {{"card", SpokenCardName(after, after.Hand[kHumanSeat][now.HintSlot].Card)}}),
            SpeechPriority::Normal);
        return;
    }
    if (now.HintButton >= 0 && now.HintButton != was.HintButton) {
        // TRANSLATORS: spoken when the player asks for a hint (H) while choosing a contract.
        Say(FillText(Tr("Hint: {contract}."), {{"contract", SpokenContractName(now.HintButton + 1)}}),
            SpeechPriority::Normal);
        return;
    }
    const bool moved = now.FocusSlot != was.FocusSlot || now.FocusButton != was.FocusButton ||
                       (now.FocusVisible && !was.FocusVisible);
    if (now.FocusVisible && (moved || focusKey)) {
        // The focus can run along the hand faster than it is said: only the newest card counts.
        Say(FocusText(after), SpeechPriority::Interruptible);
    }
}

void SpokenPlay::HandleKeys(const GameState& s, const std::array<bool, 256>& pressed) {
    if (pressed[kKeySpeechSwitch]) {
        SwitchOn(!choices_.on);
        if (choices_.on) {
            TellSituation(s);
        }
        return;
    }
    if (!choices_.on) {
        return;
    }
    if (pressed[kKeySpeechVerbosity]) {
        choices_.verbosity = NextVerbosity(choices_.verbosity);
        Say(VerbosityText(choices_.verbosity), SpeechPriority::Normal);
    }
    if (pressed[kKeySpeechSlower] || pressed[kKeySpeechFaster]) {
        const int step = pressed[kKeySpeechFaster] ? kSpeechRateStep : -kSpeechRateStep;
        choices_.rate = std::clamp(choices_.rate + step, -kSpeechRateLimit, kSpeechRateLimit);
        output_.SetRate(choices_.rate);
        const bool atLimit = std::abs(choices_.rate) == kSpeechRateLimit;
        // TRANSLATORS: spoken after F4 (slower) or F5 (faster); the words are said at the new rate.
        Say(step > 0 ? (atLimit ? Tr("Fastest.") : Tr("Faster."))
                     : (atLimit ? Tr("Slowest.") : Tr("Slower.")),
            SpeechPriority::Normal);
    }
    if (pressed[kKeyReadHand]) {
        Say(HandText(s), SpeechPriority::Normal);
    }
    if (pressed[kKeyReadTable]) {
        Say(TableText(s), SpeechPriority::Normal);
    }
    if (pressed[kKeyReadScores]) {
        Say(ScoresText(s), SpeechPriority::Normal);
    }
    if (pressed[kKeyReadContract]) {
        const std::string open = AwaitingHumanContract(s) ? OpenContractsText(s, true) : "";
        Say(open.empty() ? ContractText(s) : open, SpeechPriority::Normal);
    }
    if (pressed[kKeyReadFocus]) {
        const std::string focus = FocusText(s);
        // TRANSLATORS: spoken after F when no card or contract has the keyboard focus.
        Say(focus.empty() ? Tr("Nothing has the focus. The arrow keys move it.") : focus,
            SpeechPriority::Normal);
    }
    if (pressed[kKeySayAgain]) {
        // TRANSLATORS: spoken after A (say again) before anything has been said.
        const std::string again = lastSaid_.empty() ? Tr("Nothing said yet.") : lastSaid_;
        output_.Say({again, SpeechPriority::Normal});
    }
}

void SpokenPlay::SwitchOn(bool on) {
    if (on) {
        choices_.on = true;
        // TRANSLATORS: spoken when the player switches spoken play on or off (F2).
        Say(Tr("Spoken play on."), SpeechPriority::Urgent);
        return;
    }
    // What was queued goes unsaid; the last words confirm the switch.
    output_.StopSpeaking();
    output_.Say({Tr("Spoken play off."), SpeechPriority::Urgent});
    choices_.on = false;
    before_.reset();
}

void SpokenPlay::Say(const std::string& text, SpeechPriority priority) {
    if (text.empty() || !choices_.on) {
        return;
    }
    lastSaid_ = text;
    output_.Say({text, priority});
}
