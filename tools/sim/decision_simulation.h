#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cards/game_options.h"
#include "players/expert_player.h"
#include "simulation.h"

// Whole matches decision by decision, without frames: the same rules, flow functions and players as
// the frame-driven game, checked by the same InvariantChecker.

struct DecisionOptions {
    int Matches = 1;
    uint32_t Seed = 1;
    bool Partnership = false;
    bool French = false;
    bool SevenHearts = false;
    std::array<PlayerLevel, kSeats> Levels{};  // Classic everywhere by default
    uint64_t ExpertSeed = 1;
    ExpertSettings Expert;
    bool CheckEveryTrick = true;  // false: check only the deals, choices and contract ends
    // Duplicate play: every deal comes from its own seed (the seed, the match and the contract), so
    // the same deals return whatever was played before them.
    bool DealPerContract = false;
};

struct DecisionResult {
    bool Passed = true;
    std::string Violation;
    int Matches = 0;
    int64_t Contracts = 0;
    int RefusedChoices = 0;
    double Seconds = 0;
    std::vector<std::array<int16_t, kSeats>> Totals;  // per match
    // Per match, per seat, per contract kind (1..5): the points the seat took (lower is better).
    std::vector<std::array<std::array<int, 6>, kSeats>> ContractPoints;
    std::vector<std::string> Results;      // "We Won!" or "We lost!" per match
    std::vector<double> ExpertDecisionMs;  // wall-clock time of every Expert decision
};

DecisionResult RunDecisionSimulation(const DecisionOptions& options,
                                     const std::function<void(const MatchLine&)>& onMatch = {});

// The seed of one deal in duplicate play.
uint32_t DuplicateDealSeed(uint32_t seed, int match, int contract);
