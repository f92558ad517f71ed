#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cards/game_state.h"

// Watches a game frame by frame and reports the first broken rule: a card lost or in two places, a
// contract chosen twice or by the wrong seat, a contract that ends other than by its rule, scores
// that do not add up, a match that is not 20 contracts, a contract that never ends.
class InvariantChecker {
public:
    explicit InvariantChecker(int64_t frameBound = 200000) : frameBound_(frameBound) {}

    // Checks the state left by one frame. Returns the description of the first broken rule, if any.
    std::optional<std::string> AfterFrame(const GameState& s);

    // The frame just checked ended a contract, and a match.
    bool ContractEnded() const { return contractEnded_; }
    bool MatchEnded() const { return matchEnded_; }

    int MatchNumber() const { return match_; }  // 1-based
    int ContractsInMatch() const { return contractsInMatch_; }
    int64_t ContractsTotal() const { return contractsTotal_; }

private:
    struct Previous {
        Phase phase = Phase::None;
        int16_t contractsPlayed = 0;
        int takenTotal = 0;
        int16_t cardsPlayed = 0;
        bool valid = false;
    };

    std::optional<std::string> CheckChoice(const GameState& s);
    std::optional<std::string> CheckContractEnd(const GameState& s, bool swept, bool laid);
    std::optional<std::string> CheckScores(const GameState& s);
    std::optional<std::string> CheckMatchEnd(const GameState& s);
    void StartMatch();

    int64_t frameBound_;
    Previous prev_;
    int match_ = 1;
    int contractsInMatch_ = 0;
    int64_t contractsTotal_ = 0;
    int64_t framesInContract_ = 0;
    bool contractEnded_ = false;
    bool matchEnded_ = false;
    std::array<std::array<bool, 6>, kSeats> chosen_{};
    std::array<int, kSeats> choices_{};
    std::array<int, kSeats> rowSums_{};
};

// Where every card is: each of the 52 must be in exactly one place (hand, deck, flight, table, won
// pile or layout column). Returns the first card that is missing or doubled.
std::optional<std::string> CheckCardConservation(const GameState& s);

// The contract's own end rule holds: King once the king of hearts is taken, Queens the fourth queen,
// Diamonds the thirteenth diamond, Tricks all 52 cards, the layout contract three empty hands.
bool ContractEndRuleMet(const GameState& s);

// What a whole contract hands out: -130, -195, -100, -75, or +500 in rewards.
int ContractWhole(int16_t contract);
