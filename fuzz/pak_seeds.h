#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The fuzzer's seed corpus, made in memory from the archive writer and the sample files: a game archive,
// an empty one, a few that lie, and bare pictures and sounds for the format checks.
std::vector<std::pair<std::string, std::vector<uint8_t>>> MakePakSeeds();
