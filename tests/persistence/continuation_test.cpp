// A match saved at any moment and resumed ends exactly as the same match played without a break.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "flow_harness.h"
#include "persistence/match_keeper.h"
#include "persistence/statistics.h"
#include "player_folder.h"

namespace {

constexpr uint32_t kSeed = 20261210;

bool Finished(const GameState& s) {
    return s.MatchOver && s.ContractsPlayed == 20;
}

GameOptions OptionSet(int bits) {
    GameOptions options;
    options.Partnership = (bits & 1) != 0;
    options.PortugueseRules = (bits & 2) == 0;
    options.SevenOfHeartsLead = (bits & 4) != 0;
    ApplyRules(options);
    return options;
}

// Plays the whole match frame by frame; the frames at which it is to be saved get `onFrame`.
struct Played {
    std::array<int16_t, kSeats> totals{};
    int frames = 0;
};

Played PlayWhole(const GameOptions& options) {
    FlowHarness h(kSeed, options);
    h.Start();
    Played played;
    while (!Finished(h.s) && played.frames < 400000) {
        h.Frame(h.player.NextInput(h.s));
        ++played.frames;
    }
    played.totals = h.s.TotalScore;
    return played;
}

// A fresh game of another run: new state, generator, clock and autoplayer, another deck.
struct ResumedGame {
    ResumedGame() : h(1, Presentation()) { h.clock.Set(987654); }
    static GameOptions Presentation() {
        GameOptions options;  // this run's deck and speed; the rules come from the save
        options.DeckName = "Royal";
        options.SlowAnimation = true;
        return options;
    }
    FlowHarness h;
};

void ExpectRulesOf(const GameOptions& expected, const GameState& s) {
    EXPECT_EQ(s.Options.Partnership, expected.Partnership);
    EXPECT_EQ(s.Options.PortugueseRules, expected.PortugueseRules);
    EXPECT_EQ(s.Options.SevenOfHeartsLead, expected.SevenOfHeartsLead);
    EXPECT_EQ(s.Options.DealPacketSize, expected.DealPacketSize);
    EXPECT_EQ(s.Options.DeckName, "Royal");
}

// Plays to `saveAt`, saves the match into bytes, resumes it in a fresh game and plays to the end.
std::array<int16_t, kSeats> PlayWithBreak(const GameOptions& options, int saveAt) {
    std::vector<uint8_t> bytes;
    {
        FlowHarness h(kSeed, options);
        h.Start();
        for (int frame = 0; frame < saveAt; ++frame) {
            h.Frame(h.player.NextInput(h.s));
        }
        bytes = EncodeSavedMatch(h.s, TakeExtras(h.s, h.random, h.clock.GetTickCount(), {}));
    }
    ResumedGame game;
    FlowHarness& h = game.h;
    RestoreSavedMatch(bytes, h.s, h.random, h.clock.GetTickCount());
    ExpectRulesOf(options, h.s);
    for (int frame = 0; frame < 400000 && !Finished(h.s); ++frame) {
        h.Frame(h.player.NextInput(h.s));
    }
    EXPECT_TRUE(Finished(h.s));
    return h.s.TotalScore;
}

class ExactContinuation : public ::testing::TestWithParam<int> {};

TEST_P(ExactContinuation, ResumedMatchesEndWithTheUninterruptedTotals) {
    const GameOptions options = OptionSet(GetParam());
    const Played whole = PlayWhole(options);
    ASSERT_LT(whole.frames, 400000);
    // Breaks spread over the whole match, at odd frames so cards are caught in flight and pauses running.
    constexpr int kBreaks = 12;
    for (int k = 1; k <= kBreaks; ++k) {
        const int saveAt = whole.frames * k / (kBreaks + 1) + 7 * k;
        EXPECT_EQ(PlayWithBreak(options, saveAt), whole.totals) << "saved at frame " << saveAt;
    }
}

// Partnership, French rules and the seven-of-hearts lead in every combination.
INSTANTIATE_TEST_SUITE_P(EveryRulesOption, ExactContinuation, ::testing::Range(0, 8));

// The same through the player's files: the keeper saves at every save point, the game is dropped
// without a word (as a crash would), and the next game resumes from the last save point.
TEST(KeptMatch, ResumesFromTheLastSavePointAndIsRecordedOnceWhenFinished) {
    const GameOptions options = OptionSet(5);
    const Played whole = PlayWhole(options);
    PlayerFolder folder;
    {
        FlowHarness h(kSeed, options);
        h.Start();
        MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        for (int frame = 0; frame < whole.frames * 2 / 3; ++frame) {
            h.Frame(h.player.NextInput(h.s));
            keeper.AfterFrame(h.s, h.random, h.clock.GetTickCount());
        }
        EXPECT_TRUE(keeper.TakeMessages().empty());
    }
    ResumedGame game;
    FlowHarness& h = game.h;
    MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
    ASSERT_TRUE(keeper.Claim());
    ASSERT_NE(keeper.SavedMatch(), nullptr);
    keeper.Resume(h.s, h.random, h.clock.GetTickCount());
    ExpectRulesOf(options, h.s);
    for (int frame = 0; frame < 400000 && !Finished(h.s); ++frame) {
        h.Frame(h.player.NextInput(h.s));
        keeper.AfterFrame(h.s, h.random, h.clock.GetTickCount());
    }
    EXPECT_EQ(h.s.TotalScore, whole.totals);
    EXPECT_FALSE(std::filesystem::exists(keeper.SavePath())) << "a finished match leaves no save";
    keeper.Save(h.s, h.random, h.clock.GetTickCount());
    EXPECT_FALSE(std::filesystem::exists(keeper.SavePath())) << "nor does closing the game on its sheet";

    const LoadedStatistics statistics = LoadStatistics(folder.Data() / "statistics");
    ASSERT_EQ(statistics.records.size(), 1U);
    const MatchRecord& record = statistics.records[0];
    EXPECT_NE(record.Outcome, MatchOutcome::Abandoned);
    EXPECT_EQ(record.ContractsPlayed, 20);
    EXPECT_EQ(record.Totals[0], whole.totals[0]);
    EXPECT_TRUE(record.Partnership);
    EXPECT_TRUE(record.SevenOfHeartsLead);
    int contracts = 0;
    int points = 0;
    for (int c = 1; c <= 5; ++c) {
        contracts += record.Tally.Contracts[c];
        points += record.Tally.Points[c];
    }
    EXPECT_EQ(contracts, 20) << "every contract is in the tally, across the break";
    EXPECT_EQ(points, whole.totals[0]);
}

TEST(KeptMatch, ANewMatchInsteadOfTheSavedOneRecordsItAsAbandoned) {
    PlayerFolder folder;
    {
        FlowHarness h(kSeed);
        h.Start();
        MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        h.PlayUntil([](const GameState& s) { return s.ContractsPlayed == 1; });
        keeper.Save(h.s, h.random, h.clock.GetTickCount());
    }
    MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
    ASSERT_TRUE(keeper.Claim());
    ASSERT_NE(keeper.SavedMatch(), nullptr);
    EXPECT_EQ(SummarizeSavedMatch(*keeper.SavedMatch()).ContractNumber, 2);
    keeper.Abandon();
    EXPECT_FALSE(std::filesystem::exists(keeper.SavePath()));
    const LoadedStatistics statistics = LoadStatistics(folder.Data() / "statistics");
    ASSERT_EQ(statistics.records.size(), 1U);
    EXPECT_EQ(statistics.records[0].Outcome, MatchOutcome::Abandoned);
    EXPECT_EQ(statistics.records[0].ContractsPlayed, 1);
}

TEST(SavedMatch, EveryFrameOfADealRoundTripsExactly) {
    FlowHarness h(kSeed, OptionSet(3));
    h.Start();
    for (int frame = 0; frame < 3000; ++frame) {
        h.Frame(h.player.NextInput(h.s));
        const SavedMatchExtras extras = TakeExtras(h.s, h.random, h.clock.GetTickCount(), {});
        const std::vector<uint8_t> bytes = EncodeSavedMatch(h.s, extras);
        GameState copy = h.s;
        DecodeSavedMatch(bytes, copy);
        ASSERT_EQ(EncodeSavedMatch(copy, extras).size(), bytes.size());
        EXPECT_EQ(copy.Phase, h.s.Phase);
        EXPECT_EQ(copy.TotalScore, h.s.TotalScore);
        EXPECT_EQ(copy.OpponentName, h.s.OpponentName);
        // The deal's play so far comes back whole into a game that has none of it.
        GameState fresh;
        DecodeSavedMatch(bytes, fresh);
        ASSERT_EQ(fresh.PlayLogCount, h.s.PlayLogCount);
        for (int i = 0; i < h.s.PlayLogCount; ++i) {
            EXPECT_EQ(fresh.PlayLog[i].seat, h.s.PlayLog[i].seat);
            EXPECT_EQ(fresh.PlayLog[i].card, h.s.PlayLog[i].card);
        }
    }
}

}  // namespace

// The saved match's summary names the kingdom's owner as the table's banner does: the seat that deals,
// the one before the deal's first seat.
TEST(SavedMatch, TheSummaryNamesTheSeatThatDealsAsTheKingdomsOwner) {
    struct Case {
        int16_t firstSeat;
        int ownerSeat;
    };
    const Case cases[] = {{0, 3}, {1, 0}, {2, 1}, {3, 2}};
    for (const Case& c : cases) {
        GameState s;
        s.OpponentName = {"", "Anna", "Bert", "Cleo"};
        s.FirstSeat = c.firstSeat;
        const SavedMatchSummary summary = SummarizeSavedMatch(s);
        EXPECT_EQ(summary.KingdomOwnerSeat, c.ownerSeat) << "first seat " << c.firstSeat;
        EXPECT_EQ(summary.KingdomOwner, c.ownerSeat == 0 ? "you" : s.OpponentName[c.ownerSeat])
            << "first seat " << c.firstSeat;
    }
}
