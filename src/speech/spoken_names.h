#pragma once

#include <cstdint>
#include <string>

#include "cards/game_state.h"

// The names speech gives to cards, suits, ranks, seats and contracts, in the player's language. Each
// card has two whole names in the catalogues, so that a language can inflect it: as named alone ("seven
// of clubs") and as the thing played ("the seven of clubs" in "Lena plays the seven of clubs").

// The card named alone; "" for an id that is no card.
std::string SpokenCardName(const GameState& s, int16_t card);
// The card as the object of "plays".
std::string SpokenPlayedCardName(const GameState& s, int16_t card);
// A rank 1..13 named alone, as in a list of one suit's cards ("two, seven, queen").
std::string SpokenRankName(int16_t rank);
// A suit (game suit code) as the heading of a group of cards ("Clubs").
std::string SpokenSuitName(int32_t suit);
// A seat other than the player's by its name; an unnamed seat by its number.
std::string SpokenSeatName(const GameState& s, int seat);
// A contract 1..5 by the name the table shows; "" for anything else.
std::string SpokenContractName(int contract);
// What a contract costs or earns, as a whole sentence ("25 points for each queen taken.").
std::string ContractCostText(int contract);
