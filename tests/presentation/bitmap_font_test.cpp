#include "presentation/bitmap_font.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/draw_layout.h"
#include "presentation/glyph_repertoire.h"
#include "recording_canvas.h"

namespace {

class BitmapFontTest : public testing::Test {
protected:
    BitmapFontTest() {
        font.CreateSpriteFromFile(canvas, PictureId::FontDeluxe, 19, 27, 20);
        font.SetTransColor(BitmapFont::kKeyTransparentColour);
        font.YPos = 50;
    }

    void Draw(std::string_view text, float x, bool colKey = true) {
        font.XPos = x;
        font.DrawText(canvas, kScreenClipRect, text, colKey);
    }

    RecordingCanvas canvas;
    BitmapFont font;
};

TEST_F(BitmapFontTest, DrawsEachGlyphFromItsCellAdvancingSeventeenPixels) {
    Draw("AB", 100);
    ASSERT_EQ(canvas.calls.size(), 2u);
    // "A" is cell 33: column 13, row 1.
    EXPECT_EQ(canvas.calls[0], (CopyCall{PictureId::FontDeluxe, Rect32{247, 27, 266, 54}, 100, 50, true}));
    EXPECT_EQ(canvas.calls[1], (CopyCall{PictureId::FontDeluxe, Rect32{266, 27, 285, 54}, 117, 50, true}));
    EXPECT_EQ(font.TotalWidth(), 51);
}

TEST_F(BitmapFontTest, GlyphCellsFollowTheGrid) {
    const std::vector<std::pair<char, Rect32>> cases{
        {' ', Rect32{0, 0, 19, 27}},        // cell 0
        {'3', Rect32{361, 0, 380, 27}},     // cell 19: last of the first row
        {'4', Rect32{0, 27, 19, 54}},       // cell 20: first of the second row
        {'z', Rect32{190, 108, 209, 135}},  // cell 90: column 10, row 4
    };
    for (const auto& [character, expected] : cases) {
        canvas.calls.clear();
        Draw(std::string(1, character), 200);
        ASSERT_EQ(canvas.calls.size(), 1u) << character;
        EXPECT_EQ(canvas.calls[0].source, expected) << character;
    }
}

TEST_F(BitmapFontTest, EmptyTextDrawsNothingAndIsOneAdvanceWide) {
    Draw("", 100);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(font.TotalWidth(), 17);
}

TEST_F(BitmapFontTest, PositionsRoundHalvesToEven) {
    Draw("AA", 0.5F);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].x, 0);   // 0.5
    EXPECT_EQ(canvas.calls[1].x, 18);  // 17.5
}

TEST_F(BitmapFontTest, TextRunningPastTheRightEdgeIsCutInTheCrossingGlyphAndStopsThere) {
    Draw("ABC", 770);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].source, (Rect32{247, 27, 266, 54}));
    // "B" at 787 crosses the edge at 800: 13 of its 19 columns show.
    EXPECT_EQ(canvas.calls[1], (CopyCall{PictureId::FontDeluxe, Rect32{266, 27, 279, 54}, 787, 50, true}));
    // "C" at 804 lies wholly outside and is skipped; the width still counts it.
    EXPECT_EQ(font.TotalWidth(), 68);
}

TEST_F(BitmapFontTest, TextStartingLeftOfTheScreenIsShiftedToTheEdge) {
    Draw("AB", -10);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0], (CopyCall{PictureId::FontDeluxe, Rect32{257, 27, 266, 54}, 0, 50, true}));
    EXPECT_EQ(canvas.calls[1].x, 7);
}

TEST_F(BitmapFontTest, KeyedOnlyWhenAskedAndTheFontHasItsKey) {
    Draw("A", 10, false);
    EXPECT_FALSE(canvas.calls.back().keyed);

    BitmapFont blackKeyed;
    blackKeyed.CreateSpriteFromFile(canvas, PictureId::FontDigit, 19, 27, 20);
    blackKeyed.SetTransColor(BitmapFont::kKeyBlack);
    blackKeyed.DrawText(canvas, kScreenClipRect, "A", true);
    EXPECT_FALSE(canvas.calls.back().keyed);
}

TEST_F(BitmapFontTest, CharactersWithoutACellAreSkippedButKeepTheirPlace) {
    canvas.SetPictureSize(PictureId::FontDeluxe, 380, 135);  // five rows: codes 32..131
    Draw(
        "A\tB\xC3\x88"  // "È" is code 0xC8, beyond the five rows
        "C",
        100);
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].x, 100);
    EXPECT_EQ(canvas.calls[1].x, 134);
    EXPECT_EQ(canvas.calls[2].x, 168);
    EXPECT_EQ(TextDrawnAt(canvas.calls, PictureId::FontDeluxe, 50), "ABC");
}

