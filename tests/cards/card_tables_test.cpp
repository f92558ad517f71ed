#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "test_support.h"

namespace {

struct CardCase {
    int16_t id;
    const char* name;
    int16_t rank;
    int32_t suit;
};

void PrintTo(const CardCase& c, std::ostream* os) {
    *os << c.name;
}

class CardTablesTest : public ::testing::TestWithParam<CardCase> {};

TEST_P(CardTablesTest, NameRankAndSuitOfEachId) {
    const CardCase& c = GetParam();
    GameState s = MakeState();
    EXPECT_EQ(s.CardImageName[c.id], c.name);
    EXPECT_EQ(s.CardRank[c.id], c.rank);
    EXPECT_EQ(s.CardSuit[c.id], c.suit);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CardTablesTest,
    ::testing::Values(CardCase{0, "AC.BMP", 1, kClubs}, CardCase{5, "2D.BMP", 2, kDiamondsSuit},
                      CardCase{26, "7H.BMP", 7, kHearts}, CardCase{36, "10C.BMP", 10, kClubs},
                      CardCase{38, "10H.BMP", 10, kHearts}, CardCase{39, "10S.BMP", 10, kSpades},
                      CardCase{43, "JS.BMP", 11, kSpades}, CardCase{45, "QD.BMP", 12, kDiamondsSuit},
                      CardCase{50, "KH.BMP", 13, kHearts}, CardCase{51, "KS.BMP", 13, kSpades}));

TEST(CardTables, EveryIdFollowsTheIdArithmeticAndNamesAreDistinct) {
    GameState s = MakeState();
    // The picture suit order C, D, H, S maps to the game's suit codes 0, 3, 1, 2.
    const int32_t gameSuitOfPictureSuit[4] = {kClubs, kDiamondsSuit, kHearts, kSpades};
    std::set<std::string> names;
    for (int id = 0; id < kCards; ++id) {
        EXPECT_EQ(s.CardRank[id], id / 4 + 1) << id;
        EXPECT_EQ(s.CardSuit[id], gameSuitOfPictureSuit[id % 4]) << id;
        names.insert(s.CardImageName[id]);
    }
    EXPECT_EQ(names.size(), 52u);
    EXPECT_EQ(s.ContractImageName[0], "tricks.BMP");
    EXPECT_EQ(s.ContractImageName2[4], "zarn.BMP");
    EXPECT_EQ(s.PassImageName, "pass.BMP");
}

TEST(CardTables, RankOrderIsAceHighInTrickContractsAndTheRankInTheLayout) {
    GameState s = MakeState(kTricks);
    EXPECT_EQ(s.RankOrder[1], 12);
    EXPECT_EQ(s.RankOrder[2], 0);
    EXPECT_EQ(s.RankOrder[10], 8);
    EXPECT_EQ(s.RankOrder[13], 11);
    s.Contract = kLayoutContract;
    SetRankOrder(s);
    for (int16_t r = 1; r <= 13; ++r) {
        EXPECT_EQ(s.RankOrder[r], r);
    }
    s.Contract = kKing;
    SetRankOrder(s);
    EXPECT_EQ(s.RankOrder[1], 12);
}

TEST(CardTables, TeamsAndOnceARunConstants) {
    GameState s = MakeState();
    EXPECT_EQ(s.SeatTeam[0], 1);
    EXPECT_EQ(s.SeatTeam[1], 2);
    EXPECT_EQ(s.SeatTeam[2], 1);
    EXPECT_EQ(s.SeatTeam[3], 2);
    EXPECT_EQ(s.HandSize, 13);
    EXPECT_EQ(s.ContractPenaltyTotal[kTricks], 130);
    EXPECT_EQ(s.ContractPenaltyTotal[kDiamonds], 195);
    EXPECT_EQ(s.ContractPenaltyTotal[kQueens], 100);
    EXPECT_EQ(s.ContractPenaltyTotal[kKing], 75);
}

TEST(CardTables, OpponentNamesAreRedrawnUntilDistinct) {
    GameState s = MakeState();
    // 0.0 twice for b and three times for c forces the redraws.
    ScriptedRandom random({0.0, 0.0, 0.5, 0.0, 0.5, 0.99});
    DrawOpponentNames(s, random);
    EXPECT_EQ(s.OpponentName[1], "Mia ");  // Int(0.0 x 30) = 0
    EXPECT_EQ(s.OpponentName[2], "Nick");  // 0 again is redrawn; Int(0.5 x 30) = 15
    EXPECT_EQ(s.OpponentName[3], "Gas ");  // 0 and 15 are redrawn; Int(0.99 x 30) = 29
    EXPECT_EQ(random.Draws(), 6);
}

struct SeatBeforeCase {
    int16_t current;
    int k;
    int16_t expected;
};

void PrintTo(const SeatBeforeCase& c, std::ostream* os) {
    *os << c.current << " less " << c.k;
}

class SeatBeforeTest : public ::testing::TestWithParam<SeatBeforeCase> {};

TEST_P(SeatBeforeTest, WrapsAround) {
    GameState s = MakeState();
    s.CurrentSeat = GetParam().current;
    EXPECT_EQ(SeatBefore(s, GetParam().k), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Seats, SeatBeforeTest,
                         ::testing::Values(SeatBeforeCase{0, 1, 3}, SeatBeforeCase{0, 2, 2},
                                           SeatBeforeCase{0, 3, 1}, SeatBeforeCase{1, 3, 2},
                                           SeatBeforeCase{3, 1, 2}, SeatBeforeCase{2, 0, 2}));

TEST(CardTables, FindHandSlotPrefersTheHeldSlot) {
    GameState s = MakeState();
    GiveHand(s, 2, {"AC", "QS", "7H"});
    EXPECT_EQ(FindHandSlot(s, 2, CardId("7H")), 2);
    EXPECT_EQ(FindHandSlot(s, 2, CardId("KH")), -1);
    // A played slot keeps its old id; a held copy of that id elsewhere wins.
    s.Hand[2][0].InUse = false;
    s.Hand[2][5].Card = CardId("AC");
    s.Hand[2][5].InUse = true;
    EXPECT_EQ(FindHandSlot(s, 2, CardId("AC")), 5);
}

TEST(CardTables, ResetContractCountersClearsTakenAndTableIds) {
    GameState s = MakeState();
    s.TakenCount = {4, 8, 0, 12};
    s.TableCardIdCount = 3;
    ResetContractCounters(s);
    EXPECT_EQ(s.TakenCount, (std::array<int16_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(s.TableCardIdCount, 0);
}

}  // namespace

namespace {

TEST(CardTables, RebuildingTheTablesDuringTheLayoutContractKeepsItsHeights) {
    GameState s = MakeState(kLayoutContract);
    InitCardTables(s);  // as a picture reload after a lost display does
    EXPECT_EQ(s.Contract, kLayoutContract);
    EXPECT_EQ(s.RankOrder[1], 1);
    EXPECT_EQ(s.RankOrder[13], 13);
}

}  // namespace
