#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// Whole matches played headless through the game's own frame function, with a fake clock that moves
// one frame's time per frame. Seat 0 is the autoplayer; every frame is checked by InvariantChecker.

struct SimulationOptions {
    int Matches = 1;
    uint32_t Seed = 1;
    bool Partnership = false;
    bool French = false;
    bool Slow = false;
    bool SevenHearts = false;
    int64_t FrameBound = 200000;  // frames one contract may take, its deal included
};

struct MatchLine {
    int Match = 0;
    uint32_t Seed = 0;
    std::array<int16_t, 4> Totals{};
    std::string Result;
};

struct SimulationResult {
    bool Passed = true;
    std::string Violation;  // the first broken rule, with where it happened
    int Matches = 0;
    int64_t Contracts = 0;
    std::array<double, 4> AverageTotals{};
    double HumanWinRate = 0;
    int64_t Frames = 0;
    double Seconds = 0;
    int RefusedChoices = 0;  // seat 0 choices the rules refused (a legal card was clicked instead)
};

SimulationResult RunSimulation(const SimulationOptions& options,
                               const std::function<void(const MatchLine&)>& onMatch = {});

// The clock starts this close below the 32-bit wrap, so every run crosses it.
inline constexpr uint32_t kSimulationStartTick = 0xFFFFFFFFu - 30000u;
