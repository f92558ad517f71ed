#include "players/trick_search.h"

#include <algorithm>

#include "players/mix_hash.h"
#include "players/opponent_model.h"

namespace {

constexpr int16_t kKingOfHeartsCard = 50;
constexpr int kQueenRank = 12;

// Highest bit of `bits` below `bit` within its suit, or -1.
int HighestBelow(CardBits bits, int bit) {
    const CardBits below = bits & SuitMask(SuitOfBit(bit)) & (Bit(bit) - 1);
    return below != 0 ? HighestBit(below) : -1;
}

int WinningBit(const TrickPosition& p) {
    const int ledSuit = SuitOfBit(p.table[0]);
    int best = p.table[0];
    for (int i = 1; i < p.tableCount; ++i) {
        if (SuitOfBit(p.table[i]) == ledSuit && p.table[i] > best) {
            best = p.table[i];
        }
    }
    return best;
}

// The seat that has played the winning card so far.
int WinningSeat(const TrickPosition& p) {
    const int ledSuit = SuitOfBit(p.table[0]);
    int best = 0;
    for (int i = 1; i < p.tableCount; ++i) {
        if (SuitOfBit(p.table[i]) == ledSuit && p.table[i] > p.table[best]) {
            best = i;
        }
    }
    return (p.leader + best) & 3;
}

// How many cards still in play of the card's suit lie below it: its rank among what is left.
int RelativeHeight(CardBits inPlay, int bit) {
    return CountBits(inPlay & SuitMask(SuitOfBit(bit)) & (Bit(bit) - 1));
}

}  // namespace

TrickRules RulesForContract(int16_t contract, const CardBitMap& map) {
    TrickRules rules;
    rules.contract = contract;
    switch (contract) {
        case kKing:
            rules.penalty = Bit(map.BitOf(kKingOfHeartsCard));
            rules.forced = rules.penalty;
            rules.signalCard = rules.penalty;
            rules.unitPoints = 75;
            break;
        case kQueens:
            for (int suit = 0; suit < 4; ++suit) {
                rules.penalty |= Bit(kSuitLength * suit + (kQueenRank - 2));
            }
            rules.forced = rules.penalty;
            rules.unitPoints = 25;
            break;
        case kDiamonds:
            rules.penalty = SuitMask(kDiamondsSuit);
            rules.forced = rules.penalty;
            rules.unitPoints = 15;
            break;
        default:
            rules.penalty = ~CardBits{0} >> (64 - kCards);
            rules.unitPoints = 10;
            rules.perTrick = true;
            break;
    }
    return rules;
}

CardBits LegalMoves(const TrickPosition& p, const TrickRules& rules) {
    const CardBits hand = p.hands[p.ToMove()];
    if (p.tableCount == 0) {
        return hand;
    }
    const CardBits follow = hand & SuitMask(SuitOfBit(p.table[0]));
    if (follow != 0) {
        return follow;
    }
    const CardBits forced = hand & rules.forced;
    return forced != 0 ? forced : hand;
}

void PlayCard(TrickPosition& p, const TrickRules& rules, int bit) {
    const int seat = p.ToMove();
    if (p.tableCount == 0 && (p.hands[seat] & rules.signalCard) != 0) {
        p.signals = static_cast<uint8_t>(p.signals | (1 << seat));
    }
    p.hands[seat] &= ~Bit(bit);
    p.table[p.tableCount++] = static_cast<int8_t>(bit);
    if (p.tableCount < 4) {
        return;
    }
    const int winner = WinningSeat(p);
    CardBits trick = 0;
    for (int i = 0; i < 4; ++i) {
        trick |= Bit(p.table[i]);
    }
    const CardBits taken = trick & rules.penalty;
    p.points[winner] = static_cast<int16_t>(
        p.points[winner] + (rules.perTrick ? rules.unitPoints : CountBits(taken) * rules.unitPoints));
    p.penaltyLeft &= ~trick;
    p.leader = static_cast<int8_t>(winner);
    p.tableCount = 0;
}

