#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/game_services.h"

// Starting a deal: the per-deal (and, after a finished match, per-match) resets, the shuffle, the
// kingdom rotation, the deck stack; dealing one card; and the contract choice of the kingdom's owner.

// The whole set-up of a deal; ends in the dealing phase. After a finished match it starts a new one.
void StartDeal(GameState& s, GameServices& services);

// Deck slots 0..51 get a random order of the 52 cards.
void ShuffleDeck(GameState& s, Random& random);

// The seat that receives the first cards and plays first: random at the first deal of the run, then
// the kingdom's seat, which moves on after five deals.
int16_t ChooseFirstSeat(GameState& s, Random& random);

// The receiving order of the deal: the current seat first, then in turn order.
void BuildDealOrder(GameState& s);

// Sends a deck card to the seat's next hand place, face up only for the human, with a card sound.
void DealCardTo(GameState& s, CardRecord& card, int seat, GameServices& services);

// The seat that receives the card dealt last (packets of DealPacketSize cards per seat in turn).
int16_t DealtCardSeat(const GameState& s);

// Rebuilds the visible deck stack: the next card to deal and up to seven more, one pixel apart.
void LayDeckStack(GameState& s);

// The human's buttons offer exactly the contracts the human has not chosen in this match; the offered
// ones stack upwards from the lowest button place without gaps.
void EnableContractButtons(GameState& s);

// The human's click on contract button k (0..4).
void HumanChoosesContract(GameState& s, int k);

class ComputerSeats;

// A computer seat (the current seat) chooses the deal's contract: the game's own player, or `computers`
// when given. False while `computers` is still thinking (nothing changed; ask again later).
bool ComputerChoosesContract(GameState& s, ComputerSeats* computers = nullptr);

// Contract buttons' size (their places: PlaceContractButtons).
inline constexpr int16_t kContractButtonWidth = 256;
inline constexpr int16_t kContractButtonHeight = 52;
