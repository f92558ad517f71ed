#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "presentation/canvas.h"

// A font whose glyphs are cells of one picture: the glyph of character code c is cell c - 32, counted
// row by row. Glyphs advance by the cell width less two pixels, so neighbouring cells overlap and
// only look right when drawn with the colour key.
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

    // Draws the text glyph by glyph at (XPos, YPos) through BltSurface and sets TotalWidth.
    void DrawText(Canvas& target, const Rect32& clipRect, std::string_view text, bool colKey);

    float XPos = 0;
    float YPos = 0;

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t Colums() const { return colums_; }
    int32_t TotalWidth() const { return totalWidth_; }
    PictureId Picture() const { return picture_; }
    bool Created() const { return colums_ > 0; }
    bool Keyed() const { return keyed_; }

    // Source rectangle of a glyph cell in the font picture.
    Rect32 GlyphRect(int glyphIndex) const;

private:
    PictureId picture_ = PictureId::FontHandwriting;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t colums_ = 0;
    int32_t totalWidth_ = 0;
    bool keyed_ = false;
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

// Makes all fonts on their loaded pictures, each keyed with the transparent colour. Throws FontError.
GameFonts LoadFonts(const Canvas& canvas);
