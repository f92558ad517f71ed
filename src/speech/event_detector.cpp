#include "speech/event_detector.h"

#include "cards/rules.h"
#include "flow/play_aids.h"
#include "flow/scoring.h"

namespace {

// A new deal empties the play log and the taken cards; what was counted before it no longer counts.
bool NewDeal(const GameState& before, const GameState& after) {
    return after.Phase == Phase::DealingCards &&
           (before.Phase != Phase::DealingCards || after.PlayLogCount < before.PlayLogCount);
}

// Sorting the hand on the player's turn gathers and spreads the cards and then waits again: the same turn.
bool HumanTurnGoesOn(const GameState& before) {
    const bool sorting =
        before.Phase == Phase::GatherAroundFirstCard || before.Phase == Phase::SpreadAheadFirstCard;
    return AwaitingHumanCard(before) || (sorting && before.CurrentSeat == kHumanSeat);
}

int KingdomOwner(const GameState& s) {
    return WrapSeat(s.KingdomSeat - 1);
}

void AddContractsChosen(const GameState& before, const GameState& after, std::vector<SpeechEvent>& events) {
    for (int16_t seat = 0; seat < kSeats; ++seat) {
        for (int16_t contract = kTricks; contract <= kLayoutContract; ++contract) {
            const int cell = kContractChosenCell + contract;
            if (before.SeatInfo[seat][cell] == 0 && after.SeatInfo[seat][cell] != 0) {
                events.push_back(
                    {.kind = SpeechEventKind::ContractChosen, .seat = seat, .contract = contract});
            }
        }
    }
}

void AddPlays(const GameState& before, const GameState& after, bool newDeal,
              std::vector<SpeechEvent>& events) {
    const int from = newDeal || after.PlayLogCount < before.PlayLogCount ? 0 : before.PlayLogCount;
    for (int i = from; i < after.PlayLogCount && i < kPlayLogSlots; ++i) {
        const PlayNote& note = after.PlayLog[i];
        if (note.card == kPassNote) {
            events.push_back({.kind = SpeechEventKind::Passed, .seat = note.seat});
        } else {
            events.push_back({.kind = SpeechEventKind::CardPlayed, .seat = note.seat, .card = note.card});
        }
    }
}

// The points the cards just taken carry in the contract in play, as the score sheet will count them.
int16_t TakenPoints(const GameState& s, int seat, int from) {
    if (s.Contract == kTricks) {
        return static_cast<int16_t>((s.TakenCount[seat] - from) / kSeats * PointsPerUnit(kTricks));
    }
    int units = 0;
    for (int i = from; i < s.TakenCount[seat] && i < kTakenSlots; ++i) {
        units += PenaltyCount(s, s.TakenCards[seat][i]);
    }
    return static_cast<int16_t>(units * PointsPerUnit(s.Contract));
}

void AddTricksTaken(const GameState& before, const GameState& after, bool newDeal,
                    std::vector<SpeechEvent>& events) {
    if (after.Contract == kLayoutContract) {
        return;
    }
    for (int16_t seat = 0; seat < kSeats; ++seat) {
        const int from =
            newDeal || after.TakenCount[seat] < before.TakenCount[seat] ? 0 : before.TakenCount[seat];
        if (after.TakenCount[seat] > from) {
            events.push_back({.kind = SpeechEventKind::TrickTaken,
                              .seat = seat,
                              .points = TakenPoints(after, seat, from)});
        }
    }
}

}  // namespace

std::vector<SpeechEvent> DetectSpeechEvents(const GameState& before, const GameState& after) {
    std::vector<SpeechEvent> events;
    const bool newDeal = NewDeal(before, after);
    if (newDeal) {
        events.push_back(
            {.kind = SpeechEventKind::DealStarted, .seat = static_cast<int16_t>(KingdomOwner(after))});
    }
    AddContractsChosen(before, after, events);
    AddPlays(before, after, newDeal, events);
    AddTricksTaken(before, after, newDeal, events);
    if (after.ContractsPlayed > before.ContractsPlayed) {
        events.push_back({.kind = SpeechEventKind::ContractScored, .contract = after.Contract});
    }
    if (after.MatchOver && !before.MatchOver) {
        events.push_back({.kind = SpeechEventKind::MatchOver});
    }
    if (AwaitingHumanCard(after) && !HumanTurnGoesOn(before)) {
        events.push_back({.kind = SpeechEventKind::HumanToPlay});
    } else if (AwaitingHumanContract(after) && !AwaitingHumanContract(before)) {
        events.push_back({.kind = SpeechEventKind::HumanToChoose});
    } else if (after.Phase == Phase::NormalPlay && after.CurrentSeat != kHumanSeat &&
               (before.CurrentSeat != after.CurrentSeat || before.Phase != Phase::NormalPlay)) {
        events.push_back({.kind = SpeechEventKind::SeatToPlay, .seat = after.CurrentSeat});
    }
    return events;
}
