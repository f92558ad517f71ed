#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "test_support.h"

namespace {

// --- Legality of the human's card -------------------------------------------------------------

struct LegalityCase {
    const char* rule;
    int16_t contract;
    std::vector<std::string_view> table;
    std::vector<std::string_view> hand;
    std::vector<std::string_view> legal;  // every other card of the hand must be refused
};

void PrintTo(const LegalityCase& c, std::ostream* os) {
    *os << c.rule;
}

class LegalityTest : public ::testing::TestWithParam<LegalityCase> {};

TEST_P(LegalityTest, ExactlyTheExpectedCardsArePlayable) {
    const LegalityCase& c = GetParam();
    GameState s = MakeState(c.contract);
    s.TableCount = 0;
    for (std::string_view name : c.table) {
        CardRecord& r = s.TableCards[s.TableCount++];
        r.Card = CardId(name);
        r.InUse = true;
    }
    for (auto& r : s.Hand[0]) {
        r.InUse = false;
    }
    for (size_t i = 0; i < c.hand.size(); ++i) {
        s.Hand[0][i].Card = CardId(c.hand[i]);
        s.Hand[0][i].InUse = true;
    }
    RebuildHeld(s, 0);
    for (size_t i = 0; i < c.hand.size(); ++i) {
        bool expected = false;
        for (std::string_view name : c.legal) {
            expected = expected || name == c.hand[i];
        }
        EXPECT_EQ(IsLegalPlay(s, s.Hand[0][i]), expected) << c.rule << ": " << c.hand[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LegalityTest,
    ::testing::Values(
        LegalityCase{"lead anything in King", kKing, {}, {"KH", "2C", "QS"}, {"KH", "2C", "QS"}},
        LegalityCase{"lead anything in Diamonds", kDiamonds, {}, {"AD", "2C"}, {"AD", "2C"}},
        LegalityCase{"follow suit", kTricks, {"5C"}, {"KC", "2C", "AH", "QS"}, {"KC", "2C"}},
        LegalityCase{"Tricks void: anything", kTricks, {"5C"}, {"AH", "QS", "2D"}, {"AH", "QS", "2D"}},
        LegalityCase{
            "Queens void: both queens forced", kQueens, {"5H"}, {"QS", "QC", "2D", "AS"}, {"QS", "QC"}},
        LegalityCase{"Queens void without queens", kQueens, {"5H"}, {"KS", "2D"}, {"KS", "2D"}},
        LegalityCase{"Queens following suit may keep the queen", kQueens, {"5H"}, {"QS", "2H"}, {"2H"}},
        LegalityCase{"King void: king of hearts forced", kKing, {"5C"}, {"KH", "2H", "AD"}, {"KH"}},
        LegalityCase{"King void without the king", kKing, {"5C"}, {"QH", "AD"}, {"QH", "AD"}},
        LegalityCase{
            "King led hearts: follow, king not forced", kKing, {"5H"}, {"KH", "2H", "AD"}, {"KH", "2H"}},
        LegalityCase{
            "Diamonds heart led: only hearts", kDiamonds, {"5H"}, {"2H", "9H", "AD", "3D"}, {"2H", "9H"}},
        LegalityCase{
            "Diamonds void: diamonds forced", kDiamonds, {"5H", "6H"}, {"AD", "3D", "KS"}, {"AD", "3D"}},
        LegalityCase{"Diamonds void without diamonds", kDiamonds, {"5H"}, {"KS", "2C"}, {"KS", "2C"}},
        LegalityCase{"Diamonds diamond led: follow", kDiamonds, {"5D"}, {"AD", "KS"}, {"AD"}}));

TEST(Legality, LayoutContractAcceptsOnlyFittingCards) {
    GameState s = MakeState(kLayoutContract);
    s.SuitHigh.fill(10);
    s.SuitLow.fill(12);
    GiveHand(s, 0, {"JS", "10S", "QS", "AS"});
    EXPECT_TRUE(IsLegalPlay(s, s.Hand[0][0]));
    EXPECT_FALSE(IsLegalPlay(s, s.Hand[0][1]));
    EXPECT_FALSE(IsLegalPlay(s, s.Hand[0][2]));
    EXPECT_FALSE(IsLegalPlay(s, s.Hand[0][3]));
}

TEST(Legality, PlayedSlotsDoNotCountAsHoldingTheSuit) {
    GameState s = MakeState(kTricks);
    PutOnTable(s, {"5C"});
    GiveHand(s, 0, {"2C", "AH"});
    s.Hand[0][0].InUse = false;  // the club has been played already
    RebuildHeld(s, 0);
    EXPECT_TRUE(IsLegalPlay(s, s.Hand[0][1]));
}

// --- Beats, trick winner, winning slot ----------------------------------------------------------

TEST(Beats, SameSuitHigherOnlyAndNeverOnAnEmptyTable) {
    GameState s = MakeState(kTricks);
    PutOnTable(s, {"5C"});
    EXPECT_TRUE(Beats(s, CardId("AC"), CardId("KC")));
    EXPECT_FALSE(Beats(s, CardId("KC"), CardId("AC")));
    EXPECT_FALSE(Beats(s, CardId("AH"), CardId("2C")));
    EXPECT_FALSE(Beats(s, CardId("2C"), CardId("AH")));
    s.TableCount = 0;
    EXPECT_FALSE(Beats(s, CardId("AC"), CardId("KC")));
    // In the layout contract the ace is the lowest card.
    s = MakeState(kLayoutContract);
    PutOnTable(s, {"5C"});
    EXPECT_TRUE(Beats(s, CardId("KC"), CardId("AC")));
}

struct TrickCase {
    std::vector<std::string_view> cards;
    int16_t winningSlot;          // after all the cards given
    bool partnerWinningAsFourth;  // meaningful with three cards
};

void PrintTo(const TrickCase& c, std::ostream* os) {
    for (std::string_view card : c.cards) {
        *os << card << ' ';
    }
}

class TrickTest : public ::testing::TestWithParam<TrickCase> {};

TEST_P(TrickTest, WinnerOfTheTrickInProgress) {
    const TrickCase& c = GetParam();
    GameState s = MakeState(kTricks);
    s.TableCount = 0;
    for (std::string_view name : c.cards) {
        s.TableCards[s.TableCount++].Card = CardId(name);
    }
    if (c.cards.size() == 4) {
        EXPECT_EQ(TrickWinnerSlot(s), c.winningSlot);
    } else {
        EXPECT_EQ(WinningSlot(s), c.winningSlot);
    }
    EXPECT_EQ(PartnerWinningAsFourth(s), c.partnerWinningAsFourth);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TrickTest,
    ::testing::Values(TrickCase{{"5C"}, 0, false}, TrickCase{{"5C", "KC"}, 1, false},
                      TrickCase{{"5C", "AH"}, 0, false}, TrickCase{{"5C", "KC", "AH"}, 1, true},
                      TrickCase{{"5C", "KC", "AC"}, 2, false}, TrickCase{{"5C", "3C", "9C"}, 2, false},
                      TrickCase{{"5C", "3C", "2H"}, 0, false}, TrickCase{{"5C", "KC", "QC"}, 1, true},
                      TrickCase{{"5C", "KC", "AC", "2C"}, 2, false},
                      TrickCase{{"5C", "2H", "3D", "4S"}, 0, false},
                      TrickCase{{"5C", "2H", "3D", "6C"}, 3, false},
                      TrickCase{{"10H", "JH", "2C", "AH"}, 3, false}));

// --- Penalties ----------------------------------------------------------------------------------

TEST(Penalties, UnitsPerContract) {
    struct Case {
        int16_t contract;
        const char* card;
        int16_t units;
    };
    const Case cases[] = {{kTricks, "2C", 1}, {kDiamonds, "2D", 1}, {kDiamonds, "2H", 0},
                          {kQueens, "QH", 1}, {kQueens, "KH", 0},   {kKing, "KH", 1},
                          {kKing, "QH", 0},   {kKing, "KS", 0},     {kLayoutContract, "KH", 0}};
    for (const Case& c : cases) {
        GameState s = MakeState(c.contract);
        EXPECT_EQ(PenaltyCount(s, CardId(c.card)), c.units) << c.contract << " " << c.card;
    }
    GameState s = MakeState(kQueens);
    PutOnTable(s, {"QC", "2C", "QS"});
    EXPECT_EQ(TablePenalty(s), 2);
}

// --- Layout contract ---------------------------------------------------------------------------

TEST(Layout, PlayableCardsGrowOutwardsFromTheJack) {
    GameState s = MakeState(kLayoutContract);
    s.SuitHigh.fill(10);
    s.SuitLow.fill(12);
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("JS")));
    EXPECT_FALSE(IsLayoutPlayable(s, CardId("10S")));
    EXPECT_FALSE(IsLayoutPlayable(s, CardId("QS")));
    s.SuitHigh[kSpades] = 11;
    s.SuitLow[kSpades] = 11;  // the jack is laid
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("10S")));
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("QS")));
    EXPECT_FALSE(IsLayoutPlayable(s, CardId("KS")));
    s.SuitHigh[kHearts] = 12;
    s.SuitLow[kHearts] = 11;  // jack and queen of hearts
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("KH")));
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("10H")));
    EXPECT_FALSE(IsLayoutPlayable(s, CardId("9H")));
    s.SuitLow[kClubs] = 2;
    s.SuitHigh[kClubs] = 13;
    EXPECT_TRUE(IsLayoutPlayable(s, CardId("AC")));
    s.SuitLow[kClubs] = 1;
    for (int16_t id = 0; id < kCards; ++id) {
        if (s.CardSuit[id] == kClubs) {
            EXPECT_FALSE(IsLayoutPlayable(s, id)) << s.CardImageName[id];
        }
    }
}

