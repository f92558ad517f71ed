#include <gtest/gtest.h>

#include <string>

#include "cards/card_tables.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "invariant_checker.h"
#include "simulation.h"
#include "test_support.h"

namespace {

// A game a few frames in, with the checker already watching it.
class CheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartNewGame(s, services);
        Frames(3);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(17);
            ASSERT_FALSE(checker.AfterFrame(s).has_value());
        }
    }
    // Plays on until the predicate holds, every frame checked.
    void PlayUntil(bool (*done)(const GameState&)) {
        for (int i = 0; i < 200000 && !done(s); ++i) {
            Frames(1);
        }
        ASSERT_TRUE(done(s));
    }

    GameState s;
    SeededRandom random{3};
    NullSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
    AutoPlayer player;
    InvariantChecker checker;
};

TEST_F(CheckerTest, CardInTwoPlacesIsReported) {
    PlayUntil([](const GameState& g) { return g.Phase == Phase::SelectTrumps; });
    s.TableCards[0].Card = s.Hand[1][0].Card;
    s.TableCount = 1;
    const auto broken = checker.AfterFrame(s);
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->find("2 places: [hand 1 slot 0] [table slot 0]"), std::string::npos) << *broken;
}

TEST_F(CheckerTest, LostCardIsReported) {
    PlayUntil([](const GameState& g) { return g.Phase == Phase::SelectTrumps; });
    s.Hand[3][7].InUse = false;
    const auto broken = checker.AfterFrame(s);
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->find("nowhere"), std::string::npos) << *broken;
}

TEST_F(CheckerTest, ContractChosenTwiceBySameSeatIsReported) {
    PlayUntil([](const GameState& g) { return g.Phase == Phase::ShowContract; });
    const int chooser = (s.CurrentSeat + 1) % kSeats;
    const int16_t contract = s.Contract;
    PlayUntil([](const GameState& g) { return g.Phase == Phase::EndOfMatch; });
    Frames(1);  // the next deal
    PlayUntil([](const GameState& g) { return g.Phase == Phase::SelectTrumps; });
    // The same owner chooses the kingdom's next deal; make it choose the same contract again.
    s.SeatInfo[chooser][kContractChosenCell + contract] = 0;
    for (int c = kTricks; c <= kLayoutContract; ++c) {
        if (c != contract) {
            s.SeatInfo[chooser][kContractChosenCell + c] = kTrueCell;
        }
    }
    std::optional<std::string> broken;
    for (int i = 0; i < 100 && !broken; ++i) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
        broken = checker.AfterFrame(s);
    }
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->find("a second time"), std::string::npos) << *broken;
}

TEST_F(CheckerTest, TotalsThatDisagreeWithTheSheetAreReported) {
    PlayUntil([](const GameState& g) { return g.Phase == Phase::NormalPlay; });
    s.TotalScore[2] = static_cast<int16_t>(s.TotalScore[2] + 5);
    std::optional<std::string> broken;
    for (int i = 0; i < 200000 && !broken; ++i) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
        broken = checker.AfterFrame(s);
    }
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->find("total of seat 2"), std::string::npos) << *broken;
}

TEST_F(CheckerTest, StuckContractIsReported) {
    InvariantChecker strict(50);
    PlayUntil([](const GameState& g) { return g.Phase == Phase::NormalPlay; });
    std::optional<std::string> broken;
    for (int i = 0; i < 200 && !broken; ++i) {
        broken = strict.AfterFrame(s);  // nothing moves on: the game is stuck
    }
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->find("did not end within 50 frames"), std::string::npos) << *broken;
}

TEST(Simulation, SameSeedSameMatches) {
    SimulationOptions options;
    options.Matches = 1;
    options.Seed = 42;
    std::string first;
    std::string second;
    const SimulationResult a = RunSimulation(
        options, [&](const MatchLine& line) { first = std::to_string(line.Totals[0]) + line.Result; });
    const SimulationResult b = RunSimulation(
        options, [&](const MatchLine& line) { second = std::to_string(line.Totals[0]) + line.Result; });
    ASSERT_TRUE(a.Passed) << a.Violation;
    EXPECT_EQ(first, second);
    EXPECT_EQ(a.Frames, b.Frames);
    EXPECT_EQ(a.Contracts, 20);
}

}  // namespace
