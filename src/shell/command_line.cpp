#include "shell/command_line.h"

#include <CLI/CLI.hpp>

#include <sstream>

#ifndef ZARN_VERSION
#define ZARN_VERSION "0.0.0"
#endif

std::string VersionText() {
    return std::string("zarn ") + ZARN_VERSION;
}

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    ParsedCommandLine result;
    CommandLine& line = result.line;
    CLI::App app(
        "Zarn: the four-player trick-taking compendium card game, one human against three "
        "computer players.",
        "zarn");
    app.get_formatter()->column_width(30);

    app.add_flag("--windowed", line.windowed, "Play in a resizable window instead of full screen");
    std::string deck;
    app.add_option("--deck", deck, "Card deck: roya2 or royal")
        ->transform(CLI::IsMember({"roya2", "royal"}, CLI::ignore_case))
        ->type_name("DECK");
    app.add_flag("--partnership", line.partnership, "Partnership game: opposite seats play together");
    app.add_flag("--slow", line.slowAnimation, "Slow card animation");
    app.add_flag("--french", line.frenchRules, "French rules: deal 13 cards at a time");
    app.add_flag("--seven-hearts", line.sevenOfHeartsLead,
                 "The holder of the seven of hearts owns the first kingdom");
    uint32_t seed = 0;
    auto* seedOption =
        app.add_option("--seed", seed, "Seed of the random generator (default: the time of day)")
            ->type_name("N");
    app.add_flag("--autoplay", line.autoplay, "Demo: the computer plays your seat too");
    std::string players;
    app.add_option("--players", players, "Computer players: classic (the default) or expert")
        ->transform(CLI::IsMember({"classic", "expert"}, CLI::ignore_case))
        ->type_name("LEVEL");
    app.add_flag("--no-dialog", line.noDialog, "Start the game directly, without the startup dialog");
    app.add_option("--screenshot", line.screenshotPath,
                   "When the game ends, write the last frame to FILE (PNG, or BMP for any other name)")
        ->type_name("FILE");
    int32_t scale = 0;
    auto* scaleOption =
        app.add_option(
               "--scale", scale,
               "Draw the table at 1, 2 or 3 times its size (default: the largest that fits the window)")
            ->type_name("K")
            ->check(CLI::Range(1, 3));
    app.add_option("--data", line.dataDir, "Folder that holds res118.pak")->type_name("DIR");
    app.add_flag("--pak-browser", line.pakBrowser, "Open the resource archive browser instead of the game");
    app.add_flag("--new-match", line.newMatch, "Start a new match even when a saved match could be resumed");
    app.add_flag("--statistics", line.statistics, "Print the statistics of your recorded matches and exit");
    app.add_option("--exit-after-frames", line.exitAfterFrames,
                   "Test hook: press ESCAPE for the game after N frames")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--lose-display-after-frames", line.loseDisplayAfterFrames,
                   "Test hook: lose the display after N frames (it is restored and the pictures reloaded)")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--hint-after-frames", line.hintAfterFrames,
                   "Test hook: press H (the hint) for the player after N frames")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    app.add_flag("--keep-demo", line.keepDemo,
                 "Test hook: the demo resumes, saves and records its match like a player's match");
    app.add_flag(
        "--fast-frames", line.fastFrames,
        "Test hook: no frame pacing, one frame in 16 drawn, the game's clock 50 ms ahead every frame");
    app.add_flag("--report-scale", line.reportScale,
                 "Test hook: tell on standard error when the table is first shown at each new drawing scale");
    app.set_version_flag("--version", VersionText(), "Print the version and exit");

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
    if (!deck.empty()) {
        line.deckName = deck == "royal" ? "Royal" : "Roya2";
    }
    if (seedOption->count() > 0) {
        line.seed = seed;
    }
    if (scaleOption->count() > 0) {
        line.scale = scale;
    }
    if (!players.empty()) {
        line.players = players == "expert" ? PlayerLevel::Expert : PlayerLevel::Classic;
    }
    return result;
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
