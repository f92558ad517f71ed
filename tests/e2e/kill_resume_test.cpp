// The real game, killed without warning at random moments of a demo that keeps its match (test hook),
// restarted each time: every restart resumes a valid match, nothing already played is ever lost or
// changed, and the match reaches its end with the totals of the same match played without a break.
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "game_process.h"
#include "persistence/player_files.h"
#include "persistence/saved_match.h"
#include "persistence/statistics.h"
#include "player_home.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr uint32_t kSeed = 4242;

// The same match, headless and without a break.
std::array<int16_t, kSeats> UninterruptedTotals() {
    GameState s;
    ApplyRules(s.Options);
    SeededRandom random(kSeed);
    NullSound sound;
    ManualClock clock(0);
    GameServices services{random, sound, clock};
    AutoPlayer player;
    StartNewGame(s, services);
    for (int frame = 0; frame < 1000000 && !(s.MatchOver && s.ContractsPlayed == 20); ++frame) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(50);
    }
    return s.TotalScore;
}

class KilledGame : public ::testing::Test {
protected:
    fs::path SaveFile() const { return home_.SaveFile(); }
    fs::path StatisticsFile() const { return home_.StatisticsFile(); }

    // The moment from which a kill is timed: a restart has resumed the saved match; a game without a
    // save has made its first one. Timed from the start instead, a slow start (a loaded machine, the
    // sanitizer build) ate every delay and no kill ever fell after the first save.
    ReadyCheck Started() const {
        if (fs::exists(SaveFile())) {
            return [](const std::string& output) {
                return output.find("resuming the saved match") != std::string::npos;
            };
        }
        return [save = SaveFile()](const std::string&) { return fs::exists(save); };
    }

    PlayerHome home_{"kill"};
    const std::map<std::string, std::string>& env_ = home_.Env();
};

TEST_F(KilledGame, EveryRestartResumesAndTheMatchEndsWithTheUninterruptedTotals) {
    // The seed starts the match; once it is saved, a restart without one resumes it.
    const std::vector<std::string> args{"--no-dialog", "--autoplay", "--keep-demo", "--fast-frames",
                                        "--windowed"};
    std::vector<std::string> firstArgs = args;
    firstArgs.insert(firstArgs.end(), {"--seed", std::to_string(kSeed)});
    std::mt19937 moments(20261210);
    // Short enough that a kill falls within a contract or two even on a fast machine (a whole contract
    // takes some tens of milliseconds with fast frames): the checks below follow one match at a time.
    std::uniform_int_distribution<int> delay(10, 80);
    std::map<int, std::array<int16_t, kSeats>> totalsAfter;  // by contracts played
    uint32_t lastSavePoints = 0;
    int lastContracts = 0;
    bool saved = false;
    for (int kill = 0; kill < 20; ++kill) {
        const bool hadSave = fs::exists(SaveFile());
        const ProcessResult r =
            RunTestDriverSignalledAfterReady(saved ? args : firstArgs, env_, 60s, Started(),
                                             std::chrono::milliseconds(delay(moments)), SIGKILL);
        ASSERT_FALSE(r.timedOut) << r.output;
        ASSERT_EQ(r.signal, SIGKILL) << "the game ended by itself: " << r.output;
        if (hadSave) {
            EXPECT_NE(r.output.find("resuming the saved match"), std::string::npos)
                << "restart " << kill << ": " << r.output;
        }
        const bool ended = !LoadStatistics(StatisticsFile()).records.empty();
        const auto bytes = ReadPlayerFile(SaveFile(), 1U << 22);
        if (!bytes) {
            ASSERT_TRUE(!saved || ended) << "a save vanished before the match ended";
            continue;
        }
        saved = true;
        GameState s;
        ASSERT_NO_THROW(DecodeSavedMatch(*bytes, s)) << "restart " << kill;
        if (ended && s.ContractsPlayed < lastContracts) {
            // The match ended between two kills (the demo goes on with the next one): its record is
            // checked below; the next match starts its own count.
            lastSavePoints = 0;
            lastContracts = 0;
            totalsAfter.clear();
        }
        EXPECT_GE(s.SavePoints, lastSavePoints) << "restart " << kill;
        EXPECT_GE(s.ContractsPlayed, lastContracts) << "restart " << kill;
        lastSavePoints = s.SavePoints;
        lastContracts = s.ContractsPlayed;
        const auto known = totalsAfter.find(s.ContractsPlayed);
        if (known != totalsAfter.end()) {
            EXPECT_EQ(known->second, s.TotalScore)
                << "the totals after " << s.ContractsPlayed << " contracts changed";
        }
        totalsAfter[s.ContractsPlayed] = s.TotalScore;
    }
    ASSERT_TRUE(saved);
    std::cout << "after 20 kills: " << lastContracts << " contracts played, " << lastSavePoints
              << " save points\n";

    // Played on (closed gracefully now and then) until the match is recorded.
    LoadedStatistics statistics = LoadStatistics(StatisticsFile());
    for (int run = 0; run < 40 && statistics.records.empty(); ++run) {
        const ProcessResult r = RunTestDriverSignalledAfterReady(args, env_, 60s, Started(), 3s, SIGTERM);
        ASSERT_FALSE(r.timedOut) << r.output;
        statistics = LoadStatistics(StatisticsFile());
    }
    // The demo deals on after a match, and a fast machine may finish the next one too: the first record
    // is the seeded match.
    ASSERT_GE(statistics.records.size(), 1U);
    EXPECT_TRUE(statistics.message.empty()) << statistics.message;
    const MatchRecord& record = statistics.records[0];
    EXPECT_NE(record.Outcome, MatchOutcome::Abandoned);
    EXPECT_EQ(record.ContractsPlayed, 20);
    const std::array<int16_t, kSeats> expected = UninterruptedTotals();
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(record.Totals[seat], expected[seat]) << "seat " << seat;
    }
}

}  // namespace
