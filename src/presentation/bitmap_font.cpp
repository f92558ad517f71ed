#include "presentation/bitmap_font.h"

#include <string>

#include "presentation/blt_surface.h"

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

void BitmapFont::DrawText(Canvas& target, const Rect32& clipRect, std::string_view text, bool colKey) {
    const int32_t advance = width_ - 2;
    if (Created()) {
        for (size_t i = 0; i < text.size(); ++i) {
            const int glyphIndex = static_cast<unsigned char>(text[i]) - 32;
            if (glyphIndex < 0) {
                continue;  // control characters have no cell
            }
            const float x = XPos + static_cast<float>(advance * static_cast<int32_t>(i));
            BltSurface(target, clipRect, picture_, GlyphRect(glyphIndex), TableSpot{x, YPos},
                       colKey && keyed_);
        }
    }
    totalWidth_ = (static_cast<int32_t>(text.size()) + 1) * advance;
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
    return fonts;
}
