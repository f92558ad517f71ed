#include "players/layout_search.h"

namespace {

constexpr int kJackHeight = 10;

}  // namespace

bool LayoutPosition::Over() const {
    int holding = 0;
    for (CardBits hand : hands) {
        holding += hand != 0 ? 1 : 0;
    }
    return holding <= 1;
}

CardBits FittingCards(CardBits laid) {
    CardBits fitting = 0;
    for (int suit = 0; suit < 4; ++suit) {
        const CardBits inSuit = laid & SuitMask(suit);
        if (inSuit == 0) {
            fitting |= Bit(kSuitLength * suit + kJackHeight);
            continue;
        }
        const int low = LowestBit(inSuit);
        const int high = HighestBit(inSuit);
        if (HeightOfBit(low) > 0) {
            fitting |= Bit(low - 1);
        }
        if (HeightOfBit(high) < kSuitLength - 1) {
            fitting |= Bit(high + 1);
        }
    }
    return fitting;
}

void LayCard(LayoutPosition& p, int bit) {
    CardBits& hand = p.hands[p.toMove];
    hand &= ~Bit(bit);
    p.laid |= Bit(bit);
    if (hand == 0) {
        p.finishCode[p.toMove] = p.nextCode;
        --p.nextCode;
    }
}

void NextTurn(LayoutPosition& p) {
    for (int tries = 0; tries < kSeats; ++tries) {
        p.toMove = static_cast<int8_t>((p.toMove + 1) & 3);
        if (p.hands[p.toMove] != 0) {
            return;
        }
    }
}

int LayoutPolicyMove(const LayoutPosition& p) {
    const CardBits hand = p.hands[p.toMove];
    const CardBits playable = hand & FittingCards(p.laid);
    int best = -1;
    int bestValue = -1;
    for (CardBits b = playable; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        const int suit = SuitOfBit(bit);
        const int height = HeightOfBit(bit);
        const CardBits inSuit = p.laid & SuitMask(suit);
        // Which way the card extends its suit: the jack opens both ways.
        const bool down = inSuit == 0 || bit < LowestBit(inSuit);
        const bool up = inSuit == 0 || bit > HighestBit(inSuit);
        int value = 0;
        int weight = 64;
        if (down) {
            for (int h = height - 1; h >= 0; --h, weight = weight > 1 ? weight / 2 : 1) {
                value += (hand >> (kSuitLength * suit + h)) & 1 ? weight : 0;
            }
        }
        weight = 64;
        if (up) {
            for (int h = height + 1; h<kSuitLength; ++h, weight = weight> 1 ? weight / 2 : 1) {
                value += (hand >> (kSuitLength * suit + h)) & 1 ? weight : 0;
            }
        }
        // An end card (ace, king) frees nobody: lay it early.
        if (height == 0 || height == kSuitLength - 1) {
            value += 16;
        }
        if (value > bestValue) {
            bestValue = value;
            best = bit;
        }
    }
    return best;
}

void PlayOutLayout(LayoutPosition& p) {
    while (!p.Over()) {
        if (p.hands[p.toMove] != 0) {
            const int bit = LayoutPolicyMove(p);
            if (bit >= 0) {
                LayCard(p, bit);
            }
        }
        if (p.Over()) {
            return;
        }
        NextTurn(p);
    }
}
