#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cards/game_options.h"

namespace CLI {
class App;
}

// What the player asked for on the command line. None of it changes the startup dialog; it presets the
// game's options and chooses how the game runs.
struct CommandLine {
    bool windowed = false;
    std::optional<std::string> deckName;  // "Roya2" or "Royal"
    bool partnership = false;
    bool slowAnimation = false;
    bool frenchRules = false;
    bool sevenOfHeartsLead = false;
    std::optional<uint32_t> seed;
    bool autoplay = false;
    std::optional<PlayerLevel> players;  // who plays the computer seats
    bool noDialog = false;
    std::string screenshotPath;
    std::string dataDir;
    bool pakBrowser = false;
    bool newMatch = false;    // start a new match even when a saved one exists
    bool statistics = false;  // print the statistics and exit
    // The drawing scale (1 to 3) fixed by the player; none: chosen from the window's size.
    std::optional<int32_t> scale;
    bool speech = false;  // spoken play on for this run
};

// The outcome of parsing: either a command line to run with, or an exit code with text to print
// (the help and version texts on standard output with code 0, a usage error on standard error with 2).
struct ParsedCommandLine {
    CommandLine line;
    std::optional<int> exitCode;
    std::string output;
    bool outputIsError = false;
};

// Options another program adds to the player's before the command line is read (the test driver's
// hooks); they may rename the program in the help text too.
using ExtraOptions = std::function<void(CLI::App&)>;

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, const ExtraOptions& extra = {});

// The long name of every option the command line takes ("--windowed", ..., "--help", "--version"),
// with the extra options when given: what --help must list.
std::vector<std::string> CommandLineOptionNames(const ExtraOptions& extra = {});

// The program's version, as --version prints it.
std::string VersionText();

// Writes the options given on the command line into the game's options record (and derives the deal
// packet size); what it does not name keeps its value (the remembered settings).
void ApplyCommandLine(const CommandLine& line, GameOptions& options);
