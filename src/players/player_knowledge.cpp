#include "players/player_knowledge.h"

#include <cstdlib>

namespace {

constexpr int16_t kJack = 11;
constexpr int16_t kQueen = 12;
constexpr int16_t kKingRank = 13;

int16_t Height(const GameState& s, int16_t card) {
    return s.RankOrder[s.CardRank[card]];
}

constexpr int kNibbleBits = 4;

// The sum of the sixteen four-bit counts in a word: pairs into bytes, then the bytes by one multiply.
int NibbleSum(uint64_t nibbles) {
    const uint64_t bytes = (nibbles & 0x0F0F0F0F0F0F0F0FULL) + ((nibbles >> 4) & 0x0F0F0F0F0F0F0F0FULL);
    return static_cast<int>((bytes * 0x0101010101010101ULL) >> 56);
}

// Calls visit(card) for every card whose place the seat knows: the won piles, the table, the candidates.
template <typename Visit>
void ForEachKnownCard(const GameState& s, std::span<const int16_t> list, int count, Visit visit) {
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int i = 0; i < s.WonCount[seat]; ++i) {
            visit(s.WonPile[seat][i].Card);
        }
    }
    for (int slot = 0; slot < s.TableCount; ++slot) {
        visit(s.TableCards[slot].Card);
    }
    for (int i = 0; i < count; ++i) {
        visit(list[i]);
    }
}

}  // namespace

std::span<const int16_t> CandidateList(const GameState& s, int seat) {
    return {s.HeldCards[seat].data(), static_cast<size_t>(s.HeldCount[seat])};
}

int16_t KnownHigher(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count) {
    int16_t known = 0;
    ForEachKnownCard(s, list, count, [&](int16_t card) {
        if (s.CardSuit[card] == s.CardSuit[candidate] && Height(s, card) > Height(s, candidate)) {
            ++known;
        }
    });
    return known;
}

int16_t KnownLower(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count) {
    int16_t known = 0;
    ForEachKnownCard(s, list, count, [&](int16_t card) {
        if (s.CardSuit[card] == s.CardSuit[candidate] && Height(s, card) < Height(s, candidate)) {
            ++known;
        }
    });
    return known;
}

KnownHeights CountKnownHeights(const GameState& s, std::span<const int16_t> list, int count) {
    KnownHeights known;
    ForEachKnownCard(s, list, count, [&](int16_t card) {
        known.nibbles[static_cast<size_t>(s.CardSuit[card])] += uint64_t{1}
                                                                << (kNibbleBits * Height(s, card));
    });
    return known;
}

double HeightValue(const GameState& s, int16_t candidate, const KnownHeights& known) {
    const uint64_t inSuit = known.nibbles[static_cast<size_t>(s.CardSuit[candidate])];
    const int height = Height(s, candidate);
    const uint64_t lowerNibbles = inSuit & ((uint64_t{1} << (kNibbleBits * height)) - 1);
    const uint64_t higherNibbles = inSuit >> (kNibbleBits * (height + 1));
    const int higher = NibbleSum(higherNibbles);
    const int lower = NibbleSum(lowerNibbles);
    return Height(s, candidate) + std::abs(higher - lower) + (lower + higher) / 10.0;
}

double HeightValue(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count) {
    return HeightValue(s, candidate, CountKnownHeights(s, list, count));
}

bool WouldWinNow(const GameState& s, int16_t candidate) {
    if (s.TableCount == 0) {
        return false;
    }
    const int16_t led = s.TableCards[0].Card;
    if (s.CardSuit[candidate] != s.CardSuit[led] || Height(s, candidate) <= Height(s, led)) {
        return false;
    }
    for (int slot = 1; slot < s.TableCount; ++slot) {
        const int16_t card = s.TableCards[slot].Card;
        if (s.CardSuit[card] == s.CardSuit[led] && Height(s, candidate) <= Height(s, card)) {
            return false;
        }
    }
    return true;
}

bool IsAccountedFor(const GameState& s, int16_t rank, int32_t suit, std::span<const int16_t> list,
                    int count) {
    bool found = false;
    ForEachKnownCard(s, list, count, [&](int16_t card) {
        found = found || (s.CardRank[card] == rank && s.CardSuit[card] == suit);
    });
    return found;
}

bool PenaltyDanger(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count) {
    if (s.TableCount == 0) {
        return false;
    }
    const int32_t ledSuit = s.CardSuit[s.TableCards[0].Card];
    const int16_t height = Height(s, candidate);
    const auto above = [&](int16_t rank) { return height > s.RankOrder[rank]; };
    const auto missing = [&](int16_t rank) { return !IsAccountedFor(s, rank, ledSuit, list, count); };
    switch (s.Contract) {
        case kQueens:
            return (missing(kJack) && above(kJack)) || (missing(kKingRank) && above(kKingRank));
        case kKing:
            return missing(kQueen) && above(kQueen);
        default:
            return false;
    }
}

bool ListHasKingOfHearts(const GameState& s, std::span<const int16_t> list, int count) {
    if (s.Contract != kKing) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (list[i] == kKingOfHearts) {
            return true;
        }
    }
    return false;
}

bool ListHasQueenOfSuit(const GameState& s, int32_t suit, std::span<const int16_t> list, int count) {
    if (s.Contract != kQueens) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (s.CardRank[list[i]] == kQueen && s.CardSuit[list[i]] == suit) {
            return true;
        }
    }
    return false;
}

bool ListHasLedSuit(const GameState& s, std::span<const int16_t> list, int count) {
    if (s.TableCount == 0) {
        return false;
    }
    const int32_t ledSuit = s.CardSuit[s.TableCards[0].Card];
    for (int i = 0; i < count; ++i) {
        if (s.CardSuit[list[i]] == ledSuit) {
            return true;
        }
    }
    return false;
}
