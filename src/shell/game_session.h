#pragma once

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "shell/command_line.h"
#include "shell/session_files.h"

// Runs the game in its window from the set-up to the end, and gives the program's exit code: 0 after
// ESCAPE or the window's close button, 1 after a failed set-up (its message shown first).
//
// The set-up follows the game's fixed order: random seed, display, keyboard and mouse, sound, the
// sounds and every picture and font (all decoded from the archive in memory), the clip rectangle,
// the first deal (or the saved match resumed), the system pointer hidden, the background drawn once;
// then the main loop. `files` keeps the match (saved at every save point and at the end) and the window.
int StartGame(GameState& state, const ResourceSet& resources, const CommandLine& line,
              const SessionFiles& files = {});
