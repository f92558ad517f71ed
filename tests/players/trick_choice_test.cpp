#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "players/computer_player.h"
#include "players/player_knowledge.h"
#include "players/trick_choice.h"
#include "test_support.h"

namespace {

constexpr int kSeat = 1;

// One seat about to play: its hand, the trick so far, and the cards the won piles hold.
class TrickChoiceTest : public ::testing::Test {
protected:
    void SetUp(int16_t contract, std::initializer_list<std::string_view> hand,
               std::initializer_list<std::string_view> table, bool partnership = false) {
        s = MakeState(contract);
        s.Options.Partnership = partnership;
        s.CurrentSeat = kSeat;
        GiveHand(s, kSeat, hand);
        PutOnTable(s, table);
    }

    void GiveWonPile(int seat, std::initializer_list<std::string_view> cards) {
        for (std::string_view name : cards) {
            CardRecord& record = s.WonPile[seat][s.WonCount[seat]++];
            record.Card = CardId(name);
            record.InUse = true;
        }
    }

    double Value(std::string_view card) const {
        const auto list = CandidateList(s, kSeat);
        return HeightValue(s, CardId(card), list, static_cast<int>(list.size()));
    }

    // The score of a card of the seat's hand.
    double Score(std::string_view card) const {
        const auto list = CandidateList(s, kSeat);
        const std::vector<double> scores = TrickCardScores(s, kSeat);
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i] == CardId(card)) {
                return scores[i];
            }
        }
        ADD_FAILURE() << card << " is not in the hand";
        return 0.0;
    }

    int16_t Chosen() const { return ChooseTrickCard(s, kSeat); }

    GameState s;
};

// --- What the seat knows ------------------------------------------------------------------------

TEST_F(TrickChoiceTest, AceOfAnUnknownSuitIsWorthItsHeight) {
    SetUp(kTricks, {"AS", "2C"}, {});
    EXPECT_DOUBLE_EQ(Value("AS"), 12.0);
}

TEST_F(TrickChoiceTest, KnownCardsAroundTheCandidateRaiseItsValue) {
    SetUp(kTricks, {"9S", "2S"}, {"KS"});
    GiveWonPile(3, {"5S", "AS", "QH"});
    // 9S (height 7): higher KS, AS; lower 2S, 5S -> 7 + |2 - 2| + 4 / 10.
    EXPECT_EQ(KnownHigher(s, CardId("9S"), CandidateList(s, kSeat), 2), 2);
    EXPECT_EQ(KnownLower(s, CardId("9S"), CandidateList(s, kSeat), 2), 2);
    EXPECT_DOUBLE_EQ(Value("9S"), 7.4);
    // 2S (height 0): four known cards above, none below.
    EXPECT_DOUBLE_EQ(Value("2S"), 0 + 4 + 0.4);
}

TEST_F(TrickChoiceTest, HelpersCountOnlyTheFirstCountCandidates) {
    SetUp(kTricks, {"9S", "2S"}, {});
    EXPECT_EQ(KnownLower(s, CardId("9S"), CandidateList(s, kSeat), 1), 0);
    EXPECT_FALSE(IsAccountedFor(s, 2, kSpades, CandidateList(s, kSeat), 1));
    EXPECT_TRUE(IsAccountedFor(s, 2, kSpades, CandidateList(s, kSeat), 2));
}

TEST_F(TrickChoiceTest, WouldWinNowNeedsTheLedSuitAndTheHighestCardOfIt) {
    SetUp(kTricks, {"AC", "QC", "AH"}, {"5C", "KC", "AH"});
    EXPECT_TRUE(WouldWinNow(s, CardId("AC")));
    EXPECT_FALSE(WouldWinNow(s, CardId("QC")));  // under the king already down
    EXPECT_FALSE(WouldWinNow(s, CardId("AH")));  // another suit never wins
    PutOnTable(s, {});
    EXPECT_FALSE(WouldWinNow(s, CardId("AC")));  // nothing to win on an empty table
}

