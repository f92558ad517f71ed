#pragma once

#include <optional>
#include <string>

#include "cards/game_options.h"
#include "dialog/match_offer.h"
#include "dialog/settings_store.h"
#include "persistence/match_keeper.h"
#include "shell/command_line.h"
#include "shell/session_files.h"

// The player's files around a run: the settings under the command line, the saved match and the
// statistics offered in the dialog, and the choices and window state remembered for the next start.

// `zarn --statistics`: the figures as plain text on standard output; 0, or 1 when the file was damaged
// (the one-line message goes to standard error).
int PrintStatistics();

struct RunFiles {
    explicit RunFiles(bool keepFiles) : keep(keepFiles), keeper(MatchKeeper::ForPlayer(keepFiles)) {}

    bool keep;  // false for a demo (and the archive browser): the player's match, record and settings are
                // left alone
    PlayerSettings settings;
    bool rememberSettings = true;  // false when the settings file was made by a newer Zarn: it is left alone
    MatchKeeper keeper;
    std::string notice;   // one line per damaged file or other trouble, already on standard error
    bool resume = false;  // what the start will do with the saved match
    // Spoken play as the dialog left it for this run; none without the dialog (the settings and --speech
    // decide then).
    std::optional<bool> speechThisRun;
};

// Reads the settings and claims the saved match; with --no-dialog a saved match is to be resumed unless
// --new-match or --seed asks for a new one. A demo keeps nothing, unless `keepDemo` (a test driver's
// hook) has it kept like a player's match.
RunFiles OpenRunFiles(const CommandLine& line, bool keepDemo = false);

// The saved match, the records and the notice for the dialog.
MatchOffer MakeMatchOffer(const RunFiles& files, const CommandLine& line);

// The dialog's choices become the remembered settings (and are saved), except those the command line made
// for this run only, which keep their remembered values.
void RememberChoices(RunFiles& files, const CommandLine& line, const GameOptions& chosen);

// The game is about to start: a saved match not resumed is recorded as abandoned. The session's files,
// with the window's remembered size and where its state goes at the end.
SessionFiles StartSessionFiles(RunFiles& files, const CommandLine& line);
