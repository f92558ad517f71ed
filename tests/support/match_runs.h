#pragma once

#include <array>
#include <cstdint>

#include "cards/game_state.h"
#include "flow/computer_seats.h"
#include "players/expert_player.h"

// Whole matches for the suites that compare players or the ways they are asked.

// Expert settings small enough for whole matches in a test: the same code, fewer samples.
ExpertSettings FastExpertSettings();

// One match through the frame function with the given deciders, seat 0 played by them as well, on a
// clock moved 17 ms a frame; its totals. Whatever a frame throws leaves this function.
std::array<int16_t, kSeats> FrameMatch(ComputerSeats* seats, uint32_t seed);
