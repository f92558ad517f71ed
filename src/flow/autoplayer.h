#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/input_snapshot.h"

class ComputerSeats;

// Plays seat 0 as a person would: it decides with the computer players' own code, but acts only
// through the input a person could give, clicking inside the visible part of the chosen card, on the
// chosen contract button, and on to the next deal at the score sheet. Used by the simulator and the
// demo mode.

struct AutoPlayerOptions {
    int ScoreSheetFrames = 0;          // frames the score sheet stays up before the click that goes on
    bool SortHandOnFirstTurn = false;  // press R once per deal when the first card is to be played
    // Decides instead of the game's own players when given.
    ComputerSeats* computers = nullptr;
};

class AutoPlayer {
public:
    explicit AutoPlayer(AutoPlayerOptions options = {}) : options_(options) {}

    // The input for the coming frame.
    InputSnapshot NextInput(const GameState& s);

    // Times the computer players' choice for seat 0 was a card the rules refuse the human, and a
    // legal card was clicked instead.
    int RefusedChoices() const { return refusedChoices_; }

private:
    InputSnapshot Click(int32_t x, int32_t y);
    InputSnapshot Idle() const;

    AutoPlayerOptions options_;
    int32_t mouseX_ = 400;
    int32_t mouseY_ = 300;
    int sheetFrames_ = 0;
    bool sortedThisDeal_ = false;
    int refusedChoices_ = 0;
};

// A point strictly inside the part of the human's hand slot that no higher slot covers; false when
// the card is hidden entirely.
bool VisibleCardPoint(const GameState& s, int slot, int32_t& x, int32_t& y);
