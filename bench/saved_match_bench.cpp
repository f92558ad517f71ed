// What keeping the match costs the game: encoding and decoding a saved match, and writing it to disk
// (temporary file, fsync, rename), against one frame of the game as the reference measured in the same
// run. The game saves once per trick, laid card or contract, so a save should cost a few frames at most.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "persistence/player_files.h"
#include "persistence/saved_match.h"

namespace {

struct Game {
    Game() : services{random, sound, clock} {
        StartNewGame(s, services);
        for (int frame = 0; frame < 5000; ++frame) {
            Frame();
        }
    }
    void Frame() {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
    }
    std::vector<uint8_t> Save() {
        return EncodeSavedMatch(s, TakeExtras(s, random, clock.GetTickCount(), {}));
    }

    ManualClock clock;
    SeededRandom random{1};
    NullSound sound;
    GameServices services;
    GameState s;
    AutoPlayer player;
};

void GameFrameReference(benchmark::State& state) {
    auto game = std::make_unique<Game>();
    for (auto _ : state) {
        game->Frame();
        if (game->s.MatchOver) {
            state.PauseTiming();
            game = std::make_unique<Game>();
            state.ResumeTiming();
        }
    }
}

void EncodeMatch(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.Save());
    }
}

void RestoreMatch(benchmark::State& state) {
    Game game;
    const std::vector<uint8_t> bytes = game.Save();
    for (auto _ : state) {
        GameState s;
        SeededRandom random(0);
        benchmark::DoNotOptimize(RestoreSavedMatch(bytes, s, random, 0));
    }
}

void WriteMatchFile(benchmark::State& state) {
    Game game;
    const std::vector<uint8_t> bytes = game.Save();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zarn-save-bench-" + std::to_string(::getpid()));
    for (auto _ : state) {
        WriteFileAtomically(folder / "match.sav", bytes);
    }
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(GameFrameReference)->Unit(benchmark::kMicrosecond);
BENCHMARK(EncodeMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(RestoreMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteMatchFile)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
