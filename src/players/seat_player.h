#pragma once

#include <cstdint>

#include "cards/game_state.h"

// One computer player's three decisions, so the flow, the demo mode and the simulator can seat either
// level. Every decision only reads the state; the caller records it as for the game's own players.
class SeatPlayer {
public:
    virtual ~SeatPlayer() = default;
    // The contract (1..5) the seat chooses for its kingdom's deal; one it has not chosen this match.
    virtual int16_t Contract(const GameState& s, int seat) = 0;
    // The card id the seat plays to the trick in progress.
    virtual int16_t TrickCard(const GameState& s, int seat) = 0;
    // The hand slot (0..12) the seat lays in the layout contract; it holds a playable card.
    virtual int16_t LayoutSlot(const GameState& s, int seat) = 0;
};

// The game's own players.
class ClassicPlayer final : public SeatPlayer {
public:
    int16_t Contract(const GameState& s, int seat) override;
    int16_t TrickCard(const GameState& s, int seat) override;
    int16_t LayoutSlot(const GameState& s, int seat) override;
};
