#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "presentation/canvas.h"

// Drawing the play aids over the table: the focus and the hint on the human's cards and on the
// contract buttons, the last trick (or the last cards laid) and the mute indicator. With no aid
// active none of this draws anything, and the table looks exactly as without the aids.

// How far the focused card stands out of the hand, and the outlines' thickness: around a card
// (outside it, so its own corner index stays clear), inside a contract button (the buttons touch).
inline constexpr int32_t kFocusRaise = 10;
inline constexpr int32_t kCardOutline = 2;
inline constexpr int32_t kButtonOutline = 3;

// The mute indicator's place: the top right corner, left of the score page's edge.
inline constexpr int32_t kMuteIndicatorX = 746;
inline constexpr int32_t kMuteIndicatorY = 8;

// The human's hand slot is drawn with a mark (focus shown, or hinted): DrawMarkedHandCard draws it.
bool HandSlotMarked(const GameState& state, int slot);

// The marked hand card in its place in the hand's order, so higher slots still lie over it: raised
// when focused, outlined in the focus colour, or in gold with an arrow over it when hinted.
void DrawMarkedHandCard(Canvas& canvas, const Rect32& clipRect, const GameState& state, int slot);

// The focused and the hinted contract button, outlined inside.
void DrawContractButtonMarks(Canvas& canvas, const Rect32& clipRect, const GameState& state);

// While L or the right button is held: the last trick's cards where they were played, the winner's
// outlined in gold; in the layout contract the last cards laid, outlined, the newest in gold.
void DrawLastTrickView(Canvas& canvas, const Rect32& clipRect, const GameState& state);

// While the sound is off.
void DrawMuteIndicator(Canvas& canvas, const Rect32& clipRect, const GameState& state);
