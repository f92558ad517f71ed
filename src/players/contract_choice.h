#pragma once

#include <cstdint>
#include <span>

#include "cards/game_state.h"

// The contract choice of a computer seat: five estimates of what each contract would cost the freshly
// dealt hand (lower is cheaper), a row of acceptance thresholds, and a weighted minimum as the fallback.
// The hand is a list of card ids.

float KingEstimate(const GameState& s, std::span<const int16_t> hand);
float QueensEstimate(const GameState& s, std::span<const int16_t> hand);
float DiamondsEstimate(const GameState& s, std::span<const int16_t> hand);
float TricksEstimate(const GameState& s, std::span<const int16_t> hand);
float LayoutEstimate(const GameState& s, std::span<const int16_t> hand);

// How many tricks a suit threatens: 100 for its queen, halved for each missing card from the queen
// down (the ace counting as the lowest), each held card adding the weight at its place.
int16_t SuitDanger(const GameState& s, int32_t suit, std::span<const int16_t> hand);

// Index in the hand of the card of that rank (ace 1 .. king 13) and suit, or -1.
int16_t FindCard(const GameState& s, int16_t rank, int32_t suit, std::span<const int16_t> hand);
