#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/memory_canvas.h"
#include "presentation/table_drawing.h"
#include "test_support.h"

// Renders a known table into a 16-bit back buffer in memory and looks at the pixels that matter.

namespace {

constexpr uint16_t kKey = MemoryCanvas::kTransparent;
constexpr uint16_t kFelt = 0x2C44;
constexpr uint16_t kBackBlue = 0x001F;
constexpr uint16_t kFaceWhite = 0xFFFF;
constexpr uint16_t kPipRed = 0xF800;
constexpr uint16_t kPaper = 0xEF5B;
constexpr uint16_t kInk = 0x0000;
constexpr uint16_t kRule = 0x4208;

constexpr int32_t kCardW = 99;
constexpr int32_t kCardH = 153;
constexpr int32_t kPageW = 488;
constexpr int32_t kPageH = 592;

// A card with cut corners: the corner pixels carry the transparent colour.
Picture565 CardPicture(uint16_t colour, bool withPip) {
    Picture565 p{kCardW, kCardH, std::vector<uint16_t>(kCardW * kCardH, colour)};
    for (int32_t y = 0; y < kCardH; ++y) {
        for (int32_t x = 0; x < kCardW; ++x) {
            const bool corner = (x < 3 || x >= kCardW - 3) && (y < 3 || y >= kCardH - 3);
            const bool pip = withPip && x >= 40 && x < 60 && y >= 60 && y < 93;
            if (corner) {
                p.pixels[y * kCardW + x] = kKey;
            } else if (pip) {
                p.pixels[y * kCardW + x] = kPipRed;
            }
        }
    }
    return p;
}

// Glyph cells on the transparent colour, each with one inked column in its middle.
Picture565 FontPicture() {
    const int32_t w = 20 * 19;
    const int32_t h = 12 * 27;
    Picture565 p{w, h, std::vector<uint16_t>(w * h, kKey)};
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 9; x < w; x += 19) {
            p.pixels[y * w + x] = kInk;
        }
    }
    return p;
}

// Paper with a transparent left margin, as a torn-off page.
Picture565 ScorePagePicture() {
    Picture565 p{kPageW, kPageH, std::vector<uint16_t>(kPageW * kPageH, kPaper)};
    for (int32_t y = 0; y < kPageH; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            p.pixels[y * kPageW + x] = kKey;
        }
    }
    return p;
}

class TablePixelsTest : public testing::Test {
protected:
    TablePixelsTest() : state(MakeState()) {
        canvas.SetSolidPicture(PictureId::Background, 800, 600, kFelt);
        canvas.SetPicture(PictureId::CardBack, CardPicture(kBackBlue, false));
        for (int card = 0; card < kCards; ++card) {
            canvas.SetPicture(CardFacePicture(card), CardPicture(kFaceWhite, true));
        }
        canvas.SetPicture(PictureId::ScorePage, ScorePagePicture());
        canvas.SetSolidPicture(PictureId::LineHorz1, 354, 6, kRule);
        canvas.SetSolidPicture(PictureId::LineHorz2, 354, 6, kRule);
        for (PictureId font : {PictureId::FontHandwriting, PictureId::FontDigit, PictureId::FontDeluxe}) {
            canvas.SetPicture(font, FontPicture());
        }
        fonts = LoadFonts(canvas);

        state.Layout.HandOrigin = {PointXY{155, 420}, PointXY{680, 190}, PointXY{300, 2}, PointXY{20, 190}};
        state.Phase = Phase::NormalPlay;
        PlaceCard(state.Hand[0][0], 10, 155, 420, true);
        PlaceCard(state.Hand[0][1], 11, 188, 420, true);
        PlaceCard(state.Hand[2][0], 20, 300, 2, false);
        PlaceCard(state.TableCards[0], 5, 336.5F, 242.5F, true);
        state.TableCount = 1;
    }

    static void PlaceCard(CardRecord& record, int16_t card, float x, float y, bool faceUp) {
        record = CardRecord{};
        record.Card = card;
        record.X = x;
        record.Y = y;
        record.InUse = true;
        record.FaceUp = faceUp;
    }

