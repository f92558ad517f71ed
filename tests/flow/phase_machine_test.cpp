#include <gtest/gtest.h>

#include <stdexcept>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/dealing.h"
#include "flow/layout_contract.h"
#include "flow/phase_machine.h"
#include "flow/table_layout.h"
#include "flow_harness.h"

namespace {

// --- Timed pauses --------------------------------------------------------------------------------

struct DelayCase {
    const char* name;
    uint32_t start;
    uint32_t elapsed;
    bool passed;
};

class DelayTest : public ::testing::TestWithParam<DelayCase> {};

TEST_P(DelayTest, PauseEndsOnlyAfterItsLength) {
    const DelayCase& c = GetParam();
    GameState s = MakeState();
    ManualClock clock(c.start);
    s.Phase = Phase::NormalPlay;
    StartDelay(s, 1250, clock);
    EXPECT_EQ(s.Phase, Phase::Paused);
    EXPECT_EQ(s.DelayedPhase, Phase::NormalPlay);
    clock.Advance(c.elapsed);
    ScriptedRandom random({0.0});
    NullSound sound;
    GameServices services{random, sound, clock};
    GameStep(s, services);
    EXPECT_EQ(s.Phase, c.passed ? Phase::NormalPlay : Phase::Paused);
    EXPECT_EQ(s.DelayOver, c.passed);
}

INSTANTIATE_TEST_SUITE_P(
    PhaseMachine, DelayTest,
    ::testing::Values(DelayCase{"not_yet", 5000, 1250, false}, DelayCase{"over", 5000, 1251, true},
                      // Across the 32-bit wrap of the tick counter (after 49.7 days of uptime).
                      DelayCase{"across_wrap_not_yet", 0xFFFFFF00u, 1000, false},
                      DelayCase{"across_wrap_over", 0xFFFFFF00u, 1300, true},
                      // Near the wrap a start + length sum would overflow and end the pause at once.
                      DelayCase{"sum_would_overflow", 0xFFFFFFF0u, 10, false}),
    [](const auto& param) { return std::string(param.param.name); });

// --- Whole contracts ------------------------------------------------------------------------------

// Runs a game to the contract choice of its first deal and leaves only `contract` to choose.
void StartWithOnly(FlowHarness& h, int16_t contract) {
    h.Start();
    ASSERT_TRUE(h.RunUntil([](const GameState& s) { return s.Phase == Phase::SelectTrumps; }));
    h.OnlyContractLeft(contract);
}

TEST(WholeContract, KingEndsRightAfterTheTrickCarryingTheKingOfHearts) {
    for (uint32_t seed : {2u, 5u, 12u}) {
        FlowHarness h(seed);
        StartWithOnly(h, kKing);
        int sweeps = 0;
        int previousTaken = 0;
        ASSERT_TRUE(h.PlayUntil([&](const GameState& s) {
            int taken = 0;
            for (int seat = 0; seat < kSeats; ++seat) {
                taken += s.TakenCount[seat];
            }
            if (taken != previousTaken) {
                ++sweeps;
                previousTaken = taken;
            }
            return s.Phase == Phase::EndOfMatch;
        }));
        ASSERT_EQ(h.s.Contract, kKing);
        const int16_t w = h.s.TrickWinner;
        bool inLastTrick = false;
        for (int i = h.s.TakenCount[w] - 4; i < h.s.TakenCount[w]; ++i) {
            inLastTrick = inLastTrick || h.s.TakenCards[w][i] == kKingOfHearts;
        }
        EXPECT_TRUE(inLastTrick) << "seed " << seed;
        EXPECT_EQ(h.s.CardsPlayed, 4 * sweeps);
        for (int seat = 0; seat < kSeats; ++seat) {
            EXPECT_EQ(h.s.DealScore[seat], seat == w ? -75 : 0);
            EXPECT_EQ(h.s.HeldCount[seat], 13 - sweeps) << "the other cards stay in the hands";
        }
        EXPECT_EQ(h.s.ContractsPlayed, 1);
    }
}

TEST(WholeContract, TricksRunsAllThirteenTricks) {
    FlowHarness h(7);
    StartWithOnly(h, kTricks);
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::EndOfMatch; }));
    EXPECT_EQ(h.s.CardsPlayed, 52);
    int taken = 0;
    int score = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        taken += h.s.TakenCount[seat];
        score += h.s.DealScore[seat];
        EXPECT_EQ(h.s.DealScore[seat], -10 * (h.s.TakenCount[seat] / 4));
        EXPECT_EQ(h.s.HeldCount[seat], 0);
    }
    EXPECT_EQ(taken, 52);
    EXPECT_EQ(score, -130);
}

