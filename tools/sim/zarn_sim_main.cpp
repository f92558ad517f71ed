// zarn-sim: plays whole matches headless, frame by frame, checking every rule of the game on the way.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "decision_simulation.h"
#include "duplicate_tournament.h"
#include "simulation.h"

namespace {

// Parses "classic", "expert", or four levels for seats 0..3 separated by commas.
bool ParseLevels(const std::string& text, std::array<PlayerLevel, kSeats>& levels) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (parts.size() != 1 && parts.size() != kSeats) {
        return false;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        const std::string& part = parts[parts.size() == 1 ? 0 : seat];
        if (part == "classic") {
            levels[seat] = PlayerLevel::Classic;
        } else if (part == "expert") {
            levels[seat] = PlayerLevel::Expert;
        } else {
            return false;
        }
    }
    return true;
}

void PrintMatch(const MatchLine& line) {
    std::printf("match %d seed %u totals %d %d %d %d %s\n", line.Match, line.Seed, line.Totals[0],
                line.Totals[1], line.Totals[2], line.Totals[3], line.Result.c_str());
}

int RunDecisions(const SimulationOptions& options, const std::array<PlayerLevel, kSeats>& levels,
                 uint64_t expertSeed, const ExpertSettings& expert, bool checkEveryTrick) {
    DecisionOptions run;
    run.Matches = options.Matches;
    run.Seed = options.Seed;
    run.Partnership = options.Partnership;
    run.French = options.French;
    run.SevenHearts = options.SevenHearts;
    run.Levels = levels;
    run.ExpertSeed = expertSeed;
    run.Expert = expert;
    run.CheckEveryTrick = checkEveryTrick;
    const DecisionResult result = RunDecisionSimulation(run, PrintMatch);
    if (!result.Passed) {
        std::fflush(stdout);
        std::fprintf(stderr, "zarn-sim: rule broken in %s\n", result.Violation.c_str());
        return 1;
    }
    std::array<double, kSeats> average{};
    int wins = 0;
    for (size_t m = 0; m < result.Totals.size(); ++m) {
        for (int seat = 0; seat < kSeats; ++seat) {
            average[seat] += result.Totals[m][seat] / static_cast<double>(result.Totals.size());
        }
        wins += result.Results[m] == "We Won!" ? 1 : 0;
    }
    std::printf("matches %d contracts %lld\n", result.Matches, static_cast<long long>(result.Contracts));
    std::printf("average totals %.1f %.1f %.1f %.1f\n", average[0], average[1], average[2], average[3]);
    std::printf("human side win rate %.3f\n",
                result.Matches > 0 ? static_cast<double>(wins) / result.Matches : 0.0);
    if (result.RefusedChoices > 0) {
        std::printf("seat 0 choices refused by the rules %d\n", result.RefusedChoices);
    }
    std::fflush(stdout);
    std::fprintf(stderr, "matches per second %.0f\n",
                 result.Seconds > 0 ? result.Matches / result.Seconds : 0.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Plays whole Zarn matches headless, frame by frame, and checks every rule on the way."};
    SimulationOptions options;
    app.add_option("--matches", options.Matches, "Matches to play")->check(CLI::Range(1, 1000000000));
    app.add_option("--seed", options.Seed, "Seed of the random generator (the same seed, the same games)");
    app.add_flag("--partnership", options.Partnership, "Opposite seats play as partners");
    app.add_flag("--french", options.French, "Deal in packets of 13 (the French rules)");
    app.add_flag("--slow", options.Slow, "Slow card animation");
    app.add_flag("--seven-hearts", options.SevenHearts,
                 "The holder of the seven of hearts owns the first kingdom");
    app.add_option("--frame-bound", options.FrameBound,
                   "Frames one contract may take before it counts as stuck")
        ->check(CLI::Range(1, 1000000000));
    bool decisions = false;
    app.add_flag("--decisions", decisions, "Play decision by decision, without frames or animation");
    std::string players = "classic";
    app.add_option("--players", players,
                   "Level of the seats: classic, expert, or four levels for seats 0..3 (classic,expert,...);"
                   " other levels than classic need --decisions");
    bool duplicate = false;
    app.add_flag("--duplicate", duplicate,
                 "Duplicate tournament of Expert against Classic on the same deals (decision by decision)");
    bool checkContracts = false;
    app.add_flag("--check-contracts-only", checkContracts,
                 "With --decisions: check the deals, choices and contract ends, not every trick");
    uint64_t expertSeed = 1;
    app.add_option("--expert-seed", expertSeed, "Seed of the Expert players' own generator");
    ExpertSettings expert;
    app.add_option("--expert-samples", expert.trickSamples, "Expert: deals sampled per trick card")
        ->check(CLI::Range(1, 100000));
    app.add_option("--expert-exact", expert.exactCards,
                   "Expert: cards left from which the play is searched exactly")
        ->check(CLI::Range(0, 52));
    app.add_option("--expert-exact-tricks", expert.exactCardsTricks,
                   "Expert: the same in the Tricks contract")
        ->check(CLI::Range(0, 52));
    app.add_option("--expert-contract-samples", expert.contractSamples,
                   "Expert: deals sampled per contract choice")
        ->check(CLI::Range(1, 100000));
    app.add_option("--expert-contract-exact", expert.contractExactCards,
                   "Expert: cards left from which a contract choice's playouts are searched exactly")
        ->check(CLI::Range(0, 52));
    bool worstOpponents = false;
    app.add_flag("--expert-worst-opponents", worstOpponents,
                 "Expert: the exact search lets the other seats play the card worst for the Expert's side");
    bool ruleOfThumbOpponents = false;
    app.add_flag(
        "--expert-rule-of-thumb-opponents", ruleOfThumbOpponents,
        "Expert: the other seats play the playouts' rule of thumb instead of the Classic-like model");
    app.add_option("--expert-inference-pool", expert.inferencePool,
                   "Expert: deals drawn per trick card, as a multiple of the samples, to keep those the "
                   "model explains")
        ->check(CLI::Range(1, 100));
    app.add_flag("--expert-side-by-model", expert.sideByModel,
                 "Expert: its own side plays the model in the playouts");
    app.set_version_flag("--version", std::string("zarn-sim ") + ZARN_VERSION, "Print the version and exit");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version exit with 0; every command-line mistake with 2, as the game does.
        return app.exit(e) == 0 ? 0 : 2;
    }
    expert.opponentsByPolicy = !worstOpponents;
    expert.opponentsByModel = !ruleOfThumbOpponents;

    std::array<PlayerLevel, kSeats> levels{};
    if (!ParseLevels(players, levels)) {
        std::fprintf(stderr,
                     "zarn-sim: --players takes classic, expert, or four of them separated by commas\n");
        return 2;
    }
    const bool anyExpert = std::find(levels.begin(), levels.end(), PlayerLevel::Expert) != levels.end();
    if (duplicate) {
        DuplicateOptions run;
        run.Matches = options.Matches;
        run.Seed = options.Seed;
        run.Partnership = options.Partnership;
        run.French = options.French;
        run.ExpertSeed = expertSeed;
        run.Expert = expert;
        std::string error;
        const std::string report = RunDuplicateTournament(run, error);
        std::fputs(report.c_str(), stdout);
        std::fflush(stdout);
        if (!error.empty()) {
            std::fprintf(stderr, "zarn-sim: rule broken in %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (decisions) {
        return RunDecisions(options, levels, expertSeed, expert, !checkContracts);
    }
    if (anyExpert) {
        std::fprintf(stderr, "zarn-sim: Expert seats play with --decisions or --duplicate\n");
        return 2;
    }

    const SimulationResult result = RunSimulation(options, PrintMatch);

    if (!result.Passed) {
        std::fflush(stdout);
        std::fprintf(stderr, "zarn-sim: rule broken in %s\n", result.Violation.c_str());
        return 1;
    }
    std::printf("matches %d contracts %lld\n", result.Matches, static_cast<long long>(result.Contracts));
    std::printf("average totals %.1f %.1f %.1f %.1f\n", result.AverageTotals[0], result.AverageTotals[1],
                result.AverageTotals[2], result.AverageTotals[3]);
    std::printf("human side win rate %.3f\n", result.HumanWinRate);
    std::printf("frames %lld\n", static_cast<long long>(result.Frames));
    if (result.RefusedChoices > 0) {
        std::printf("seat 0 choices refused by the rules %d\n", result.RefusedChoices);
    }
    std::fflush(stdout);
    // Timing varies from run to run, so it goes to standard error: standard output depends on the seed only.
    const double fps = result.Seconds > 0 ? static_cast<double>(result.Frames) / result.Seconds : 0.0;
    std::fprintf(stderr, "frames per second %.0f\n", fps);
    return 0;
}