TEST_F(TrickChoiceTest, ListTestsBelongToTheirContracts) {
    SetUp(kQueens, {"KH", "QS"}, {"5S"});
    const auto list = CandidateList(s, kSeat);
    EXPECT_FALSE(ListHasKingOfHearts(s, list, 2));  // not in Queens
    EXPECT_TRUE(ListHasQueenOfSuit(s, kSpades, list, 2));
    EXPECT_FALSE(ListHasQueenOfSuit(s, kHearts, list, 2));
    EXPECT_TRUE(ListHasLedSuit(s, list, 2));
    s.Contract = kKing;
    EXPECT_TRUE(ListHasKingOfHearts(s, list, 2));
    EXPECT_FALSE(ListHasQueenOfSuit(s, kSpades, list, 2));  // not in King
}

struct DangerCase {
    const char* rule;
    int16_t contract;
    std::string_view led;
    std::vector<std::string_view> wonPile;
    std::string_view candidate;
    bool danger;
};

void PrintTo(const DangerCase& c, std::ostream* os) {
    *os << c.rule;
}

class PenaltyDangerTest : public ::testing::TestWithParam<DangerCase> {};

TEST_P(PenaltyDangerTest, FollowerFearsTheUnseenCardsOfTheLedSuit) {
    const DangerCase& c = GetParam();
    GameState s = MakeState(c.contract);
    GiveHand(s, kSeat, {c.candidate, "2D"});
    for (std::string_view name : c.wonPile) {
        s.WonPile[2][s.WonCount[2]++].Card = CardId(name);
    }
    CardRecord& led = s.TableCards[0];
    led.Card = CardId(c.led);
    s.TableCount = 1;
    EXPECT_EQ(PenaltyDanger(s, CardId(c.candidate), CandidateList(s, kSeat), 2), c.danger) << c.rule;
}

INSTANTIATE_TEST_SUITE_P(
    Players, PenaltyDangerTest,
    ::testing::Values(DangerCase{"Queens: jack unseen, candidate above it", kQueens, "5S", {}, "KS", true},
                      DangerCase{"Queens: jack seen, king held", kQueens, "5S", {"JS"}, "KS", false},
                      DangerCase{
                          "Queens: jack seen, king unseen, ace above it", kQueens, "5S", {"JS"}, "AS", true},
                      DangerCase{"Queens: jack unseen, candidate below it", kQueens, "5S", {}, "10S", false},
                      DangerCase{"King: queen of hearts unseen, ace of hearts", kKing, "5H", {}, "AH", true},
                      DangerCase{"King: queen of hearts taken", kKing, "5H", {"QH"}, "AH", false},
                      DangerCase{"King: candidate under the queen", kKing, "5H", {}, "JH", false},
                      DangerCase{"Tricks never fears", kTricks, "5H", {}, "AH", false},
                      DangerCase{"Diamonds never fears", kDiamonds, "5D", {}, "AD", false}));

// --- Following -----------------------------------------------------------------------------------

TEST_F(TrickChoiceTest, TricksFourthSeatDucksUnderTheFullTrick) {
    SetUp(kTricks, {"10C", "2C"}, {"5C", "9C", "3C"});
    // Every card is a penalty in Tricks: tp is 3, so winning costs 3000 and the card's own 50.
    EXPECT_DOUBLE_EQ(Score("10C"), Value("10C") - 3050);
    EXPECT_DOUBLE_EQ(Score("2C"), Value("2C") + 50);
    EXPECT_EQ(Chosen(), CardId("2C"));
}

TEST_F(TrickChoiceTest, FourthSeatKeepsItsPenaltyOffThePartnersTrick) {
    // Partner (second to play) is winning with the king: the fourth seat's losing cards lose 50 per
    // penalty instead of gaining it.
    SetUp(kDiamonds, {"QD", "3D"}, {"5D", "KD", "7D"}, true);
    ASSERT_TRUE(PartnerWinningAsFourth(s));
    EXPECT_DOUBLE_EQ(Score("QD"), Value("QD") - 50);
    EXPECT_DOUBLE_EQ(Score("3D"), Value("3D") - 50);
    s.Options.Partnership = false;
    EXPECT_DOUBLE_EQ(Score("QD"), Value("QD") + 50);
}

