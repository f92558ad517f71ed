#pragma once

#include "cards/game_state.h"
#include "flow/game_services.h"
#include "flow/input_snapshot.h"

// One frame of the game, as a function of the state, the player's input and the services, so whole
// matches can be played headless with a fake clock. The window shell draws through FrameDrawing, then
// draws the cursor and presents.

class FrameDrawing {
public:
    virtual ~FrameDrawing() = default;
    // Waits for a usable display; false: skip this frame's drawing.
    virtual bool WaitForDisplay() = 0;
    virtual void DrawBackground(const GameState&) = 0;
    // The score-page edge and the table, after the game step.
    virtual void DrawTableLayer(const GameState&) = 0;
};

struct FrameResult {
    bool ExitRequested = false;  // ESCAPE: the program ends
    bool Paused = false;
};

// Once per run, after the options are set: card tables, once-per-run constants, table layout and the
// first deal.
void StartNewGame(GameState& s, GameServices& services);

// One frame: keys (ESCAPE, P, R), the left click by phase, the play aids' keys (flow/play_aids.h), one
// game step, then the clicked card is played. `drawing` may be null (headless).
FrameResult RunGameFrame(GameState& s, const InputSnapshot& input, GameServices& services,
                         FrameDrawing* drawing);

// The human's hand may be sorted now: it holds all 13 cards on its turn in play, or it is choosing
// the contract; and no card moves.
bool SortAllowed(const GameState& s);

// The enabled contract button strictly containing (x, y), scanned from 4 down to 0; -1 for none.
int ContractButtonAt(const GameState& s, int32_t x, int32_t y);
