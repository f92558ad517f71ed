#pragma once

#include <cstdint>
#include <string>

// Who plays the computer seats: the game's own players, or the stronger ones that look ahead.
enum class PlayerLevel : uint8_t { Classic, Expert };

// The player's choices for one run. The startup dialog (or the command line) writes them once before
// the game starts; everything else only reads them. The initial values are what a run gets when the
// player changes nothing in the dialog.
struct GameOptions {
    std::string PakFileName = "res118.pak";
    std::string DeckName = "Roya2";  // "Roya2" or "Royal"
    std::string Resolution = "800x600";
    int16_t ScreenWidth = 800;
    int16_t ScreenHeight = 600;
    bool UseVidMem = false;
    bool FullScreen = true;
    bool SevenOfHeartsLead = false;
    bool Partnership = false;
    bool SlowAnimation = false;
    bool PortugueseRules = true;  // false: the French rules
    int16_t DealPacketSize = 1;   // 1 with the Portuguese rules, 13 with the French rules
    PlayerLevel Players = PlayerLevel::Classic;

    bool operator==(const GameOptions&) const = default;
};

// Derives the screen size from the resolution text: "800x600" gives 800 by 600, anything else 1024 by 768.
void ApplyResolution(GameOptions& options);

// Derives the packet size of the deal from the rules option.
void ApplyRules(GameOptions& options);

// The cards a seat is dealt at a time: one with the Portuguese rules, the whole hand with the French.
int16_t DealPacketSizeFor(bool portugueseRules);
