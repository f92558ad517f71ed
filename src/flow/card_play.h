#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/game_services.h"

// Playing a card from a hand, and stepping the moves the phase machine runs each frame.

// The human's click at (x, y): the highest hand slot under the point (strictly inside) that holds a
// resting card the rules allow. Marks the click as taken and returns the slot, or -1 and changes nothing.
int16_t HumanCardHit(GameState& s, int32_t x, int32_t y);

// The slot HumanCardHit would take at (x, y), without taking it; -1 for none.
int16_t HumanCardAt(const GameState& s, int32_t x, int32_t y);

// The human's hand slot holds a card the rules allow now (resting or not).
bool HumanSlotLegal(const GameState& s, int slot);

// The human's hand slot holds a resting card the rules allow now.
bool HumanMayPlaySlot(const GameState& s, int slot);

// The lowest hand slot of seat 0 holding a card the rules allow now, or -1.
int16_t FirstLegalSlot(const GameState& s);

// The human plays the card in `slot`: noted for the rules and the click marked as taken. The frame
// sends it on its way after the game step.
void TakeHumanCard(GameState& s, int16_t slot);

// Sends a hand card to the table with a flip sound; nothing while any card moves.
void PlayCard(GameState& s, CardRecord& card, GameServices& services);

// After a played card has landed: the hand slot is emptied and the seat's held list rebuilt.
void ReleaseHandSlot(GameState& s, CardRecord& card);

// One step of a moving card, then the arrival test.
void StepCard(GameState& s, CardRecord& card, GameServices& services);

// One step of every moving table card, then the arrival test on the first card other than the winning
// one: its arrival stops the whole group.
void StepTrickGathering(GameState& s, GameServices& services);
void StepTrickSweep(GameState& s, GameServices& services);

// One step of the human's moving slots 1..12, then the arrival test on the highest one still moving.
void StepHand(GameState& s, GameServices& services);
