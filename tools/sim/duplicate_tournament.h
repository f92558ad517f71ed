#pragma once

#include <cstdint>
#include <string>

#include "players/expert_player.h"

// Duplicate play of the two levels: the same deals (each from its own seed) are played once by four
// Classic seats and once with an Expert in each seat in turn, so the luck of the cards cancels; in
// partnership, once with the Expert side at seats 0 and 2 and once at 1 and 3.

struct DuplicateOptions {
    int Matches = 10;
    uint32_t Seed = 1;
    bool Partnership = false;
    bool French = false;
    uint64_t ExpertSeed = 1;
    ExpertSettings Expert;
};

// Plays the tournament and returns its report: per level the mean points per match and per contract
// kind, how often it finished best (its side won, in partnership), each with a 95 % confidence
// interval, and the Expert's decision times. Empty `error` when every rule held.
std::string RunDuplicateTournament(const DuplicateOptions& options, std::string& error);
