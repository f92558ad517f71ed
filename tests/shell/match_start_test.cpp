// The player's files around a run: what the command line changes for one run is never remembered, and
// a saved match is resumed or recorded as abandoned as the start asks.
#include "shell/match_start.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "flow/game_frame.h"
#include "persistence/statistics.h"

namespace {

namespace fs = std::filesystem;

// A match a few contracts in, saved by a game that then ended.
void SaveAMatch(int contractsPlayed) {
    RunFiles files = OpenRunFiles(ParseCommandLine(1, std::vector<const char*>{"zarn"}.data()).line);
    GameState s;
    SeededRandom random(1);
    NullSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
    StartNewGame(s, services);
    s.ContractsPlayed = static_cast<int16_t>(contractsPlayed);
    files.keeper.Save(s, random, 0);
}

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"zarn"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data()).line;
}

// Each test starts with no files in the temporary home the test main made.
class MatchStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
            fs::remove_all(fs::path(std::getenv(variable)) / "zarn");
        }
    }
};

TEST_F(MatchStartTest, CommandLineChoicesAreForThisRunOnly) {
    PlayerSettings remembered;
    remembered.DeckName = "Royal";
    remembered.SlowAnimation = true;
    ASSERT_TRUE(SaveSettings(SettingsPath(), remembered, nullptr));

    const CommandLine line = Parse({"--deck", "roya2", "--partnership", "--windowed", "--players", "expert"});
    RunFiles files = OpenRunFiles(line);
    GameOptions options;
    ApplySettings(files.settings, options);
    ApplyCommandLine(line, options);
    EXPECT_EQ(options.DeckName, "Roya2");
    EXPECT_TRUE(options.Partnership);
    EXPECT_TRUE(options.SlowAnimation) << "a remembered choice the command line did not name";
    EXPECT_FALSE(options.FullScreen);
    EXPECT_EQ(options.Players, PlayerLevel::Expert);

    options.SlowAnimation = false;  // changed in the dialog
    RememberChoices(files, line, options);
    SessionFiles session = StartSessionFiles(files, line);
    session.rememberWindow(true, 1600, 1200);  // --windowed: the window is not remembered either

    const PlayerSettings next = LoadSettings(SettingsPath()).settings;
    EXPECT_EQ(next.DeckName, "Royal");
    EXPECT_FALSE(next.Partnership);
    EXPECT_FALSE(next.SlowAnimation);
    EXPECT_FALSE(next.Windowed);
    EXPECT_FALSE(next.ExpertPlayers);
    EXPECT_EQ(next.WindowWidth, 0) << "no size remembered yet: the game chooses";
}

TEST_F(MatchStartTest, TheWindowIsRememberedWhenTheCommandLineLeftItAlone) {
    const CommandLine line = Parse({});
    RunFiles files = OpenRunFiles(line);
    SessionFiles session = StartSessionFiles(files, line);
    session.rememberWindow(true, 1024, 700);
    const PlayerSettings next = LoadSettings(SettingsPath()).settings;
    EXPECT_TRUE(next.Windowed);
    EXPECT_EQ(next.WindowWidth, 1024);
    EXPECT_EQ(next.WindowHeight, 700);
}

TEST_F(MatchStartTest, TheSoundSwitchComesBackOnTheNextStart) {
    const CommandLine line = Parse({});
    {
        RunFiles files = OpenRunFiles(line);
        const SessionFiles session = StartSessionFiles(files, line);
        EXPECT_FALSE(session.soundMuted);
        session.rememberSound(true);
    }
    RunFiles files = OpenRunFiles(line);
    const SessionFiles session = StartSessionFiles(files, line);
    EXPECT_TRUE(session.soundMuted);
    session.rememberSound(false);
    EXPECT_FALSE(LoadSettings(SettingsPath()).settings.SoundMuted);
}

