#pragma once

#include <array>
#include <cstdint>

#include "cards/game_state.h"
#include "players/card_bits.h"
#include "players/mix_hash.h"

// The expert players' own random numbers: a small fast generator, seeded per decision, that never
// touches the game's stream.
class ExpertRandom {
public:
    explicit ExpertRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next() { return SplitMix64(state_); }
    int Below(int n) { return static_cast<int>((Next() >> 32) * static_cast<uint64_t>(n) >> 32); }

private:
    uint64_t state_;
};

// What one seat knows of the deal: its own cards, the cards already played, how many cards each seat
// holds, and, per seat, the cards the play has shown it cannot hold.
struct SeatView {
    int seat = 0;
    CardBits own = 0;
    CardBits played = 0;
    std::array<int, kSeats> counts{};
    std::array<CardBits, kSeats> excluded{};

    CardBits Unseen() const;  // in the other seats' hands
};

// From the play of a trick contract: a seat that did not follow suit holds none of it; a seat void in
// the led suit that did not give a card the rules would have forced (the king of hearts, a queen, a
// diamond) holds none of those either.
SeatView TrickSeatView(const GameState& s, int seat, const CardBitMap& map, CardBits forced);

// From the play of the layout contract: a seat that passed held none of the cards that fitted then.
SeatView LayoutSeatView(const GameState& s, int seat, const CardBitMap& map);

// Deals the unseen cards to the other seats at random, each seat its count, none a card it cannot
// hold. False only when the view allows no such deal.
bool SampleDeal(const SeatView& view, ExpertRandom& random, std::array<CardBits, kSeats>& hands);
