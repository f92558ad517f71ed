#include "presentation/bitmap_font.h"

#include <string>

#include "i18n/utf8.h"
#include "presentation/blt_surface.h"
#include "presentation/glyph_repertoire.h"

namespace {

// The game's error numbers for a font that cannot be made.
constexpr int kInvalidArgument = 5;
constexpr int kPictureMissing = 53;

std::string FontErrorText(int number, std::string_view description) {
    return "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: " +
           std::to_string(number) + "\r\n" + std::string(description);
}

}  // namespace

FontError::FontError(int number, std::string_view description)
    : std::runtime_error(FontErrorText(number, description)), number_(number) {}

void BitmapFont::CreateSpriteFromFile(const Canvas& canvas, PictureId picture, int16_t intWidth,
                                      int16_t intHeight, int16_t colums) {
    if (intWidth <= 2 || intHeight <= 0 || colums <= 0) {
        throw FontError(kInvalidArgument, "Invalid procedure call or argument");
    }
    const Rect32 whole = canvas.PictureRect(picture);
    if (whole.Empty()) {
        throw FontError(kPictureMissing, "File not found");
    }
    picture_ = picture;
    width_ = intWidth;
    height_ = intHeight;
    colums_ = colums;
}

void BitmapFont::SetTransColor(int16_t color) {
    if (color == kKeyTransparentColour) {
        keyed_ = true;
    }
}

Rect32 BitmapFont::GlyphRect(int glyphIndex) const {
    const int32_t column = glyphIndex % colums_;
    const int32_t row = glyphIndex / colums_;
    const int32_t left = column * width_;
    const int32_t top = row * height_;
    return Rect32{left, top, left + width_, top + height_};
}

bool BitmapFont::UseExtraGlyphs(const Canvas& canvas, PictureId picture) {
    hasExtra_ = Created() && !canvas.PictureRect(picture).Empty();
    extraPicture_ = picture;
    return hasExtra_;
}

void BitmapFont::DrawText(Canvas& target, const Rect32& clipRect, std::string_view text, bool colKey) {
    const int32_t advance = width_ - 2;
    int32_t characters = 0;
    while (!text.empty()) {
        const DecodedCharacter decoded = DecodeCharacter(text);
        text.remove_prefix(decoded.bytes);
        const int32_t index = characters++;
        if (!Created() || IsControlCharacter(decoded.character)) {
            continue;  // control characters have no cell
        }
        GlyphPlace place = GlyphPlaceOf(decoded.character);
        if (place.sheet == GlyphSheet::Extra && !hasExtra_) {
            place = {};
        }
        if (place.sheet == GlyphSheet::None) {
            place = hasExtra_ ? GlyphPlace{GlyphSheet::Extra, kReplacementCell}
                              : GlyphPlace{GlyphSheet::First, SheetCodeOf(U'?') - kFirstSheetCode};
        }
        const PictureId picture = place.sheet == GlyphSheet::Extra ? extraPicture_ : picture_;
        const float x = XPos + static_cast<float>(advance * index);
        BltSurface(target, clipRect, picture, GlyphRect(place.cell), TableSpot{x, YPos}, colKey && keyed_);
    }
    totalWidth_ = (characters + 1) * advance;
}

std::u32string BitmapFont::MissingGlyphs(std::string_view text) const {
    std::u32string missing;
    while (!text.empty()) {
        const DecodedCharacter decoded = DecodeCharacter(text);
        text.remove_prefix(decoded.bytes);
        const GlyphSheet sheet = GlyphPlaceOf(decoded.character).sheet;
        const bool drawn = !IsControlCharacter(decoded.character) &&
                           (sheet == GlyphSheet::First || (sheet == GlyphSheet::Extra && hasExtra_));
        if (!drawn && missing.find(decoded.character) == std::u32string::npos) {
            missing += decoded.character;
        }
    }
    return missing;
}

GameFonts LoadFonts(const Canvas& canvas) {
    GameFonts fonts;
    const auto make = [&canvas](BitmapFont& font, PictureId picture) {
        font.CreateSpriteFromFile(canvas, picture, kFontCellWidth, kFontCellHeight, kFontColumns);
        font.SetTransColor(BitmapFont::kKeyTransparentColour);
    };
    make(fonts.Handwriting, PictureId::FontHandwriting);
    make(fonts.Digit, PictureId::FontDigit);
    make(fonts.Deluxe, PictureId::FontDeluxe);
    for (BitmapFont& font : fonts.Text) {
        make(font, PictureId::FontHandwriting);
    }
    UseExtraGlyphs(fonts, canvas);
    return fonts;
}

bool UseExtraGlyphs(GameFonts& fonts, const Canvas& canvas) {
    bool all = fonts.Handwriting.UseExtraGlyphs(canvas, PictureId::FontHandwritingExtra);
    all = fonts.Digit.UseExtraGlyphs(canvas, PictureId::FontDigitExtra) && all;
    all = fonts.Deluxe.UseExtraGlyphs(canvas, PictureId::FontDeluxeExtra) && all;
    for (BitmapFont& font : fonts.Text) {
        font.UseExtraGlyphs(canvas, PictureId::FontHandwritingExtra);
    }
    return all;
}
