#include "decision_game.h"

#include <stdexcept>
#include <string>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/autoplayer.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/dealing.h"
#include "flow/phase_machine.h"
#include "flow/scoring.h"
#include "players/computer_player.h"

namespace {

// Random draws of the animation, as the frame-driven game takes them.
constexpr int kDrawsPerDealtCard = 1;    // the flip sound
constexpr int kDrawsPerTrickCard = 3;    // the flip sound and the scatter on the table (x, y)
constexpr int kDrawsPerTrickSweep = 16;  // gathering: sound + 3 cards x 2; to the pile: sound + 4 x 2
constexpr int kDrawsPerLaidCard = 4;     // two flip sounds and the scatter in the column (x, y)
constexpr int kDrawsPerHandSort = 2;     // the sounds of folding and spreading the hand

}  // namespace

DecisionGame::DecisionGame(GameState& s, GameServices& services, std::array<SeatPlayer*, kSeats> players)
    : s_(s), services_(services), players_(players) {}

void DecisionGame::Draws(int n) {
    for (int i = 0; i < n; ++i) {
        services_.random.Rnd();
    }
}

void DecisionGame::Deal() {
    sorted_ = false;
    while (s_.DeckNext < kCards) {
        Draws(kDrawsPerDealtCard);
        CardRecord& card = s_.Deck[s_.DeckNext];
        card.FaceUp = s_.DealOrder[s_.DealTurn] == kHumanSeat;
        ++s_.DeckNext;
        ++s_.PacketDealt;
        ++s_.CardsDealt;
        if (s_.PacketDealt == s_.DealPacketSize) {
            s_.PacketDealt = 0;
            s_.DealTurn = WrapSeat(s_.DealTurn + 1);
        }
        PlaceDealtCard(s_, card, DealtCardSeat(s_));
        RetireCard(card);
    }
    s_.PacketDealt = 0;
    s_.StepDone = false;
    s_.CurrentSeat = WrapSeat(s_.CurrentSeat - 2);
    if (s_.ContractsPlayed == 0 && s_.Options.SevenOfHeartsLead) {
        GiveFirstKingdomToSevenOfHearts(s_);
    }
}

void DecisionGame::ChooseContract() {
    s_.Phase = Phase::SelectTrumps;
    StepSeatForward(s_);
    const int seat = s_.CurrentSeat;
    if (seat == kHumanSeat) {
        EnableContractButtons(s_);
        int k = players_[seat]->Contract(s_, seat) - 1;
        if (k < 0 || k > 4 || s_.ContractButton[k].enabled == 0) {
            k = -1;
            for (int i = 0; i < 5 && k < 0; ++i) {
                k = s_.ContractButton[i].enabled != 0 ? i : -1;
            }
        }
        if (k < 0) {
            throw std::logic_error("seat 0 has no contract left to choose");
        }
        HumanChoosesContract(s_, k);
    } else {
        s_.Contract = players_[seat]->Contract(s_, seat);
        MarkContractChosen(s_, seat, s_.Contract);
        SetRankOrder(s_);
    }
    s_.AwaitingHuman = false;
    StepSeatBack(s_);
    s_.Phase = Phase::ShowContract;
}

void DecisionGame::SortSeat0OnFirstTurn() {
    if (!sorted_ && s_.HeldCount[kHumanSeat] == kHandCards) {
        sorted_ = true;
        SortHumanHand(s_);
        Draws(kDrawsPerHandSort);
    }
}

int16_t DecisionGame::Seat0Slot(int16_t chosenSlot) {
    if (!HumanSlotLegal(s_, chosenSlot)) {
        ++refused_;
        chosenSlot = static_cast<int16_t>(FirstLegalSlot(s_));
    }
    NoteHumanPlay(s_, chosenSlot);
    return chosenSlot;
}

