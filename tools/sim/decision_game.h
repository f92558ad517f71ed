#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "cards/game_state.h"
#include "flow/game_services.h"
#include "players/seat_player.h"

// The game without frames: each step is a whole decision (a deal, a contract choice, a card, a pass),
// made by the same rules and flow functions as the frame-driven game. Seat 0 acts as the demo player
// does (its contract and card go through the human's paths, and it sorts its hand at its first turn
// of each deal). Every draw the animation would take from the random stream is taken here too, in the
// same order, so with the Classic players a seed gives exactly the matches the frame-driven game gives.

// Called after each decision with the state; the simulator checks it there.
using DecisionWatch = std::function<bool(const GameState&)>;

class DecisionGame {
public:
    DecisionGame(GameState& s, GameServices& services, std::array<SeatPlayer*, kSeats> players);

    // Deals, chooses the contract and plays the deal to its end ("END OF MATCH"), starting from the
    // state StartDeal leaves. `watch` sees the state after the deal, after the contract choice and after
    // every trick (or laid card): returning false stops the deal there. False when stopped.
    bool PlayDeal(const DecisionWatch& watch);

    // Times a seat-0 choice was refused by the rules and the first legal card was played instead.
    int RefusedChoices() const { return refused_; }

private:
    void Deal();
    void ChooseContract();
    bool PlayTricks(const DecisionWatch& watch);
    bool PlayLayout(const DecisionWatch& watch);
    void SortSeat0OnFirstTurn();
    int16_t Seat0Slot(int16_t chosenSlot);
    void Draws(int n);

    GameState& s_;
    GameServices& services_;
    std::array<SeatPlayer*, kSeats> players_;
    bool sorted_ = false;
    int refused_ = 0;
};