TEST_F(MatchStartTest, ASeedOrNewMatchReplacesTheSaveAndRecordsItAsAbandoned) {
    for (const bool seed : {false, true}) {
        SaveAMatch(3);
        const CommandLine line = seed ? Parse({"--seed", "5"}) : Parse({"--new-match"});
        RunFiles files = OpenRunFiles(line);
        ASSERT_NE(files.keeper.SavedMatch(), nullptr);
        EXPECT_FALSE(files.resume);
        EXPECT_FALSE(MakeMatchOffer(files, line).resumeByDefault);
        StartSessionFiles(files, line);
        EXPECT_FALSE(fs::exists(files.keeper.SavePath()));
    }
    const LoadedStatistics statistics = LoadStatistics(StatisticsPath());
    ASSERT_EQ(statistics.records.size(), 2U);
    EXPECT_EQ(statistics.records[1].Outcome, MatchOutcome::Abandoned);
    EXPECT_EQ(statistics.records[1].ContractsPlayed, 3);
}

TEST_F(MatchStartTest, TheDemoReadsAndWritesNothingOfThePlayers) {
    SaveAMatch(1);
    const CommandLine line = Parse({"--autoplay"});
    RunFiles files = OpenRunFiles(line);
    EXPECT_EQ(files.keeper.SavedMatch(), nullptr);
    EXPECT_FALSE(files.resume);
    const SessionFiles session = StartSessionFiles(files, line);
    session.rememberWindow(true, 1000, 700);
    session.rememberSound(true);
    EXPECT_TRUE(fs::exists(files.keeper.SavePath())) << "the player's saved match is left as it was";
    EXPECT_FALSE(fs::exists(SettingsPath()));
    EXPECT_TRUE(LoadStatistics(StatisticsPath()).records.empty());
}

TEST_F(MatchStartTest, EverySettingComesBackAsItWasSaved) {
    PlayerSettings saved;
    saved.DeckName = "Royal";
    saved.Partnership = true;
    saved.SlowAnimation = true;
    saved.SevenOfHeartsLead = true;
    saved.FrenchRules = true;
    saved.Windowed = true;
    saved.WindowWidth = 1234;
    saved.WindowHeight = 567;
    saved.SoundMuted = true;
    saved.ExpertPlayers = true;
    saved.Language = "pt_BR";
    saved.Speech = true;
    saved.SpeechVerbosity = 2;
    saved.SpeechRate = -40;
    ASSERT_TRUE(SaveSettings(SettingsPath(), saved, nullptr));
    const LoadedSettings loaded = LoadSettings(SettingsPath());
    EXPECT_TRUE(loaded.found);
    EXPECT_TRUE(loaded.message.empty()) << loaded.message;
    const PlayerSettings& read = loaded.settings;
    EXPECT_EQ(read.DeckName, saved.DeckName);
    EXPECT_EQ(read.Partnership, saved.Partnership);
    EXPECT_EQ(read.SlowAnimation, saved.SlowAnimation);
    EXPECT_EQ(read.SevenOfHeartsLead, saved.SevenOfHeartsLead);
    EXPECT_EQ(read.FrenchRules, saved.FrenchRules);
    EXPECT_EQ(read.Windowed, saved.Windowed);
    EXPECT_EQ(read.WindowWidth, saved.WindowWidth);
    EXPECT_EQ(read.WindowHeight, saved.WindowHeight);
    EXPECT_EQ(read.SoundMuted, saved.SoundMuted);
    EXPECT_EQ(read.ExpertPlayers, saved.ExpertPlayers);
    EXPECT_EQ(read.Language, saved.Language);
    EXPECT_EQ(read.Speech, saved.Speech);
    EXPECT_EQ(read.SpeechVerbosity, saved.SpeechVerbosity);
    EXPECT_EQ(read.SpeechRate, saved.SpeechRate);
}