TEST(Layout, CanPlayLayoutLooksAtTheHeldCardsOfTheSeatToMove) {
    GameState s = MakeState(kLayoutContract);
    s.SuitHigh.fill(10);
    s.SuitLow.fill(12);
    GiveHand(s, 1, {"2C", "JD"});
    GiveHand(s, 2, {"2C", "3D"});
    s.CurrentSeat = 1;
    EXPECT_TRUE(CanPlayLayout(s));
    s.Hand[1][1].InUse = false;
    EXPECT_FALSE(CanPlayLayout(s));
    s.CurrentSeat = 2;
    EXPECT_FALSE(CanPlayLayout(s));
}

TEST(Layout, FinishedOnceThreeSeatsHaveEmptiedTheirHands) {
    GameState s = MakeState(kLayoutContract);
    GiveHand(s, 0, {"2C"});
    GiveHand(s, 1, {"3C"});
    GiveHand(s, 2, {});
    GiveHand(s, 3, {});
    EXPECT_EQ(HeldCardCount(s, 0), 1);
    EXPECT_EQ(HeldCardCount(s, 7), 0);
    EXPECT_FALSE(LayoutFinished(s));
    s.Hand[1][0].InUse = false;
    EXPECT_TRUE(LayoutFinished(s));
    s.Hand[0][0].InUse = false;
    EXPECT_TRUE(LayoutFinished(s));
}

