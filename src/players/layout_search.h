#pragma once

#include <array>
#include <cstdint>

#include "players/card_bits.h"

// The layout contract with every hand open, on card bit sets in the layout height order (ace 0 ..
// king 12): the fitting cards, one turn, and playouts by a rule-of-thumb policy.

struct LayoutPosition {
    std::array<CardBits, kSeats> hands{};
    CardBits laid = 0;
    std::array<int8_t, kSeats> finishCode{};  // 3 for the first seat out .. 1; 0 while holding cards
    int8_t nextCode = 3;
    int8_t toMove = 0;  // the seat whose turn it is

    // At most one seat still holds cards.
    bool Over() const;
};

// The cards that fit the layout now.
CardBits FittingCards(CardBits laid);

// Lays a card of the seat to move; the turn stays with it (NextTurn moves it on).
void LayCard(LayoutPosition& p, int bit);

// The turn passes to the next seat that holds cards.
void NextTurn(LayoutPosition& p);

// The policy of the playouts: the fitting card that opens the way to most of the seat's own cards of
// its suit, nearer cards weighing more; a card that opens nothing goes first when it is an end card.
int LayoutPolicyMove(const LayoutPosition& p);

// Plays the position out (the seat to move plays first) and returns it finished.
void PlayOutLayout(LayoutPosition& p);
