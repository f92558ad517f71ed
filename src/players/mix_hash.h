#pragma once

#include <cstdint>

// The players' one 64-bit mixer (splitmix64): the expert's generator steps it, and every hash of the
// players (a decision's facts, the search's position keys) folds its values in with MixHash.

// Steps the state and returns its mix.
inline uint64_t SplitMix64(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A 64-bit mix of the value into the running hash.
inline uint64_t MixHash(uint64_t hash, uint64_t value) {
    uint64_t state = hash ^ (value * 0xD6E8FEB86659FD93ULL);
    return SplitMix64(state);
}
