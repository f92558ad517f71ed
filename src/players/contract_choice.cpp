#include "players/contract_choice.h"

#include <array>

#include "cards/rounding.h"
#include "players/computer_player.h"

namespace {

constexpr int kContractCount = 5;
constexpr int16_t kAce = 1;
constexpr int16_t kQueen = 12;
constexpr int16_t kKingRank = 13;

// The hand as the estimates read it: at most the thirteen entries of the held list.
std::span<const int16_t> ChoosingHand(const GameState& s, int seat) {
    const int count = s.HeldCount[seat] < kHandCards ? s.HeldCount[seat] : kHandCards;
    return {s.HeldCards[seat].data(), static_cast<size_t>(count)};
}

int16_t Height(const GameState& s, int16_t card) {
    return s.RankOrder[s.CardRank[card]];
}

}  // namespace

int16_t FindCard(const GameState& s, int16_t rank, int32_t suit, std::span<const int16_t> hand) {
    for (size_t i = 0; i < hand.size(); ++i) {
        if (s.CardRank[hand[i]] == rank && s.CardSuit[hand[i]] == suit) {
            return static_cast<int16_t>(i);
        }
    }
    return -1;
}

int16_t SuitDanger(const GameState& s, int32_t suit, std::span<const int16_t> hand) {
    // The ranks of the suit in the hand, as bits, read once instead of once per rank.
    uint32_t ranks = 0;
    for (int16_t card : hand) {
        const int16_t rank = s.CardRank[card];
        if (s.CardSuit[card] == suit && rank >= 0 && rank < 32) {
            ranks |= 1U << rank;
        }
    }
    float weight = 100.0F;
    int16_t sum = 0;
    // The king is never looked at; rank 0 matches no card and only closes the walk.
    for (int16_t rank = kQueen; rank >= 0; --rank) {
        if (((ranks >> rank) & 1U) != 0) {
            sum = static_cast<int16_t>(sum + RoundHalfEven(weight));
        } else {
            weight /= 2.0F;
        }
    }
    return sum;
}

float KingEstimate(const GameState& s, std::span<const int16_t> hand) {
    float count = 0.0F;
    for (int16_t card : hand) {
        if (s.CardSuit[card] == kHearts && Height(s, card) >= s.RankOrder[kKingRank]) {
            count += 1.0F;
        }
    }
    return 75.0F * count;
}

float QueensEstimate(const GameState& s, std::span<const int16_t> hand) {
    float queens = 0.0F;
    float above = 0.0F;
    for (int16_t card : hand) {
        if (s.CardRank[card] == kQueen) {
            queens += 1.0F;
        }
        if (Height(s, card) > s.RankOrder[kQueen]) {
            above += 1.0F;
        }
    }
    return 25.0F * queens + 15.0F * above;
}

float DiamondsEstimate(const GameState& s, std::span<const int16_t> hand) {
    return SuitDanger(s, kDiamondsSuit, hand);
}

float TricksEstimate(const GameState& s, std::span<const int16_t> hand) {
    float total = 0.0F;
    for (int32_t suit = 0; suit < 4; ++suit) {
        total += SuitDanger(s, suit, hand);
    }
    return total;
}

float LayoutEstimate(const GameState& s, std::span<const int16_t> hand) {
    float aces = 0.0F;
    for (int16_t card : hand) {
        if (s.CardRank[card] == kAce) {
            aces += 1.0F;
        }
    }
    return 75.0F * aces;
}

int16_t ChooseContract(const GameState& s, int seat) {
    const auto hand = ChoosingHand(s, seat);
    const float king = KingEstimate(s, hand);
    const float queens = QueensEstimate(s, hand);
    const float diamonds = DiamondsEstimate(s, hand);
    const float tricks = TricksEstimate(s, hand);
    const float layout = LayoutEstimate(s, hand);

    std::array<bool, kContractCount + 1> open{};
    bool anyOpen = false;
    for (int16_t contract = 1; contract <= kContractCount; ++contract) {
        open[contract] = s.SeatInfo[seat][kContractChosenCell + contract] == 0;
        anyOpen = anyOpen || open[contract];
    }
    if (!anyOpen) {
        // Every seat chooses five contracts a match, so this cannot happen; should the kingdoms ever go
        // astray, the seat still names a real contract rather than none.
        open.fill(true);
    }

    if (open[kQueens] && queens == 0.0F) {
        return kQueens;
    }
    if (open[kKing] && king == 0.0F) {
        return kKing;
    }
    if (open[kDiamonds] && diamonds < 20.0F) {
        return kDiamonds;
    }
    if (open[kTricks] && tricks < 135.0F) {
        return kTricks;
    }
    if (open[kLayoutContract] && layout == 0.0F) {
        return kLayoutContract;
    }

    // No contract is cheap enough outright: take the cheapest, the two suit-danger estimates scaled
    // down to the same footing as the others.
    float best = 10000.0F;
    int16_t choice = 0;
    if (open[kKing] && king < best) {
        choice = kKing;
        best = king;
    }
    if (open[kQueens] && queens < best) {
        choice = kQueens;
        best = queens;
    }
    if (open[kDiamonds] && 0.3722F * diamonds < best) {
        choice = kDiamonds;
        best = diamonds;
    }
    if (open[kTricks] && 0.1758F * tricks < best) {
        choice = kTricks;
        best = tricks;
    }
    if (open[kLayoutContract] && layout / 2.0F < best) {
        choice = kLayoutContract;
    }
    if (choice == 0) {
        // Not reachable with the estimates' bounds; the first open contract keeps the answer a real one.
        for (int16_t contract = 1; contract <= kContractCount; ++contract) {
            if (open[contract]) {
                return contract;
            }
        }
    }
    return choice;
}

void MarkContractChosen(GameState& s, int seat, int16_t contract) {
    if (contract >= 1 && contract <= kContractCount) {
        s.SeatInfo[seat][kContractChosenCell + contract] = kTrueCell;
    }
}