int PolicyMove(const TrickPosition& p, const TrickRules& rules, bool partnership) {
    const CardBits legal = LegalMoves(p, rules);
    const CardBits inPlay = p.CardsLeft();
    const int seat = p.ToMove();
    const CardBits safe = legal & ~rules.penalty;
    if (p.tableCount == 0) {
        // Lead the card with the fewest cards left below it, a harmless one if there is one.
        const CardBits pool = safe != 0 ? safe : legal;
        int best = -1;
        int bestHeight = 99;
        for (CardBits b = pool; b != 0; b &= b - 1) {
            const int bit = LowestBit(b);
            const int h = RelativeHeight(inPlay, bit);
            if (h < bestHeight) {
                bestHeight = h;
                best = bit;
            }
        }
        return best;
    }
    const int ledSuit = SuitOfBit(p.table[0]);
    const int winning = WinningBit(p);
    const bool partnerWinning = partnership && WinningSeat(p) == ((seat + 2) & 3);
    const bool last = p.tableCount == 3;
    if ((legal & SuitMask(ledSuit)) != 0) {
        const CardBits under = legal & (Bit(winning) - 1);
        if (partnerWinning && last) {
            // The partner takes it: give nothing that costs.
            return safe != 0 ? LowestBit(safe) : LowestBit(legal);
        }
        if (under != 0) {
            // Duck with the highest card that stays under, a penalty card first.
            const CardBits penaltyUnder = under & rules.penalty;
            return penaltyUnder != 0 ? HighestBit(penaltyUnder) : HighestBit(under);
        }
        // Must win: the last seat wins with its highest harmless card, the others with the lowest.
        if (last) {
            return safe != 0 ? HighestBit(safe) : HighestBit(legal);
        }
        return safe != 0 ? LowestBit(safe) : LowestBit(legal);
    }
    // Void: shed a penalty card onto someone else's trick, else the card highest among what is left.
    if (!partnerWinning) {
        const CardBits penaltyCards = legal & rules.penalty & ~(rules.perTrick ? ~CardBits{0} : 0);
        if (penaltyCards != 0) {
            return HighestBit(penaltyCards);
        }
    }
    const CardBits pool = partnerWinning && safe != 0 ? safe : legal;
    int best = -1;
    int bestHeight = -1;
    for (CardBits b = pool; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        const int h = kSuitLength - CountBits(inPlay & SuitMask(SuitOfBit(bit)) & ~(Bit(bit + 1) - 1)) +
                      RelativeHeight(inPlay, bit);
        if (h > bestHeight) {
            bestHeight = h;
            best = bit;
        }
    }
    return best;
}

void PlayOut(TrickPosition& p, const TrickRules& rules, bool partnership, int stopAtCards, int modelSeats) {
    while (!p.Over()) {
        if (p.tableCount == 0 && CountBits(p.CardsLeft()) <= stopAtCards) {
            return;
        }
        const bool model = ((modelSeats >> p.ToMove()) & 1) != 0;
        PlayCard(p, rules, model ? ModelMove(p, rules, partnership) : PolicyMove(p, rules, partnership));
    }
}

CardBits DistinctCards(CardBits legal, CardBits inPlay, CardBits penalty) {
    CardBits result = 0;
    for (CardBits b = legal; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        const int below = HighestBelow(inPlay, bit);
        const bool same =
            below >= 0 && (legal & Bit(below)) != 0 && ((penalty >> below) & 1) == ((penalty >> bit) & 1);
        if (!same) {
            result |= Bit(bit);
        }
    }
    return result;
}

uint64_t TrickStartKey(const TrickPosition& p) {
    uint64_t key = MixHash(p.hands[0], p.hands[1]);
    key = MixHash(key, p.hands[2]);
    key = MixHash(key, p.hands[3]);
    key = MixHash(key, p.penaltyLeft);
    key = MixHash(key, static_cast<uint64_t>(p.leader) | static_cast<uint64_t>(p.signals) << 8);
    return key | 1;  // never the empty key
}

TrickSolver::TrickSolver(int tableBits)
    : table_(size_t{1} << tableBits), mask_((uint64_t{1} << tableBits) - 1) {}