TEST_F(TrickChoiceTest, FourthSeatWithoutPenaltiesAroundPlaysItsHighestCard) {
    SetUp(kKing, {"AS", "3S"}, {"5S", "9S", "2S"});
    EXPECT_EQ(Chosen(), CardId("AS"));
}

TEST_F(TrickChoiceTest, QueensSecondSeatDropsTheQueenUnderTheKing) {
    SetUp(kQueens, {"3S", "QS"}, {"KS"});
    EXPECT_DOUBLE_EQ(Score("QS"), Value("QS") + 50);
    EXPECT_DOUBLE_EQ(Score("3S"), Value("3S"));
    EXPECT_EQ(Chosen(), CardId("QS"));
}

TEST_F(TrickChoiceTest, SecondSeatThatMustWinWinsLowAndFearsTheUnseenPenalty) {
    SetUp(kQueens, {"AS", "KS"}, {"10S"});
    // Neither the jack nor the king of spades is known to be gone for the ace; the king only misses
    // the jack.
    EXPECT_DOUBLE_EQ(Score("AS"), -Value("AS") - 200);
    EXPECT_DOUBLE_EQ(Score("KS"), -Value("KS") - 200);
    EXPECT_EQ(Chosen(), CardId("KS"));
}

TEST_F(TrickChoiceTest, WinningCostsThePenaltyOnTheTable) {
    SetUp(kQueens, {"AH", "2C"}, {"QH", "5H"});
    // Third seat: the queen is on the table (tp 1) and the seat must follow hearts. The jack of hearts
    // is still out, so the ace also fears it.
    EXPECT_DOUBLE_EQ(Score("AH"), -Value("AH") - 1000 - 200);
    EXPECT_DOUBLE_EQ(Score("2C"), -150000.0);
    EXPECT_EQ(Chosen(), CardId("AH"));
    GiveWonPile(0, {"JH", "KH"});
    EXPECT_DOUBLE_EQ(Score("AH"), -Value("AH") - 1000);
}

TEST_F(TrickChoiceTest, PartnershipThirdSeatIsForcedToPlayADiamond) {
    // The partner led the ace of clubs and is winning; the seat is void in clubs.
    SetUp(kDiamonds, {"KS", "5D"}, {"AC", "2C"}, true);
    ASSERT_EQ(WinningSlot(s), 0);
    EXPECT_DOUBLE_EQ(Score("5D"), Value("5D") - 50);
    EXPECT_DOUBLE_EQ(Score("KS"), -150000.0);
    EXPECT_EQ(Chosen(), CardId("5D"));
}

TEST_F(TrickChoiceTest, ThirdSeatShedsPenaltiesWhenTheOpponentsWin) {
    SetUp(kDiamonds, {"KS", "5D"}, {"AC", "2C"}, false);
    EXPECT_DOUBLE_EQ(Score("5D"), Value("5D") + 50);
    EXPECT_EQ(Chosen(), CardId("5D"));
}

struct ForcedCase {
    const char* rule;
    int16_t contract;
    std::vector<std::string_view> table;
    std::vector<std::string_view> hand;
    std::string_view played;
};

void PrintTo(const ForcedCase& c, std::ostream* os) {
    *os << c.rule;
}

class ForcedPlayTest : public ::testing::TestWithParam<ForcedCase> {};

TEST_P(ForcedPlayTest, SeatObeysTheRules) {
    const ForcedCase& c = GetParam();
    GameState s = MakeState(c.contract);
    s.CurrentSeat = kSeat;
    s.Hand[kSeat] = {};
    for (size_t i = 0; i < c.hand.size(); ++i) {
        s.Hand[kSeat][i].Card = CardId(c.hand[i]);
        s.Hand[kSeat][i].InUse = true;
    }
    RebuildHeld(s, kSeat);
    s.TableCount = 0;
    for (std::string_view name : c.table) {
        s.TableCards[s.TableCount++].Card = CardId(name);
    }
    EXPECT_EQ(ChooseTrickCard(s, kSeat), CardId(c.played)) << c.rule;
}

