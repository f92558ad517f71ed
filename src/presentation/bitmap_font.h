#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "presentation/canvas.h"

// A font whose glyphs are cells of one picture: the glyph of character code c is cell c - 32, counted
// row by row. Glyphs advance by the cell width less two pixels, so neighbouring cells overlap and
// only look right when drawn with the colour key.
//
// Texts are UTF-8. The picture's codes are Windows-1252 (see glyph_repertoire.h); the characters it
// lacks come from a second picture of the same grid, the extra sheet, when the font has one.
class BitmapFont {
public:
    // Key modes of SetTransColor.
    static constexpr int16_t kKeyBlack = 1;
    static constexpr int16_t kKeyTransparentColour = 2;

    // Binds the font to its loaded glyph picture. Throws FontError when the cell sizes make no grid
    // or the picture was not loaded.
    void CreateSpriteFromFile(const Canvas& canvas, PictureId picture, int16_t intWidth, int16_t intHeight,
                              int16_t colums);

    // 2 makes keyed drawing leave out the game's transparent colour. The canvas knows no other key
    // colour, so 1 (black) is refused and, like any other value, changes nothing.
    void SetTransColor(int16_t color);

    // Takes the extra sheet's glyphs from `picture` when the canvas has it loaded; returns whether it
    // does. Without one, every character beyond the first picture is drawn as its "?".
    bool UseExtraGlyphs(const Canvas& canvas, PictureId picture);

    // Draws the UTF-8 text glyph by glyph at (XPos, YPos) through BltSurface, one advance per character,
    // and sets TotalWidth. Control characters draw nothing; a character with no glyph draws the
    // replacement box of the extra sheet (or "?" without one). Never more than one glyph per character.
    void DrawText(Canvas& target, const Rect32& clipRect, std::string_view text, bool colKey);

    // The characters of `text` this font cannot draw as themselves (each once, in order of first
    // appearance): controls, characters no sheet has, and those of the extra sheet when the font has
    // none. A broken UTF-8 byte counts as U+FFFD.
    std::u32string MissingGlyphs(std::string_view text) const;

    float XPos = 0;
    float YPos = 0;

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t Colums() const { return colums_; }
    int32_t TotalWidth() const { return totalWidth_; }
    PictureId Picture() const { return picture_; }
    bool Created() const { return colums_ > 0; }
    bool Keyed() const { return keyed_; }
    bool HasExtraGlyphs() const { return hasExtra_; }
    PictureId ExtraPicture() const { return extraPicture_; }

    // Source rectangle of a glyph cell in the font picture.
    Rect32 GlyphRect(int glyphIndex) const;

private:
    PictureId picture_ = PictureId::FontHandwriting;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t colums_ = 0;
    int32_t totalWidth_ = 0;
    bool keyed_ = false;
    PictureId extraPicture_ = PictureId::FontHandwritingExtra;
    bool hasExtra_ = false;
};

// Raised when a font cannot be made; what() is the message the game ends with.
class FontError : public std::runtime_error {
public:
    FontError(int number, std::string_view description);
    int Number() const { return number_; }

private:
    int number_;
};

// Cell size and grid of every font picture of the game.
inline constexpr int16_t kFontCellWidth = 19;
inline constexpr int16_t kFontCellHeight = 27;
inline constexpr int16_t kFontColumns = 20;
inline constexpr int kTextFontCount = 11;

// The game's fonts: the handwriting, the clock's digits, the banner's face and one handwriting font
// per score-sheet line (line r uses Text[r], the totals Text[9], the result Text[10]).
struct GameFonts {
    BitmapFont Handwriting;
    BitmapFont Digit;
    BitmapFont Deluxe;
    std::array<BitmapFont, kTextFontCount> Text;
};

// Makes all fonts on their loaded pictures, each keyed with the transparent colour, and gives each its
// face's extra sheet where the canvas has it. Throws FontError.
GameFonts LoadFonts(const Canvas& canvas);

// Gives every font its face's extra sheet where the canvas has it loaded (FontHandwritingExtra,
// FontDigitExtra, FontDeluxeExtra): for pictures loaded after LoadFonts. Returns whether all three are.
bool UseExtraGlyphs(GameFonts& fonts, const Canvas& canvas);
