#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "cards/rounding.h"

// The table's screen positions and animation constants. Every duration, tolerance and scatter of a
// card movement lives here, set once per run; the trick positions are rebuilt at every deal.

// Positions, frame counts, tolerances and scatters for the chosen resolution and animation speed.
void SetUpTableLayout(GameState& s);

// The four trick positions, from the 1024 x 768 design values scaled to the screen.
void ResetTrickPositions(GameState& s);

// The resting place of a seat's hand slot: its hand origin plus slot steps.
PointXY HandSlotPlace(const GameState& s, int seat, int slot);

// The human's contract buttons: the enabled ones stack upwards, without gaps, from just above the
// human's hand; disabled ones keep their place.
inline constexpr int16_t kContractButtonX = 305;
inline constexpr int16_t kContractButtonRise = 60;  // above the human's hand
inline constexpr int16_t kContractButtonPitch = 52;
void PlaceContractButtons(GameState& s);
