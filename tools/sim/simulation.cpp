#include "simulation.h"

#include <chrono>
#include <exception>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "invariant_checker.h"

namespace {

// Milliseconds of frame f at 60 frames a second, wrapping like the tick counter.
uint32_t TickOfFrame(int64_t frame) {
    return kSimulationStartTick + static_cast<uint32_t>(static_cast<uint64_t>(frame) * 1000u / 60u);
}

std::string Where(const InvariantChecker& checker, const GameState& s, int64_t frame) {
    return "match " + std::to_string(checker.MatchNumber()) + ", contract " +
           std::to_string(checker.ContractsInMatch() + 1) + " (frame " + std::to_string(frame) +
           ", phase \"" + std::string(PhaseText(s.Phase)) + "\"): ";
}

}  // namespace

SimulationResult RunSimulation(const SimulationOptions& options,
                               const std::function<void(const MatchLine&)>& onMatch) {
    SimulationResult result;
    ManualClock clock(TickOfFrame(0));
    SeededRandom random(options.Seed);
    NullSound sound;
    GameServices services{random, sound, clock};

    GameState s;
    s.Options.Partnership = options.Partnership;
    s.Options.PortugueseRules = !options.French;
    s.Options.SlowAnimation = options.Slow;
    s.Options.SevenOfHeartsLead = options.SevenHearts;
    ApplyRules(s.Options);

    AutoPlayer player(AutoPlayerOptions{0, true});
    InvariantChecker checker(options.FrameBound);
    std::array<int64_t, 4> totalSums{};
    int wins = 0;

    const auto started = std::chrono::steady_clock::now();
    int64_t frame = 0;
    try {
        StartNewGame(s, services);
        while (result.Matches < options.Matches) {
            const InputSnapshot input = player.NextInput(s);
            RunGameFrame(s, input, services, nullptr);
            ++frame;
            clock.Set(TickOfFrame(frame));
            if (auto broken = checker.AfterFrame(s)) {
                result.Passed = false;
                result.Violation = Where(checker, s, frame) + *broken;
                break;
            }
            if (checker.MatchEnded()) {
                ++result.Matches;
                MatchLine line{checker.MatchNumber(), options.Seed, s.TotalScore, s.ResultText};
                for (int seat = 0; seat < 4; ++seat) {
                    totalSums[seat] += s.TotalScore[seat];
                }
                wins += s.ResultText == "We Won!" ? 1 : 0;
                if (onMatch) {
                    onMatch(line);
                }
            }
        }
    } catch (const std::exception& e) {
        result.Passed = false;
        result.Violation = Where(checker, s, frame) + e.what();
    }
    result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    result.Frames = frame;
    result.Contracts = checker.ContractsTotal();
    result.RefusedChoices = player.RefusedChoices();
    if (result.Matches > 0) {
        for (int seat = 0; seat < 4; ++seat) {
            result.AverageTotals[seat] = static_cast<double>(totalSums[seat]) / result.Matches;
        }
        result.HumanWinRate = static_cast<double>(wins) / result.Matches;
    }
    return result;
}
