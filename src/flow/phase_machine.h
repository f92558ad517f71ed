#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/game_services.h"

// The phase machine: one step of the current phase per frame, and the transition each arrival of a
// moving card completes. A seat acts only when no card moves, so every play, deal and sweep is seen to
// its end before the next begins; timed pauses are a phase of their own that remembers where to return.

// One step of the current phase.
void GameStep(GameState& s, GameServices& services);

// If the card is moving and within the arrival tolerance of its target, it stops and the current
// phase's arrival transition runs; otherwise nothing.
void CardArrived(GameState& s, CardRecord& card, GameServices& services);

// Enters the pause phase for `ms` milliseconds, remembering the phase to return to.
void StartDelay(GameState& s, uint32_t ms, Clock& clock);

// The pause that began at DelayStart is over. Wrap-safe: the tick counter wraps after 49.7 days.
bool DelayHasPassed(const GameState& s, uint32_t now);

// Ends a trick contract once all its penalty points are taken, or after the 52nd card.
void CheckContractEnd(GameState& s, GameServices& services);

// Pause lengths in milliseconds.
inline constexpr uint32_t kTrickCardPause = 1250;
inline constexpr uint32_t kAnnouncePause = 1700;  // after the announcement, a laid card or a pass
