#include "flow/scoring.h"

#include <cmath>

#include "cards/rules.h"
#include "i18n/translation.h"

int16_t PointsPerUnit(int16_t contract) {
    switch (contract) {
        case kDiamonds:
            return 15;
        case kQueens:
            return 25;
        case kKing:
            return 75;
        default:
            return 10;  // per trick
    }
}

void ScoreContract(GameState& s) {
    if (s.Contract == kLayoutContract) {
        for (int seat = 0; seat < kSeats; ++seat) {
            const int16_t reward = LayoutReward(s.SeatInfo[seat][kFinishCodeCell]);
            s.SeatInfo[seat][kFinishCodeCell] = reward;
            s.DealScore[seat] = reward;
        }
        return;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        int units = 0;
        for (int i = 0; i < s.TakenCount[seat]; ++i) {
            units += PenaltyCount(s, s.TakenCards[seat][i]);
        }
        double score = static_cast<double>(units) * PointsPerUnit(s.Contract);
        if (s.Contract == kTricks) {
            score = std::nearbyint(static_cast<double>(units) / 4.0 * 10.0);  // whole tricks: exact
        }
        s.DealScore[seat] = static_cast<int16_t>(-score);
    }
}

bool HumanSideWins(const GameState& s) {
    const auto& t = s.TotalScore;
    if (s.Options.Partnership) {
        return (t[0] < t[1] || t[0] < t[3]) && (t[2] < t[1] || t[2] < t[3]);
    }
    return t[0] <= t[1] && t[0] <= t[2] && t[0] <= t[3];
}

void ContractOver(GameState& s, GameServices& services) {
    ScoreContract(s);
    for (int seat = 0; seat < kSeats; ++seat) {
        s.ScoreHistory[seat][s.ScoreRows] = static_cast<int16_t>(-s.DealScore[seat]);
    }
    ++s.ScoreRows;
    for (int seat = 0; seat < kSeats; ++seat) {
        s.TotalScore[seat] = static_cast<int16_t>(s.TotalScore[seat] - s.DealScore[seat]);
    }
    s.ResultText.clear();
    if (s.ScoreRows > kSheetRows - 1) {
        s.SheetFull = true;
    }
    ++s.ContractsPlayed;
    ++s.SavePoints;
    if (s.ContractsPlayed == kContractsPerMatch) {
        s.MatchOver = true;
        if (HumanSideWins(s)) {
            // TRANSLATORS: under the score sheet; at most 24 characters.
            s.ResultText = N_("We Won!");
            services.sound.PlaySound(SoundEffect::MatchWon);
        } else {
            // TRANSLATORS: under the score sheet; at most 24 characters.
            s.ResultText = N_("We lost!");
            services.sound.PlaySound(SoundEffect::MatchLost);
        }
        return;
    }
    services.sound.PlaySound(SoundEffect::ContractEnd);
}
