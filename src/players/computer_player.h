#pragma once

#include <cstdint>

#include "cards/game_state.h"

// The computer players. Each entry point decides for one seat from what that seat may know (its own
// cards, the table, the won piles, the contract, the options and the seat notes), with no random
// number, so equal states give equal choices. The seat is a parameter so the same code can play
// seat 0 in the simulator and the demo mode.

// The contract (1..5) the seat chooses for its kingdom's deal; one it has not chosen in this match.
int16_t ChooseContract(const GameState& s, int seat);

// The card id the seat plays to the trick in progress; always one it holds and may play.
int16_t ChooseTrickCard(const GameState& s, int seat);

// The hand slot (0..12) the seat lays in the layout contract; always a held, playable card.
int16_t ChooseLayoutCard(const GameState& s, int seat);
