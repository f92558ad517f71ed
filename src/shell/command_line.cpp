#include "shell/command_line.h"

#include <CLI/CLI.hpp>

#include <sstream>

#ifndef ZARN_VERSION
#define ZARN_VERSION "0.0.0"
#endif

std::string VersionText() {
    return std::string("zarn ") + ZARN_VERSION;
}

namespace {

// What the parser reads before it becomes the command line's own values.
struct RawValues {
    std::string deck;
    uint32_t seed = 0;
    CLI::Option* seedOption = nullptr;
    int32_t scale = 0;
    CLI::Option* scaleOption = nullptr;
    std::string players;
};

// The player's options and the program's help texts; `extra` adds its own.
void AddOptions(CLI::App& app, CommandLine& line, RawValues& raw, const ExtraOptions& extra) {
    app.name("zarn");
    app.description(
        "Zarn: the four-player trick-taking compendium card game, one human against three "
        "computer players.");
    app.get_formatter()->column_width(30);

    app.add_flag("--windowed", line.windowed, "Play in a resizable window instead of full screen");
    app.add_option("--deck", raw.deck, "Card deck: roya2 or royal")
        ->transform(CLI::IsMember({"roya2", "royal"}, CLI::ignore_case))
        ->type_name("DECK");
    app.add_flag("--partnership", line.partnership, "Partnership game: opposite seats play together");
    app.add_flag("--slow", line.slowAnimation, "Slow card animation");
    app.add_flag("--french", line.frenchRules, "French rules: deal 13 cards at a time");
    app.add_flag("--seven-hearts", line.sevenOfHeartsLead,
                 "The holder of the seven of hearts owns the first kingdom");
    raw.seedOption =
        app.add_option("--seed", raw.seed, "Seed of the random generator (default: the time of day)")
            ->type_name("N");
    app.add_flag("--autoplay", line.autoplay, "Demo: the computer plays your seat too");
    app.add_option("--players", raw.players, "Computer players: classic (the default) or expert")
        ->transform(CLI::IsMember({"classic", "expert"}, CLI::ignore_case))
        ->type_name("LEVEL");
    app.add_flag("--no-dialog", line.noDialog, "Start the game directly, without the startup dialog");
    app.add_option("--screenshot", line.screenshotPath,
                   "When the game ends, write the last frame to FILE (PNG, or BMP for any other name)")
        ->type_name("FILE");
    raw.scaleOption = app.add_option("--scale", raw.scale,
                                     "Draw the table at 1, 2 or 3 times its size (default: the one nearest "
                                     "the size the table gets on screen)")
                          ->type_name("K")
                          ->check(CLI::Range(1, 3));
    app.add_option("--data", line.dataDir, "Folder that holds res118.pak")->type_name("DIR");
    app.add_flag("--pak-browser", line.pakBrowser, "Open the resource archive browser instead of the game");
    app.add_flag("--new-match", line.newMatch, "Start a new match even when a saved match could be resumed");
    app.add_flag("--speech", line.speech,
                 "Spoken play: the game says what happens (F2 switches it on and off)");
    app.add_flag("--statistics", line.statistics, "Print the statistics of your recorded matches and exit");
    if (extra) {
        extra(app);
    }
    app.set_version_flag("--version", VersionText(), "Print the version and exit");
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, const ExtraOptions& extra) {
    ParsedCommandLine result;
    CommandLine& line = result.line;
    CLI::App app;
    RawValues raw;
    AddOptions(app, line, raw, extra);

    std::ostringstream out;
    std::ostringstream err;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        result.exitCode = code == 0 ? 0 : 2;
        result.outputIsError = code != 0;
        result.output = code == 0 ? out.str() : err.str();
        return result;
    }
    if (!raw.deck.empty()) {
        line.deckName = raw.deck == "royal" ? "Royal" : "Roya2";
    }
    if (raw.seedOption->count() > 0) {
        line.seed = raw.seed;
    }
    if (raw.scaleOption->count() > 0) {
        line.scale = raw.scale;
    }
    if (!raw.players.empty()) {
        line.players = raw.players == "expert" ? PlayerLevel::Expert : PlayerLevel::Classic;
    }
    return result;
}

std::vector<std::string> CommandLineOptionNames(const ExtraOptions& extra) {
    CLI::App app;
    CommandLine line;
    RawValues raw;
    AddOptions(app, line, raw, extra);
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options()) {
        for (const std::string& name : option->get_lnames()) {
            names.push_back("--" + name);
        }
    }
    return names;
}

void ApplyCommandLine(const CommandLine& line, GameOptions& options) {
    if (line.windowed) {
        options.FullScreen = false;
    }
    if (line.deckName) {
        options.DeckName = *line.deckName;
    }
    options.Partnership = options.Partnership || line.partnership;
    options.SlowAnimation = options.SlowAnimation || line.slowAnimation;
    options.PortugueseRules = options.PortugueseRules && !line.frenchRules;
    options.SevenOfHeartsLead = options.SevenOfHeartsLead || line.sevenOfHeartsLead;
    if (line.players) {
        options.Players = *line.players;
    }
    ApplyRules(options);
}
