#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "cards/card_tables.h"
#include "players/computer_player.h"
#include "players/contract_choice.h"
#include "test_support.h"

namespace {

constexpr int kSeat = 3;

std::span<const int16_t> HandOf(const GameState& s) {
    return {s.HeldCards[kSeat].data(), static_cast<size_t>(s.HeldCount[kSeat])};
}

GameState Dealt(std::initializer_list<std::string_view> cards) {
    GameState s = MakeState(kTricks);
    GiveHand(s, kSeat, cards);
    return s;
}

// --- Estimates ----------------------------------------------------------------------------------

struct DangerCase {
    const char* rule;
    std::vector<std::string_view> hand;
    float diamonds;
};

void PrintTo(const DangerCase& c, std::ostream* os) {
    *os << c.rule;
}

class DiamondsEstimateTest : public ::testing::TestWithParam<DangerCase> {};

TEST_P(DiamondsEstimateTest, EachHeldCardAddsTheWeightAtItsPlace) {
    const DangerCase& c = GetParam();
    GameState s = MakeState(kTricks);
    s.Hand[kSeat] = {};
    for (size_t i = 0; i < c.hand.size(); ++i) {
        s.Hand[kSeat][i].Card = CardId(c.hand[i]);
        s.Hand[kSeat][i].InUse = true;
    }
    RebuildHeld(s, kSeat);
    EXPECT_FLOAT_EQ(DiamondsEstimate(s, HandOf(s)), c.diamonds) << c.rule;
}

INSTANTIATE_TEST_SUITE_P(
    Players, DiamondsEstimateTest,
    ::testing::Values(DangerCase{"only the two: 100 / 1024 rounds to 0", {"2D", "AS"}, 0.0F},
                      DangerCase{"queen, jack, ten", {"QD", "JD", "10D"}, 300.0F},
                      DangerCase{"the nine alone: 12.5 rounds to the even 12", {"9D"}, 12.0F},
                      DangerCase{"the eight alone: 6.25", {"8D"}, 6.0F},
                      DangerCase{"the six alone: 1.5625 rounds up", {"6D"}, 2.0F},
                      DangerCase{"a missing card halves what follows", {"QD", "10D", "9D"}, 200.0F},
                      DangerCase{"the ace counts as the lowest",
                                 {"QD", "JD", "10D", "9D", "8D", "7D", "6D", "5D", "4D", "3D", "2D", "AD"},
                                 1200.0F},
                      DangerCase{"the king is never looked at", {"KD", "9D"}, 12.0F},
                      DangerCase{"other suits do not count", {"QS", "QH", "QC"}, 0.0F},
                      DangerCase{"nine, seven, four: 12 + 6 + 2", {"9D", "7D", "4D"}, 20.0F},
                      DangerCase{"nine, seven, three: 12 + 6 + 1", {"9D", "7D", "3D"}, 19.0F}));

TEST(ContractEstimates, EachEstimateCountsItsCards) {
    GameState s = Dealt({"KH", "AH", "QS", "QC", "KC", "AD", "AS", "2D", "9D", "JC", "10S", "3H", "4H"});
    const auto hand = HandOf(s);
    EXPECT_FLOAT_EQ(KingEstimate(s, hand), 150.0F);           // king and ace of hearts
    EXPECT_FLOAT_EQ(QueensEstimate(s, hand), 50.0F + 75.0F);  // two queens, five kings and aces
    EXPECT_FLOAT_EQ(LayoutEstimate(s, hand), 225.0F);         // three aces
    // Clubs 100 + 100 (Q, J); hearts 0 (nothing above the four); spades 100 + 50 (Q, then the ten
    // after the missing jack); diamonds 12 (the nine after three missing cards).
    EXPECT_FLOAT_EQ(TricksEstimate(s, hand), 200.0F + 0.0F + 150.0F + 12.0F);
    EXPECT_FLOAT_EQ(DiamondsEstimate(s, hand), 12.0F);
}

TEST(ContractEstimates, KingAndQueensFollowTheRankOrderInForce) {
    GameState s = Dealt({"AH", "KS", "QC"});
    SetRankOrder(s);  // ace high
    EXPECT_FLOAT_EQ(KingEstimate(s, HandOf(s)), 75.0F);
    EXPECT_FLOAT_EQ(QueensEstimate(s, HandOf(s)), 25.0F + 30.0F);
    s.Contract = kLayoutContract;  // the previous contract was the layout: the ace is low
    SetRankOrder(s);
    EXPECT_FLOAT_EQ(KingEstimate(s, HandOf(s)), 0.0F);
    EXPECT_FLOAT_EQ(QueensEstimate(s, HandOf(s)), 25.0F + 15.0F);
}

TEST(ContractEstimates, TricksThresholdHandsSitEitherSideOf135) {
    GameState s = Dealt({"QC", "10S", "8H", "6H", "3H", "3C", "2C", "3S", "2S", "3D", "2D", "KC", "KS"});
    EXPECT_FLOAT_EQ(TricksEstimate(s, HandOf(s)), 135.0F);
    s = Dealt({"QC", "10S", "8H", "6H", "KH", "3C", "2C", "3S", "2S", "3D", "2D", "KC", "KS"});
    EXPECT_FLOAT_EQ(TricksEstimate(s, HandOf(s)), 134.0F);
}

TEST(ContractEstimates, FindCardGivesTheListIndex) {
    GameState s = Dealt({"2C", "QD", "AH"});
    EXPECT_EQ(FindCard(s, 12, kDiamondsSuit, HandOf(s)), 1);
    EXPECT_EQ(FindCard(s, 1, kHearts, HandOf(s)), 2);
    EXPECT_EQ(FindCard(s, 12, kHearts, HandOf(s)), -1);
    EXPECT_EQ(FindCard(s, 0, kClubs, HandOf(s)), -1);
}

// --- The choice ----------------------------------------------------------------------------------

// No queen, king or ace: Q = 0. Clubs and spades Q-J-10 make the suit dangers large.
const std::vector<std::string_view> kQueensHand = {"JC",  "10C", "9C", "JS",  "10S", "9S", "JH",
                                                   "10H", "9H",  "JD", "10D", "2D",  "3D"};
// A queen and no high heart: K = 0 while Q is not.
const std::vector<std::string_view> kKingHand = {"QC",  "JC", "10C", "JS",  "10S", "9S", "JH",
                                                 "10H", "9H", "JD",  "10D", "2D",  "3D"};
// A queen and the king of hearts; the only diamond is the two: D = 0.
const std::vector<std::string_view> kDiamondsHand = {"QC",  "JC", "10C", "JS", "10S", "9S", "KH",
                                                     "10H", "9H", "2D",  "7S", "2C",  "3C"};
// Q 85, K 75, D 100, T 100, no ace.
const std::vector<std::string_view> kTricksHand = {"KH", "QD", "KC", "KS", "KD", "2C", "3C",
                                                   "4C", "2S", "3S", "4S", "2H", "3H"};
// The Tricks hand with one ace: L 75.
const std::vector<std::string_view> kOneAceHand = {"KH", "QD", "KC", "KS", "KD", "AC", "3C",
                                                   "4C", "2S", "3S", "4S", "2H", "3H"};
// Every estimate above its threshold: K 75, Q 160, D 100, T 400, L 300.
const std::vector<std::string_view> kCostlyHand = {"AH", "AC", "AS", "AD", "QS", "QD", "QC",
                                                   "QH", "2C", "3C", "2S", "3S", "2H"};
// D 20, right on the Diamonds threshold; no ace.
const std::vector<std::string_view> kDiamondsAtTwentyHand = {"9D", "7D", "4D", "2C", "3C", "4C", "5C",
                                                             "6C", "2S", "3S", "4S", "5S", "6S"};
// D 19, just under it.
const std::vector<std::string_view> kDiamondsAtNineteenHand = {"9D", "7D", "3D", "2C", "3C", "4C", "5C",
                                                               "6C", "2S", "3S", "4S", "5S", "6S"};
// T 100 + 25 + 10 + 0 = 135, right on the Tricks threshold; no ace.
const std::vector<std::string_view> kTricksAt135Hand = {"QC", "10S", "8H", "6H", "3H", "3C", "2C",
                                                        "3S", "2S",  "3D", "2D", "KC", "KS"};
// T 134: the three of hearts traded for the king, which the suit danger never looks at.
const std::vector<std::string_view> kTricksAt134Hand = {"QC", "10S", "8H", "6H", "KH", "3C", "2C",
                                                        "3S", "2S",  "3D", "2D", "KC", "KS"};
// K 75 and Q 75 tie; D 50, T 150, L 75.
const std::vector<std::string_view> kTiedHand = {"KH", "KC", "KS", "KD", "AC", "JD", "JC",
                                                 "JS", "2H", "3H", "4H", "2D", "3D"};

struct ChoiceCase {
    const char* rule;
    std::vector<std::string_view> hand;
    std::vector<int16_t> chosen;  // contracts the seat chose earlier in the match
    int16_t expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.rule;
}

class ChooseContractTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseContractTest, ChoosesTheExpectedContract) {
    const ChoiceCase& c = GetParam();
    GameState s = MakeState(kTricks);
    s.Hand[kSeat] = {};
    for (size_t i = 0; i < c.hand.size(); ++i) {
        s.Hand[kSeat][i].Card = CardId(c.hand[i]);
        s.Hand[kSeat][i].InUse = true;
    }
    RebuildHeld(s, kSeat);
    for (int16_t contract : c.chosen) {
        MarkContractChosen(s, kSeat, contract);
    }
    EXPECT_EQ(ChooseContract(s, kSeat), c.expected) << c.rule;
}

