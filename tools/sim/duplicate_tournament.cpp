#include "duplicate_tournament.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "decision_simulation.h"

namespace {

constexpr double kZ95 = 1.96;
constexpr const char* kContractNames[] = {"", "Tricks", "Diamonds", "Queens", "King", "Layout"};

struct Sample {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    double Mean() const {
        double sum = 0;
        for (double v : values) {
            sum += v;
        }
        return values.empty() ? 0 : sum / static_cast<double>(values.size());
    }
    double HalfWidth() const {
        const size_t n = values.size();
        if (n < 2) {
            return 0;
        }
        const double mean = Mean();
        double squares = 0;
        for (double v : values) {
            squares += (v - mean) * (v - mean);
        }
        return kZ95 * std::sqrt(squares / static_cast<double>(n - 1) / static_cast<double>(n));
    }
};

std::string Line(const char* label, const Sample& sample) {
    char text[160];
    std::snprintf(text, sizeof text, "  %-28s %9.2f +- %7.2f  (n %zu)\n", label, sample.Mean(),
                  sample.HalfWidth(), sample.values.size());
    return text;
}

// The side of seats a and a + 2 wins: each of them is strictly below at least one opponent.
bool SideWins(const std::array<int16_t, kSeats>& t, int a) {
    const int c = a + 2;
    const int b = WrapSeat(a + 1);
    const int d = WrapSeat(a - 1);
    return (t[a] < t[b] || t[a] < t[d]) && (t[c] < t[b] || t[c] < t[d]);
}

bool FinishedBest(const std::array<int16_t, kSeats>& t, int seat) {
    return t[seat] == *std::min_element(t.begin(), t.end());
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    return values[index];
}

DecisionResult Play(const DuplicateOptions& options, std::array<PlayerLevel, kSeats> levels,
                    std::string& error) {
    DecisionOptions run;
    run.Matches = options.Matches;
    run.Seed = options.Seed;
    run.Partnership = options.Partnership;
    run.French = options.French;
    run.Levels = levels;
    run.ExpertSeed = options.ExpertSeed;
    run.Expert = options.Expert;
    run.CheckEveryTrick = false;
    run.DealPerContract = true;
    DecisionResult result = RunDecisionSimulation(run);
    if (!result.Passed && error.empty()) {
        error = result.Violation;
    }
    return result;
}

int PenaltyPoints(const std::array<int, 6>& perContract) {
    return perContract[kTricks] + perContract[kDiamonds] + perContract[kQueens] + perContract[kKing];
}

}  // namespace

std::string RunDuplicateTournament(const DuplicateOptions& options, std::string& error) {
    constexpr auto C = PlayerLevel::Classic;
    constexpr auto E = PlayerLevel::Expert;
    const DecisionResult classic = Play(options, {C, C, C, C}, error);
    std::vector<double> times;
    std::string out;
    char text[200];

    if (options.Partnership) {
        Sample expertWins;
        Sample classicWins;
        Sample expertSide;
        Sample classicSide;
        for (int first = 0; first < 2; ++first) {
            std::array<PlayerLevel, kSeats> levels{C, C, C, C};
            levels[first] = E;
            levels[first + 2] = E;
            const DecisionResult mixed = Play(options, levels, error);
            times.insert(times.end(), mixed.ExpertDecisionMs.begin(), mixed.ExpertDecisionMs.end());
            for (size_t m = 0; m < mixed.Totals.size() && m < classic.Totals.size(); ++m) {
                expertWins.Add(SideWins(mixed.Totals[m], first) ? 1 : 0);
                classicWins.Add(SideWins(classic.Totals[m], first) ? 1 : 0);
                expertSide.Add(mixed.Totals[m][first] + mixed.Totals[m][first + 2]);
                classicSide.Add(classic.Totals[m][first] + classic.Totals[m][first + 2]);
            }
        }
        std::snprintf(text, sizeof text, "duplicate partnership tournament: %d deal sets, seed %u\n",
                      options.Matches, options.Seed);
        out += text;
        out +=
            "Expert side (seats 0+2, then 1+3) against a Classic side, the same seats with four Classic:\n";
        out += Line("Expert side win rate", expertWins);
        out += Line("Classic side win rate", classicWins);
        out += Line("Expert side points/match", expertSide);
        out += Line("Classic side points/match", classicSide);
    } else {
        Sample expertTotal;
        Sample classicTotal;
        Sample difference;
        Sample expertPenalty;
        Sample classicPenalty;
        Sample expertBest;
        Sample classicBest;
        std::array<Sample, 6> expertKind;
        std::array<Sample, 6> classicKind;
        for (int seat = 0; seat < kSeats; ++seat) {
            std::array<PlayerLevel, kSeats> levels{C, C, C, C};
            levels[seat] = E;
            const DecisionResult mixed = Play(options, levels, error);
            times.insert(times.end(), mixed.ExpertDecisionMs.begin(), mixed.ExpertDecisionMs.end());
            for (size_t m = 0; m < mixed.Totals.size() && m < classic.Totals.size(); ++m) {
                expertTotal.Add(mixed.Totals[m][seat]);
                classicTotal.Add(classic.Totals[m][seat]);
                difference.Add(mixed.Totals[m][seat] - classic.Totals[m][seat]);
                expertPenalty.Add(PenaltyPoints(mixed.ContractPoints[m][seat]));
                classicPenalty.Add(PenaltyPoints(classic.ContractPoints[m][seat]));
                expertBest.Add(FinishedBest(mixed.Totals[m], seat) ? 1 : 0);
                classicBest.Add(FinishedBest(classic.Totals[m], seat) ? 1 : 0);
                for (int kind = kTricks; kind <= kLayoutContract; ++kind) {
                    expertKind[kind].Add(mixed.ContractPoints[m][seat][kind]);
                    classicKind[kind].Add(classic.ContractPoints[m][seat][kind]);
                }
            }
        }
        std::snprintf(text, sizeof text, "duplicate tournament: %d deal sets x 4 seats, seed %u\n",
                      options.Matches, options.Seed);
        out += text;
        out +=
            "one Expert seat against three Classic, and a Classic seat in the same seat on the same deals\n";
        out += "(points: lower is better; +- is the 95 % confidence interval)\n";
        out += Line("Expert points/match", expertTotal);
        out += Line("Classic points/match", classicTotal);
        out += Line("Expert - Classic (paired)", difference);
        out += Line("Expert penalty points/match", expertPenalty);
        out += Line("Classic penalty points/match", classicPenalty);
        const double reduction =
            classicPenalty.Mean() != 0 ? 100.0 * (1.0 - expertPenalty.Mean() / classicPenalty.Mean()) : 0;
        std::snprintf(text, sizeof text, "  %-28s %9.1f %%\n", "penalty points saved", reduction);
        out += text;
        out += Line("Expert finished best", expertBest);
        out += Line("Classic finished best", classicBest);
        for (int kind = kTricks; kind <= kLayoutContract; ++kind) {
            std::snprintf(text, sizeof text, "Expert %s/match", kContractNames[kind]);
            out += Line(text, expertKind[kind]);
            std::snprintf(text, sizeof text, "Classic %s/match", kContractNames[kind]);
            out += Line(text, classicKind[kind]);
        }
    }
    std::snprintf(text, sizeof text,
                  "Expert decision time ms: n %zu median %.2f p90 %.2f p99 %.2f max %.2f\n", times.size(),
                  Percentile(times, 0.5), Percentile(times, 0.9), Percentile(times, 0.99),
                  Percentile(times, 1.0));
    out += text;
    return out;
}
