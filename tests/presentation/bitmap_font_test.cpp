#include "presentation/bitmap_font.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/draw_layout.h"
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
        "A\tB\xC8"
        "C",
        100);
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].x, 100);
    EXPECT_EQ(canvas.calls[1].x, 134);
    EXPECT_EQ(canvas.calls[2].x, 168);
    EXPECT_EQ(TextDrawnAt(canvas.calls, PictureId::FontDeluxe, 50), "ABC");
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
        EXPECT_TRUE(font->Keyed());
        EXPECT_EQ(font->width(), 19);
        EXPECT_EQ(font->height(), 27);
        EXPECT_EQ(font->Colums(), 20);
    }
}

TEST(LoadFonts, AMissingFontPictureEndsTheGameWithTheFontMessage) {
    RecordingCanvas canvas;
    canvas.SetPictureSize(PictureId::FontDeluxe, 0, 0);
    EXPECT_THROW(LoadFonts(canvas), FontError);
}

}  // namespace
