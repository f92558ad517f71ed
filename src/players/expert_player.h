#pragma once

#include <cstdint>

#include <array>
#include <vector>

#include "players/deal_sampler.h"
#include "players/seat_player.h"
#include "players/trick_search.h"

// How hard the expert players think. The counts are fixed, not timed, so a decision depends only on
// the state and the seed.
struct ExpertSettings {
    int trickSamples = 80;          // deals sampled per trick card
    int exactCards = 16;            // from this many cards left in the hands the rest is searched exactly
    int exactCardsTricks = 16;      // the same in Tricks, where every trick counts and the search is wider
    int layoutSamples = 120;        // deals sampled per layout card
    int contractSamples = 300;      // deals sampled per contract choice
    bool opponentsByPolicy = true;  // the exact search lets the other seats play the policy's card
    int contractExactCards = 0;     // from this many cards left a contract's playout is searched exactly
    bool opponentsByModel = true;   // the other seats play ModelMove in the playouts and the search
    bool sideByModel = false;       // the seat's own side plays ModelMove in the playouts too
    int inferencePool = 4;  // with the model: up to this many times trickSamples deals drawn, the ones whose
                            // other seats' plays the model explains best kept
};

// The expert computer players: each decision samples the hidden hands that agree with what the seat
// has seen, plays every candidate out on every sample (searching the end of the play exactly) and
// takes the one that costs the seat, or its side, least on average. Random numbers come from a
// generator seeded per decision from `seed` and the state, never from the game's stream.
class ExpertPlayer final : public SeatPlayer {
public:
    explicit ExpertPlayer(uint64_t seed, ExpertSettings settings = {});

    int16_t Contract(const GameState& s, int seat) override;
    int16_t TrickCard(const GameState& s, int seat) override;
    int16_t LayoutSlot(const GameState& s, int seat) override;

    // The seed of the decision's own generator: the player's seed and the decision's facts.
    uint64_t DecisionSeed(const GameState& s, int seat) const;

private:
    // The deals a trick card is judged on.
    std::vector<std::array<CardBits, kSeats>> TrickDeals(const GameState& s, const SeatView& view,
                                                         const CardBitMap& map, const TrickRules& rules,
                                                         int modelSeats, ExpertRandom& random) const;

    uint64_t seed_;
    ExpertSettings settings_;
    TrickSolver solver_;
};

// Everything an expert decision of `seat` reads from the state, as one number: the seat, the contract
// and how many were played, the options that change the play, the seat's hand (slots and held order),
// the deal's play log, the trick on the table, the layout's next finishing code and every seat's notes
// (finishing code, contracts chosen, King lead signal). The decision's seed and the worker thread's
// answer key are both made from it, so two states that can get different answers never share a key.
uint64_t DecisionFacts(const GameState& s, int seat);

// The seats whose points the seat plays for, as a mask: itself, and in partnership its partner too.
int SideMask(const GameState& s, int seat);
