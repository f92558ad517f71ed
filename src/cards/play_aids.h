#pragma once

#include <array>
#include <cstdint>

// What the player's aids show: the keyboard focus, the hint, the last trick and the sound switch. None
// of it is part of the game: the rules never read it, and a match plays the same whatever it holds.

// One card of the last trick, where it lay when the trick was complete.
struct ShownTrickCard {
    int16_t Card = -1;
    int16_t Seat = 0;
    float X = 0.0F;
    float Y = 0.0F;

    bool operator==(const ShownTrickCard&) const = default;
};

// One card laid in the layout contract: its column and cell, and who laid it.
struct LaidCardMark {
    int16_t Suit = 0;
    int16_t Cell = 0;
    int16_t Seat = 0;

    bool operator==(const LaidCardMark&) const = default;
};

inline constexpr int kShownTrickCards = 4;
inline constexpr int kLaidCardsShown = 4;

struct PlayAids {
    // The keyboard focus: a slot of the human's hand while a card is awaited, a contract button (0..4)
    // while the human chooses; -1 for none. It rests only on items the human may choose now.
    int16_t FocusSlot = -1;
    int16_t FocusButton = -1;
    // The focus is drawn once the player uses the keys to choose, and hidden again by a mouse click.
    bool FocusVisible = false;
    // The computer players' choice for the human, asked for with H; -1 for none. Kept until the
    // human has chosen.
    int16_t HintSlot = -1;
    int16_t HintButton = -1;

    // The last completed trick (Count 0: none yet in this deal) and its winner.
    std::array<ShownTrickCard, kShownTrickCards> LastTrick{};
    int16_t LastTrickCount = 0;
    int16_t LastTrickWinner = 0;
    // The layout contract's last cards laid, oldest first, and which cells were filled when last seen.
    std::array<LaidCardMark, kLaidCardsShown> LastLaid{};
    int16_t LastLaidCount = 0;
    std::array<uint16_t, 4> LaidCells{};  // per suit column, bit n: cell n holds a card
    // L or the right button is held: the last trick is shown over the table.
    bool LastTrickShown = false;

    // All sound off. The shell may set it at start (a kept setting) and read it at the end.
    bool Muted = false;

    // Keys down in the previous frame, so that a held key acts once.
    std::array<bool, 256> KeysBefore{};
    int32_t MouseXBefore = -1;
    int32_t MouseYBefore = -1;

    bool operator==(const PlayAids&) const = default;
};
