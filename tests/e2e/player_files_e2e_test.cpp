// The real game and the player's files: --statistics, resuming or not with --no-dialog, damaged files,
// and a second game while the first holds the saved match.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "game_process.h"
#include "persistence/byte_codec.h"
#include "persistence/player_files.h"
#include "persistence/saved_match.h"
#include "persistence/statistics.h"
#include "player_home.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PlayerFilesE2e : public ::testing::Test {
protected:
    fs::path SaveFile() const { return home_.SaveFile(); }
    fs::path StatisticsFile() const { return home_.StatisticsFile(); }

    // A kept demo that plays a few tricks and is closed with ESCAPE, leaving a saved match.
    ProcessResult PlayAndClose(std::vector<std::string> extra, int frames = 1500) {
        std::vector<std::string> args{"--no-dialog",         "--autoplay", "--keep-demo",
                                      "--fast-frames",       "--windowed", "--exit-after-frames",
                                      std::to_string(frames)};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunTestDriver(args, env_, 120s);
    }

    GameState Saved() const {
        GameState s;
        const auto bytes = ReadPlayerFile(SaveFile(), 1U << 22);
        EXPECT_TRUE(bytes.has_value());
        if (bytes) {
            DecodeSavedMatch(*bytes, s);
        }
        return s;
    }

    PlayerHome home_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const std::map<std::string, std::string>& env_ = home_.Env();
};

TEST_F(PlayerFilesE2e, NoDialogResumesUnlessANewMatchOrASeedIsAsked) {
    ProcessResult r = PlayAndClose({"--seed", "11"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const GameState first = Saved();
    EXPECT_GT(first.SavePoints, 0U);

    r = PlayAndClose({});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("resuming the saved match (contract"), std::string::npos) << r.output;
    const GameState resumed = Saved();
    EXPECT_GT(resumed.SavePoints, first.SavePoints);
    EXPECT_EQ(resumed.OpponentName, first.OpponentName);

    r = PlayAndClose({"--new-match"}, 50);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("resuming"), std::string::npos) << r.output;
    // The replaced match is recorded as abandoned.
    const LoadedStatistics statistics = LoadStatistics(StatisticsFile());
    ASSERT_EQ(statistics.records.size(), 1U);
    EXPECT_EQ(statistics.records[0].Outcome, MatchOutcome::Abandoned);

    r = RunGame({"--statistics"}, env_, 30s);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Matches played alone: 0\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Matches abandoned (not counted): 1\n"), std::string::npos) << r.output;
}

TEST_F(PlayerFilesE2e, ADemoLeavesThePlayersFilesAlone) {
    const ProcessResult r = RunTestDriver(
        {"--no-dialog", "--autoplay", "--fast-frames", "--exit-after-frames", "1500"}, env_, 120s);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
        EXPECT_FALSE(fs::exists(home_.Folder(variable))) << variable;
    }
}

TEST_F(PlayerFilesE2e, DamagedFilesAreReportedSetAsideAndTheGameGoesOn) {
    fs::create_directories(SaveFile().parent_path());
    fs::create_directories(StatisticsFile().parent_path());
    fs::create_directories(home_.SettingsFile().parent_path());
    std::ofstream(SaveFile()) << "ZARNSAVE but not much else";
    std::ofstream(StatisticsFile()) << "zarn-match 1 this is not a record\n";
    std::ofstream(home_.SettingsFile()) << "[format]\nversion=not a number\n";
    const ProcessResult r = PlayAndClose({}, 300);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* what : {"the saved match", "the statistics file", "the settings file"}) {
        EXPECT_NE(r.output.find(what), std::string::npos) << what << ": " << r.output;
    }
    EXPECT_TRUE(fs::exists(SaveFile().string() + ".bad"));
    EXPECT_TRUE(fs::exists(StatisticsFile().string() + ".bad"));
    EXPECT_TRUE(fs::exists(home_.SettingsFile().string() + ".bad"));
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(PlayerFilesE2e, FilesOfANewerZarnAreLeftAsTheyAreAndTold) {
    fs::create_directories(SaveFile().parent_path());
    fs::create_directories(StatisticsFile().parent_path());
    fs::create_directories(home_.SettingsFile().parent_path());
    // A save of format 2: the magic, then the version; what follows is the newer game's business.
    std::ofstream(SaveFile(), std::ios::binary) << std::string("ZARNSAVE\x02\0\0\0", 12) << "newer payload";
    const std::string body = "zarn-match 2 1700000000 newer fields";
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x",
                  Crc32(std::span(reinterpret_cast<const uint8_t*>(body.data()), body.size())));
    std::ofstream(StatisticsFile()) << body << ' ' << crc << '\n';
    std::ofstream(home_.SettingsFile()) << "[format]\nversion=2\n[game]\ndeck=Royal\n";
    const std::map<fs::path, std::string> before{{SaveFile(), Contents(SaveFile())},
                                                 {StatisticsFile(), Contents(StatisticsFile())},
                                                 {home_.SettingsFile(), Contents(home_.SettingsFile())}};

    const ProcessResult r = PlayAndClose({}, 600);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* what : {"the saved match", "the statistics file", "the settings file"}) {
        EXPECT_NE(r.output.find(std::string(what) + " "), std::string::npos) << what << ": " << r.output;
    }
    size_t told = 0;
    for (size_t at = r.output.find("made by a newer version of Zarn"); at != std::string::npos;
         at = r.output.find("made by a newer version of Zarn", at + 1)) {
        ++told;
    }
    EXPECT_EQ(told, 3U) << r.output;
    EXPECT_EQ(r.output.find("damaged"), std::string::npos) << r.output;
    for (const auto& [file, contents] : before) {
        EXPECT_EQ(Contents(file), contents) << file << " was changed";
        EXPECT_FALSE(fs::exists(file.string() + ".bad")) << file;
    }
}

TEST_F(PlayerFilesE2e, ASecondGamePlaysUnsaved) {
    ASSERT_EQ(PlayAndClose({"--seed", "3"}).exitCode, 0);
    const GameState before = Saved();
    // The first game holds the saved match while the second one runs to its end.
    ProcessResult second;
    {
        // The lock is an flock on the state folder's lock file; hold it as a running game would.
        const fs::path lockFile = SaveFile().parent_path() / "zarn.lock";
        const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        second = PlayAndClose({}, 800);
        ::close(fd);
    }
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_NE(second.output.find("another Zarn game is running"), std::string::npos) << second.output;
    EXPECT_EQ(second.output.find("resuming"), std::string::npos) << second.output;
    EXPECT_EQ(Saved().SavePoints, before.SavePoints) << "the second game left the save alone";
}

}  // namespace
