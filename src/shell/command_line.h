#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cards/game_options.h"

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
    // Test hooks: after this many frames the game reads ESCAPE as pressed, or its display is lost.
    // -1: never.
    int64_t exitAfterFrames = -1;
    int64_t loseDisplayAfterFrames = -1;
    // Test hook: after this many frames the game reads H as pressed (the hint shows). -1: never.
    int64_t hintAfterFrames = -1;
    // Test hooks: the demo resumes, saves and records like a player's match; the game runs as fast as
    // it can, its clock advancing a fixed step per frame.
    bool keepDemo = false;
    bool fastFrames = false;
    // Test hook: every change of the drawing scale is reported on standard error.
    bool reportScale = false;
};

// The outcome of parsing: either a command line to run with, or an exit code with text to print
// (the help and version texts on standard output with code 0, a usage error on standard error with 2).
struct ParsedCommandLine {
    CommandLine line;
    std::optional<int> exitCode;
    std::string output;
    bool outputIsError = false;
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

// The program's version, as --version prints it.
std::string VersionText();

// Writes the options given on the command line into the game's options record (and derives the deal
// packet size); what it does not name keeps its value (the remembered settings).
void ApplyCommandLine(const CommandLine& line, GameOptions& options);
