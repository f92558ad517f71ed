#include "flow/dealing.h"

#include <array>
#include <optional>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/computer_seats.h"
#include "flow/table_layout.h"
#include "players/computer_player.h"

namespace {

void ClearLayoutBoard(GameState& s) {
    for (int suit = 0; suit < 4; ++suit) {
        for (int row = 0; row <= 13; ++row) {
            CardRecord& cell = s.LayoutGrid[suit][row];
            cell.HomeX = static_cast<int16_t>(180 + 120 * suit);
            cell.HomeY = static_cast<int16_t>(160 + 8 * row);
            cell.InUse = false;
        }
    }
}

void StartNewMatch(GameState& s, Random& random) {
    s.MatchOver = false;
    s.ScoreRows = 0;
    s.TotalScore.fill(0);
    s.ContractsPlayed = 0;
    DrawOpponentNames(s, random);
    for (int seat = 0; seat < kSeats; ++seat) {
        s.SeatInfo[seat][kKingdomDealsCell] = 0;
        for (int contract = kTricks; contract <= kLayoutContract; ++contract) {
            s.SeatInfo[seat][kContractChosenCell + contract] = 0;
        }
    }
}

void PlaceHands(GameState& s) {
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int slot = 0; slot <= kLastHandSlot; ++slot) {
            CardRecord& card = s.Hand[seat][slot];
            const PointXY place = HandSlotPlace(s, seat, slot);
            card.InUse = false;
            card.X = place.x;
            card.Y = place.y;
            card.HomeX = place.x;
            card.HomeY = place.y;
            if (seat != kHumanSeat) {
                card.FaceUp = false;
            } else {
                card.Width = s.Layout.CardWidth;
                card.Height = s.Layout.CardHeight;
            }
        }
    }
}

// Where each seat's pass picture goes, from its hand's first slots.
void PlacePassPictures(GameState& s) {
    for (int seat = 0; seat < kSeats; ++seat) {
        const CardRecord& first = s.Hand[seat][0];
        switch (seat) {
            case 1:
                s.PassPicX[seat] = static_cast<int16_t>(first.HomeX - 15);
                s.PassPicY[seat] = static_cast<int16_t>(first.HomeY - 45);
                break;
            case 3:
                s.PassPicX[seat] = s.Hand[seat][2].HomeX;
                s.PassPicY[seat] = static_cast<int16_t>(first.HomeY - 45);
                break;
            default:
                s.PassPicX[seat] = static_cast<int16_t>(first.HomeX - 110);
                s.PassPicY[seat] = static_cast<int16_t>(first.HomeY + 45);
                break;
        }
    }
}

}  // namespace

void StartDeal(GameState& s, GameServices& services) {
    ClearLayoutBoard(s);
    s.HeldCount.fill(0);
    s.TrumpSuit = kNoSuit;
    s.NextFinishCode = 3;
    for (int suit = 0; suit < 4; ++suit) {
        s.SuitLow[suit] = 12;
        s.SuitHigh[suit] = 10;
    }
    for (int k = 0; k < 5; ++k) {
        s.ContractButton[k].height = kContractButtonHeight;
        s.ContractButton[k].width = kContractButtonWidth;
    }
    if (s.MatchOver) {
        StartNewMatch(s, services.random);
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        s.SeatInfo[seat][kFinishCodeCell] = 0;
        s.SeatInfo[seat][kKingLeadSignalCell] = 0;
    }
    if (s.SheetFull) {
        // A fresh sheet; the totals stay.
        s.SheetFull = false;
        s.ScoreRows = 0;
    }
    ResetContractCounters(s);
    s.TrickCards = 0;
    s.PacketDealt = 0;
    ResetTrickPositions(s);
    s.AwaitingHuman = false;
    s.HumanMoved = false;
    s.TableCount = 0;
    s.WonCount.fill(0);
    s.CardsPlayed = 0;
    s.PlayLogCount = 0;
    s.CardUnderMouse = -1;

    for (auto& pile : s.WonPile) {
        for (int slot = 0; slot <= 50; ++slot) {
            pile[slot].InUse = false;
        }
    }
    for (int slot = 0; slot < kCards; ++slot) {
        s.Deck[slot].Width = s.Layout.CardWidth;
        s.Deck[slot].Height = s.Layout.CardHeight;
    }
    PlaceHands(s);
    for (int slot = 0; slot <= 20; ++slot) {
        s.TableCards[slot].InUse = false;
        s.TableCards[slot].FaceUp = true;
    }
    PlacePassPictures(s);

    ShuffleDeck(s, services.random);
    s.DeckNext = 0;
    const int16_t first = ChooseFirstSeat(s, services.random);
    s.CurrentSeat = first;
    s.FirstSeat = first;
    s.KingdomSeat = first;
    s.DealTurn = 0;
    BuildDealOrder(s);
    s.Phase = Phase::DealingCards;

    // The deck lies at the place of the seat that deals, the kingdom's owner.
    const int16_t dealer = SeatBefore(s, 1);
    s.DeckX = s.Layout.DealOriginX[dealer];
    s.DeckY = s.Layout.DealOriginY[dealer];
    for (int slot = 0; slot <= 11; ++slot) {
        s.Deck[slot].InUse = true;
        s.Deck[slot].FaceUp = false;
    }
    LayDeckStack(s);

    services.sound.PlaySound(SoundEffect::Shuffle);
    s.CardsDealt = 0;
    s.HumanClickTaken = false;
}

