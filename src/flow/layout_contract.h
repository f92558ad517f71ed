#pragma once

#include "cards/game_state.h"
#include "flow/game_services.h"

// The layout contract (Zarn): the seats lay their cards onto four suit columns growing outwards from
// the jacks; a seat that cannot lay passes; seats earn rewards in the order they empty their hands,
// and the contract ends when three hands are empty.

// The turn moves to the next seat that still holds cards; it passes when it holds no card that fits,
// else a computer seat lays its choice and the human is awaited.
void StartLayoutTurn(GameState& s, GameServices& services);

// A laid card has reached its column: it joins the board, and the seat that has emptied its hand gets
// the next finishing code. Ends the contract when only one seat holds cards.
void LayoutCardArrived(GameState& s, CardRecord& card, GameServices& services);

// The hand slot a computer seat chose to lay, checked as a trick choice is: -1 ("nothing to lay") or a
// slot without a card means the chooser and the rules disagree, a fault reported as std::logic_error
// instead of indexing the hand with it.
int16_t CheckedLayoutChoice(const GameState& s, int16_t slot);
