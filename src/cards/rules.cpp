#include "cards/rules.h"

#include <algorithm>
#include <vector>

namespace {

int32_t SuitOf(const GameState& s, int16_t card) {
    return s.CardSuit[card];
}
int16_t HeightOf(const GameState& s, int16_t card) {
    return s.RankOrder[s.CardRank[card]];
}

}  // namespace

std::span<const int16_t> HumanHeldList(const GameState& s) {
    return {s.HeldCards[kHumanSeat].data(), static_cast<size_t>(s.HeldCount[kHumanSeat])};
}

bool HoldsSuitOf(const GameState& s, const CardRecord& card) {
    const int32_t suit = SuitOf(s, card.Card);
    for (int slot = 0; slot < kHandCards; ++slot) {
        const CardRecord& held = s.Hand[kHumanSeat][slot];
        if (held.InUse && SuitOf(s, held.Card) == suit) {
            return true;
        }
    }
    return false;
}

bool HoldsKingOfHearts(const GameState&, std::span<const int16_t> cards) {
    for (int16_t id : cards) {
        if (id == kKingOfHearts) {
            return true;
        }
    }
    return false;
}

bool HoldsQueen(const GameState& s, std::span<const int16_t> cards) {
    for (int16_t id : cards) {
        if (s.CardRank[id] == 12) {
            return true;
        }
    }
    return false;
}

bool HoldsDiamond(const GameState& s, std::span<const int16_t> cards) {
    for (int16_t id : cards) {
        if (SuitOf(s, id) == kDiamondsSuit) {
            return true;
        }
    }
    return false;
}

bool IsLegalPlay(const GameState& s, const CardRecord& card) {
    if (s.Contract == kLayoutContract) {
        return IsLayoutPlayable(s, card.Card);
    }
    if (s.TableCount < 1) {
        return true;  // the leader may lead anything
    }
    const CardRecord& led = s.TableCards[0];
    const bool followsSuit = HoldsSuitOf(s, led);
    if (SuitOf(s, card.Card) != SuitOf(s, led.Card) && followsSuit) {
        return false;
    }
    if (followsSuit) {
        return true;
    }
    // Void in the led suit: the penalty cards of the contract must go first.
    const auto held = HumanHeldList(s);
    switch (s.Contract) {
        case kKing:
            return !(HoldsKingOfHearts(s, held) && card.Card != kKingOfHearts);
        case kQueens:
            return !(HoldsQueen(s, held) && s.CardRank[card.Card] != 12);
        case kDiamonds:
            return !(HoldsDiamond(s, held) && SuitOf(s, card.Card) != kDiamondsSuit);
        default:
            return true;
    }
}

bool Beats(const GameState& s, int16_t a, int16_t b) {
    if (s.TableCount == 0) {
        return false;
    }
    return SuitOf(s, a) == SuitOf(s, b) && HeightOf(s, a) > HeightOf(s, b);
}

int16_t TrickWinnerSlot(const GameState& s) {
    int16_t winner = 0;
    for (int16_t slot = 1; slot < s.TableCount && slot < 4; ++slot) {
        if (Beats(s, s.TableCards[slot].Card, s.TableCards[winner].Card)) {
            winner = slot;
        }
    }
    return winner;
}

int16_t WinningSlot(const GameState& s) {
    const auto card = [&](int slot) { return s.TableCards[slot].Card; };
    if (s.TableCount == 2) {
        return Beats(s, card(1), card(0)) ? 1 : 0;
    }
    if (s.TableCount == 3) {
        if (!Beats(s, card(1), card(0))) {
            return Beats(s, card(2), card(0)) ? 2 : 0;
        }
        const bool ledSuit = SuitOf(s, card(2)) == SuitOf(s, card(0));
        return (ledSuit && HeightOf(s, card(2)) > HeightOf(s, card(1))) ? 2 : 1;
    }
    return 0;
}

bool PartnerWinningAsFourth(const GameState& s) {
    if (s.TableCount != 3) {
        return false;
    }
    const auto card = [&](int slot) { return s.TableCards[slot].Card; };
    return Beats(s, card(1), card(0)) && !Beats(s, card(2), card(1));
}

int16_t PenaltyCount(const GameState& s, int16_t card) {
    switch (s.Contract) {
        case kTricks:
            return 1;
        case kDiamonds:
            return SuitOf(s, card) == kDiamondsSuit ? 1 : 0;
        case kQueens:
            return s.CardRank[card] == 12 ? 1 : 0;
        case kKing:
            return card == kKingOfHearts ? 1 : 0;
        default:
            return 0;
    }
}

int16_t TablePenalty(const GameState& s) {
    int16_t sum = 0;
    for (int slot = 0; slot < s.TableCount; ++slot) {
        sum = static_cast<int16_t>(sum + PenaltyCount(s, s.TableCards[slot].Card));
    }
    return sum;
}

bool IsLayoutPlayable(const GameState& s, int16_t card) {
    const int32_t suit = SuitOf(s, card);
    const int16_t rank = s.CardRank[card];
    return rank == s.SuitHigh[suit] + 1 || rank == s.SuitLow[suit] - 1;
}