    // One frame as the game draws it: background, the score page's edge, the table.
    void DrawFrame() {
        BltSurface(canvas, kScreenClipRect, PictureId::Background, Rect32{}, 0, 0, false);
        BltSurface(canvas, kScreenClipRect, PictureId::ScorePage, Rect32{}, kScorePageEdgeX, kScorePageEdgeY,
                   true);
        DrawTable(canvas, kScreenClipRect, state, fonts, WallClock{9, 30});
    }

    bool ScreenHas(uint16_t colour) const {
        const auto& pixels = canvas.BackBuffer().pixels;
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    }

    MemoryCanvas canvas{800, 600, kKey};  // starts full of the key colour, so anything left shows
    GameState state;
    GameFonts fonts;
};

TEST_F(TablePixelsTest, TheKeyColourNeverReachesTheScreen) {
    DrawFrame();
    EXPECT_FALSE(ScreenHas(kKey));
}

TEST_F(TablePixelsTest, FaceUpCardsShowWhereTheyLie) {
    DrawFrame();
    // The human's slot 0 shows its left strip; slot 1 lies over the rest, pip and all.
    EXPECT_EQ(canvas.Pixel(160, 500), kFaceWhite);
    EXPECT_EQ(canvas.Pixel(188 + 50, 420 + 76), kPipRed);
    EXPECT_EQ(canvas.Pixel(155 + 50, 420 + 76), kFaceWhite);  // slot 0's pip is under slot 1
    // The trick card at (336.5, 242.5) lands on (336, 242).
    EXPECT_EQ(canvas.Pixel(336 + 40, 242 + 60), kPipRed);
    EXPECT_EQ(canvas.Pixel(336 + 39, 242 + 60), kFaceWhite);
    EXPECT_EQ(canvas.Pixel(336 + 40, 242 + 59), kFaceWhite);
    // Face-down cards show the back.
    EXPECT_EQ(canvas.Pixel(350, 80), kBackBlue);
}

TEST_F(TablePixelsTest, CutCornersAndTheSpaceAroundCardsShowTheFelt) {
    DrawFrame();
    EXPECT_EQ(canvas.Pixel(155, 420), kFelt);
    EXPECT_EQ(canvas.Pixel(154, 500), kFelt);
    EXPECT_EQ(canvas.Pixel(188 + kCardW, 500), kFelt);
    EXPECT_EQ(canvas.Pixel(400, 100), kFelt);
}

TEST_F(TablePixelsTest, TheScorePagePeeksInAtTheRightEdge) {
    DrawFrame();
    EXPECT_EQ(canvas.Pixel(779, 300), kFelt);
    EXPECT_EQ(canvas.Pixel(782, 300), kFelt);  // the page's transparent margin
    EXPECT_EQ(canvas.Pixel(784, 300), kPaper);
    EXPECT_EQ(canvas.Pixel(799, 5), kPaper);
    EXPECT_EQ(canvas.Pixel(799, 4), kFelt);
}

TEST_F(TablePixelsTest, TheClockIsInkedOverTheFelt) {
    DrawFrame();
    // "09:30 AM": the first glyph's inked column, with the felt on either side of it.
    EXPECT_EQ(canvas.Pixel(709, 580), kInk);
    EXPECT_EQ(canvas.Pixel(708, 580), kFelt);
    EXPECT_EQ(canvas.Pixel(726, 580), kInk);
}

TEST_F(TablePixelsTest, AtTheEndOfAContractNoCardShowsThroughTheSheet) {
    state.Phase = Phase::EndOfMatch;
    state.ScoreRows = 1;
    DrawFrame();
    EXPECT_FALSE(ScreenHas(kPipRed));
    EXPECT_FALSE(ScreenHas(kBackBlue));
    EXPECT_FALSE(ScreenHas(kKey));
    EXPECT_EQ(canvas.Pixel(188 + 50, 420 + 76), kPaper);
    EXPECT_EQ(canvas.Pixel(100, 300), kFelt);
    EXPECT_EQ(canvas.Pixel(300, 120), kRule);         // the upper ruling line
    EXPECT_EQ(canvas.Pixel(208 + 9, 94 + 10), kInk);  // the header's first glyph
}

}  // namespace