TEST(WholeContract, LayoutEndsWhenThreeHandsAreEmpty) {
    FlowHarness h(8);
    StartWithOnly(h, kLayoutContract);
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::EndOfMatch; }));
    int empty = 0;
    int score = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        empty += HeldCardCount(h.s, seat) == 0 ? 1 : 0;
        score += h.s.DealScore[seat];
    }
    EXPECT_EQ(empty, 3);
    EXPECT_EQ(score, 500);
}

// --- The human's card click -----------------------------------------------------------------------

class HumanClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeState(kDiamonds);
        SetUpTableLayout(s);
        GiveHand(s, 0, {"2C", "5H", "9H"});
        for (int slot = 0; slot < 3; ++slot) {
            CardRecord& card = s.Hand[0][slot];
            card.X = static_cast<float>(155 + 33 * slot);
            card.Y = 420;
            card.Width = 99;
            card.Height = 153;
        }
    }
    GameState s;
};

TEST_F(HumanClickTest, OverlapPlaysTheHigherSlotWhenLegal) {
    PutOnTable(s, {"KH"});
    EXPECT_EQ(HumanCardHit(s, 230, 500), 2);  // inside slots 0, 1 and 2
    EXPECT_TRUE(s.HumanClickTaken);
    EXPECT_TRUE(s.HumanMoved);
    EXPECT_EQ(HumanCardHit(s, 230, 500), -1) << "one card per turn";
}

TEST_F(HumanClickTest, IllegalUpperCardPassesToTheLegalCardBelow) {
    PutOnTable(s, {"KC"});  // clubs led: only the two of clubs may be played
    EXPECT_EQ(HumanCardHit(s, 230, 500), 0);
}

TEST_F(HumanClickTest, MovingCardIsPassedOver) {
    PutOnTable(s, {"KH"});
    s.Hand[0][2].Moving = true;
    EXPECT_EQ(HumanCardHit(s, 230, 500), 1);
}

TEST_F(HumanClickTest, NothingLegalUnderThePointChangesNothing) {
    PutOnTable(s, {"KC"});
    EXPECT_EQ(HumanCardHit(s, 260, 500), -1);  // slots 1 and 2 only
    EXPECT_FALSE(s.HumanClickTaken);
    EXPECT_EQ(HumanCardHit(s, 155, 500), -1) << "the left edge is outside";
}

// --- The layout contract's turns ----------------------------------------------------------------

class LayoutTurnTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeState(kLayoutContract);
        SetUpTableLayout(s);
        for (int suit = 0; suit < 4; ++suit) {
            s.SuitLow[suit] = 12;
            s.SuitHigh[suit] = 10;
        }
        s.NextFinishCode = 3;
        s.Phase = Phase::NormalPlay;
    }
    GameState s;
    ScriptedRandom random{{0.0}};
    RecordingSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
};

TEST_F(LayoutTurnTest, SeatWithoutAJackPassesBeforeAnyJackIsLaid) {
    GiveHand(s, 0, {"2C"});
    GiveHand(s, 1, {"QC", "10H"});
    GiveHand(s, 2, {"JD"});
    GiveHand(s, 3, {"5S"});
    s.CurrentSeat = 0;
    StartLayoutTurn(s, services);
    EXPECT_EQ(s.CurrentSeat, 1);
    EXPECT_EQ(s.Phase, Phase::ShowPass);
    EXPECT_TRUE(s.ShowPassPicture);
    EXPECT_FALSE(AnyCardMoving(s));
}

