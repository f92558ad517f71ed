#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "cards/game_state.h"
#include "cards/seams.h"

// The thirty names the computer players are given; short ones are padded to four characters.
extern const std::array<std::string_view, kOpponentNameCount> kOpponentNames;

// Fills the picture names (cards, contracts, pass) and then derives the card tables from them.
void InitCardTables(GameState& s);

// Seat constants, teams, the rank and suit of every card read from its picture name, ace-high order.
void BuildCardTables(GameState& s);

// Rank heights for the current contract: the rank itself in the layout contract, ace high otherwise.
void SetRankOrder(GameState& s);

// Once per run: hand size, the penalty totals of the contracts, the first opponents' names.
void NewMatchConstants(GameState& s, Random& random);

// Three distinct names from the name table for seats 1, 2 and 3.
void DrawOpponentNames(GameState& s, Random& random);

// At every deal: nothing taken yet and no card ids on the table.
void ResetContractCounters(GameState& s);

// The seat k places before the seat to move; SeatBefore(3) after a trick is the seat that led it.
int16_t SeatBefore(const GameState& s, int k);

int16_t CurrentSeatValue(const GameState& s);

// The hand slot 0..12 of the seat that holds the card id, or -1 when none does.
int16_t FindHandSlot(const GameState& s, int seat, int16_t card);