// The glyph cell's rectangle in a sheet of 19 x 27 cells in rows of 20.
Rect32 Cell(int cell) {
    const int32_t left = cell % 20 * 19;
    const int32_t top = cell / 20 * 27;
    return Rect32{left, top, left + 19, top + 27};
}

TEST_F(BitmapFontTest, UtfEightTextsDrawTheFirstSheetsWindows1252Cells) {
    struct Case {
        const char* text;
        int code;
    };
    const std::vector<Case> cases{
        {"\xC3\xA9", 0xE9},      // é
        {"\xC2\xB7", 0xB7},      // middle dot
        {"\xE2\x82\xAC", 0x80},  // euro sign
        {"\xE2\x80\x9E", 0x84},  // low double quote
        {"\xE2\x80\x93", 0x96},  // en dash
        {"\xC5\xA0", 0x8A},      // Š, a Latin Extended-A letter Windows-1252 has
    };
    canvas.SetPictureSize(PictureId::FontDeluxeExtra, 380, 324);
    ASSERT_TRUE(font.UseExtraGlyphs(canvas, PictureId::FontDeluxeExtra));
    for (const Case& c : cases) {
        canvas.calls.clear();
        Draw(c.text, 100);
        ASSERT_EQ(canvas.calls.size(), 1u) << c.text;
        EXPECT_EQ(canvas.calls[0], (CopyCall{PictureId::FontDeluxe, Cell(c.code - 32), 100, 50, true}))
            << c.text;
        EXPECT_EQ(font.TotalWidth(), 34) << c.text;
        EXPECT_TRUE(font.MissingGlyphs(c.text).empty()) << c.text;
    }
}

TEST_F(BitmapFontTest, OtherLettersComeFromTheExtraSheetOneAdvanceEach) {
    canvas.SetPictureSize(PictureId::FontDeluxeExtra, 380, 324);
    ASSERT_TRUE(font.UseExtraGlyphs(canvas, PictureId::FontDeluxeExtra));
    // "Łódź" and "Жук": ó is the first sheet's, the others the extra sheet's.
    Draw(
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA \xD0\x96\xD1\x83\xD0\xBA",
        100);
    const std::vector<CopyCall> expected{
        {PictureId::FontDeluxeExtra, Cell(ExtraGlyphCell(U'\u0141')), 100, 50, true},
        {PictureId::FontDeluxe, Cell(0xF3 - 32), 117, 50, true},
        {PictureId::FontDeluxe, Cell('d' - 32), 134, 50, true},
        {PictureId::FontDeluxeExtra, Cell(ExtraGlyphCell(U'\u017A')), 151, 50, true},
        {PictureId::FontDeluxe, Cell(0), 168, 50, true},
        {PictureId::FontDeluxeExtra, Cell(ExtraGlyphCell(U'\u0416')), 185, 50, true},
        {PictureId::FontDeluxeExtra, Cell(ExtraGlyphCell(U'\u0443')), 202, 50, true},
        {PictureId::FontDeluxeExtra, Cell(ExtraGlyphCell(U'\u043A')), 219, 50, true},
    };
    EXPECT_EQ(canvas.calls, expected);
    EXPECT_EQ(font.TotalWidth(), 9 * 17);
    EXPECT_TRUE(font.MissingGlyphs("\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA \xD0\x96")
                    .empty());
}

TEST_F(BitmapFontTest, ACharacterNoSheetHasDrawsTheReplacementAndIsReported) {
    // A snowman, a broken byte and a tab: the first two draw the box, the tab nothing; all are reported.
    const std::string text =
        "a\xE2\x98\x83"
        "b\xFF\t\xE2\x98\x83";
    canvas.SetPictureSize(PictureId::FontDeluxeExtra, 380, 324);
    ASSERT_TRUE(font.UseExtraGlyphs(canvas, PictureId::FontDeluxeExtra));
    Draw(text, 100);
    const Rect32 box = Cell(kReplacementCell);
    ASSERT_EQ(canvas.calls.size(), 5u);
    EXPECT_EQ(canvas.calls[1], (CopyCall{PictureId::FontDeluxeExtra, box, 117, 50, true}));
    EXPECT_EQ(canvas.calls[3], (CopyCall{PictureId::FontDeluxeExtra, box, 151, 50, true}));
    EXPECT_EQ(canvas.calls[4], (CopyCall{PictureId::FontDeluxeExtra, box, 185, 50, true}));
    EXPECT_EQ(font.TotalWidth(), 7 * 17);
    EXPECT_EQ(font.MissingGlyphs(text), U"\u2603\uFFFD\t");

    // Without an extra sheet (no language archive) they, and the extra sheet's letters, draw as "?".
    BitmapFont plain;
    plain.CreateSpriteFromFile(canvas, PictureId::FontDigit, 19, 27, 20);
    canvas.calls.clear();
    plain.DrawText(canvas, kScreenClipRect, "\xE2\x98\x83\xC5\x82", true);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].source, Cell('?' - 32));
    EXPECT_EQ(canvas.calls[1].source, Cell('?' - 32));
    EXPECT_EQ(plain.MissingGlyphs("\xE2\x98\x83\xC5\x82"), U"\u2603\u0142");
}