TEST_F(LayoutTurnTest, EmptiedSeatsAreSkipped) {
    GiveHand(s, 0, {"2C"});
    GiveHand(s, 1, {});
    GiveHand(s, 2, {"JD"});
    GiveHand(s, 3, {"5S"});
    s.CurrentSeat = 0;
    StartLayoutTurn(s, services);
    EXPECT_EQ(s.CurrentSeat, 2);
    EXPECT_EQ(s.Phase, Phase::NormalPlay);
    EXPECT_TRUE(s.Hand[2][0].Moving) << "the computer lays its jack";
}

// The chooser's -1 ("nothing to lay"), a slot past the hand or an empty slot is reported, never used
// to index the hand; a held card's slot passes.
TEST_F(LayoutTurnTest, AComputerChoiceOfNoCardIsAFaultNotAnIndex) {
    GiveHand(s, 2, {"JD", "5S"});
    s.CurrentSeat = 2;
    for (const int16_t slot : {int16_t{-1}, int16_t{kHandSlots}, int16_t{2}}) {
        EXPECT_THROW(CheckedLayoutChoice(s, slot), std::logic_error) << "slot " << slot;
    }
    EXPECT_EQ(CheckedLayoutChoice(s, 1), 1);
}

TEST_F(LayoutTurnTest, HumanWithoutAFittingCardPassesWithoutAClick) {
    GiveHand(s, 0, {"2C", "5H"});
    GiveHand(s, 3, {"JS"});
    s.CurrentSeat = 3;
    StartLayoutTurn(s, services);
    EXPECT_EQ(s.CurrentSeat, 0);
    EXPECT_EQ(s.Phase, Phase::ShowPass);
    EXPECT_FALSE(s.AwaitingHuman);
}

TEST_F(LayoutTurnTest, HumanWithAFittingCardIsAwaited) {
    GiveHand(s, 0, {"2C", "JH"});
    s.CurrentSeat = 3;
    StartLayoutTurn(s, services);
    EXPECT_EQ(s.Phase, Phase::NormalPlay);
    EXPECT_TRUE(s.AwaitingHuman);
    EXPECT_FALSE(s.HumanClickTaken);
}

TEST_F(LayoutTurnTest, FinishingOrderGivesCodesAndTheThirdEndsTheContract) {
    // Seats 1, 3 and 0 empty their hands in that order; seat 2 keeps its cards.
    GiveHand(s, 0, {"JC"});
    GiveHand(s, 1, {"JH"});
    GiveHand(s, 2, {"2D", "3D"});
    GiveHand(s, 3, {"JS"});
    for (int seat : {1, 3, 0}) {
        s.Phase = Phase::NormalPlay;
        s.DelayOver = false;
        s.CurrentSeat = static_cast<int16_t>(seat);
        CardRecord& card = s.Hand[seat][0];
        card.Moving = true;
        card.TargetX = card.X;
        card.TargetY = card.Y;
        CardArrived(s, card, services);
        EXPECT_EQ(s.DelayedPhase, seat == 0 ? Phase::EndOfMatch : Phase::NormalPlay) << seat;
        EXPECT_EQ(s.Phase, Phase::Paused);
    }
    EXPECT_EQ(s.DealScore[1], 200);
    EXPECT_EQ(s.DealScore[3], 150);
    EXPECT_EQ(s.DealScore[0], 100);
    EXPECT_EQ(s.DealScore[2], 50);
    EXPECT_EQ(s.ContractsPlayed, 1);
}

TEST_F(LayoutTurnTest, PassShowsThePictureThenPausesAndPlayGoesOn) {
    s.Phase = Phase::ShowPass;
    s.ShowPassPicture = true;
    s.StepDone = false;
    GameStep(s, services);
    EXPECT_EQ(s.Phase, Phase::ShowPass);
    GameStep(s, services);
    EXPECT_EQ(s.Phase, Phase::Paused);
    EXPECT_EQ(s.DelayedPhase, Phase::NormalPlay);
    EXPECT_EQ(s.DelayLength, kAnnouncePause);
}

}  // namespace
