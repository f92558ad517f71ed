#pragma once

#include <array>

#include "cards/game_state.h"

// The card choice of a computer seat in the layout contract.

using HandCopy = std::array<CardRecord, kHandSlots>;

// How far the card opens the way to the seat's own further cards of its suit: 5, plus 1000 for the
// next card of the suit in hand, 500 for the one after, and so on (each gap costs a little more), plus a
// small term for how many of the suit's remaining cards the seat holds.
float LayoutCardValue(const GameState& s, const CardRecord& card, const HandCopy& hand);

// True when a held slot 0..12 of the hand carries a card of that suit and height.
bool HoldsRankInSuit(const GameState& s, int16_t height, int32_t suit, const HandCopy& hand);

// The score of each hand slot 0..12: the value of a held playable card, -1000 for a held card that does
// not fit, 0 for an empty slot.
std::array<float, kHandCards> LayoutSlotScores(const GameState& s, int seat);
