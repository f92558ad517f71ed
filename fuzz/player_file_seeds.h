#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Seed corpora for the player-file fuzzers, made in memory by the game's own writers.
using FuzzSeeds = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

// Saved matches at moments across a match: dealing, choosing, in play, the layout contract, the sheet.
FuzzSeeds MakeSavedMatchSeeds();
// Statistics files: empty, a few records of each outcome, a damaged line.
FuzzSeeds MakeStatisticsSeeds();
// Settings files as the game writes them, and variations.
FuzzSeeds MakeSettingsSeeds();