INSTANTIATE_TEST_SUITE_P(
    Players, ForcedPlayTest,
    ::testing::Values(
        ForcedCase{"follows suit with its only club", kTricks, {"KC"}, {"AH", "AS", "2C", "AD"}, "2C"},
        ForcedCase{"King void: the king of hearts goes", kKing, {"5C"}, {"2S", "KH", "3D"}, "KH"},
        ForcedCase{"King following clubs keeps the king", kKing, {"5C"}, {"KH", "4C"}, "4C"},
        ForcedCase{"Queens void: a queen goes", kQueens, {"5C"}, {"2S", "QD", "AH"}, "QD"},
        ForcedCase{"Diamonds void: a diamond goes", kDiamonds, {"5C"}, {"AS", "KS", "2D"}, "2D"}));

// Card names separated by spaces, as the cases below spell hands and tricks.
std::vector<std::string_view> Cards(std::string_view names) {
    std::vector<std::string_view> cards;
    while (!names.empty()) {
        const size_t space = names.find(' ');
        cards.push_back(names.substr(0, space));
        names = space == std::string_view::npos ? std::string_view{} : names.substr(space + 1);
    }
    return cards;
}

// Scores by the seat's place in the trick, as the card's value v plus or minus what the place adds.
struct ScoreCase {
    const char* rule;
    int16_t contract;
    bool partnership;
    std::string_view hand;
    std::string_view table;
    int signalledSeat;  // a seat whose King lead signal is set, or -1
    std::string_view card;
    double valueSign;  // the score starts from +v or -v
    double offset;
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << c.rule;
}

class TrickScoreTest : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(TrickScoreTest, ScoreFollowsThePlaceInTheTrick) {
    const ScoreCase& c = GetParam();
    GameState s = MakeState(c.contract);
    s.Options.Partnership = c.partnership;
    s.CurrentSeat = kSeat;
    s.Hand[kSeat] = {};
    const auto hand = Cards(c.hand);
    for (size_t i = 0; i < hand.size(); ++i) {
        s.Hand[kSeat][i].Card = CardId(hand[i]);
        s.Hand[kSeat][i].InUse = true;
    }
    RebuildHeld(s, kSeat);
    s.TableCount = 0;
    for (std::string_view name : Cards(c.table)) {
        s.TableCards[s.TableCount++].Card = CardId(name);
    }
    if (c.signalledSeat >= 0) {
        s.SeatInfo[c.signalledSeat][kKingLeadSignalCell] = kTrueCell;
    }
    const auto list = CandidateList(s, kSeat);
    const int count = static_cast<int>(list.size());
    const std::vector<double> scores = TrickCardScores(s, kSeat);
    for (int i = 0; i < count; ++i) {
        if (list[i] == CardId(c.card)) {
            const double v = HeightValue(s, list[i], list, count);
            EXPECT_DOUBLE_EQ(scores[i], c.valueSign * v + c.offset) << c.rule;
            return;
        }
    }
    ADD_FAILURE() << c.card << " is not in the hand";
}

