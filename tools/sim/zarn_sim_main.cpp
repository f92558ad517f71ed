// zarn-sim: plays whole matches headless, frame by frame, checking every rule of the game on the way.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "simulation.h"

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
    app.set_version_flag("--version", std::string("zarn-sim ") + ZARN_VERSION, "Print the version and exit");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version exit with 0; every command-line mistake with 2, as the game does.
        return app.exit(e) == 0 ? 0 : 2;
    }

    const SimulationResult result = RunSimulation(options, [](const MatchLine& line) {
        std::printf("match %d seed %u totals %d %d %d %d %s\n", line.Match, line.Seed, line.Totals[0],
                    line.Totals[1], line.Totals[2], line.Totals[3], line.Result.c_str());
    });

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