INSTANTIATE_TEST_SUITE_P(
    Players, ChooseContractTest,
    ::testing::Values(
        ChoiceCase{"no queens, kings or aces: Queens", kQueensHand, {}, kQueens},
        ChoiceCase{"a queen but no high heart: King", kKingHand, {}, kKing},
        ChoiceCase{"Queens taken, no high heart: King", kQueensHand, {kQueens}, kKing},
        ChoiceCase{"only the two of diamonds: Diamonds", kDiamondsHand, {}, kDiamonds},
        ChoiceCase{"small suit dangers: Tricks", kTricksHand, {}, kTricks},
        ChoiceCase{"no ace once Tricks is taken: the layout", kTricksHand, {kTricks}, kLayoutContract},
        ChoiceCase{"Diamonds at exactly 20 is not cheap enough",
                   kDiamondsAtTwentyHand,
                   {kQueens, kKing, kTricks},
                   kLayoutContract},
        ChoiceCase{
            "Diamonds at 19 is accepted", kDiamondsAtNineteenHand, {kQueens, kKing, kTricks}, kDiamonds},
        ChoiceCase{"Tricks at exactly 135 is not cheap enough",
                   kTricksAt135Hand,
                   {kQueens, kKing, kDiamonds},
                   kLayoutContract},
        ChoiceCase{"Tricks at 134 is accepted", kTricksAt134Hand, {kQueens, kKing, kDiamonds}, kTricks},
        ChoiceCase{"fallback: the layout's half beats the unscaled Tricks", kCostlyHand, {}, kLayoutContract},
        ChoiceCase{"fallback: Tricks' scaled danger beats the unscaled Diamonds",
                   kCostlyHand,
                   {kLayoutContract},
                   kTricks},
        ChoiceCase{"fallback: Diamonds' scaled danger beats King",
                   kCostlyHand,
                   {kLayoutContract, kTricks},
                   kDiamonds},
        ChoiceCase{"fallback: King before Queens", kCostlyHand, {kLayoutContract, kTricks, kDiamonds}, kKing},
        ChoiceCase{"fallback: the last one left",
                   kCostlyHand,
                   {kLayoutContract, kTricks, kDiamonds, kKing},
                   kQueens},
        ChoiceCase{"fallback: one ace and only the layout left",
                   kOneAceHand,
                   {kTricks, kDiamonds, kQueens, kKing},
                   kLayoutContract},
        ChoiceCase{"fallback: an equal estimate keeps the earlier contract",
                   kTiedHand,
                   {kDiamonds, kTricks, kLayoutContract},
                   kKing}));

