#pragma once

#include <array>
#include <span>

#include "players/card_bits.h"
#include "players/trick_search.h"

// How the expert players expect the other seats to play a trick card: the fixed card scoring of the
// Classic seats, worked out on card bit sets from what the seat to move can know (its own hand, the
// cards already played and the trick on the table), never from the other hands.

// The score of every legal card of the seat to move, indexed by bit; the other entries are left alone.
void ModelScores(const TrickPosition& p, const TrickRules& rules, bool partnership,
                 std::array<double, kCards>& scores);

// The legal card with the highest score; ties go to the lowest bit.
int ModelMove(const TrickPosition& p, const TrickRules& rules, bool partnership);

// A card a seat has played in the contract so far, in playing order.
struct SeenPlay {
    int8_t seat = 0;
    int8_t bit = 0;
};

// How many of the plays of the seats in `modelSeats` the model would not have made had the seats held
// `hands` (the cards still held) and the played cards: the play replayed from the contract's start.
// The count stops at `limit`.
int ModelSurprises(std::span<const SeenPlay> plays, const std::array<CardBits, kSeats>& hands,
                   const TrickRules& rules, bool partnership, int modelSeats, int limit = kCards);