constexpr int kPartnerSeat = (kSeat + 2) % kSeats;
constexpr int kNoSignal = -1;
constexpr bool kAlone = false;
constexpr bool kPartners = true;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Players, TrickScoreTest, ::testing::Values(
    // The jack and king of spades are unseen, yet nothing can follow the fourth seat.
    ScoreCase{"fourth seat winning pays no danger charge",
              kQueens, kAlone, "AS 2S", "5S 7S 3S", kNoSignal, "AS", +1, 0.0},
    // The queen of hearts is unseen (danger 200) and the king itself is a penalty (50).
    ScoreCase{"second seat winning with its own penalty card pays for both",
              kKing, kAlone, "KH 2H", "5H", kNoSignal, "KH", -1, -250.0},
    ScoreCase{"third seat sheds its penalty when an opponent has beaten the partner",
              kDiamonds, kPartners, "QD 2S", "5C KC", kNoSignal, "QD", +1, 50.0},
    ScoreCase{"fourth seat sheds its penalty when the partner has been beaten",
              kDiamonds, kPartners, "QD 3D", "5D 9D JD", kNoSignal, "3D", +1, 50.0},
    ScoreCase{"fourth seat winning pays for every penalty on the table",
              kDiamonds, kPartners, "QD 3D", "5D 9D JD", kNoSignal, "QD", +1, -3050.0},
    ScoreCase{"King leader without partnership ignores the partner's signal",
              kKing, kAlone, "2H 2S", "", kPartnerSeat, "2H", -1, 10.0},
    ScoreCase{"King leader holding the king leads high whatever the partner signalled",
              kKing, kPartners, "KH 2H 3S", "", kPartnerSeat, "2H", +1, -15.0},
    ScoreCase{"King leader holding the king: other suits keep +v",
              kKing, kPartners, "KH 2H 3S", "", kPartnerSeat, "3S", +1, 0.0},
    ScoreCase{"Queens leader: an ace of a suit without the own queen keeps -v",
              kQueens, kPartners, "AH 2S", "", kNoSignal, "AH", -1, 0.0},
    ScoreCase{"Tricks leader: no shift at all",
              kTricks, kPartners, "AH 2S", "", kPartnerSeat, "2S", -1, 0.0}));
// clang-format on

// --- Leading ---------------------------------------------------------------------------------------

TEST_F(TrickChoiceTest, QueensLeaderKeepsAwayFromItsQueensSuit) {
    SetUp(kQueens, {"QS", "5S", "AS", "7H", "AC", "9D"}, {});
    for (std::string_view spade : {"QS", "5S", "AS"}) {
        EXPECT_DOUBLE_EQ(Score(spade), -Value(spade) - 10) << spade;
    }
    EXPECT_DOUBLE_EQ(Score("7H"), -Value("7H") + 10);
    EXPECT_DOUBLE_EQ(Score("9D"), -Value("9D") + 10);
    EXPECT_DOUBLE_EQ(Score("AC"), -Value("AC"));
}

TEST_F(TrickChoiceTest, LeaderLeadsItsLowestValuedCard) {
    SetUp(kTricks, {"KC", "4S", "9H"}, {});
    EXPECT_EQ(Chosen(), CardId("4S"));
}

TEST_F(TrickChoiceTest, KingLeaderHoldingTheKingLeadsHighAwayFromHearts) {
    SetUp(kKing, {"KH", "2H", "AS", "3C"}, {});
    EXPECT_DOUBLE_EQ(Score("AS"), Value("AS"));
    EXPECT_DOUBLE_EQ(Score("KH"), Value("KH") - 15);
    EXPECT_EQ(Chosen(), CardId("AS"));
    EXPECT_TRUE(SignalsKingLead(s, kSeat));
}

TEST_F(TrickChoiceTest, KingLeaderHuntsTheKingOfHearts) {
    SetUp(kKing, {"2H", "2S"}, {});
    EXPECT_DOUBLE_EQ(Score("2H"), -Value("2H") + 10);
    EXPECT_DOUBLE_EQ(Score("2S"), -Value("2S"));
    EXPECT_EQ(Chosen(), CardId("2H"));
}

TEST_F(TrickChoiceTest, KingLeaderSparesHeartsWhenThePartnerSignalledTheKing) {
    SetUp(kKing, {"2H", "2S"}, {}, true);
    s.SeatInfo[(kSeat + 2) % kSeats][kKingLeadSignalCell] = kTrueCell;
    EXPECT_DOUBLE_EQ(Score("2H"), -Value("2H") - 15);
    EXPECT_DOUBLE_EQ(Score("2S"), -Value("2S"));
    EXPECT_EQ(Chosen(), CardId("2S"));
    // An opponent's signal means nothing to the seat.
    s.SeatInfo[(kSeat + 2) % kSeats][kKingLeadSignalCell] = 0;
    s.SeatInfo[(kSeat + 1) % kSeats][kKingLeadSignalCell] = kTrueCell;
    EXPECT_EQ(Chosen(), CardId("2H"));
}

