#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

#include "shell/scripted_input.h"

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
    const ParsedCommandLine p = Parse({"--seed", "4294967295", "--autoplay", "--no-dialog", "--screenshot",
                                       "shot.png", "--data", "/opt/zarn"});
    ASSERT_FALSE(p.exitCode) << p.output;
    ASSERT_TRUE(p.line.seed);
    EXPECT_EQ(*p.line.seed, 4294967295u);
    EXPECT_TRUE(p.line.autoplay);
    EXPECT_TRUE(p.line.noDialog);
    EXPECT_EQ(p.line.screenshotPath, "shot.png");
    EXPECT_EQ(p.line.dataDir, "/opt/zarn");
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
        {"FlagWithValue", {"--windowed=maybe"}},
        // The test hooks are the test driver's, not the player's.
        {"TestHook", {"--exit-after-frames", "5"}},
        {"TestHookFlag", {"--fast-frames"}},
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

const std::vector<std::string> kTestHooks = {"--exit-after-frames", "--lose-display-after-frames",
                                             "--hint-after-frames", "--keep-demo",
                                             "--fast-frames",       "--report-scale"};

// The option names --help shows, in the order it shows them.
std::vector<std::string> NamesInHelp(const std::string& help) {
    std::vector<std::string> names;
    const std::regex option("--[a-z][a-z0-9-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator();
         ++it) {
        names.push_back(it->str());
    }
    return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(ParseCommandLine, HelpListsEveryOptionAndNoTestHookAndExitsWithZero) {
    const ParsedCommandLine p = Parse({"--help"});
    ASSERT_TRUE(p.exitCode);
    EXPECT_EQ(*p.exitCode, 0);
    EXPECT_FALSE(p.outputIsError);
    const std::vector<std::string> options = CommandLineOptionNames();
    ASSERT_GE(options.size(), 18U) << "the player's options were not all found";
    const std::vector<std::string> inHelp = NamesInHelp(p.output);
    for (const std::string& option : options) {
        EXPECT_TRUE(Contains(inHelp, option)) << option << " is missing from --help";
    }
    for (const std::string& name : inHelp) {
        EXPECT_TRUE(Contains(options, name)) << "--help names " << name << ", which is no option";
    }
    for (const std::string& hook : kTestHooks) {
        EXPECT_FALSE(Contains(options, hook)) << hook;
    }
    std::string lower = p.output;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(lower.find("hook"), std::string::npos) << p.output;
}

TEST(ParseCommandLine, EveryOptionIsParsed) {
    // Each option of the player's command line, given alone, is taken (none is listed but refused).
    for (const std::string& option : CommandLineOptionNames()) {
        if (option == "--help" || option == "--version") {
            continue;
        }
        std::vector<std::string> args{"zarn", option};
        if (option == "--deck") {
            args.emplace_back("royal");
        } else if (option == "--players") {
            args.emplace_back("expert");
        } else if (option == "--seed" || option == "--scale") {
            args.emplace_back("2");
        } else if (option == "--screenshot" || option == "--data") {
            args.emplace_back("x");
        }
        std::vector<const char*> argv;
        for (const std::string& a : args) {
            argv.push_back(a.c_str());
        }
        const ParsedCommandLine p = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_FALSE(p.exitCode) << option << ": " << p.output;
    }
}

TestDriverCommandLine ParseDriver(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"zarn-test-driver"};
    argv.insert(argv.end(), args);
    return ParseTestDriverCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(ParseTestDriverCommandLine, TakesThePlayersOptionsAndTheHooks) {
    const TestDriverCommandLine none = ParseDriver({});
    ASSERT_FALSE(none.parsed.exitCode) << none.parsed.output;
    EXPECT_EQ(none.hooks.exitAfterFrames, -1);
    EXPECT_EQ(none.hooks.loseDisplayAfterFrames, -1);
    EXPECT_EQ(none.hooks.hintAfterFrames, -1);
    EXPECT_FALSE(none.hooks.keepDemo || none.hooks.fastFrames || none.hooks.reportScale);

    const TestDriverCommandLine d = ParseDriver({"--seed", "7", "--autoplay", "--exit-after-frames", "3000",
                                                 "--lose-display-after-frames", "100", "--hint-after-frames",
                                                 "1300", "--keep-demo", "--fast-frames", "--report-scale"});
    ASSERT_FALSE(d.parsed.exitCode) << d.parsed.output;
    EXPECT_EQ(d.parsed.line.seed, 7U);
    EXPECT_TRUE(d.parsed.line.autoplay);
    EXPECT_EQ(d.hooks.exitAfterFrames, 3000);
    EXPECT_EQ(d.hooks.loseDisplayAfterFrames, 100);
    EXPECT_EQ(d.hooks.hintAfterFrames, 1300);
    EXPECT_TRUE(d.hooks.keepDemo);
    EXPECT_TRUE(d.hooks.fastFrames);
    EXPECT_TRUE(d.hooks.reportScale);

    for (const char* wrong : {"--exit-after-frames", "--lose-display-after-frames", "--hint-after-frames"}) {
        const TestDriverCommandLine negative = ParseDriver({wrong, "-1"});
        ASSERT_TRUE(negative.parsed.exitCode) << wrong;
        EXPECT_EQ(*negative.parsed.exitCode, 2) << wrong;
    }
}

TEST(ParseTestDriverCommandLine, HelpListsThePlayersOptionsAndEveryHook) {
    const TestDriverCommandLine d = ParseDriver({"--help"});
    ASSERT_EQ(d.parsed.exitCode, 0);
    const std::vector<std::string> inHelp = NamesInHelp(d.parsed.output);
    for (const std::string& option : CommandLineOptionNames()) {
        EXPECT_TRUE(Contains(inHelp, option)) << option;
    }
    for (const std::string& hook : kTestHooks) {
        EXPECT_TRUE(Contains(inHelp, hook)) << hook;
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
