#pragma once

#include <array>
#include <cstdint>
#include <string>

// What a match adds to the player's statistics. Kept beside the match while it runs (in the saved
// match) and appended to the statistics file when it ends.

enum class MatchOutcome : uint8_t { Won = 0, Lost = 1, Abandoned = 2 };

// The player's points by contract kind (1 tricks .. 5 layout; slot 0 unused) as the score sheet
// counts them: penalties positive, the layout contract's reward negative.
struct ContractTally {
    std::array<int32_t, 6> Contracts{};
    std::array<int32_t, 6> Points{};
};

struct MatchRecord {
    int64_t EndTime = 0;  // seconds since 1970 (UTC)
    bool Partnership = false;
    bool FrenchRules = false;
    bool SevenOfHeartsLead = false;
    MatchOutcome Outcome = MatchOutcome::Lost;
    int16_t ContractsPlayed = 0;
    std::array<int32_t, 4> Totals{};  // seat 0 is the player
    ContractTally Tally;
};