TEST_F(TrickChoiceTest, KingLeadSignalIsNotedOnlyWhenLeadingKingWithTheKing) {
    SetUp(kKing, {"KH", "2S"}, {});
    NoteKingLeadSignal(s, kSeat);
    EXPECT_EQ(s.SeatInfo[kSeat][kKingLeadSignalCell], kTrueCell);

    SetUp(kKing, {"KH", "2S"}, {"5S"});  // following
    NoteKingLeadSignal(s, kSeat);
    EXPECT_EQ(s.SeatInfo[kSeat][kKingLeadSignalCell], 0);

    SetUp(kQueens, {"KH", "2S"}, {});  // another contract
    NoteKingLeadSignal(s, kSeat);
    EXPECT_EQ(s.SeatInfo[kSeat][kKingLeadSignalCell], 0);

    SetUp(kKing, {"QH", "2S"}, {});  // no king
    NoteKingLeadSignal(s, kSeat);
    EXPECT_EQ(s.SeatInfo[kSeat][kKingLeadSignalCell], 0);
}

TEST_F(TrickChoiceTest, EqualScoresGoToTheEarlierCard) {
    SetUp(kTricks, {"2C", "2H"}, {});
    EXPECT_EQ(Chosen(), CardId("2C"));
    SetUp(kTricks, {"2H", "2C"}, {});
    EXPECT_EQ(Chosen(), CardId("2H"));
}

TEST_F(TrickChoiceTest, ActsForTheSeatItIsGivenNotTheSeatToMove) {
    SetUp(kTricks, {"9S", "2S"}, {});
    GiveHand(s, 0, {"KD", "3D"});
    s.CurrentSeat = 3;
    EXPECT_EQ(ChooseTrickCard(s, 0), CardId("3D"));
    EXPECT_EQ(ChooseTrickCard(s, kSeat), CardId("2S"));
}

TEST_F(TrickChoiceTest, EverySeatReadsTheSignalOfTheSeatOppositeIt) {
    for (int seat = 0; seat < kSeats; ++seat) {
        SetUp(kKing, {}, {}, true);
        GiveHand(s, seat, {"2H", "2S"});
        s.CurrentSeat = static_cast<int16_t>(seat);
        s.SeatInfo[(seat + 2) % kSeats][kKingLeadSignalCell] = kTrueCell;
        EXPECT_EQ(ChooseTrickCard(s, seat), CardId("2S")) << "seat " << seat;  // hearts kept back
        s.SeatInfo[(seat + 2) % kSeats][kKingLeadSignalCell] = 0;
        s.SeatInfo[(seat + 1) % kSeats][kKingLeadSignalCell] = kTrueCell;
        s.SeatInfo[(seat + 3) % kSeats][kKingLeadSignalCell] = kTrueCell;
        EXPECT_EQ(ChooseTrickCard(s, seat), CardId("2H")) << "seat " << seat;  // opponents' signals ignored
    }
}

TEST_F(TrickChoiceTest, KingLeadSignalIsNotedWithoutPartnershipsToo) {
    SetUp(kKing, {"KH", "2S"}, {}, false);
    NoteKingLeadSignal(s, kSeat);
    EXPECT_EQ(s.SeatInfo[kSeat][kKingLeadSignalCell], kTrueCell);
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat != kSeat) {
            EXPECT_EQ(s.SeatInfo[seat][kKingLeadSignalCell], 0) << "seat " << seat;
        }
    }
}

TEST_F(TrickChoiceTest, EmptyHandHasNothingToPlay) {
    SetUp(kTricks, {}, {"5C"});
    EXPECT_EQ(Chosen(), -1);
}

}  // namespace
