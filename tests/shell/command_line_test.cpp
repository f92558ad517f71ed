#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

ParsedCommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"zarn"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(ParseCommandLine, NothingGivenMeansTheDialogsDefaults) {
    const ParsedCommandLine p = Parse({});
    ASSERT_FALSE(p.exitCode);
    GameOptions options;
    ApplyCommandLine(p.line, options);
    EXPECT_TRUE(options.FullScreen);
    EXPECT_EQ(options.DeckName, "Roya2");
    EXPECT_FALSE(options.Partnership);
    EXPECT_FALSE(options.SlowAnimation);
    EXPECT_FALSE(options.SevenOfHeartsLead);
    EXPECT_TRUE(options.PortugueseRules);
    EXPECT_EQ(options.DealPacketSize, 1);
    EXPECT_FALSE(p.line.seed);
    EXPECT_FALSE(p.line.autoplay);
    EXPECT_FALSE(p.line.noDialog);
    EXPECT_EQ(p.line.exitAfterFrames, -1);
    EXPECT_EQ(p.line.loseDisplayAfterFrames, -1);
}

TEST(ParseCommandLine, EveryGameOptionReachesTheOptionsRecord) {
    const ParsedCommandLine p =
        Parse({"--windowed", "--deck", "royal", "--partnership", "--slow", "--french", "--seven-hearts"});
    ASSERT_FALSE(p.exitCode) << p.output;
    GameOptions options;
    ApplyCommandLine(p.line, options);
    EXPECT_FALSE(options.FullScreen);
    EXPECT_EQ(options.DeckName, "Royal");
    EXPECT_TRUE(options.Partnership);
    EXPECT_TRUE(options.SlowAnimation);
    EXPECT_TRUE(options.SevenOfHeartsLead);
    EXPECT_FALSE(options.PortugueseRules);
    EXPECT_EQ(options.DealPacketSize, 13);
}

TEST(ParseCommandLine, RunOptions) {
    const ParsedCommandLine p =
        Parse({"--seed", "4294967295", "--autoplay", "--no-dialog", "--screenshot", "shot.png", "--data",
               "/opt/zarn", "--exit-after-frames", "3000", "--lose-display-after-frames", "100"});
    ASSERT_FALSE(p.exitCode) << p.output;
    ASSERT_TRUE(p.line.seed);
    EXPECT_EQ(*p.line.seed, 4294967295u);
    EXPECT_TRUE(p.line.autoplay);
    EXPECT_TRUE(p.line.noDialog);
    EXPECT_EQ(p.line.screenshotPath, "shot.png");
    EXPECT_EQ(p.line.dataDir, "/opt/zarn");
    EXPECT_EQ(p.line.exitAfterFrames, 3000);
    EXPECT_EQ(p.line.loseDisplayAfterFrames, 100);
    EXPECT_FALSE(Parse({"--pak-browser"}).exitCode);
    EXPECT_TRUE(Parse({"--pak-browser"}).line.pakBrowser);
}

TEST(ParseCommandLine, DeckNameIgnoresCase) {
    for (const char* name : {"ROYA2", "Roya2", "roya2"}) {
        const ParsedCommandLine p = Parse({"--deck", name});
        ASSERT_FALSE(p.exitCode) << name;
        EXPECT_EQ(p.line.deckName, "Roya2");
    }
    EXPECT_EQ(Parse({"--deck=RoyaL"}).line.deckName, "Royal");
}

struct UsageErrorCase {
    const char* name;
    std::vector<const char*> args;
};

TEST(ParseCommandLine, UsageErrorsExitWithTwoOnStandardError) {
    const UsageErrorCase cases[] = {
        {"UnknownOption", {"--fullscreen"}},
        {"UnknownDeck", {"--deck", "roya3"}},
        {"MissingDeck", {"--deck"}},
        {"SeedNotANumber", {"--seed", "abc"}},
        {"NegativeSeed", {"--seed", "-1"}},
        {"SeedTooLarge", {"--seed", "4294967296"}},
        {"StrayArgument", {"res118.pak"}},
        {"NegativeFrames", {"--exit-after-frames", "-5"}},
        {"NegativeDisplayLoss", {"--lose-display-after-frames", "-1"}},
        {"FlagWithValue", {"--windowed=maybe"}},
    };
    for (const UsageErrorCase& c : cases) {
        std::vector<const char*> argv{"zarn"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ParsedCommandLine p = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        ASSERT_TRUE(p.exitCode) << c.name;
        EXPECT_EQ(*p.exitCode, 2) << c.name;
        EXPECT_TRUE(p.outputIsError) << c.name;
        EXPECT_FALSE(p.output.empty()) << c.name;
    }
}

TEST(ParseCommandLine, HintHookTakesAFrameNumber) {
    EXPECT_EQ(Parse({}).line.hintAfterFrames, -1);
    const ParsedCommandLine p = Parse({"--hint-after-frames", "1300"});
    ASSERT_FALSE(p.exitCode) << p.output;
    EXPECT_EQ(p.line.hintAfterFrames, 1300);
    EXPECT_EQ(Parse({"--hint-after-frames", "-2"}).exitCode, 2);
}

TEST(ParseCommandLine, HelpListsEveryOptionAndExitsWithZero) {
    const ParsedCommandLine p = Parse({"--help"});
    ASSERT_TRUE(p.exitCode);
    EXPECT_EQ(*p.exitCode, 0);
    EXPECT_FALSE(p.outputIsError);
    for (const char* option :
         {"--windowed", "--deck", "--partnership", "--slow", "--french", "--seven-hearts", "--seed",
          "--autoplay", "--no-dialog", "--screenshot", "--data", "--pak-browser", "--exit-after-frames",
          "--lose-display-after-frames", "--version", "--help"}) {
        EXPECT_NE(p.output.find(option), std::string::npos) << option;
    }
}

TEST(ParseCommandLine, VersionPrintsTheVersion) {
    const ParsedCommandLine p = Parse({"--version"});
    ASSERT_TRUE(p.exitCode);
    EXPECT_EQ(*p.exitCode, 0);
    EXPECT_NE(p.output.find(VersionText()), std::string::npos);
    EXPECT_EQ(VersionText().rfind("zarn ", 0), 0u);
}

}  // namespace

namespace {

TEST(ParseCommandLine, PlayersChoosesTheComputerPlayersLevel) {
    struct Case {
        std::vector<const char*> args;
        PlayerLevel level;
    };
    const std::vector<Case> cases = {
        {{}, PlayerLevel::Classic},
        {{"--players", "classic"}, PlayerLevel::Classic},
        {{"--players", "expert"}, PlayerLevel::Expert},
        {{"--players", "EXPERT"}, PlayerLevel::Expert},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"zarn"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ParsedCommandLine p = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        ASSERT_FALSE(p.exitCode) << p.output;
        GameOptions options;
        ApplyCommandLine(p.line, options);
        EXPECT_EQ(options.Players, c.level) << (c.args.empty() ? "(none)" : c.args.back());
    }
    const char* wrong[] = {"zarn", "--players", "grandmaster"};
    const ParsedCommandLine refused = ParseCommandLine(3, wrong);
    ASSERT_TRUE(refused.exitCode);
    EXPECT_EQ(*refused.exitCode, 2);
}

}  // namespace
