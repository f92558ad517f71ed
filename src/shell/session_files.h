#pragma once

#include <functional>

#include "persistence/match_keeper.h"
#include "speech/spoken_play.h"

// What the game session does with the player's files: the keeper of the saved match and statistics,
// whether to resume, and the window's remembered size and where its state goes at the end.
struct SessionFiles {
    MatchKeeper* keeper = nullptr;  // null: nothing is kept (tests of the window alone)
    bool resume = false;
    int windowWidth = 0;  // 0: the window's own size
    int windowHeight = 0;
    bool soundMuted = false;  // the sound switch as the player last left it
    // Called once as the game ends, with the window's state then (for the settings).
    std::function<void(bool windowed, int width, int height)> rememberWindow;
    // Called once as the game ends, with the sound switch then (for the settings).
    std::function<void(bool muted)> rememberSound;
    // Spoken play as the player left it (or switched on by the command line), and where its state goes
    // at the end.
    SpeechChoices speech;
    std::function<void(const SpeechChoices& speech)> rememberSpeech;
};
