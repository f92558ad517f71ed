#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/dealing.h"
#include "flow/scoring.h"
#include "flow_harness.h"

namespace {

class ScoringTest : public ::testing::Test {
protected:
    void Take(int seat, std::initializer_list<std::string_view> cards) {
        for (std::string_view name : cards) {
            s.TakenCards[seat][s.TakenCount[seat]++] = CardId(name);
        }
    }
    // Gives a seat n cards that carry no penalty in Queens, King or Diamonds (clubs and spades).
    void TakeTricks(int seat, int tricks) {
        static const char* kPlain[] = {"2C", "3C", "4C", "5C",  "6C", "7C", "8C", "9C", "10C",
                                       "JC", "QC", "KC", "AC",  "2S", "3S", "4S", "5S", "6S",
                                       "7S", "8S", "9S", "10S", "JS", "QS", "KS", "AS"};
        for (int i = 0; i < 4 * tricks; ++i) {
            s.TakenCards[seat][s.TakenCount[seat]++] = CardId(kPlain[(seat * 13 + i) % 26]);
        }
    }
    GameState s = MakeState();
    ScriptedRandom random{{0.0}};
    RecordingSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
};

TEST_F(ScoringTest, TricksScoresTenPerTrickAndTheWholeIs130) {
    s.Contract = kTricks;
    TakeTricks(0, 3);
    TakeTricks(1, 5);
    TakeTricks(2, 2);
    TakeTricks(3, 3);
    ScoreContract(s);
    EXPECT_EQ(s.DealScore, (std::array<int16_t, 4>{-30, -50, -20, -30}));
}

TEST_F(ScoringTest, KingEndedEarlyOnlyTheTakerScores) {
    s.Contract = kKing;
    Take(2, {"KH", "2H", "3H", "4H"});
    Take(1, {"5C", "6C", "7C", "8C"});
    ScoreContract(s);
    EXPECT_EQ(s.DealScore, (std::array<int16_t, 4>{0, 0, -75, 0}));
}

TEST_F(ScoringTest, QueensShowPositiveOnTheSheet) {
    s.Contract = kQueens;
    Take(1, {"QS", "QH", "2C", "3C"});
    Take(3, {"QD", "QC", "2D", "3D"});
    ContractOver(s, services);
    EXPECT_EQ(s.DealScore[1], -50);
    EXPECT_EQ(s.ScoreHistory[1][0], 50);
    EXPECT_EQ(s.TotalScore[1], 50);
    EXPECT_EQ(s.ScoreRows, 1);
    EXPECT_EQ(s.ContractsPlayed, 1);
    EXPECT_EQ(sound.played, (std::vector<SoundEffect>{SoundEffect::ContractEnd}));
}

TEST_F(ScoringTest, DiamondsFifteenEach) {
    s.Contract = kDiamonds;
    Take(0, {"2D", "3D", "AD", "KC"});
    ScoreContract(s);
    EXPECT_EQ(s.DealScore[0], -45);
}

TEST_F(ScoringTest, LayoutRewardsByFinishingPlace) {
    s.Contract = kLayoutContract;
    // Finishing order: seat 2, seat 0, seat 3; seat 1 still holds cards.
    s.SeatInfo[2][kFinishCodeCell] = 3;
    s.SeatInfo[0][kFinishCodeCell] = 2;
    s.SeatInfo[3][kFinishCodeCell] = 1;
    s.TotalScore = {300, 300, 300, 300};
    ContractOver(s, services);
    EXPECT_EQ(s.DealScore, (std::array<int16_t, 4>{150, 50, 200, 100}));
    EXPECT_EQ(s.TotalScore, (std::array<int16_t, 4>{150, 250, 100, 200}));
    EXPECT_EQ(s.ScoreHistory[2][0], -200);
    EXPECT_EQ(s.SeatInfo[2][kFinishCodeCell], 200);
}

// --- The winner of the match ---------------------------------------------------------------------

struct WinnerCase {
    const char* name;
    bool partnership;
    std::array<int16_t, 4> totals;
    bool won;
};

class MatchWinnerTest : public ::testing::TestWithParam<WinnerCase> {};

TEST_P(MatchWinnerTest, TwentiethContractDecides) {
    const WinnerCase& c = GetParam();
    GameState s = MakeState(kLayoutContract);
    s.Options.Partnership = c.partnership;
    ScriptedRandom random({0.0});
    RecordingSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
    s.ContractsPlayed = 19;
    // The layout contract with every seat still holding cards scores 50 each: shift the totals by it.
    for (int seat = 0; seat < kSeats; ++seat) {
        s.TotalScore[seat] = static_cast<int16_t>(c.totals[seat] + 50);
    }
    ContractOver(s, services);
    EXPECT_EQ(s.TotalScore, c.totals);
    EXPECT_TRUE(s.MatchOver);
    EXPECT_EQ(s.ResultText, c.won ? "We Won!" : "We lost!");
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], c.won ? SoundEffect::MatchWon : SoundEffect::MatchLost);
}

INSTANTIATE_TEST_SUITE_P(
    Scoring, MatchWinnerTest,
    ::testing::Values(WinnerCase{"partners_each_below_an_opponent", true, {300, 500, 200, 100}, true},
                      WinnerCase{"partner_above_both_opponents", true, {600, 500, 100, 400}, false},
                      WinnerCase{"partner_holds_the_highest_total", true, {100, 400, 500, 300}, false},
                      WinnerCase{"alone_tie_for_lowest_wins", false, {200, 200, 350, 400}, true},
                      WinnerCase{"alone_one_point_above", false, {201, 200, 350, 400}, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ScoringTest, NoResultBeforeTheTwentiethContract) {
    s.Contract = kKing;
    s.ContractsPlayed = 18;
    Take(0, {"KH"});
    ContractOver(s, services);
    EXPECT_FALSE(s.MatchOver);
    EXPECT_EQ(s.ResultText, "");
}

TEST(ScoreSheet, ClearsAfterTenRowsAndKeepsTheTotals) {
    FlowHarness h(2);
    h.Start();
    h.s.Contract = kKing;
    for (int contract = 0; contract < 10; ++contract) {
        h.s.TakenCount.fill(0);
        h.s.TakenCards[contract % 4][0] = kKingOfHearts;
        h.s.TakenCount[contract % 4] = 1;
        ContractOver(h.s, h.services);
        EXPECT_EQ(h.s.SheetFull, contract == 9) << contract;
    }
    EXPECT_EQ(h.s.ScoreRows, 10);
    const auto totals = h.s.TotalScore;
    StartDeal(h.s, h.services);
    EXPECT_EQ(h.s.ScoreRows, 0);
    EXPECT_FALSE(h.s.SheetFull);
    EXPECT_EQ(h.s.TotalScore, totals);

    h.s.Contract = kKing;
    h.s.TakenCards[1][0] = kKingOfHearts;
    h.s.TakenCount[1] = 1;
    ContractOver(h.s, h.services);
    EXPECT_EQ(h.s.ScoreRows, 1);
    EXPECT_EQ(h.s.ScoreHistory[1][0], 75) << "the 11th contract fills the first row of a fresh sheet";
}

}  // namespace
