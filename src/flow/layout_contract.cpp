#include "flow/layout_contract.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/computer_seats.h"
#include "flow/phase_machine.h"
#include "flow/scoring.h"
#include "players/computer_player.h"

void StartLayoutTurn(GameState& s, GameServices& services) {
    const int16_t before = s.CurrentSeat;
    // Seats that have emptied their hands are skipped; the contract is over before all four are.
    for (int tries = 0; tries < kSeats; ++tries) {
        NextSeat(s);
        if (HeldCardCount(s, s.CurrentSeat) != 0) {
            break;
        }
    }
    if (!CanPlayLayout(s)) {
        // A seat without a fitting card passes, the human too, without a click.
        NotePlay(s, s.CurrentSeat, kPassNote);
        s.Phase = Phase::ShowPass;
        s.ShowPassPicture = true;
        return;
    }
    if (s.CurrentSeat == kHumanSeat) {
        s.HumanClickTaken = false;
        s.HumanMoved = false;
        s.AwaitingHuman = true;
        return;
    }
    if (services.computers != nullptr) {
        const std::optional<int16_t> chosen = services.computers->LayoutSlot(s, s.CurrentSeat);
        if (!chosen) {
            s.CurrentSeat = before;  // still thinking: this turn starts again next frame
            return;
        }
        s.PlaySlot = CheckedLayoutChoice(s, *chosen);
    } else {
        s.PlaySlot = CheckedLayoutChoice(s, ChooseLayoutCard(s, s.CurrentSeat));
    }
    CardRecord& card = s.Hand[s.CurrentSeat][s.PlaySlot];
    card.FaceUp = true;
    PlayCard(s, card, services);
}

int16_t CheckedLayoutChoice(const GameState& s, int16_t slot) {
    if (slot < 0 || slot >= kHandSlots || !s.Hand[s.CurrentSeat][slot].InUse) {
        throw std::logic_error("seat " + std::to_string(s.CurrentSeat) + " chose hand slot " +
                               std::to_string(slot) + " to lay, which holds no card");
    }
    return slot;
}

void LayoutCardArrived(GameState& s, CardRecord& card, GameServices& services) {
    ++s.CardsPlayed;
    ++s.TrickCards;
    PlaceTableCard(s, card);
    NotePlay(s, s.CurrentSeat, card.Card);
    ReleaseHandSlot(s, card);
    if (HeldCardCount(s, s.CurrentSeat) == 0) {
        s.SeatInfo[s.CurrentSeat][kFinishCodeCell] = s.NextFinishCode;
        --s.NextFinishCode;
    }
    if (LayoutFinished(s)) {
        s.Phase = Phase::EndOfMatch;
        ContractOver(s, services);
    }
    if (s.HumanMoved) {
        s.AwaitingHuman = false;
    }
    if (!s.DelayOver) {
        StartDelay(s, kAnnouncePause, services.clock);
    }
    ++s.SavePoints;
}
