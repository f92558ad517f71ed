#pragma once

#include <functional>
#include <string>

#include "cards/game_options.h"
#include "dialog/match_offer.h"
#include "dialog/settings_store.h"

class QMessageBox;
class ResourceSet;
class StartupDialog;

// Entry points of the startup dialog for the game's main. Each one runs its own Qt application and
// destroys it before returning, so SDL can start afterwards. Each speaks the player's language once
// its Qt application is made (which sets the C library's locale anew); without a language setting,
// the desktop's.

enum class DialogOutcome { Start, Quit };

// What the player chooses in the dialog besides the game's options. `language` goes in as the language
// setting the dialog starts with ("" the desktop's, "en" English, or a shipped language's code) and
// comes out as the one chosen on the Options tab; the texts speak it from then on, the game's table
// too. `resume` tells whether the start button is to resume the saved match. `spokenPlay` goes in as
// the Options tab's spoken play starts (SpokenPlayOf the settings) and comes out as chosen there
// (TakeSpokenPlay keeps it in the settings).
struct DialogChoices {
    std::string language;
    bool resume = false;
    SpokenPlayChoice spokenPlay{};  // its own initializer: records filled by name may leave it out
};

// Shows the startup dialog, its visible controls preset from `options` (the command line), with deck
// previews drawn from `resources`. The start button fills `options` and gives Start; "Exit" or
// closing the dialog any other way gives Quit and leaves `options` as they were. The table layout is
// left to the game start. Throws std::runtime_error when there is no display to show it on.
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources);

// The same, calling `onShown` with the dialog once it is on screen (tests drive it from there).
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const std::function<void(StartupDialog&)>& onShown);

// The same with the saved match on offer, the Statistics tab, the choice of language and spoken play.
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, DialogChoices& choices,
                               const std::function<void(StartupDialog&)>& onShown = {});

// The same in the desktop's language; `resume` tells whether the start button is to resume the saved
// match.
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, bool& resume,
                               const std::function<void(StartupDialog&)>& onShown = {});

// Reports a fatal start-up error (a missing or damaged archive) on standard error and, when a display
// is available, in a message box; returns when the player has closed the box. `text` is already in the
// player's language; the box's own button speaks that of `languageSetting` (as in DialogChoices).
void ShowStartupError(int& argc, char** argv, const std::string& text,
                      const std::string& languageSetting = {});

// The same, calling `onShown` with the message box once it is on screen.
void ShowStartupError(int& argc, char** argv, const std::string& text,
                      const std::function<void(QMessageBox&)>& onShown);
void ShowStartupError(int& argc, char** argv, const std::string& text, const std::string& languageSetting,
                      const std::function<void(QMessageBox&)>& onShown);
