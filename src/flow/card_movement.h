#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/game_services.h"

// Card movement: every change of place is a straight line over a fixed number of frames. A move fixes
// its direction and speed at the start; each frame adds one step; a card has arrived once it is within
// the arrival tolerance of its target on both axes, and it stays where it stopped (no snapping).
// Also the bookkeeping once a card has arrived: appending it to the table, a hand or a won pile.

// --- Starting and stepping -------------------------------------------------------------------

// A single card's move over PlayFrames frames.
void StartCardMove(GameState& s, CardRecord& card, int16_t x, int16_t y);

// As StartCardMove with a flip sound, but only when no card moves at all.
void StartCardMoveWithSound(GameState& s, CardRecord& card, int16_t x, int16_t y, GameServices& services);

// One step of a moving card; no arrival test.
void StepMove(CardRecord& card);

// The card is within the arrival tolerance of its target on both axes.
bool IsWithinArrival(const GameState& s, const CardRecord& card);

// A card of a hand, the deck or the table is moving; new moves start only when none is.
bool AnyCardMoving(const GameState& s);

// Stops every table card where it is.
void ClearTableMoving(GameState& s);

// --- Group moves -----------------------------------------------------------------------------

// Every table card but the winning one slides onto the winning card at (x, y), loosely scattered.
void GatherTrick(GameState& s, float x, float y, GameServices& services);

// The gathered trick slides, turning face down, to the winner's pile at (x, y).
void SendTrickToPile(GameState& s, float x, float y, GameServices& services);

// The human's slots 1..12 fold onto slot 0 at (x, y); each remembers where it lay.
void GatherHand(GameState& s, float x, float y, GameServices& services);

// The human's slots 1..12 fly back to the places they were gathered from.
void SpreadHand(GameState& s, GameServices& services);

// Stops the human's slots 1..11 (the arriving slot stops itself).
void StopHand(GameState& s);

// --- Playing a card --------------------------------------------------------------------------

// Sends a played hand card to its trick position (scattered) or, in the layout contract, to its
// cell of the suit column. The caller has checked that no card moves and played the flip sound.
void SendPlayedCard(GameState& s, CardRecord& card, GameServices& services);

// --- Placement on arrival --------------------------------------------------------------------

// The arrived card joins the trick on the table, or its cell in the layout contract.
void PlaceTableCard(GameState& s, const CardRecord& card);

// The arrived deck card joins the receiving seat's hand in its next slot.
void PlaceDealtCard(GameState& s, const CardRecord& card, int seat);

// The record that carried a card is emptied and put back at its home place.
void RetireCard(CardRecord& card);

// The swept cards join the trick winner's won pile, and their ids its taken cards.
void SweepTrickToPile(GameState& s);

// Drops the swept cards from the table and packs the rest from slot 0.
void CompactTable(GameState& s);

// --- Card sounds -----------------------------------------------------------------------------

// One of the three flip (or sign) sounds at random; draws one random number.
void PlayFlipSound(GameServices& services);
void PlaySignSound(GameServices& services);
