#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "cards/game_state.h"
#include "cards/seams.h"

// Fakes and small builders shared by the test suites.

// Plays back a fixed list of numbers in [0, 1), then repeats the last one.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double Rnd() override;
    int Draws() const { return draws_; }

private:
    std::vector<double> values_;
    int draws_ = 0;
};

// Remembers every effect the game asked for.
class RecordingSound final : public SoundSink {
public:
    void PlaySound(SoundEffect effect) override { played.push_back(effect); }
    std::vector<SoundEffect> played;
};

// A fresh state with the card tables and once-per-run constants filled.
GameState MakeState(int16_t contract = kTricks);

// The card id of a short name such as "QS", "10H", "AC".
int16_t CardId(std::string_view name);

// Gives a seat these cards in slots 0.. and rebuilds its held list.
void GiveHand(GameState& s, int seat, std::initializer_list<std::string_view> cards);

// Rebuilds a seat's held list from its in-use slots 0..12.
void RebuildHeld(GameState& s, int seat);

// Lays these cards on the trick table in playing order.
void PutOnTable(GameState& s, std::initializer_list<std::string_view> cards);
