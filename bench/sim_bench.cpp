// Simulated matches per second: whole matches through the frame function, seat 0 played by the
// autoplayer, with a fake clock and no drawing.
#include <benchmark/benchmark.h>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"

namespace {

void SimulatedMatches(benchmark::State& state) {
    ManualClock clock;
    SeededRandom random(1);
    NullSound sound;
    GameServices services{random, sound, clock};
    GameState s;
    s.Options.SlowAnimation = state.range(0) != 0;
    StartNewGame(s, services);
    AutoPlayer player;
    int64_t frames = 0;
    for (auto _ : state) {
        // One match: play until its 20th contract is scored, then click on to the next one.
        while (!s.MatchOver) {
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(17);
            ++frames;
        }
        while (s.MatchOver) {
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(17);
            ++frames;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_per_match"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
    state.counters["matches_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(SimulatedMatches)->Arg(0)->Arg(1)->ArgName("slow")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
