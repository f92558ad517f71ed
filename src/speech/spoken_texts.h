#pragma once

#include <cstdint>
#include <string>

#include "cards/game_state.h"
#include "speech/speech_event.h"

// The texts speech says, in the player's language, from the game state. Pure: they read the state and
// the catalogues and nothing else. Each is one or more whole sentences.

// The text of an event at a verbosity level, read against the state after it happened; an empty text
// when the level says nothing about it.
Utterance EventUtterance(const GameState& s, const SpeechEvent& event, Verbosity verbosity);

// On demand. The player's hand grouped by suit, each suit from its lowest card to its highest.
std::string HandText(const GameState& s);
// The cards of the trick so far with who played them, or the layout's columns.
std::string TableText(const GameState& s);
// Every seat's total, the player first.
std::string ScoresText(const GameState& s);
// The contract in play, its number in the match and what it costs.
std::string ContractText(const GameState& s);
// The focused card ("seven of clubs, 3 of 11, may be played") or contract button; "" without a focus.
std::string FocusText(const GameState& s);
// The contracts the kingdom's owner has not chosen yet in this kingdom, as one sentence.
std::string OpenContractsText(const GameState& s, bool withCosts);
