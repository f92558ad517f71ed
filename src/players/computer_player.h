#pragma once

#include <cstdint>

#include "cards/game_state.h"

// The computer players. Each entry point decides for one seat from what that seat may know (its own
// cards, the table, the won piles, the contract, the options and the seat notes), with no random
// number, so equal states give equal choices. The seat is a parameter so the same code can play
// seat 0 in the simulator and the demo mode.

// The contract (1..5) the seat chooses for its kingdom's deal; one it has not chosen in this match.
// The choice is not recorded here: the caller marks it with MarkContractChosen.
int16_t ChooseContract(const GameState& s, int seat);

// The card id the seat plays to the trick in progress; always one it holds and may play.
// Before the card leaves the hand the caller runs NoteKingLeadSignal for the seat.
// -1 only for a seat with no card in hand, which is never asked.
int16_t ChooseTrickCard(const GameState& s, int seat);

// The hand slot (0..12) the seat lays in the layout contract; always a held, playable card.
// -1 when the seat holds no playable card: such a seat passes and is never asked.
int16_t ChooseLayoutCard(const GameState& s, int seat);

// The seat's notes that its choices leave behind (the entry points above only read the state):

// Marks the contract as chosen in the seat's row, so the seat never chooses it again this match.
void MarkContractChosen(GameState& s, int seat, int16_t contract);

// A seat that leads in King while holding the king of hearts sets its King lead signal, which its
// partner reads when leading. Does nothing in any other situation.
void NoteKingLeadSignal(GameState& s, int seat);
