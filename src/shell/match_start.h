#pragma once

#include "cards/game_options.h"
#include "dialog/match_offer.h"
#include "dialog/settings_store.h"
#include "persistence/match_keeper.h"
#include "shell/command_line.h"

// The player's files at the start of a run: the settings under the command line, the saved match
// and the statistics offered in the dialog, and the choices remembered for the next start.

// `zarn --statistics`: the figures as plain text on standard output; 0, or 1 when the file was damaged
// (the one-line message goes to standard error).
int PrintStatistics();

// The saved match, the records and the keeper's messages for the dialog.
MatchOffer MakeMatchOffer(const MatchKeeper& keeper, const CommandLine& line, const std::string& notice);

// The dialog's choices become the remembered settings, except those the command line made for this run
// only, which keep their remembered values.
void RememberChoices(const CommandLine& line, const GameOptions& chosen, PlayerSettings& settings);

// The window's state at the end of the run, unless the command line chose the screen mode.
void RememberWindow(const CommandLine& line, bool windowed, int width, int height, PlayerSettings& settings);
