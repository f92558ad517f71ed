#include "players/layout_choice.h"

#include "cards/rules.h"
#include "players/computer_player.h"

namespace {

constexpr float kNotFitting = -1000.0F;
constexpr int16_t kTopRank = 13;

// Each card of the suit the seat does not hold, or that is already laid, makes the ones beyond it
// a little less urgent. The factor is a double, the running weight stays single precision.
float ShrinkForGap(float weight) {
    return static_cast<float>(weight * 0.98);
}

}  // namespace

bool HoldsRankInSuit(const GameState& s, int16_t height, int32_t suit, const HandCopy& hand) {
    for (int slot = 0; slot < kHandCards; ++slot) {
        const CardRecord& record = hand[slot];
        if (record.InUse && s.CardSuit[record.Card] == suit &&
            s.RankOrder[s.CardRank[record.Card]] == height) {
            return true;
        }
    }
    return false;
}

float LayoutCardValue(const GameState& s, const CardRecord& card, const HandCopy& hand) {
    const int16_t rank = s.CardRank[card.Card];
    const int32_t suit = s.CardSuit[card.Card];
    float weight = 1000.0F;
    float bonus = 5.0F;
    float held = 0.0F;
    // The heights of the suit in the hand, as bits, read once instead of once per step.
    uint32_t heldHeights = 0;
    for (int slot = 0; slot < kHandCards; ++slot) {
        const CardRecord& record = hand[slot];
        const int16_t height =
            record.InUse && s.CardSuit[record.Card] == suit ? s.RankOrder[s.CardRank[record.Card]] : -1;
        if (height >= 0 && height < 32) {
            heldHeights |= 1U << height;
        }
    }
    const auto step = [&](int16_t height) {
        if (((heldHeights >> height) & 1U) != 0) {
            bonus += weight;
            weight /= 2.0F;
            held += 1.0F;
        } else {
            weight /= 2.0F;
            weight = ShrinkForGap(weight);
        }
    };
    float ratio = 0.0F;
    if (rank < s.SuitLow[suit]) {
        // Extends the suit downwards (an unopened suit's jack too): only the cards below count.
        for (int16_t height = static_cast<int16_t>(rank - 1); height >= 1; --height) {
            step(height);
        }
        ratio = (held + 1.0F) / static_cast<float>(s.SuitLow[suit]);
    } else {
        for (int16_t height = static_cast<int16_t>(rank + 1); height <= kTopRank; ++height) {
            step(height);
        }
        ratio = (held + 1.0F) / static_cast<float>(kTopRank + 1 - s.SuitHigh[suit]);
    }
    return static_cast<float>(ratio * 0.98 + bonus);
}

std::array<float, kHandCards> LayoutSlotScores(const GameState& s, int seat) {
    const HandCopy hand = s.Hand[seat];
    std::array<float, kHandCards> scores{};
    for (int slot = 0; slot < kHandCards; ++slot) {
        if (hand[slot].InUse) {
            scores[slot] =
                IsLayoutPlayable(s, hand[slot].Card) ? LayoutCardValue(s, hand[slot], hand) : kNotFitting;
        }
    }
    return scores;
}

int16_t ChooseLayoutCard(const GameState& s, int seat) {
    const std::array<float, kHandCards> scores = LayoutSlotScores(s, seat);
    // Every fitting card scores above 5, so a best still at 0 means nothing fits.
    float best = 0.0F;
    int16_t choice = -1;
    for (int16_t slot = 0; slot < kHandCards; ++slot) {
        if (s.Hand[seat][slot].InUse && scores[slot] > best) {
            best = scores[slot];
            choice = slot;
        }
    }
    return choice;
}
