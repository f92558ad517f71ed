#pragma once

#include <cstdint>
#include <string>

#include "cards/game_state.h"
#include "presentation/bitmap_font.h"
#include "presentation/canvas.h"
#include "presentation/drawn_text_log.h"

// The sheet has room for ten contract lines under its header; the flow clears it after ten.
inline constexpr int kSheetLines = 10;

// A number right-aligned in four characters: "   7", "  75", "-200". The columns of the sheet line
// up because every glyph has the same advance.
std::string NumberField(int16_t value);

// The text of sheet line r: the header (r = 0) or the scores of contract row r - 1.
std::string SheetLineText(const GameState& state, int line);

// The totals line under the lower ruling line.
std::string TotalsText(const GameState& state);

// Writes the score sheet over the score page: header, one line per contract since the sheet was
// cleared, the match totals and the result of the match.
void DrawScoreSheet(Canvas& canvas, const Rect32& clipRect, const GameState& state, GameFonts& fonts,
                    DrawnTextLog* log = nullptr);
