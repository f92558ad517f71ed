// Expert decision times over positions from real play: whole matches are played by the game's own
// players, every computer decision on the way is kept, and then each kept position is decided again by
// the Expert (and, as the reference measured in the same run, by the Classic player). Prints the
// median, 99th percentile and maximum per contract, for the first card of a deal, and over all.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/computer_seats.h"
#include "flow/game_frame.h"
#include "players/expert_player.h"

namespace {

enum class Kind { Contract, Trick, Layout };

struct Position {
    Kind kind;
    int seat;
    std::shared_ptr<GameState> state;
};

// Keeps every decision it is asked for, and answers with the Classic player's choice.
class Recorder final : public ComputerSeats {
public:
    std::optional<int16_t> Contract(const GameState& s, int seat) override {
        Keep(Kind::Contract, s, seat);
        return classic_.Contract(s, seat);
    }
    std::optional<int16_t> TrickCard(const GameState& s, int seat) override {
        Keep(Kind::Trick, s, seat);
        return classic_.TrickCard(s, seat);
    }
    std::optional<int16_t> LayoutSlot(const GameState& s, int seat) override {
        Keep(Kind::Layout, s, seat);
        return classic_.LayoutSlot(s, seat);
    }
    std::vector<Position> positions;

private:
    void Keep(Kind kind, const GameState& s, int seat) {
        if (count_++ % 3 == 0 || kind == Kind::Contract || s.PlayLogCount == 0) {
            positions.push_back({kind, seat, std::make_shared<GameState>(s)});
        }
    }
    ClassicPlayer classic_;
    int count_ = 0;
};

void PlayMatch(Recorder& recorder, uint32_t seed, bool partnership) {
    ManualClock clock;
    SeededRandom random(seed);
    NullSound sound;
    GameServices services{random, sound, clock, &recorder};
    GameState s;
    s.Options.Partnership = partnership;
    StartNewGame(s, services);
    AutoPlayer player(AutoPlayerOptions{0, true, &recorder});
    while (!s.MatchOver) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
    }
}

double Decide(SeatPlayer& player, const Position& p) {
    const auto start = std::chrono::steady_clock::now();
    switch (p.kind) {
        case Kind::Contract:
            player.Contract(*p.state, p.seat);
            break;
        case Kind::Trick:
            player.TrickCard(*p.state, p.seat);
            break;
        case Kind::Layout:
            player.LayoutSlot(*p.state, p.seat);
            break;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

}  // namespace

int main() {
    Recorder recorder;
    PlayMatch(recorder, 101, false);
    PlayMatch(recorder, 202, false);
    PlayMatch(recorder, 303, true);

    ExpertPlayer expert(1);
    ClassicPlayer classic;
    std::map<std::string, std::vector<double>> expertMs;
    std::vector<double> classicMs;
    const char* names[] = {"", "Tricks", "Diamonds", "Queens", "King", "Layout"};
    for (const Position& p : recorder.positions) {
        const double ms = Decide(expert, p);
        classicMs.push_back(Decide(classic, p));
        const std::string group = p.kind == Kind::Contract ? "contract choice" : names[p.state->Contract];
        expertMs[group].push_back(ms);
        expertMs["all"].push_back(ms);
        if (p.kind == Kind::Trick && p.state->PlayLogCount == 0) {
            expertMs["first card of a deal"].push_back(ms);
        }
    }
    std::printf("Expert decision times over %zu positions of real play (ms)\n", recorder.positions.size());
    std::printf("%-22s %6s %9s %9s %9s\n", "positions", "n", "median", "p99", "max");
    for (const auto& [group, ms] : expertMs) {
        std::printf("%-22s %6zu %9.2f %9.2f %9.2f\n", group.c_str(), ms.size(), Quantile(ms, 0.5),
                    Quantile(ms, 0.99), Quantile(ms, 1.0));
    }
    const double reference = Quantile(classicMs, 0.5);
    std::printf(
        "reference: Classic decision median %.4f ms; Expert median / Classic median %.0f, Expert p99 / "
        "Classic median %.0f\n",
        reference, reference > 0 ? Quantile(expertMs["all"], 0.5) / reference : 0.0,
        reference > 0 ? Quantile(expertMs["all"], 0.99) / reference : 0.0);
    std::printf("targets: median <= 100 ms, p99 <= 400 ms on one core\n");
    return 0;
}
