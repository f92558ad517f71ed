#include "players/trick_choice.h"

#include "cards/rules.h"
#include "players/computer_player.h"
#include "players/player_knowledge.h"

namespace {

constexpr double kIllegalScore = -150000.0;
constexpr double kStartingBest = -500000.0;
constexpr double kPenaltyDangerCost = 200.0;
constexpr double kHeartLeadShift = 15.0;
constexpr double kLeadShift = 10.0;
constexpr int16_t kAce = 1;

// The penalty already on the table weighs heavily against winning the trick. The product is taken in
// single precision, as the seat's arithmetic has always been.
double TablePenaltyCost(float tablePenalty) {
    const float cost = 1000.0F * tablePenalty;
    return static_cast<double>(cost);
}

// The candidate's own penalty, as a whole number.
int16_t OwnPenaltyCost(int16_t penalty) {
    return static_cast<int16_t>(50 * penalty);
}

double LeadScore(const GameState& s, int seat, int16_t card, double value, bool holdsKingOfHearts,
                 std::span<const int16_t> list, int count) {
    const bool heart = s.CardSuit[card] == kHearts;
    double score = -value;
    if (s.Contract == kKing && holdsKingOfHearts) {
        // With the king of hearts in hand the seat leads high and keeps away from hearts.
        score = value;
        if (heart) {
            score -= kHeartLeadShift;
        }
    } else if (s.Contract == kQueens && ListHasQueenOfSuit(s, s.CardSuit[card], list, count)) {
        score -= kLeadShift;  // do not draw out the suit of one's own queen
    } else if (s.Options.Partnership && s.Contract == kKing &&
               s.SeatInfo[WrapSeat(seat + 2)][kKingLeadSignalCell] != 0) {
        // The partner holds the king of hearts: keep hearts back.
        if (heart) {
            score -= kHeartLeadShift;
        }
    } else if (s.Contract == kKing) {
        if (heart) {
            score += kLeadShift;  // hunt the king of hearts
        }
    } else if (s.Contract == kQueens) {
        if (s.CardRank[card] != kAce) {
            score += kLeadShift;
        }
    }
    return score;
}

}  // namespace

bool SignalsKingLead(const GameState& s, int seat) {
    const auto list = CandidateList(s, seat);
    const int count = static_cast<int>(list.size());
    return s.TableCount == 0 && count > 0 && ListHasKingOfHearts(s, list, count);
}

std::vector<double> TrickCardScores(const GameState& s, int seat) {
    const auto list = CandidateList(s, seat);
    const int count = static_cast<int>(list.size());
    std::vector<double> scores(list.size(), 0.0);

    const float tablePenalty = TablePenalty(s);
    const bool holdsKingOfHearts = ListHasKingOfHearts(s, list, count);
    const int16_t winningSlot = WinningSlot(s);
    const bool partnerWinsAsFourth = PartnerWinningAsFourth(s);
    const bool partnership = s.Options.Partnership;
    const KnownHeights known = CountKnownHeights(s, list, count);

    for (int i = 0; i < count; ++i) {
        const int16_t card = list[i];
        const int16_t penalty = PenaltyCount(s, card);
        const double value = HeightValue(s, card, known);
        const bool wins = WouldWinNow(s, card);
        double& score = scores[i];
        switch (s.TableCount) {
            case 0:
                score = LeadScore(s, seat, card, value, holdsKingOfHearts, list, count);
                break;
            case 1:
            case 2:
                if (wins) {
                    score = -value - TablePenaltyCost(tablePenalty);
                    if (PenaltyDanger(s, card, list, count)) {
                        score -= kPenaltyDangerCost;
                    }
                    score -= OwnPenaltyCost(penalty);
                } else if (s.TableCount == 2 && partnership && winningSlot == 0) {
                    score = value - OwnPenaltyCost(penalty);  // keep penalties off the partner's trick
                } else {
                    score = value + OwnPenaltyCost(penalty);
                }
                break;
            default:
                if (wins) {
                    score = value - TablePenaltyCost(tablePenalty) - OwnPenaltyCost(penalty);
                } else if (partnership && partnerWinsAsFourth) {
                    score = value - OwnPenaltyCost(penalty);
                } else {
                    score = value + OwnPenaltyCost(penalty);
                }
                break;
        }
    }

    if (s.TableCount > 0) {
        // The rules the seat must obey, each judged over the whole hand.
        const int32_t ledSuit = s.CardSuit[s.TableCards[0].Card];
        const bool followsSuit = ListHasLedSuit(s, list, count);
        const auto held = list.first(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const int16_t card = list[i];
            bool illegal = followsSuit && s.CardSuit[card] != ledSuit;
            if (!followsSuit) {
                switch (s.Contract) {
                    case kKing:
                        illegal = HoldsKingOfHearts(s, held) && card != kKingOfHearts;
                        break;
                    case kQueens:
                        illegal = HoldsQueen(s, held) && s.CardRank[card] != 12;
                        break;
                    case kDiamonds:
                        illegal = HoldsDiamond(s, held) && s.CardSuit[card] != kDiamondsSuit;
                        break;
                    default:
                        break;
                }
            }
            if (illegal) {
                scores[i] = kIllegalScore;
            }
        }
    }
    return scores;
}

int16_t ChooseTrickCard(const GameState& s, int seat) {
    const auto list = CandidateList(s, seat);
    const std::vector<double> scores = TrickCardScores(s, seat);
    double best = kStartingBest;
    for (double score : scores) {
        if (score > best) {
            best = score;
        }
    }
    for (size_t i = 0; i < scores.size(); ++i) {
        if (scores[i] == best) {
            return list[i];
        }
    }
    return -1;  // an empty hand has nothing to play
}

void NoteKingLeadSignal(GameState& s, int seat) {
    if (SignalsKingLead(s, seat)) {
        s.SeatInfo[seat][kKingLeadSignalCell] = kTrueCell;
    }
}
