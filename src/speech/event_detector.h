#pragma once

#include <vector>

#include "cards/game_state.h"
#include "speech/speech_event.h"

// What happened at the table between two states of the game, a frame apart, in the order speech tells
// it: a new deal, the contract chosen, the cards played and passes, the tricks taken, the contract
// scored, the end of the match, then whose turn it is now. Pure: it reads the two states only, so the
// program can call it after each frame and a test on any pair of states.
std::vector<SpeechEvent> DetectSpeechEvents(const GameState& before, const GameState& after);
