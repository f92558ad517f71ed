#pragma once

#include <functional>
#include <string>

#include "cards/game_options.h"
#include "dialog/match_offer.h"

class QMessageBox;
class ResourceSet;
class StartupDialog;

// Entry points of the startup dialog for the game's main. Each one runs its own Qt application and
// destroys it before returning, so SDL can start afterwards.

enum class DialogOutcome { Start, Quit };

// Shows the startup dialog, its visible controls preset from `options` (the command line), with deck
// previews drawn from `resources`. The start button fills `options` and gives Start; "Exit" or
// closing the dialog any other way gives Quit and leaves `options` as they were. The table layout is
// left to the game start. Throws std::runtime_error when there is no display to show it on.
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources);

// The same, calling `onShown` with the dialog once it is on screen (tests drive it from there).
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const std::function<void(StartupDialog&)>& onShown);

// The same with the saved match on offer and the Statistics tab; `resume` tells whether the start button
// is to resume the saved match.
DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, bool& resume,
                               const std::function<void(StartupDialog&)>& onShown = {});

// Reports a fatal start-up error (a missing or damaged archive) on standard error and, when a display
// is available, in a message box; returns when the player has closed the box.
void ShowStartupError(int& argc, char** argv, const std::string& text);

// The same, calling `onShown` with the message box once it is on screen.
void ShowStartupError(int& argc, char** argv, const std::string& text,
                      const std::function<void(QMessageBox&)>& onShown);