bool CanPlayLayout(const GameState& s) {
    for (int slot = 0; slot < kHandCards; ++slot) {
        const CardRecord& held = s.Hand[s.CurrentSeat][slot];
        if (held.InUse && IsLayoutPlayable(s, held.Card)) {
            return true;
        }
    }
    return false;
}

int16_t HeldCardCount(const GameState& s, int seat) {
    if (seat < 0 || seat >= kSeats) {
        return 0;
    }
    int16_t count = 0;
    for (int slot = 0; slot < kHandCards; ++slot) {
        if (s.Hand[seat][slot].InUse) {
            ++count;
        }
    }
    return count;
}

bool LayoutFinished(const GameState& s) {
    int emptied = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        if (HeldCardCount(s, seat) == 0) {
            ++emptied;
        }
    }
    return emptied >= 3;
}

int16_t LayoutReward(int16_t finishCode) {
    switch (finishCode) {
        case 3:
            return 200;
        case 2:
            return 150;
        case 1:
            return 100;
        default:
            return 50;
    }
}

void NotePlay(GameState& s, int seat, int16_t card) {
    if (s.PlayLogCount < kPlayLogSlots) {
        s.PlayLog[s.PlayLogCount] = PlayNote{static_cast<int8_t>(seat), static_cast<int8_t>(card)};
        ++s.PlayLogCount;
    }
}

void NextSeat(GameState& s) {
    s.CurrentSeat = WrapSeat(s.CurrentSeat + 1);
}
void StepSeatForward(GameState& s) {
    s.CurrentSeat = WrapSeat(s.CurrentSeat + 1);
}
void StepSeatBack(GameState& s) {
    s.CurrentSeat = WrapSeat(s.CurrentSeat - 1);
}

int16_t SevenOfHeartsHolder(const GameState& s) {
    for (int16_t seat = 0; seat < kSeats; ++seat) {
        for (int slot = 0; slot < s.HeldCount[seat] && slot < kHandCards; ++slot) {
            const int16_t id = s.Hand[seat][slot].Card;
            if (SuitOf(s, id) == kHearts && s.CardRank[id] == 7) {
                return seat;
            }
        }
    }
    return 0;
}

void GiveFirstKingdomToSevenOfHearts(GameState& s) {
    if (s.ContractsPlayed != 0) {
        return;
    }
    const int16_t holder = SevenOfHeartsHolder(s);
    const int16_t first = WrapSeat(holder + 1);
    if (first != s.FirstSeat) {
        // The kingdom's deal count follows the kingdom, or a stale count would cut a later one short.
        s.SeatInfo[first][kKingdomDealsCell] = s.SeatInfo[s.FirstSeat][kKingdomDealsCell];
        s.SeatInfo[s.FirstSeat][kKingdomDealsCell] = 0;
    }
    s.FirstSeat = first;
    s.KingdomSeat = first;
    s.CurrentSeat = WrapSeat(holder - 1);
}

void SortHumanHand(GameState& s) {
    auto& hand = s.Hand[kHumanSeat];
    std::vector<int16_t> collected;
    for (int slot = 0; slot < kHandCards; ++slot) {
        if (hand[slot].InUse) {
            collected.push_back(hand[slot].Card);
        }
    }
    // By suit, then from the highest card down; a card of no suit or height leaves its slot's order
    // to the others. The stable sort keeps equal cards in hand order.
    std::vector<int16_t> sorted;
    for (int16_t id : collected) {
        const int32_t suit = SuitOf(s, id);
        const int height = HeightOf(s, id);
        if (suit >= 0 && suit < 4 && height >= 0 && height <= 13) {
            sorted.push_back(id);
        }
    }
    std::stable_sort(sorted.begin(), sorted.end(), [&](int16_t a, int16_t b) {
        const int32_t suitA = SuitOf(s, a);
        const int32_t suitB = SuitOf(s, b);
        return suitA != suitB ? suitA < suitB : HeightOf(s, a) > HeightOf(s, b);
    });
    size_t next = 0;
    for (int slot = 0; slot < kHandCards && next < sorted.size(); ++slot) {
        if (hand[slot].InUse) {
            hand[slot].Card = sorted[next++];
        }
    }
}

bool IsEarlyInHand(const GameState& s) {
    return s.HeldCount[kHumanSeat] >= 8;
}

bool IsHighHeart(const GameState& s, int slot) {
    const int16_t id = s.Hand[kHumanSeat][slot].Card;
    return SuitOf(s, id) == kHearts && HeightOf(s, id) >= 9;
}

void NoteHumanPlay(GameState& s, int slot) {
    if (!s.Options.Partnership || s.Contract != kKing || s.TableCount != 0) {
        return;
    }
    if (!IsEarlyInHand(s) || !IsHighHeart(s, slot)) {
        return;
    }
    for (int seat = 1; seat < kSeats; ++seat) {
        if (s.SeatInfo[seat][kKingLeadSignalCell] != 0) {
            return;
        }
    }
    s.SeatInfo[kHumanSeat][kKingLeadSignalCell] = kTrueCell;
}
