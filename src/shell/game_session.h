#pragma once

#include <string>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "shell/command_line.h"
#include "shell/game_driver.h"
#include "shell/session_files.h"

// What the game is made of, as main builds it: the state with its options, the archive in memory, the
// player's command line (seed, demo, fixed scale, screenshot), the player's files, and where the second
// archive (the pictures for scales above 1) lies.
struct GameParts {
    GameState& state;
    const ResourceSet& resources;
    const CommandLine& line;
    SessionFiles files;
    std::string scaledArchivePath;
    // The run's language ("" for English) and the archive of its pictures and the fonts' extra glyphs.
    std::string language = {};
    std::string languageArchivePath = {};
};

// Runs the game in its window from the set-up to the end, and gives the program's exit code: 0 after
// ESCAPE or the window's close button, 1 after a failed set-up (its message shown first).
//
// The set-up follows the game's fixed order: random seed, display, keyboard and mouse, sound, the
// sounds and every picture and font (all decoded from the archive in memory), the clip rectangle,
// the first deal (or the saved match resumed), the system pointer hidden, the background drawn once;
// then the main loop. The files keep the match (saved at every save point and at the end) and the
// window. The loop runs a frame only when something on the table can change (see NextFrameWake);
// otherwise it sleeps until an event or the next deadline. Its clock, pacing and any scripted input
// come from `driver`.
//
// The table is drawn at the scale the window's size calls for (or the one the command line fixes),
// again whenever that changes (see TablePictures).
int RunGame(const GameParts& parts, GameDriver& driver);
