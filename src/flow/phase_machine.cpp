#include "flow/phase_machine.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/computer_seats.h"
#include "flow/dealing.h"
#include "flow/layout_contract.h"
#include "flow/scoring.h"
#include "players/computer_player.h"

namespace {

void StepPaused(GameState& s, GameServices& services) {
    if (services.computers != nullptr) {
        services.computers->Prepare(s);
    }
    if (DelayHasPassed(s, services.clock.GetTickCount())) {
        s.Phase = s.DelayedPhase;
        s.DelayOver = true;
    }
}

// "SHOW CONTRACT" and "SHOW PASS": one step to show the picture, one to go on to play after a pause.
void StepShowPicture(GameState& s, GameServices& services) {
    if (s.AwaitingHuman) {
        return;
    }
    if (!s.StepDone) {
        s.DelayOver = false;
        s.StepDone = true;
        return;
    }
    if (s.HumanMoved) {
        s.AwaitingHuman = false;
    }
    if (s.Phase == Phase::ShowContract) {
        s.CurrentSeat = WrapSeat(s.CurrentSeat + 1);
    }
    s.Phase = Phase::NormalPlay;
    if (!s.DelayOver) {
        StartDelay(s, kAnnouncePause, services.clock);
    }
    s.StepDone = false;
}

void StepSelectTrumps(GameState& s, GameServices& services) {
    if (s.AwaitingHuman) {
        return;
    }
    if (!s.StepDone) {
        StepSeatForward(s);  // to the kingdom's owner, who chooses
        if (s.CurrentSeat == kHumanSeat) {
            s.ContractMenuOn = true;
            EnableContractButtons(s);
            s.HumanMoved = false;
            s.AwaitingHuman = true;
        } else {
            if (!ComputerChoosesContract(s, services.computers)) {
                StepSeatBack(s);  // still thinking: the same step runs again next frame
                return;
            }
            s.StepDone = true;
        }
        return;
    }
    if (s.HumanMoved) {
        s.AwaitingHuman = false;
    }
    StepSeatBack(s);
    s.Phase = Phase::ShowContract;
    s.ShowContractPicture = true;
    s.StepDone = false;
}

void StartTrickTurn(GameState& s, GameServices& services) {
    s.CurrentSeat = WrapSeat(s.CurrentSeat + 1);
    if (s.CurrentSeat == kHumanSeat) {
        s.HumanClickTaken = false;
        s.HumanMoved = false;
        s.AwaitingHuman = true;
        return;
    }
    int16_t card = -1;
    if (services.computers != nullptr) {
        const std::optional<int16_t> chosen = services.computers->TrickCard(s, s.CurrentSeat);
        if (!chosen) {
            s.CurrentSeat = WrapSeat(s.CurrentSeat - 1);  // still thinking: this turn starts again next frame
            return;
        }
        card = *chosen;
    } else {
        card = ChooseTrickCard(s, s.CurrentSeat);
    }
    s.PlaySlot = FindHandSlot(s, s.CurrentSeat, card);
    if (s.PlaySlot < 0) {
        throw std::logic_error("seat " + std::to_string(s.CurrentSeat) + " chose card " +
                               std::to_string(card) + ", which it does not hold");
    }
    NoteKingLeadSignal(s, s.CurrentSeat);
    CardRecord& record = s.Hand[s.CurrentSeat][s.PlaySlot];
    record.FaceUp = true;
    PlayCard(s, record, services);
}

void StepNormalPlay(GameState& s, GameServices& services) {
    s.ShowContractPicture = false;
    const bool layout = s.Contract == kLayoutContract;
    if (layout) {
        s.ShowPassPicture = false;
    }
    if (AnyCardMoving(s)) {
        const int lastSlot = layout ? kLastHandSlot + 1 : kLastHandSlot;
        for (int slot = 0; slot <= lastSlot && s.Phase == Phase::NormalPlay; ++slot) {
            StepCard(s, s.Hand[kHumanSeat][slot], services);
        }
    }
    if (s.Phase != Phase::NormalPlay || s.AwaitingHuman) {
        return;
    }
    if (!AnyCardMoving(s)) {
        s.DelayOver = false;
        if (layout) {
            StartLayoutTurn(s, services);
        } else {
            StartTrickTurn(s, services);
        }
    } else if (s.CurrentSeat != kHumanSeat) {
        StepCard(s, s.Hand[s.CurrentSeat][s.PlaySlot], services);
    }
}

void StepDealing(GameState& s, GameServices& services) {
    if (AnyCardMoving(s)) {
        if (s.DeckNext > 0) {
            StepCard(s, s.Deck[s.DeckNext - 1], services);
        }
        return;
    }
    if (s.DeckNext >= kCards) {
        return;
    }
    DealCardTo(s, s.Deck[s.DeckNext], s.DealOrder[s.DealTurn], services);
    ++s.DeckNext;
    ++s.PacketDealt;
    ++s.CardsDealt;
    if (s.PacketDealt == s.DealPacketSize) {
        s.PacketDealt = 0;
        s.DealTurn = WrapSeat(s.DealTurn + 1);
    }
}

void TrickCardArrived(GameState& s, CardRecord& card, GameServices& services) {
    ++s.CardsPlayed;
    ++s.TrickCards;
    PlaceTableCard(s, card);
    NotePlay(s, s.CurrentSeat, card.Card);
    ReleaseHandSlot(s, card);
    if (s.TrickCards >= 4 && s.TrickCards % 4 == 0) {
        const int16_t slot = TrickWinnerSlot(s);
        s.TrickWinner = SeatBefore(s, 3 - slot);
        s.TrickWinSlot = slot;
        s.TrickCards = 0;
        s.CurrentSeat = s.TrickWinner;
        for (int i = 0; i < s.TableCount; ++i) {
            s.TableCards[i].Gather = true;
        }
        s.Phase = Phase::GettingCardsGathering;
    }
    if (s.HumanMoved) {
        s.AwaitingHuman = false;
    }
    if (s.Phase == Phase::NormalPlay) {
        CheckContractEnd(s, services);
    }
    if (!s.DelayOver) {
        StartDelay(s, kTrickCardPause, services.clock);
    }
}

void DealtCardArrived(GameState& s, CardRecord& card) {
    PlaceDealtCard(s, card, DealtCardSeat(s));
    RetireCard(card);
    if (s.CardsDealt == kCards) {
        s.Phase = Phase::SelectTrumps;
        s.PacketDealt = 0;
        s.StepDone = false;
        s.CurrentSeat = WrapSeat(s.CurrentSeat - 2);  // the choice's first step moves on to the owner
        if (s.ContractsPlayed == 0 && s.Options.SevenOfHeartsLead) {
            GiveFirstKingdomToSevenOfHearts(s);
        }
    }
    LayDeckStack(s);
}

void SweepArrived(GameState& s, GameServices& services) {
    ClearTableMoving(s);
    SweepTrickToPile(s);
    CompactTable(s);
    s.Phase = Phase::NormalPlay;
    CheckContractEnd(s, services);
    // The next turn steps forward onto the winner, who leads.
    s.CurrentSeat = WrapSeat(s.CurrentSeat - 1);
    ++s.SavePoints;
}

}  // namespace

