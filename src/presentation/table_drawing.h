#pragma once

#include <string>

#include "cards/game_state.h"
#include "presentation/bitmap_font.h"
#include "presentation/canvas.h"
#include "presentation/drawn_text_log.h"

// Time of day for the clock in the bottom right corner; the caller reads it, so a test can fix it.
struct WallClock {
    int hour = 0;  // 0..23
    int minute = 0;
};

// The local time of day, for the frame to hand to DrawTable.
WallClock LocalWallClock();

// "hh:mm AM": the hour of the 12-hour clock and the minutes in two digits each.
std::string FormatClock(WallClock time);

// Name of a contract 1..5 as the player knows it; empty for anything else.
std::string ContractName(int contract);

// The line at the bottom left: whose kingdom it is and which of its five deals, then what is
// happening (dealing, choosing, the contract with its number in the match, or the end of it). Cut to
// the characters that fit before the clock.
std::string BannerText(const GameState& state);
// The same line before the cut, and the banner while the last trick is shown (who took it, or what the
// layout view marks): the translations are checked against the banner's room with these.
std::string FullBannerText(const GameState& state);
std::string LastTrickBannerText(const GameState& state);
// The characters of the banner that fit before the clock.
size_t BannerCharacterRoom();

// Paints the whole table back to front: won piles, the trick or the layout columns, the hands, the
// contract pictures and buttons, the deck stack with the card being dealt, at the end of a contract
// the score sheet over everything, then the clock and the banner; the play aids' marks where they are
// active (play_aid_drawing.h). It decides nothing; the only
// thing it writes is the x and y of each contract button it draws, which the click test reads.
// `log`, when given, is told each text drawn.
void DrawTable(Canvas& canvas, const Rect32& clipRect, GameState& state, GameFonts& fonts, WallClock now,
               DrawnTextLog* log = nullptr);
