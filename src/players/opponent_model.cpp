#include "players/opponent_model.h"

#include <cstdlib>

namespace {

constexpr CardBits kAllCards = ~CardBits{0} >> (64 - kCards);
constexpr int kJackHeight = 9;
constexpr int kQueenHeight = 10;
constexpr int kKingHeight = 11;
constexpr int kAceHeight = 12;
constexpr int kHeartsSuit = 1;

// The card's height, raised by how lopsided and how large the known part of its suit is.
double KnownHeightValue(CardBits known, int bit) {
    const CardBits suit = known & SuitMask(SuitOfBit(bit));
    const int higher = CountBits(suit & ~((Bit(bit) << 1) - 1));
    const int lower = CountBits(suit & (Bit(bit) - 1));
    return HeightOfBit(bit) + std::abs(higher - lower) + (lower + higher) / 10.0;
}

double LeadScore(const TrickPosition& p, const TrickRules& rules, bool partnership, CardBits hand, int bit,
                 double value) {
    const int suit = SuitOfBit(bit);
    const bool heart = suit == kHeartsSuit;
    const int seat = p.ToMove();
    double score = -value;
    if (rules.contract == kKing && (hand & rules.penalty) != 0) {
        score = heart ? value - 15.0 : value;
    } else if (rules.contract == kQueens && (hand & rules.penalty & SuitMask(suit)) != 0) {
        score -= 10.0;
    } else if (partnership && rules.contract == kKing && ((p.signals >> ((seat + 2) & 3)) & 1) != 0) {
        score -= heart ? 15.0 : 0.0;
    } else if (rules.contract == kKing) {
        score += heart ? 10.0 : 0.0;
    } else if (rules.contract == kQueens && HeightOfBit(bit) != kAceHeight) {
        score += 10.0;
    }
    return score;
}

// A follower's fear that the penalty card of the led suit may still fall under the winning card.
bool PenaltyDanger(const TrickRules& rules, CardBits known, int ledSuit, int bit) {
    const int height = HeightOfBit(bit);
    const auto missing = [&](int h) { return (known & Bit(kSuitLength * ledSuit + h)) == 0; };
    if (rules.contract == kQueens) {
        return (missing(kJackHeight) && height > kJackHeight) ||
               (missing(kKingHeight) && height > kKingHeight);
    }
    if (rules.contract == kKing) {
        return missing(kQueenHeight) && height > kQueenHeight;
    }
    return false;
}

}  // namespace

void ModelScores(const TrickPosition& p, const TrickRules& rules, bool partnership,
                 std::array<double, kCards>& scores) {
    const int seat = p.ToMove();
    const CardBits hand = p.hands[seat];
    const CardBits legal = LegalMoves(p, rules);
    CardBits others = 0;
    for (int other = 0; other < kSeats; ++other) {
        others |= other != seat ? p.hands[other] : 0;
    }
    const CardBits known = kAllCards & ~others;
    if (p.tableCount == 0) {
        for (CardBits b = legal; b != 0; b &= b - 1) {
            const int bit = LowestBit(b);
            scores[bit] = LeadScore(p, rules, partnership, hand, bit, KnownHeightValue(known, bit));
        }
        return;
    }
    const int ledSuit = SuitOfBit(p.table[0]);
    int winning = 0;  // table slot of the card now winning
    int tablePenalty = 0;
    for (int i = 0; i < p.tableCount; ++i) {
        if (SuitOfBit(p.table[i]) == ledSuit && p.table[i] > p.table[winning]) {
            winning = i;
        }
        tablePenalty += (rules.penalty >> p.table[i]) & 1 ? 1 : 0;
    }
    const float tableCost = 1000.0F * static_cast<float>(tablePenalty);
    const double tablePenaltyCost = static_cast<double>(tableCost);
    const bool last = p.tableCount == 3;
    const bool partnerWinning = partnership && winning == p.tableCount - 2;
    for (CardBits b = legal; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        const double value = KnownHeightValue(known, bit);
        const int ownPenaltyCost = (rules.penalty >> bit) & 1 ? 50 : 0;
        const bool wins = SuitOfBit(bit) == ledSuit && bit > p.table[winning];
        double score = 0;
        if (wins) {
            score = last ? value - tablePenaltyCost : -value - tablePenaltyCost;
            if (!last && PenaltyDanger(rules, known, ledSuit, bit)) {
                score -= 200.0;
            }
            score -= ownPenaltyCost;
        } else if (partnerWinning) {
            score = value - ownPenaltyCost;  // keep penalties off the partner's trick
        } else {
            score = value + ownPenaltyCost;
        }
        scores[bit] = score;
    }
}

int ModelMove(const TrickPosition& p, const TrickRules& rules, bool partnership) {
    std::array<double, kCards> scores;
    ModelScores(p, rules, partnership, scores);
    int best = -1;
    for (CardBits b = LegalMoves(p, rules); b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        if (best < 0 || scores[bit] > scores[best]) {
            best = bit;
        }
    }
    return best;
}

int ModelSurprises(std::span<const SeenPlay> plays, const std::array<CardBits, kSeats>& hands,
                   const TrickRules& rules, bool partnership, int modelSeats, int limit) {
    if (plays.empty()) {
        return 0;
    }
    TrickPosition p;
    p.hands = hands;
    for (const SeenPlay& play : plays) {
        p.hands[play.seat] |= Bit(play.bit);
    }
    p.leader = plays.front().seat;
    p.penaltyLeft = rules.penalty;
    std::array<double, kCards> scores{};
    int surprises = 0;
    for (const SeenPlay& play : plays) {
        if (surprises >= limit) {
            break;
        }
        if (((modelSeats >> play.seat) & 1) != 0 && p.ToMove() == play.seat) {
            const CardBits legal = LegalMoves(p, rules);
            if ((legal & Bit(play.bit)) == 0) {
                ++surprises;
                PlayCard(p, rules, play.bit);
                continue;
            }
            ModelScores(p, rules, partnership, scores);
            for (CardBits b = legal; b != 0; b &= b - 1) {
                if (scores[LowestBit(b)] > scores[play.bit]) {
                    ++surprises;  // a card the model likes better was there to play
                    break;
                }
            }
        }
        PlayCard(p, rules, play.bit);
    }
    return surprises;
}