void TrickSolver::Reset(int side, bool partnership, bool opponentsByPolicy, bool opponentsByModel) {
    std::fill(table_.begin(), table_.end(), Entry{});
    side_ = side;
    partnership_ = partnership;
    opponentsByPolicy_ = opponentsByPolicy;
    opponentsByModel_ = opponentsByPolicy && opponentsByModel;
    tableRules_.reset();
    nodes_ = 0;
}

int TrickSolver::Solve(const TrickPosition& p, const TrickRules& rules) {
    // The values in the table hold for one contract's rules: other rules start a fresh table.
    if (tableRules_ && !(*tableRules_ == rules)) {
        std::fill(table_.begin(), table_.end(), Entry{});
    }
    tableRules_ = rules;
    rules_ = &rules;
    TrickPosition start = p;
    start.points = {};
    return Search(start, -1, 10000);
}

CardBits TrickSolver::Candidates(const TrickPosition& p, CardBits legal) const {
    CardBits inPlay = p.CardsLeft();
    for (int i = 0; i < p.tableCount; ++i) {
        inPlay |= Bit(p.table[i]);
    }
    return DistinctCards(legal, inPlay, rules_->penalty);
}

int TrickSolver::Search(const TrickPosition& p, int alpha, int beta) {
    ++nodes_;
    if (p.Over() || p.CardsLeft() == 0) {
        return 0;
    }
    Entry* entry = nullptr;
    uint64_t key = 0;
    if (p.tableCount == 0) {
        key = TrickStartKey(p);
        entry = &table_[key & mask_];
        if (entry->key == key) {
            if (entry->lower == entry->upper) {
                return entry->lower;
            }
            if (entry->lower >= beta) {
                return entry->lower;
            }
            if (entry->upper <= alpha) {
                return entry->upper;
            }
            alpha = std::max<int>(alpha, entry->lower);
            beta = std::min<int>(beta, entry->upper);
        }
    }
    const int alpha0 = alpha;
    const int beta0 = beta;
    const int seat = p.ToMove();
    const bool minimizing = ((side_ >> seat) & 1) != 0;
    const int first = !minimizing && opponentsByModel_ ? ModelMove(p, *rules_, partnership_)
                                                       : PolicyMove(p, *rules_, partnership_);
    const CardBits moves =
        !minimizing && opponentsByPolicy_ ? Bit(first) : Candidates(p, LegalMoves(p, *rules_));
    // The policy's card (or the equal card that stands for it) goes first.
    int order[kSuitLength * 4];
    int n = 0;
    int firstRep = -1;
    for (CardBits b = moves; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        if (bit <= first && SuitOfBit(bit) == SuitOfBit(first)) {
            firstRep = bit;  // the highest distinct card not above it stands for it
        }
    }
    if (firstRep >= 0) {
        order[n++] = firstRep;
    }
    for (CardBits b = moves; b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        if (bit != firstRep) {
            order[n++] = bit;
        }
    }
    int best = minimizing ? 100000 : -100000;
    for (int i = 0; i < n; ++i) {
        TrickPosition next = p;
        PlayCard(next, *rules_, order[i]);
        int gained = 0;
        for (int s = 0; s < kSeats; ++s) {
            if ((side_ >> s) & 1) {
                gained += next.points[s] - p.points[s];
            }
        }
        next.points = p.points;
        const int value = gained + Search(next, alpha - gained, beta - gained);
        if (minimizing) {
            best = std::min(best, value);
            beta = std::min(beta, value);
        } else {
            best = std::max(best, value);
            alpha = std::max(alpha, value);
        }
        if (alpha >= beta) {
            break;
        }
    }
    if (entry != nullptr) {
        if (entry->key != key) {
            *entry = Entry{key, 0, 10000};
        }
        if (best <= alpha0) {
            entry->upper = static_cast<int16_t>(std::min<int>(entry->upper, best));
        } else if (best >= beta0) {
            entry->lower = static_cast<int16_t>(std::max<int>(entry->lower, best));
        } else {
            entry->lower = entry->upper = static_cast<int16_t>(best);
        }
    }
    return best;
}
