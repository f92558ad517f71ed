#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "cards/rules.h"  // LayoutReward
#include "flow/game_services.h"

// Scoring a finished contract and ending the match. Lower totals are better: penalties add to a
// seat's total, the layout contract's rewards come off it.

// DealScore of every seat for the contract just ended: minus its penalty points in a trick contract,
// its reward in the layout contract.
void ScoreContract(GameState& s);

// Scores the contract, writes its sheet row, updates the totals and, after the 20th contract, ends
// the match with its result; plays the matching sound.
void ContractOver(GameState& s, GameServices& services);

// The human's side has won the match: alone, a total no higher than every other; in partnership,
// each partner strictly below at least one opponent.
bool HumanSideWins(const GameState& s);

// Points per penalty unit of a trick contract (Tricks counts cards, ten points per four).
int16_t PointsPerUnit(int16_t contract);

inline constexpr int16_t kContractsPerMatch = 20;
inline constexpr int16_t kSheetRows = 10;
