#pragma once

#include <cstdint>
#include <vector>

#include "cards/game_state.h"

// The card choice of a computer seat in the four trick contracts.

// The score of each of the seat's held cards, in held-list order; cards the rules forbid get -150000.
// The chosen card is the first one with the highest score.
std::vector<double> TrickCardScores(const GameState& s, int seat);

// True when the seat, leading now in King with the king of hearts in hand, tells its partner so.
bool SignalsKingLead(const GameState& s, int seat);