// Spoken play as the player leaves it comes back; switched on by --speech it is that run's only, but the
// level and rate chosen in it are kept.
TEST_F(MatchStartTest, SpokenPlayComesBackAsThePlayerLeftIt) {
    struct Case {
        bool speechFlag;
        SpeechChoices left;
        bool keptOn;
    };
    const Case cases[] = {
        {false, {.on = true, .verbosity = Verbosity::Terse, .rate = 30}, true},
        {true, {.on = true, .verbosity = Verbosity::Detailed, .rate = -20}, false},
        {true, {.on = false, .verbosity = Verbosity::Normal, .rate = 0}, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(SettingsPath());
        const CommandLine line = c.speechFlag ? Parse({"--speech"}) : Parse({});
        {
            RunFiles files = OpenRunFiles(line);
            const SessionFiles session = StartSessionFiles(files, line);
            EXPECT_EQ(session.speech.on, c.speechFlag) << "--speech switches it on for the run";
            session.rememberSpeech(c.left);
        }
        const PlayerSettings next = LoadSettings(SettingsPath()).settings;
        EXPECT_EQ(next.Speech, c.keptOn);
        EXPECT_EQ(next.SpeechVerbosity, static_cast<int>(c.left.verbosity));
        EXPECT_EQ(next.SpeechRate, c.left.rate);
        RunFiles files = OpenRunFiles(Parse({}));
        const SessionFiles session = StartSessionFiles(files, Parse({}));
        EXPECT_EQ(session.speech.on, c.keptOn);
        EXPECT_EQ(session.speech.verbosity, c.left.verbosity);
        EXPECT_EQ(session.speech.rate, c.left.rate);
    }
}

TEST_F(MatchStartTest, ASettingsFileWrittenBeforeTheKeyTablesStillLoads) {
    fs::create_directories(SettingsPath().parent_path());
    std::ofstream(SettingsPath()) << "[format]\nversion=1\n\n[game]\ndeck=Royal\npartnership=true\n"
                                     "slowAnimation=false\nsevenOfHeartsLead=true\nfrenchRules=false\n"
                                     "expertPlayers=true\n\n[sound]\nmuted=true\n\n[window]\n"
                                     "windowed=true\nwidth=1024\nheight=700\n";
    const LoadedSettings loaded = LoadSettings(SettingsPath());
    ASSERT_TRUE(loaded.found) << loaded.message;
    EXPECT_EQ(loaded.settings.DeckName, "Royal");
    EXPECT_TRUE(loaded.settings.Partnership);
    EXPECT_TRUE(loaded.settings.SevenOfHeartsLead);
    EXPECT_TRUE(loaded.settings.ExpertPlayers);
    EXPECT_TRUE(loaded.settings.SoundMuted);
    EXPECT_TRUE(loaded.settings.Windowed);
    EXPECT_EQ(loaded.settings.WindowWidth, 1024);
    EXPECT_EQ(loaded.settings.WindowHeight, 700);
}

TEST_F(MatchStartTest, ASettingsFileOfANewerZarnIsLeftAloneAndThisRunUsesTheDefaults) {
    fs::create_directories(SettingsPath().parent_path());
    const std::string newer = "[format]\nversion=2\n\n[game]\ndeck=Royal\nsomethingNew=42\n";
    std::ofstream(SettingsPath()) << newer;
    const CommandLine line = Parse({});
    RunFiles files = OpenRunFiles(line);
    EXPECT_NE(files.notice.find("made by a newer version of Zarn"), std::string::npos) << files.notice;
    EXPECT_EQ(files.settings.DeckName, PlayerSettings().DeckName) << "the defaults, not the newer file's";

    // Nothing this run chooses is written over the newer file.
    GameOptions options;
    ApplySettings(files.settings, options);
    options.Partnership = true;
    RememberChoices(files, line, options);
    const SessionFiles session = StartSessionFiles(files, line);
    session.rememberWindow(true, 1000, 700);
    session.rememberSound(true);
    std::ifstream in(SettingsPath());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), newer);
    EXPECT_FALSE(fs::exists(SettingsPath().string() + ".bad"));
}

}  // namespace
