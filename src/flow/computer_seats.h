#pragma once

#include <cstdint>
#include <optional>

#include "cards/game_state.h"
#include "players/seat_player.h"

// Decides for the computer seats in place of the game's own players (see GameServices). A decision may
// take longer than a frame: an empty answer means "still thinking", and the game asks again on a later
// frame while the window, the animation and the keys go on.
class ComputerSeats {
public:
    virtual ~ComputerSeats() = default;
    virtual std::optional<int16_t> Contract(const GameState& s, int seat) = 0;
    virtual std::optional<int16_t> TrickCard(const GameState& s, int seat) = 0;
    virtual std::optional<int16_t> LayoutSlot(const GameState& s, int seat) = 0;
    // Called on each frame of a pause: a decision that will surely be asked for next may start now.
    virtual void Prepare(const GameState&) {}
    // A decision is being worked out (the frame loop keeps running meanwhile).
    virtual bool Thinking() const { return false; }
};

// Decides at once, on the caller's thread (headless play, tests).
class ImmediateSeats final : public ComputerSeats {
public:
    explicit ImmediateSeats(SeatPlayer& player) : player_(player) {}
    std::optional<int16_t> Contract(const GameState& s, int seat) override {
        return player_.Contract(s, seat);
    }
    std::optional<int16_t> TrickCard(const GameState& s, int seat) override {
        return player_.TrickCard(s, seat);
    }
    std::optional<int16_t> LayoutSlot(const GameState& s, int seat) override {
        return player_.LayoutSlot(s, seat);
    }

private:
    SeatPlayer& player_;
};
