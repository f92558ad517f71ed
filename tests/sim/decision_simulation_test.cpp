#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cards/rules.h"
#include "cards/seams.h"
#include "decision_simulation.h"
#include "flow/autoplayer.h"
#include "flow/computer_seats.h"
#include "flow/game_frame.h"
#include "match_runs.h"
#include "players/card_bits.h"
#include "players/deal_sampler.h"
#include "players/trick_choice.h"
#include "players/trick_search.h"
#include "simulation.h"

// The decision-level simulator against the frame-driven game, the Classic players' fixed results, and
// the Expert players in whole matches: legal choices, sound inference, determinism, and the same
// choices whether they think at once or on the worker thread.

namespace {

constexpr double kIllegal = -150000.0;

std::vector<std::array<int16_t, kSeats>> FrameTotals(const SimulationOptions& options) {
    std::vector<std::array<int16_t, kSeats>> totals;
    const SimulationResult result =
        RunSimulation(options, [&](const MatchLine& line) { totals.push_back(line.Totals); });
    EXPECT_TRUE(result.Passed) << result.Violation;
    return totals;
}

TEST(DecisionSimulation, PlaysTheFrameDrivenGamesMatchesForTheSameSeed) {
    struct Case {
        bool partnership;
        bool french;
        bool sevenHearts;
        uint32_t seed;
    };
    for (const Case& c :
         {Case{false, false, false, 7}, Case{true, false, false, 8}, Case{false, true, true, 9}}) {
        SimulationOptions frames;
        frames.Matches = 2;
        frames.Seed = c.seed;
        frames.Partnership = c.partnership;
        frames.French = c.french;
        frames.SevenHearts = c.sevenHearts;
        DecisionOptions decisions;
        decisions.Matches = 2;
        decisions.Seed = c.seed;
        decisions.Partnership = c.partnership;
        decisions.French = c.french;
        decisions.SevenHearts = c.sevenHearts;
        const DecisionResult result = RunDecisionSimulation(decisions);
        ASSERT_TRUE(result.Passed) << result.Violation;
        EXPECT_EQ(result.Totals, FrameTotals(frames)) << "seed " << c.seed;
    }
}

TEST(DecisionSimulation, ClassicTotalsOfAFixedSeedStayAsTheyAre) {
    DecisionOptions options;
    options.Matches = 200;
    options.Seed = 11;
    options.CheckEveryTrick = false;
    const DecisionResult result = RunDecisionSimulation(options);
    ASSERT_TRUE(result.Passed) << result.Violation;
    std::array<int, kSeats> sums{};
    for (const auto& totals : result.Totals) {
        for (int seat = 0; seat < kSeats; ++seat) {
            sums[seat] += totals[seat];
        }
    }
    EXPECT_EQ(sums, (std::array<int, kSeats>{1745, -780, 535, -1500}));
    EXPECT_EQ(result.Totals.back(), (std::array<int16_t, kSeats>{-100, -120, 215, 5}));
    // The run's first matches against the frame-driven game of the same seed, played here: the numbers
    // above come from the game itself, not from the shortcut alone.
    SimulationOptions frames;
    frames.Matches = 6;
    frames.Seed = options.Seed;
    const auto played = FrameTotals(frames);
    ASSERT_EQ(played.size(), 6U);
    EXPECT_TRUE(std::equal(played.begin(), played.end(), result.Totals.begin()));
}

// The rules for any seat, judged by the Classic player's own marks of the cards it may not play.
bool MayPlay(const GameState& s, int seat, int16_t card) {
    const std::vector<double> scores = TrickCardScores(s, seat);
    for (int i = 0; i < s.HeldCount[seat]; ++i) {
        if (s.HeldCards[seat][i] == card) {
            return scores[static_cast<size_t>(i)] != kIllegal;
        }
    }
    return false;
}

// Checks every decision of the player it wraps against the rules, and what the seat inferred about the
// hidden hands against the cards those hands really hold.
class CheckedPlayer final : public SeatPlayer {
public:
    explicit CheckedPlayer(SeatPlayer& player) : player_(player) {}