TEST(GlyphRepertoire, EveryCharacterHasOnePlaceAndTheExtraSheetFitsTwelveRows) {
    EXPECT_LE(kExtraGlyphs.size(), 12u * 20u);
    for (int code = 32; code <= 255; ++code) {
        if (const char32_t c = CharacterOfSheetCode(code); c != 0) {
            EXPECT_EQ(SheetCodeOf(c), code) << code;
            EXPECT_EQ(ExtraGlyphCell(c), -1) << code;
        }
    }
    for (size_t cell = 0; cell + 1 < kExtraGlyphs.size(); ++cell) {
        EXPECT_EQ(ExtraGlyphCell(kExtraGlyphs[cell]), static_cast<int>(cell));
    }
    // The Central European, Turkish and Russian letters are all there.
    for (char32_t c : std::u32string(U"ąćęłńśźżčďěňřťůőűğışİĞŞĀЁЖЯжяё")) {
        EXPECT_NE(GlyphPlaceOf(c).sheet, GlyphSheet::None) << static_cast<uint32_t>(c);
    }
}

TEST(BitmapFontCreation, RefusesAGridWithoutCells) {
    RecordingCanvas canvas;
    BitmapFont font;
    try {
        font.CreateSpriteFromFile(canvas, PictureId::FontDigit, 19, 27, 0);
        FAIL() << "a font without columns was made";
    } catch (const FontError& error) {
        EXPECT_EQ(error.Number(), 5);
        EXPECT_EQ(std::string(error.what()),
                  "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: 5\r\n"
                  "Invalid procedure call or argument");
    }
    EXPECT_FALSE(font.Created());
}

TEST(BitmapFontCreation, RefusesAPictureThatWasNotLoaded) {
    RecordingCanvas canvas;
    canvas.SetPictureSize(PictureId::FontDigit, 0, 0);
    BitmapFont font;
    EXPECT_THROW(font.CreateSpriteFromFile(canvas, PictureId::FontDigit, 19, 27, 20), FontError);
}

TEST(BitmapFontCreation, AFontNeverMadeDrawsNothing) {
    RecordingCanvas canvas;
    BitmapFont font;
    font.DrawText(canvas, kScreenClipRect, "AB", true);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(LoadFonts, MakesEveryFontOnItsPictureWithTheKey) {
    RecordingCanvas canvas;
    const GameFonts fonts = LoadFonts(canvas);
    EXPECT_EQ(fonts.Handwriting.Picture(), PictureId::FontHandwriting);
    EXPECT_EQ(fonts.Digit.Picture(), PictureId::FontDigit);
    EXPECT_EQ(fonts.Deluxe.Picture(), PictureId::FontDeluxe);
    for (const BitmapFont& font : fonts.Text) {
        EXPECT_EQ(font.Picture(), PictureId::FontHandwriting);
    }
    for (const BitmapFont* font : {&fonts.Handwriting, &fonts.Digit, &fonts.Deluxe, &fonts.Text[10]}) {
        EXPECT_FALSE(font->HasExtraGlyphs());  // the canvas has no extra sheets
        EXPECT_TRUE(font->Keyed());
        EXPECT_EQ(font->width(), 19);
        EXPECT_EQ(font->height(), 27);
        EXPECT_EQ(font->Colums(), 20);
    }
}

TEST(LoadFonts, GivesEachFaceItsExtraSheetWhenLoaded) {
    RecordingCanvas canvas;
    for (PictureId extra :
         {PictureId::FontHandwritingExtra, PictureId::FontDigitExtra, PictureId::FontDeluxeExtra}) {
        canvas.SetPictureSize(extra, 380, 324);
    }
    const GameFonts fonts = LoadFonts(canvas);
    EXPECT_EQ(fonts.Handwriting.ExtraPicture(), PictureId::FontHandwritingExtra);
    EXPECT_EQ(fonts.Digit.ExtraPicture(), PictureId::FontDigitExtra);
    EXPECT_EQ(fonts.Deluxe.ExtraPicture(), PictureId::FontDeluxeExtra);
    EXPECT_EQ(fonts.Text[3].ExtraPicture(), PictureId::FontHandwritingExtra);
    for (const BitmapFont* font : {&fonts.Handwriting, &fonts.Digit, &fonts.Deluxe, &fonts.Text[3]}) {
        EXPECT_TRUE(font->HasExtraGlyphs());
    }
}

TEST(LoadFonts, AMissingFontPictureEndsTheGameWithTheFontMessage) {
    RecordingCanvas canvas;
    canvas.SetPictureSize(PictureId::FontDeluxe, 0, 0);
    EXPECT_THROW(LoadFonts(canvas), FontError);
}

}  // namespace
