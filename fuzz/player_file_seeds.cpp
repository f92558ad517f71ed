#include "player_file_seeds.h"

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "persistence/saved_match.h"
#include "persistence/statistics.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

}  // namespace

FuzzSeeds MakeSavedMatchSeeds() {
    FuzzSeeds seeds;
    GameState s;
    s.Options.Partnership = true;
    ApplyRules(s.Options);
    SeededRandom random(77);
    NullSound sound;
    ManualClock clock(1000);
    GameServices services{random, sound, clock};
    AutoPlayer player;
    StartNewGame(s, services);
    int next = 0;
    for (int frame = 0; frame < 60000 && !s.MatchOver; ++frame) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
        if (frame == next) {
            seeds.emplace_back("match-" + std::to_string(frame),
                               EncodeSavedMatch(s, TakeExtras(s, random, clock.GetTickCount(), {})));
            next = next * 2 + 97;
        }
    }
    return seeds;
}

FuzzSeeds MakeStatisticsSeeds() {
    FuzzSeeds seeds;
    seeds.emplace_back("empty", std::vector<uint8_t>{});
    std::string text;
    for (int i = 0; i < 3; ++i) {
        MatchRecord r;
        r.EndTime = 1765000000 + i;
        r.Outcome = static_cast<MatchOutcome>(i);
        r.Partnership = i == 1;
        r.ContractsPlayed = 20;
        r.Totals = {120 * i - 50, 300, 410, 90};
        r.Tally.Contracts = {0, 4, 4, 4, 4, 4};
        r.Tally.Points = {0, 30, 45, 75, 75, -300};
        text += EncodeMatchRecord(r);
    }
    seeds.emplace_back("three", Bytes(text));
    seeds.emplace_back("cut", Bytes(text.substr(0, text.size() - 9)));
    return seeds;
}

FuzzSeeds MakeSettingsSeeds() {
    FuzzSeeds seeds;
    seeds.emplace_back(
        "written", Bytes("[format]\nversion=1\n\n[game]\ndeck=Royal\nfrenchRules=false\npartnership=true\n"
                         "sevenOfHeartsLead=false\nslowAnimation=true\n\n[window]\nheight=600\nwidth=800\n"
                         "windowed=true\n"));
    seeds.emplace_back("newer", Bytes("[format]\nversion=2\n"));
    seeds.emplace_back("quoted",
                       Bytes("[format]\nversion=1\n[game]\ndeck=\"Roya2\"\n[window]\nwidth=@Variant(\\0)\n"));
    return seeds;
}