// --- Turn stepping -----------------------------------------------------------------------------

TEST(Seats, SteppingWrapsAround) {
    GameState s = MakeState();
    const struct {
        void (*step)(GameState&);
        int16_t from;
        int16_t to;
    } cases[] = {{NextSeat, 3, 0},        {NextSeat, 1, 2},     {StepSeatForward, 3, 0},
                 {StepSeatForward, 0, 1}, {StepSeatBack, 0, 3}, {StepSeatBack, 2, 1}};
    for (const auto& c : cases) {
        s.CurrentSeat = c.from;
        c.step(s);
        EXPECT_EQ(s.CurrentSeat, c.to) << c.from;
    }
}

// --- Seven of hearts ----------------------------------------------------------------------------

TEST(SevenOfHearts, HolderIsFoundAmongTheHeldEntries) {
    GameState s = MakeState();
    GiveHand(s, 0, {"2C"});
    GiveHand(s, 1, {"3C"});
    GiveHand(s, 2, {"4C", "7H"});
    GiveHand(s, 3, {"5C"});
    EXPECT_EQ(SevenOfHeartsHolder(s), 2);
    s.HeldCount[2] = 1;  // the seven lies beyond the held entries
    EXPECT_EQ(SevenOfHeartsHolder(s), 0);
}

TEST(SevenOfHearts, HolderOwnsTheFirstKingdomAndTheDealCountFollows) {
    GameState s = MakeState();
    GiveHand(s, 0, {"2C"});
    GiveHand(s, 1, {"7H"});
    GiveHand(s, 2, {"4C"});
    GiveHand(s, 3, {"5C"});
    s.FirstSeat = s.KingdomSeat = 0;
    s.SeatInfo[0][kKingdomDealsCell] = 1;
    s.ContractsPlayed = 0;
    GiveFirstKingdomToSevenOfHearts(s);
    EXPECT_EQ(s.FirstSeat, 2);  // the seat after the holder plays first
    EXPECT_EQ(s.KingdomSeat, 2);
    EXPECT_EQ(s.CurrentSeat, 0);  // one step forward reaches the holder, who chooses
    EXPECT_EQ(s.SeatInfo[2][kKingdomDealsCell], 1);
    EXPECT_EQ(s.SeatInfo[0][kKingdomDealsCell], 0);

    // Holder seat 3: the first seat wraps to 0 and the chooser's predecessor is seat 2.
    GameState t = MakeState();
    GiveHand(t, 0, {"2C"});
    GiveHand(t, 3, {"7H"});
    t.FirstSeat = t.KingdomSeat = 0;
    t.SeatInfo[0][kKingdomDealsCell] = 3;
    GiveFirstKingdomToSevenOfHearts(t);
    EXPECT_EQ(t.FirstSeat, 0);
    EXPECT_EQ(t.CurrentSeat, 2);
    EXPECT_EQ(t.SeatInfo[0][kKingdomDealsCell], 3);  // unchanged when the first seat stays
}

