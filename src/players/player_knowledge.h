#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cards/game_state.h"

// What a computer seat can know about the cards in play: its own candidates, the trick on the table
// and the four won piles. Nothing here looks into another seat's hand.
//
// A candidate list is the seat's held card ids in held-list order; the helpers count over the first
// `count` entries only, so a caller can pass a longer buffer.

// The seat's held list as its candidates.
std::span<const int16_t> CandidateList(const GameState& s, int seat);

// Cards of the candidate's suit, higher (lower) by rank height, lying in the won piles, on the table or
// among the candidates.
int16_t KnownHigher(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count);
int16_t KnownLower(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count);

// The card's height, raised by how lopsided and how large the known part of its suit is.
double HeightValue(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count);

// The known cards (won piles, table, candidates) counted by suit and height, once per decision, so
// HeightValue of every candidate reads the counts instead of the piles.
// Each suit's counts sit in one word, four bits per height (a height is known at most a few times), so
// the counts below or above a height are a masked sum of the nibbles.
struct KnownHeights {
    std::array<uint64_t, 5> nibbles{};
};
KnownHeights CountKnownHeights(const GameState& s, std::span<const int16_t> list, int count);
double HeightValue(const GameState& s, int16_t candidate, const KnownHeights& known);

// True when the candidate, played now, would be the highest card of the led suit on the table.
bool WouldWinNow(const GameState& s, int16_t candidate);

// True when the card of that rank (ace 1 .. king 13) and suit is in a won pile, on the table or among
// the candidates.
bool IsAccountedFor(const GameState& s, int16_t rank, int32_t suit, std::span<const int16_t> list, int count);

// A follower's fear that the penalty card of the led suit may still drop onto this trick under a
// candidate that would win it.
bool PenaltyDanger(const GameState& s, int16_t candidate, std::span<const int16_t> list, int count);

// In King: a candidate is the king of hearts. False in every other contract.
bool ListHasKingOfHearts(const GameState& s, std::span<const int16_t> list, int count);

// In Queens: a candidate is the queen of that suit. False in every other contract.
bool ListHasQueenOfSuit(const GameState& s, int32_t suit, std::span<const int16_t> list, int count);

// A candidate has the suit of the led card (table slot 0).
bool ListHasLedSuit(const GameState& s, std::span<const int16_t> list, int count);
