#include "decision_simulation.h"

#include <chrono>
#include <exception>
#include <memory>

#include "cards/seams.h"
#include "decision_game.h"
#include "flow/dealing.h"
#include "flow/game_frame.h"
#include "invariant_checker.h"
#include "players/deal_sampler.h"

namespace {

using WallClock = std::chrono::steady_clock;

// A random stream that duplicate play can restart for each deal.
class RestartableRandom final : public Random {
public:
    explicit RestartableRandom(uint32_t seed) : random_(std::make_unique<SeededRandom>(seed)) {}
    double Rnd() override { return random_->Rnd(); }
    void Restart(uint32_t seed) { random_ = std::make_unique<SeededRandom>(seed); }

private:
    std::unique_ptr<SeededRandom> random_;
};

// Times each decision of the seat player it wraps.
class TimedPlayer final : public SeatPlayer {
public:
    TimedPlayer(SeatPlayer& player, std::vector<double>& times) : player_(player), times_(times) {}
    int16_t Contract(const GameState& s, int seat) override {
        return Timed([&] { return player_.Contract(s, seat); });
    }
    int16_t TrickCard(const GameState& s, int seat) override {
        return Timed([&] { return player_.TrickCard(s, seat); });
    }
    int16_t LayoutSlot(const GameState& s, int seat) override {
        return Timed([&] { return player_.LayoutSlot(s, seat); });
    }

private:
    template <typename F>
    int16_t Timed(F&& decide) {
        const auto start = WallClock::now();
        const int16_t choice = decide();
        times_.push_back(std::chrono::duration<double, std::milli>(WallClock::now() - start).count());
        return choice;
    }
    SeatPlayer& player_;
    std::vector<double>& times_;
};

}  // namespace

uint32_t DuplicateDealSeed(uint32_t seed, int match, int contract) {
    uint64_t h = MixHash(seed, static_cast<uint64_t>(match));
    h = MixHash(h, static_cast<uint64_t>(contract));
    return static_cast<uint32_t>(h >> 32);
}

DecisionResult RunDecisionSimulation(const DecisionOptions& options,
                                     const std::function<void(const MatchLine&)>& onMatch) {
    DecisionResult result;
    ManualClock clock;
    RestartableRandom random(options.Seed);
    NullSound sound;
    GameServices services{random, sound, clock};

    GameState s;
    s.Options.Partnership = options.Partnership;
    s.Options.PortugueseRules = !options.French;
    s.Options.SevenOfHeartsLead = options.SevenHearts;
    ApplyRules(s.Options);

    ClassicPlayer classic;
    ExpertPlayer expert(options.ExpertSeed, options.Expert);
    TimedPlayer timedExpert(expert, result.ExpertDecisionMs);
    std::array<SeatPlayer*, kSeats> players{};
    for (int seat = 0; seat < kSeats; ++seat) {
        players[seat] = options.Levels[seat] == PlayerLevel::Expert ? static_cast<SeatPlayer*>(&timedExpert)
                                                                    : static_cast<SeatPlayer*>(&classic);
    }

    InvariantChecker checker(1000000);
    std::string broken;
    const DecisionWatch watch = [&](const GameState& state) {
        const bool wanted = options.CheckEveryTrick || state.Phase != Phase::NormalPlay;
        if (!wanted) {
            return true;
        }
        if (auto violation = checker.AfterFrame(state)) {
            broken = *violation;
            return false;
        }
        return true;
    };

    const auto started = WallClock::now();
    std::array<std::array<int, 6>, kSeats> contractPoints{};
    DecisionGame game(s, services, players);
    // In duplicate play each deal's stream starts from the deal's own seed, before StartDeal shuffles.
    auto restartForNextDeal = [&] {
        if (options.DealPerContract) {
            random.Restart(
                DuplicateDealSeed(options.Seed, result.Matches, s.MatchOver ? 0 : s.ContractsPlayed));
        }
    };
    try {
        restartForNextDeal();
        StartNewGame(s, services);
        while (result.Matches < options.Matches) {
            if (!game.PlayDeal(watch)) {
                result.Passed = false;
                result.Violation = "match " + std::to_string(checker.MatchNumber()) + ", contract " +
                                   std::to_string(checker.ContractsInMatch() + 1) + ": " + broken;
                break;
            }
            for (int seat = 0; seat < kSeats; ++seat) {
                contractPoints[seat][s.Contract] -= s.DealScore[seat];
            }
            if (s.MatchOver) {
                ++result.Matches;
                result.Totals.push_back(s.TotalScore);
                result.ContractPoints.push_back(contractPoints);
                result.Results.push_back(s.ResultText);
                contractPoints = {};
                if (onMatch) {
                    onMatch(MatchLine{result.Matches, options.Seed, s.TotalScore, s.ResultText});
                }
            }
            // The click on the score sheet starts the next deal.
            restartForNextDeal();
            StartDeal(s, services);
        }
    } catch (const std::exception& e) {
        result.Passed = false;
        result.Violation = "match " + std::to_string(checker.MatchNumber()) + ": " + e.what();
    }
    result.Seconds = std::chrono::duration<double>(WallClock::now() - started).count();
    result.Contracts = checker.ContractsTotal();
    result.RefusedChoices = game.RefusedChoices();
    return result;
}