TEST(SevenOfHearts, OnlyBeforeTheFirstContractOfTheMatch) {
    GameState s = MakeState();
    GiveHand(s, 1, {"7H"});
    s.FirstSeat = s.KingdomSeat = s.CurrentSeat = 3;
    s.ContractsPlayed = 1;
    GiveFirstKingdomToSevenOfHearts(s);
    EXPECT_EQ(s.FirstSeat, 3);
    EXPECT_EQ(s.CurrentSeat, 3);
}

// --- The human's hand ---------------------------------------------------------------------------

TEST(SortHumanHand, ClubsHeartsSpadesDiamondsHighestFirstOnlyIdsMove) {
    GameState s = MakeState(kTricks);
    GiveHand(s, 0, {"2D", "KC", "AS", "3H", "AC", "10H", "QD"});
    s.Hand[0][3].InUse = false;  // the three of hearts was played: its slot stays out of the sort
    for (int slot = 0; slot < 7; ++slot) {
        s.Hand[0][slot].X = static_cast<float>(100 + slot);
    }
    SortHumanHand(s);
    const std::vector<std::string_view> expected = {"AC", "KC", "10H", "", "AS", "QD", "2D"};
    for (int slot = 0; slot < 7; ++slot) {
        EXPECT_EQ(s.Hand[0][slot].X, static_cast<float>(100 + slot));
        if (slot == 3) {
            EXPECT_EQ(s.Hand[0][slot].Card, CardId("3H"));
        } else {
            EXPECT_EQ(s.Hand[0][slot].Card, CardId(expected[slot])) << slot;
        }
    }
}

TEST(SortHumanHand, LayoutOrderPutsTheAceLast) {
    GameState s = MakeState(kLayoutContract);
    GiveHand(s, 0, {"AC", "2C", "KC"});
    SortHumanHand(s);
    EXPECT_EQ(s.Hand[0][0].Card, CardId("KC"));
    EXPECT_EQ(s.Hand[0][1].Card, CardId("2C"));
    EXPECT_EQ(s.Hand[0][2].Card, CardId("AC"));
}

TEST(NoteHumanPlay, SetsTheKingLeadSignalOnlyWhenEveryConditionHolds) {
    struct Case {
        const char* why;
        bool partnership;
        int16_t contract;
        int16_t tableCount;
        const char* card;
        int heldCards;
        bool otherSignal;
        bool expected;
    };
    const Case cases[] = {
        {"all conditions", true, kKing, 0, "JH", 13, false, true},
        {"ace of hearts", true, kKing, 0, "AH", 8, false, true},
        {"no partnership", false, kKing, 0, "JH", 13, false, false},
        {"not King", true, kQueens, 0, "JH", 13, false, false},
        {"not leading", true, kKing, 1, "JH", 13, false, false},
        {"late in the hand", true, kKing, 0, "JH", 7, false, false},
        {"ten of hearts is low", true, kKing, 0, "10H", 13, false, false},
        {"not a heart", true, kKing, 0, "AS", 13, false, false},
        {"another seat signalled", true, kKing, 0, "JH", 13, true, false},
    };
    for (const Case& c : cases) {
        GameState s = MakeState(c.contract);
        s.Options.Partnership = c.partnership;
        s.TableCount = c.tableCount;
        s.Hand[0][0].Card = CardId(c.card);
        s.Hand[0][0].InUse = true;
        s.HeldCount[0] = static_cast<int16_t>(c.heldCards);
        s.SeatInfo[3][kKingLeadSignalCell] = c.otherSignal ? kTrueCell : 0;
        NoteHumanPlay(s, 0);
        EXPECT_EQ(s.SeatInfo[0][kKingLeadSignalCell], c.expected ? kTrueCell : 0) << c.why;
    }
}

}  // namespace