TEST(ChooseContract, QueenJackTenOfDiamondsIsNotCheapEnoughForDiamonds) {
    // D = 300; Queens, King and Tricks are taken, and the ace makes the layout cost 37.5 in the fallback.
    GameState s = Dealt({"QD", "JD", "10D", "AC", "2C", "3C", "4C", "2S", "3S", "4S", "2H", "3H", "4H"});
    for (int16_t contract : {kQueens, kKing, kTricks}) {
        MarkContractChosen(s, kSeat, contract);
    }
    EXPECT_FLOAT_EQ(DiamondsEstimate(s, HandOf(s)), 300.0F);
    EXPECT_EQ(ChooseContract(s, kSeat), kLayoutContract);
}

TEST(ChooseContract, OnlyReadsTheChoosingSeatsOwnRow) {
    GameState s = Dealt(std::initializer_list<std::string_view>{"JC", "10C", "9C", "JS", "10S", "9S", "JH",
                                                                "10H", "9H", "JD", "10D", "2D", "3D"});
    MarkContractChosen(s, 1, kQueens);
    EXPECT_EQ(ChooseContract(s, kSeat), kQueens);
}

TEST(ChooseContract, MarkingRecordsTheChoiceAsTrue) {
    GameState s = MakeState(kTricks);
    MarkContractChosen(s, kSeat, kDiamonds);
    EXPECT_EQ(s.SeatInfo[kSeat][kContractChosenCell + kDiamonds], kTrueCell);
    MarkContractChosen(s, kSeat, 0);  // not a contract: no cell is touched
    EXPECT_EQ(s.SeatInfo[kSeat][kContractChosenCell], 0);
}

TEST(ChooseContract, ASeatWithEveryContractChosenStillNamesARealOne) {
    GameState s = Dealt(std::initializer_list<std::string_view>{"AH", "AC", "AS", "AD", "QS", "QD", "QC",
                                                                "QH", "2C", "3C", "2S", "3S", "2H"});
    for (int16_t contract = 1; contract <= 5; ++contract) {
        MarkContractChosen(s, kSeat, contract);
    }
    const int16_t contract = ChooseContract(s, kSeat);
    EXPECT_GE(contract, 1);
    EXPECT_LE(contract, 5);
}

TEST(ChooseContract, FiveChoicesInARowGiveFiveDifferentContracts) {
    GameState s = Dealt(std::initializer_list<std::string_view>{"AH", "AC", "AS", "AD", "QS", "QD", "QC",
                                                                "QH", "2C", "3C", "2S", "3S", "2H"});
    std::vector<int16_t> order;
    for (int k = 0; k < 5; ++k) {
        const int16_t contract = ChooseContract(s, kSeat);
        order.push_back(contract);
        MarkContractChosen(s, kSeat, contract);
    }
    EXPECT_EQ(order, (std::vector<int16_t>{kLayoutContract, kTricks, kDiamonds, kKing, kQueens}));
}

}  // namespace
