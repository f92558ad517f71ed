#include "players/card_bits.h"

CardBitMap::CardBitMap(const GameState& s, bool layoutOrder) {
    for (int16_t card = 0; card < kCards; ++card) {
        const int rank = s.CardRank[card];
        const int height = layoutOrder ? rank - 1 : (rank == 1 ? 12 : rank - 2);
        const int bit = kSuitLength * static_cast<int>(s.CardSuit[card]) + height;
        bitOfCard_[card] = static_cast<int8_t>(bit);
        cardOfBit_[bit] = card;
    }
}

CardBits CardBitMap::Of(std::span<const int16_t> cards) const {
    CardBits bits = 0;
    for (int16_t card : cards) {
        bits |= Bit(bitOfCard_[card]);
    }
    return bits;
}