bool DelayHasPassed(const GameState& s, uint32_t now) {
    return static_cast<uint32_t>(now - s.DelayStart) > s.DelayLength;
}

void StartDelay(GameState& s, uint32_t ms, Clock& clock) {
    s.DelayedPhase = s.Phase;
    s.Phase = Phase::Paused;
    s.DelayStart = clock.GetTickCount();
    s.DelayLength = ms;
}

void GameStep(GameState& s, GameServices& services) {
    switch (s.Phase) {
        case Phase::Paused:
            StepPaused(s, services);
            break;
        case Phase::ShowContract:
        case Phase::ShowPass:
            StepShowPicture(s, services);
            break;
        case Phase::SelectTrumps:
            StepSelectTrumps(s, services);
            break;
        case Phase::NormalPlay:
            StepNormalPlay(s, services);
            break;
        case Phase::DealingCards:
            StepDealing(s, services);
            break;
        case Phase::GettingCardsGathering:
            if (!AnyCardMoving(s)) {
                const CardRecord& winning = s.TableCards[s.TrickWinSlot];
                GatherTrick(s, winning.X, winning.Y, services);
            } else {
                StepTrickGathering(s, services);
            }
            break;
        case Phase::GettingCards:
            if (!AnyCardMoving(s)) {
                const PointXY pile = s.Layout.PilePos[s.TrickWinner];
                SendTrickToPile(s, pile.x, pile.y, services);
            } else {
                StepTrickSweep(s, services);
            }
            break;
        case Phase::GatherAroundFirstCard:
            if (!AnyCardMoving(s)) {
                const CardRecord& first = s.Hand[kHumanSeat][0];
                GatherHand(s, first.X, first.Y, services);
            } else {
                StepHand(s, services);
            }
            break;
        case Phase::SpreadAheadFirstCard:
            if (!AnyCardMoving(s)) {
                SpreadHand(s, services);
            } else {
                StepHand(s, services);
            }
            break;
        case Phase::EndOfMatch:
        case Phase::None:
            break;
    }
}

void CardArrived(GameState& s, CardRecord& card, GameServices& services) {
    if (!card.Moving || !IsWithinArrival(s, card)) {
        return;
    }
    card.Moving = false;
    switch (s.Phase) {
        case Phase::NormalPlay:
            if (s.Contract == kLayoutContract) {
                LayoutCardArrived(s, card, services);
            } else {
                TrickCardArrived(s, card, services);
            }
            break;
        case Phase::DealingCards:
            DealtCardArrived(s, card);
            break;
        case Phase::GettingCardsGathering:
            ClearTableMoving(s);
            s.Phase = Phase::GettingCards;
            break;
        case Phase::GettingCards:
            SweepArrived(s, services);
            break;
        case Phase::GatherAroundFirstCard:
            StopHand(s);
            SortHumanHand(s);
            s.Phase = Phase::SpreadAheadFirstCard;
            break;
        case Phase::SpreadAheadFirstCard:
            StopHand(s);
            s.Phase = s.SavedPhase;
            break;
        default:
            break;
    }
}

void CheckContractEnd(GameState& s, GameServices& services) {
    int units = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int i = 0; i < s.WonCount[seat]; ++i) {
            units += PenaltyCount(s, s.WonPile[seat][i].Card);
        }
    }
    const int points = units * PointsPerUnit(s.Contract);
    const bool allTaken = s.Contract < kLayoutContract && points == s.ContractPenaltyTotal[s.Contract];
    if (allTaken || s.CardsPlayed == kCards) {
        s.Phase = Phase::EndOfMatch;
        ContractOver(s, services);
    }
}