bool DecisionGame::PlayTricks(const DecisionWatch& watch) {
    while (true) {
        s_.CurrentSeat = WrapSeat(s_.CurrentSeat + 1);
        const int seat = s_.CurrentSeat;
        int16_t slot = -1;
        if (seat == kHumanSeat) {
            SortSeat0OnFirstTurn();
            slot = Seat0Slot(FindHandSlot(s_, seat, players_[seat]->TrickCard(s_, seat)));
        } else {
            const int16_t card = players_[seat]->TrickCard(s_, seat);
            slot = FindHandSlot(s_, seat, card);
            if (slot < 0) {
                throw std::logic_error("seat " + std::to_string(seat) + " chose card " +
                                       std::to_string(card) + ", which it does not hold");
            }
            NoteKingLeadSignal(s_, seat);
        }
        CardRecord& record = s_.Hand[seat][slot];
        record.FaceUp = true;
        Draws(kDrawsPerTrickCard);
        ++s_.CardsPlayed;
        ++s_.TrickCards;
        PlaceTableCard(s_, record);
        NotePlay(s_, seat, record.Card);
        ReleaseHandSlot(s_, record);
        if (s_.TrickCards < 4) {
            continue;
        }
        const int16_t winSlot = TrickWinnerSlot(s_);
        s_.TrickWinner = SeatBefore(s_, 3 - winSlot);
        s_.TrickWinSlot = winSlot;
        s_.TrickCards = 0;
        for (int i = 0; i < s_.TableCount; ++i) {
            s_.TableCards[i].Gather = true;
        }
        Draws(kDrawsPerTrickSweep);
        SweepTrickToPile(s_);
        CompactTable(s_);
        s_.Phase = Phase::NormalPlay;
        CheckContractEnd(s_, services_);
        s_.CurrentSeat = WrapSeat(s_.TrickWinner - 1);
        if (watch && !watch(s_)) {
            return false;
        }
        if (s_.Phase == Phase::EndOfMatch) {
            return true;
        }
    }
}

bool DecisionGame::PlayLayout(const DecisionWatch& watch) {
    while (true) {
        for (int tries = 0; tries < kSeats; ++tries) {
            NextSeat(s_);
            if (HeldCardCount(s_, s_.CurrentSeat) != 0) {
                break;
            }
        }
        const int seat = s_.CurrentSeat;
        if (!CanPlayLayout(s_)) {
            NotePlay(s_, seat, kPassNote);
            continue;
        }
        int16_t slot = -1;
        if (seat == kHumanSeat) {
            SortSeat0OnFirstTurn();
            slot = Seat0Slot(players_[seat]->LayoutSlot(s_, seat));
        } else {
            slot = players_[seat]->LayoutSlot(s_, seat);
            if (slot < 0 || slot > kLastHandSlot || !s_.Hand[seat][slot].InUse ||
                !IsLayoutPlayable(s_, s_.Hand[seat][slot].Card)) {
                throw std::logic_error("seat " + std::to_string(seat) + " chose layout slot " +
                                       std::to_string(slot) + ", which it cannot lay");
            }
        }
        CardRecord& card = s_.Hand[seat][slot];
        card.FaceUp = true;
        Draws(kDrawsPerLaidCard);
        ++s_.CardsPlayed;
        ++s_.TrickCards;
        PlaceTableCard(s_, card);
        NotePlay(s_, seat, card.Card);
        ReleaseHandSlot(s_, card);
        if (HeldCardCount(s_, seat) == 0) {
            s_.SeatInfo[seat][kFinishCodeCell] = s_.NextFinishCode;
            --s_.NextFinishCode;
        }
        const bool finished = LayoutFinished(s_);
        if (finished) {
            s_.Phase = Phase::EndOfMatch;
            ContractOver(s_, services_);
        }
        if (watch && !watch(s_)) {
            return false;
        }
        if (finished) {
            return true;
        }
    }
}

bool DecisionGame::PlayDeal(const DecisionWatch& watch) {
    Deal();
    if (watch && !watch(s_)) {
        return false;
    }
    ChooseContract();
    if (watch && !watch(s_)) {
        return false;
    }
    // The announcement's step hands the turn to the chooser; the next turn is the seat after it.
    s_.CurrentSeat = WrapSeat(s_.CurrentSeat + 1);
    s_.Phase = Phase::NormalPlay;
    return s_.Contract == kLayoutContract ? PlayLayout(watch) : PlayTricks(watch);
}
