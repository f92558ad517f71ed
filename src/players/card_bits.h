#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "cards/game_state.h"

// Cards as bits of a 64-bit set for the searches of the expert players: bit = 13 x suit + height, the
// game's suit codes and the contract's height order (two 0 .. ace 12 in the trick contracts, ace 0 ..
// king 12 in the layout contract), so a suit is 13 touching bits, lowest first.
using CardBits = uint64_t;

inline constexpr int kSuitLength = 13;

constexpr CardBits SuitMask(int suit) {
    return ((CardBits{1} << kSuitLength) - 1) << (kSuitLength * suit);
}

constexpr CardBits Bit(int bit) {
    return CardBits{1} << bit;
}

constexpr int SuitOfBit(int bit) {
    return bit / kSuitLength;
}

constexpr int HeightOfBit(int bit) {
    return bit % kSuitLength;
}

inline int LowestBit(CardBits bits) {
    return std::countr_zero(bits);
}

inline int HighestBit(CardBits bits) {
    return 63 - std::countl_zero(bits);
}

inline int CountBits(CardBits bits) {
    return std::popcount(bits);
}

// Card ids to bits and back, for one contract's height order.
class CardBitMap {
public:
    CardBitMap(const GameState& s, bool layoutOrder);
    int BitOf(int16_t card) const { return bitOfCard_[card]; }
    int16_t CardOf(int bit) const { return cardOfBit_[bit]; }
    CardBits Of(std::span<const int16_t> cards) const;

private:
    std::array<int8_t, kCards> bitOfCard_{};
    std::array<int16_t, kCards> cardOfBit_{};
};
