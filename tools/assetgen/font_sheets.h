#pragma once

#include <QImage>

#include "font_files.h"

// The glyph grid the game's bitmap fonts read: cells of 19 x 27 pixels, 20 columns, the glyph of the
// character code c in cell c - 32. Glyphs advance by 17 pixels, so each glyph stays within 17 columns
// of its cell.
inline constexpr int kGlyphCellWidth = 19;
inline constexpr int kGlyphCellHeight = 27;
inline constexpr int kGlyphColumns = 20;
inline constexpr int kGlyphAdvance = kGlyphCellWidth - 2;
inline constexpr int kFirstGlyphCode = 32;
inline constexpr int kLastGlyphCode = 255;  // the Windows Latin-1 code page

enum class FontFace {
    Handwriting,  // "fntHandParker.bmp": ink on the score sheet
    Digits,       // "fntDigit.bmp": the clock, lit segments
    Deluxe,       // "fntDeluxe.bmp": the banner, gold lettering
};

// The whole glyph picture of one face, keyed. At `scale` k every cell, glyph and place in it is k times
// as large.
QImage DrawFontSheet(FontFace face, const AssetFonts& fonts, int scale = 1);

// The extra glyph picture of one face, in the same grid: the characters of kExtraGlyphs
// (presentation/glyph_repertoire.h), one cell each in that order, the last the replacement box. Drawn by
// the same code and fonts as DrawFontSheet; keyed.
QImage DrawExtraFontSheet(FontFace face, const AssetFonts& fonts, int scale = 1);

// The character a single-byte code stands for (Windows-1252); 0 for the unassigned codes.
char16_t CharacterOfCode(int code);
