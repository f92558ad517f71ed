#pragma once

#include <filesystem>
#include <string>

#include "cards/game_options.h"

// The player's remembered choices. A plain record the program fills from the dialog and the window;
// the store behind it is Qt's settings class in an INI file, $XDG_CONFIG_HOME/zarn/zarn.conf. A new
// choice is one field here plus its key in one of the key tables of settings_store.cpp.
struct PlayerSettings {
    std::string DeckName = "Roya2";  // "Roya2" or "Royal"
    bool Partnership = false;
    bool SlowAnimation = false;
    bool SevenOfHeartsLead = false;
    bool FrenchRules = false;
    bool Windowed = false;  // full screen (false) or a window
    int WindowWidth = 0;    // the window's size when it is not full screen; 0: the game's own choice
    int WindowHeight = 0;
    bool SoundMuted = false;     // M in the game switches all sound off
    bool ExpertPlayers = false;  // the computer seats' level: Expert, or the game's own (Classic)
    // The language the game speaks: "" the desktop's, "en" English, or a shipped language's code
    // (ShippedLanguages()). A value this version does not ship reads as "".
    std::string Language;
    // Spoken play: on or off (F2 in the game), how much is said (0 terse, 1 normal, 2 detailed) and
    // the voice's rate (-100 slowest .. 100 fastest, 0 the voice's own).
    bool Speech = false;
    int SpeechVerbosity = 1;
    int SpeechRate = 0;
};

// Spoken play as the dialog shows and returns it: on or off, how much is said and the voice's rate,
// with the same meanings and ranges as the settings' fields.
struct SpokenPlayChoice {
    bool on = false;
    int verbosity = 1;  // 0 terse, 1 normal, 2 detailed
    int rate = 0;       // -100 slowest .. 100 fastest, 0 the voice's own

    bool operator==(const SpokenPlayChoice&) const = default;
};

// The settings as read: the defaults when there is no file; when the file is damaged or holds a value
// out of range, the defaults, the file moved aside and `message` saying so. A file made by a newer
// version is no damage: it is left as it is, this run uses the defaults, `newerVersion` is set (the
// caller then never writes over the file) and `message` says so.
struct LoadedSettings {
    PlayerSettings settings;
    bool found = false;
    bool newerVersion = false;
    std::string message;
};

std::filesystem::path SettingsPath();
LoadedSettings LoadSettings(const std::filesystem::path& file);

// Writes every field; false (with `error` set) when the file could not be written.
bool SaveSettings(const std::filesystem::path& file, const PlayerSettings& settings, std::string* error);

// The settings as the game's options, and the dialog's choices back into the settings.
void ApplySettings(const PlayerSettings& settings, GameOptions& options);
void TakeChoices(const GameOptions& options, PlayerSettings& settings);

// Spoken play from the settings for the dialog, and the dialog's choice back into them.
SpokenPlayChoice SpokenPlayOf(const PlayerSettings& settings);
void TakeSpokenPlay(const SpokenPlayChoice& choice, PlayerSettings& settings);
