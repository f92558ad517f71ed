#pragma once

#include <array>
#include <cstdint>

// Key codes of the game's key table (the keyboard scan codes the game was designed around).
inline constexpr int kKeyEscape = 1, kKeyR = 19, kKeyP = 25;
// The keys of the play aids.
inline constexpr int kKeyTab = 15, kKeyEnter = 28, kKeyH = 35, kKeyL = 38, kKeyLeftShift = 42, kKeyM = 50,
                     kKeyRightShift = 54, kKeyLeftAlt = 56, kKeySpace = 57, kKeyPadEnter = 156,
                     kKeyRightAlt = 184, kKeyUp = 200, kKeyLeft = 203, kKeyRight = 205, kKeyDown = 208;

// What the player is doing in one frame: which keys are down, where the mouse is (back-buffer pixels)
// and which buttons are held down. Buttons[0] is the left button, Buttons[1] the right one.
struct InputSnapshot {
    std::array<bool, 256> Keys{};
    int32_t MouseX = 0;
    int32_t MouseY = 0;
    std::array<bool, 4> Buttons{};
};

// True when a key or a button is down.
inline bool AnyKeyOrButtonDown(const InputSnapshot& input) {
    for (bool key : input.Keys) {
        if (key) {
            return true;
        }
    }
    for (bool button : input.Buttons) {
        if (button) {
            return true;
        }
    }
    return false;
}