void ShuffleDeck(GameState& s, Random& random) {
    std::array<bool, kCards> drawn{};
    for (int n = 0; n < kCards; ++n) {
        int r = RandomInt(random, kCards);
        while (drawn[r]) {
            r = RandomInt(random, kCards);
        }
        drawn[r] = true;
        s.Deck[n].Card = static_cast<int16_t>(r);
    }
}

int16_t ChooseFirstSeat(GameState& s, Random& random) {
    if (!s.FirstDealDone) {
        s.FirstDealDone = true;
        return static_cast<int16_t>(RandomInt(random, kSeats));
    }
    int16_t& deals = s.SeatInfo[s.FirstSeat][kKingdomDealsCell];
    ++deals;
    if (deals == 5) {
        s.KingdomSeat = WrapSeat(s.KingdomSeat + 1);
        return s.KingdomSeat;
    }
    return s.FirstSeat;
}

void BuildDealOrder(GameState& s) {
    for (int i = 0; i < kSeats; ++i) {
        s.DealOrder[i] = WrapSeat(s.CurrentSeat + i);
    }
}

void DealCardTo(GameState& s, CardRecord& card, int seat, GameServices& services) {
    const PointXY target = HandSlotPlace(s, seat, s.HeldCount[seat]);
    card.FaceUp = seat == kHumanSeat;
    StartCardMoveWithSound(s, card, target.x, target.y, services);
}

int16_t DealtCardSeat(const GameState& s) {
    const int packet = s.DealPacketSize > 0 ? s.DealPacketSize : 1;
    const int dealt = s.CardsDealt > 0 ? s.CardsDealt - 1 : 0;
    return s.DealOrder[(dealt / packet) % kSeats];
}

void LayDeckStack(GameState& s) {
    const int top = s.DeckNext <= 44 ? s.DeckNext + 7 : 51;
    for (int j = top; j >= s.DeckNext; --j) {
        CardRecord& card = s.Deck[j];
        card.X = static_cast<float>(s.DeckX + s.Layout.DeckOffsetX - (j - s.DeckNext) * s.Layout.DeckStepX);
        card.Y = s.DeckY;
        card.HomeX = RoundHalfEven(card.X);
        card.HomeY = RoundHalfEven(card.Y);
        card.InUse = true;
        card.FaceUp = false;
    }
}

void EnableContractButtons(GameState& s) {
    for (int k = 0; k < 5; ++k) {
        const bool open = s.SeatInfo[kHumanSeat][kContractChosenCell + 1 + k] == 0;
        s.ContractButton[k].enabled = open ? kTrueCell : 0;
    }
    // Placed now as well as when drawn, so a click finds them even when nothing is drawn (headless play).
    PlaceContractButtons(s);
}

void HumanChoosesContract(GameState& s, int k) {
    s.TrumpSuit = kNoSuit;
    s.Contract = static_cast<int16_t>(k + 1);
    SetRankOrder(s);
    s.SeatInfo[kHumanSeat][kContractChosenCell + s.Contract] = kTrueCell;
    s.HumanMoved = true;
    s.StepDone = true;
    s.AwaitingHuman = false;
    s.ContractMenuOn = false;
}

bool ComputerChoosesContract(GameState& s, ComputerSeats* computers) {
    if (computers != nullptr) {
        const std::optional<int16_t> chosen = computers->Contract(s, s.CurrentSeat);
        if (!chosen) {
            return false;
        }
        s.Contract = *chosen;
    } else {
        s.Contract = ChooseContract(s, s.CurrentSeat);
    }
    MarkContractChosen(s, s.CurrentSeat, s.Contract);
    SetRankOrder(s);
    return true;
}
