// Checks the generated res118-lang.pak: every face's extra glyph sheet at every scale, drawn where the
// game's fonts look for each character, and the pictures with translated words the size of the English.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <optional>
#include <string>

#include "archive/language_archive.h"
#include "archive/resource_set.h"
#include "i18n/language.h"
#include "picture_checks.h"
#include "presentation/bitmap_font.h"
#include "presentation/glyph_repertoire.h"
#include "presentation/memory_canvas.h"

namespace {

struct Face {
    const char* file;
    PictureId first;
    PictureId extra;
};

constexpr std::array<Face, 3> kFaces{{
    {"fntHandParker.bmp", PictureId::FontHandwriting, PictureId::FontHandwritingExtra},
    {"fntDigit.bmp", PictureId::FontDigit, PictureId::FontDigitExtra},
    {"fntDeluxe.bmp", PictureId::FontDeluxe, PictureId::FontDeluxeExtra},
}};

Picture565 ToPicture565(const QImage& image) {
    Picture565 picture{image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            picture.pixels.push_back(To565(image.pixel(x, y)));
        }
    }
    return picture;
}

class LanguageArchive : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        base_.emplace(ResourceSet::FromFile(ZARN_RES_PAK));
        hd_.emplace(ResourceSet::FromFile(ZARN_RES_HD_PAK));
        language_.emplace(ResourceSet::FromFile(ZARN_LANG_PAK));
    }
    static void TearDownTestSuite() {
        base_.reset();
        hd_.reset();
        language_.reset();
    }

    static QImage Picture(const ResourceSet& set, ResourceFolder folder, const std::string& name) {
        const std::vector<uint8_t>* bytes = set.Find(folder, name);
        return bytes == nullptr ? QImage() : DecodePicture(*bytes);
    }

    static inline std::optional<ResourceSet> base_;
    static inline std::optional<ResourceSet> hd_;
    static inline std::optional<ResourceSet> language_;
};

// The text alone, drawn on an empty little canvas: its pixels.
std::vector<uint16_t> Drawn(const Picture565& first, const Picture565& extra, const Face& face, int scale,
                            std::string_view text) {
    MemoryCanvas canvas(40, 40, 0, scale);
    canvas.SetPicture(face.first, first);
    canvas.SetPicture(face.extra, extra);
    BitmapFont font;
    font.CreateSpriteFromFile(canvas, face.first, kFontCellWidth, kFontCellHeight, kFontColumns);
    font.SetTransColor(BitmapFont::kKeyTransparentColour);
    font.UseExtraGlyphs(canvas, face.extra);
    font.XPos = 10;
    font.YPos = 5;
    font.DrawText(canvas, Rect32{0, 0, 40, 40}, text, true);
    return canvas.BackBuffer().pixels;
}

TEST_F(LanguageArchive, PolishCzechTurkishAndRussianLettersDrawTheirOwnGlyphsAtEveryScale) {
    const std::u32string letters = U"ąćęłńśźżĄŁŻčďěňřťůĎŘőűğışİŞЖЯжяёЁщЩ№";
    const int rows = (static_cast<int>(kExtraGlyphs.size()) + kFontColumns - 1) / kFontColumns;
    for (const Face& face : kFaces) {
        for (int scale = 1; scale <= 3; ++scale) {
            const std::string trace = std::string(face.file) + " at scale " + std::to_string(scale);
            const QImage first =
                scale == 1 ? Picture(*base_, ResourceFolder::Fonts, face.file)
                           : Picture(*hd_, ResourceFolder::Fonts, ScaledPictureName(face.file, scale));
            const QImage extra =
                Picture(*language_, ResourceFolder::Fonts, ExtraGlyphSheetName(face.file, scale));
            ASSERT_FALSE(first.isNull() || extra.isNull()) << trace;
            ASSERT_EQ(extra.size(),
                      QSize(kFontColumns * kFontCellWidth * scale, rows * kFontCellHeight * scale))
                << trace;
            const Picture565 first565 = ToPicture565(first);
            const Picture565 extra565 = ToPicture565(extra);
            const std::vector<uint16_t> blank = Drawn(first565, extra565, face, scale, " ");
            const std::vector<uint16_t> box = Drawn(first565, extra565, face, scale, "\xEF\xBF\xBD");
            const std::vector<uint16_t> question = Drawn(first565, extra565, face, scale, "?");
            EXPECT_NE(box, blank) << trace << ": the replacement box is drawn";
            for (char32_t letter : letters) {
                const std::string utf8 = QString::fromUcs4(&letter, 1).toStdString();
                const std::vector<uint16_t> drawn = Drawn(first565, extra565, face, scale, utf8);
                EXPECT_NE(drawn, blank) << trace << ": " << utf8 << " draws nothing";
                EXPECT_NE(drawn, box) << trace << ": " << utf8 << " draws the replacement";
                EXPECT_NE(drawn, question) << trace << ": " << utf8 << " draws as a question mark";
            }
        }
    }
}

TEST_F(LanguageArchive, EveryExtraCharacterHasInkExceptTheSpaces) {
    for (const Face& face : kFaces) {
        const QImage sheet = Picture(*language_, ResourceFolder::Fonts, ExtraGlyphSheetName(face.file, 1));
        ASSERT_FALSE(sheet.isNull()) << face.file;
        for (size_t cell = 0; cell < kExtraGlyphs.size(); ++cell) {
            const char32_t character = kExtraGlyphs[cell];
            const QRect area(static_cast<int>(cell) % kFontColumns * kFontCellWidth,
                             static_cast<int>(cell) / kFontColumns * kFontCellHeight, kFontCellWidth - 2,
                             kFontCellHeight);
            bool ink = false;
            for (int y = area.top(); y <= area.bottom() && !ink; ++y) {
                for (int x = area.left(); x <= area.right() && !ink; ++x) {
                    ink = !IsKey(sheet.pixel(x, y));
                }
            }
            const bool space = character == 0x2009 || character == 0x202F;
            EXPECT_EQ(ink, !space) << face.file << " U+" << std::hex << static_cast<uint32_t>(character);
        }
    }
}

TEST_F(LanguageArchive, TranslatedPicturesHaveTheEnglishPicturesSizeAtEveryScale) {
    for (ResourceFolder folder : {ResourceFolder::Numbers, ResourceFolder::Bitmaps}) {
        for (const std::string& name : base_->FileNames(folder)) {
            const QImage english = Picture(*base_, folder, name);
            for (const ShippedLanguage& language : ShippedLanguages()) {
                for (int scale = 1; scale <= 3; ++scale) {
                    const QImage translated =
                        Picture(*language_, folder, TranslatedPictureName(name, language.code, scale));
                    if (!translated.isNull()) {
                        EXPECT_EQ(translated.size(), english.size() * scale)
                            << TranslatedPictureName(name, language.code, scale);
                    }
                }
            }
        }
    }
}

}  // namespace