    int16_t Contract(const GameState& s, int seat) override {
        const int16_t contract = player_.Contract(s, seat);
        EXPECT_GE(contract, kTricks);
        EXPECT_LE(contract, kLayoutContract);
        EXPECT_EQ(s.SeatInfo[seat][kContractChosenCell + contract], 0) << "contract chosen twice";
        return contract;
    }
    int16_t TrickCard(const GameState& s, int seat) override {
        CheckInference(s, seat, false);
        const int16_t card = player_.TrickCard(s, seat);
        EXPECT_TRUE(MayPlay(s, seat, card))
            << "contract " << s.Contract << ", seat " << seat << ", card " << card;
        ++decisions[s.Contract][s.TableCount == 0 ? 0 : 1];
        return card;
    }
    int16_t LayoutSlot(const GameState& s, int seat) override {
        CheckInference(s, seat, true);
        const int16_t slot = player_.LayoutSlot(s, seat);
        EXPECT_TRUE(slot >= 0 && slot <= 12 && s.Hand[seat][slot].InUse &&
                    IsLayoutPlayable(s, s.Hand[seat][slot].Card));
        ++decisions[kLayoutContract][0];
        return slot;
    }

    std::array<std::array<int, 2>, 6> decisions{};  // by contract: leads (or layout turns), follows

private:
    void CheckInference(const GameState& s, int seat, bool layout) {
        const CardBitMap map(s, layout);
        const SeatView view = layout ? LayoutSeatView(s, seat, map)
                                     : TrickSeatView(s, seat, map, RulesForContract(s.Contract, map).forced);
        for (int other = 0; other < kSeats; ++other) {
            const CardBits held = map.Of(
                std::span<const int16_t>(s.HeldCards[other].data(), static_cast<size_t>(s.HeldCount[other])));
            EXPECT_EQ(view.excluded[other] & held, 0U)
                << "seat " << seat << " rules out a card seat " << other << " holds, contract " << s.Contract;
            EXPECT_EQ(view.counts[other], s.HeldCount[other]);
        }
    }
    SeatPlayer& player_;
};

TEST(ExpertInPlay, EveryChoiceIsLegalAndNoInferenceRulesOutARealCard) {
    for (bool partnership : {false, true}) {
        ExpertPlayer expert(3, FastExpertSettings());
        CheckedPlayer checked(expert);
        ManualClock clock;
        SeededRandom random(partnership ? 21 : 22);
        NullSound sound;
        GameServices services{random, sound, clock};
        GameState s;
        s.Options.Partnership = partnership;
        StartNewGame(s, services);
        ImmediateSeats seats(checked);
        services.computers = &seats;
        AutoPlayer player(AutoPlayerOptions{0, true, &seats});
        // One whole match through the frame function, the Expert in all four seats.
        int64_t frames = 0;
        while (!s.MatchOver && frames < 3000000) {
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(17);
            ++frames;
        }
        ASSERT_TRUE(s.MatchOver);
        EXPECT_EQ(player.RefusedChoices(), 0);
        for (int contract = kTricks; contract <= kKing; ++contract) {
            EXPECT_GT(checked.decisions[contract][0], 0) << "no lead in contract " << contract;
            EXPECT_GT(checked.decisions[contract][1], 0) << "no follow in contract " << contract;
        }
        EXPECT_GT(checked.decisions[kLayoutContract][0], 0);
    }
}

TEST(ExpertInPlay, TheSameSeedPlaysTheSameMatch) {
    DecisionOptions options;
    options.Matches = 1;
    options.Seed = 5;
    options.Levels = {PlayerLevel::Classic, PlayerLevel::Expert, PlayerLevel::Classic, PlayerLevel::Expert};
    options.ExpertSeed = 99;
    options.Expert = FastExpertSettings();
    const DecisionResult first = RunDecisionSimulation(options);
    const DecisionResult second = RunDecisionSimulation(options);
    ASSERT_TRUE(first.Passed) << first.Violation;
    EXPECT_EQ(first.Totals, second.Totals);
    EXPECT_EQ(first.ContractPoints, second.ContractPoints);
}

// The worker thread's own tests (the same choices as deciding at once, failures) are in
// tests/flow/thinking_seats_test.cpp, which also runs under ThreadSanitizer.

TEST(ExpertInPlay, TheGameOwnPlayersBehindTheHookPlayAsWithout) {
    ClassicPlayer classic;
    ImmediateSeats seats(classic);
    SimulationOptions options;
    options.Seed = 31;
    const auto without = FrameTotals(options);
    ASSERT_EQ(without.size(), 1U);
    EXPECT_EQ(FrameMatch(&seats, 31), without.front());
}

}  // namespace
