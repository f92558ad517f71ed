#pragma once

#include "shell/command_line.h"
#include "shell/game_driver.h"

// The program after its command line is read, shared by `zarn` and the test driver: --statistics, the
// remembered settings under the command line, the archive browser, finding and reading res118.pak, the
// startup dialog, then the parts of the game built and the game run with `driver`. `keepDemo` has a demo
// kept like a player's match (a test driver's hook). Returns the exit code.
int RunProgram(int& argc, char** argv, const CommandLine& line, GameDriver& driver, bool keepDemo = false);
