#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/memory_canvas.h"
#include "presentation/play_aid_pictures.h"
#include "presentation/table_drawing.h"
#include "test_support.h"

// The same table drawn at scale 1 and at scales 2 and 3. The test pictures at scale k are the scale-1
// pictures with every pixel made k x k, so a frame at scale k must be exactly the scale-1 frame with
// every pixel made k x k: whatever lands elsewhere, or a key-colour pixel that shows, is a fault of the
// drawing, not of the pictures.

namespace {

constexpr uint16_t kKey = MemoryCanvas::kTransparent;
constexpr uint16_t kFelt = 0x2C44;
constexpr uint16_t kBackBlue = 0x001F;
constexpr uint16_t kFaceWhite = 0xFFFF;
constexpr uint16_t kPipRed = 0xF800;
constexpr uint16_t kPaper = 0xEF5B;
constexpr uint16_t kInk = 0x0000;
constexpr uint16_t kPointer = 0xFFE0;

constexpr int32_t kCardW = 99;
constexpr int32_t kCardH = 153;

Picture565 Filled(int32_t w, int32_t h, uint16_t colour) {
    return Picture565{w, h, std::vector<uint16_t>(static_cast<size_t>(w * h), colour)};
}

// A card with cut corners (the key colour) and a red pip.
Picture565 CardPicture(uint16_t colour) {
    Picture565 p = Filled(kCardW, kCardH, colour);
    for (int32_t y = 0; y < kCardH; ++y) {
        for (int32_t x = 0; x < kCardW; ++x) {
            if ((x < 3 || x >= kCardW - 3) && (y < 3 || y >= kCardH - 3)) {
                p.pixels[static_cast<size_t>(y * kCardW + x)] = kKey;
            } else if (x >= 40 && x < 60 && y >= 60 && y < 93) {
                p.pixels[static_cast<size_t>(y * kCardW + x)] = kPipRed;
            }
        }
    }
    return p;
}

// Glyph cells on the key colour, each with an inked column and an inked foot, so a glyph's place shows.
Picture565 FontPicture() {
    Picture565 p = Filled(20 * 19, 12 * 27, kKey);
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            if (x % 19 == 9 || (y % 27 == 20 && x % 19 >= 5 && x % 19 < 12)) {
                p.pixels[static_cast<size_t>(y * p.width + x)] = kInk;
            }
        }
    }
    return p;
}

// An arrow pointer: a triangle on the key colour.
Picture565 PointerPicture() {
    Picture565 p = Filled(32, 32, kKey);
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x <= y / 2; ++x) {
            p.pixels[static_cast<size_t>(y * 32 + 16 + x)] = kPointer;
        }
    }
    return p;
}

// Every pixel made k x k.
Picture565 Blown(const Picture565& p, int32_t k) {
    Picture565 out = Filled(p.width * k, p.height * k, 0);
    for (int32_t y = 0; y < out.height; ++y) {
        for (int32_t x = 0; x < out.width; ++x) {
            out.pixels[static_cast<size_t>(y * out.width + x)] = p.At(x / k, y / k);
        }
    }
    return out;
}

void PlaceCard(CardRecord& record, int16_t card, float x, float y, bool faceUp) {
    record = CardRecord{};
    record.Card = card;
    record.X = x;
    record.Y = y;
    record.InUse = true;
    record.FaceUp = faceUp;
}

// A canvas at scale k holding the test pictures, and a table to draw on it.
struct ScaledTable {
    explicit ScaledTable(int32_t k) : canvas(800, 600, kKey, k), state(MakeState()) {
        const auto set = [this, k](PictureId id, const Picture565& p) { canvas.SetPicture(id, Blown(p, k)); };
        set(PictureId::Background, Filled(800, 600, kFelt));
        set(PictureId::CardBack, CardPicture(kBackBlue));
        for (int card = 0; card < kCards; ++card) {
            set(CardFacePicture(card), CardPicture(kFaceWhite));
        }
        set(PictureId::ScorePage, Filled(488, 592, kPaper));
        set(PictureId::Cursor, PointerPicture());
        for (PictureId font : {PictureId::FontHandwriting, PictureId::FontDigit, PictureId::FontDeluxe}) {
            set(font, FontPicture());
        }
        fonts = LoadFonts(canvas);
        state.Phase = Phase::NormalPlay;
        PlaceCard(state.Hand[0][0], 10, 155, 420, true);
        PlaceCard(state.Hand[0][1], 11, 188, 420, true);
        PlaceCard(state.Hand[2][0], 20, 300, 2, false);
        PlaceCard(state.Hand[1][0], 21, 760, 190, false);  // runs off the right edge
        PlaceCard(state.TableCards[0], 5, 336, 242, true);
        state.TableCount = 1;
    }

    // One frame as the game draws it, the pointer last; the pointer near the bottom right corner is cut
    // by the screen's edges.
    void DrawFrame(int32_t mouseX, int32_t mouseY) {
        BltSurface(canvas, kScreenClipRect, PictureId::Background, Rect32{}, 0, 0, false);
        BltSurface(canvas, kScreenClipRect, PictureId::ScorePage, Rect32{}, kScorePageEdgeX, kScorePageEdgeY,
                   true);
        DrawTable(canvas, kScreenClipRect, state, fonts, WallClock{9, 30});
        // Text that runs past the right edge: the crossing glyph is cut there, nothing lands beyond.
        fonts.Handwriting.XPos = 770;
        fonts.Handwriting.YPos = 300;
        fonts.Handwriting.DrawText(canvas, kScreenClipRect, "WXYZ", true);
        BltSurface(canvas, kScreenClipRect, PictureId::Cursor, {0, 0, 32, 32}, mouseX - 16, mouseY - 16,
                   true);
    }

    MemoryCanvas canvas;
    GameState state;
    GameFonts fonts;
};

class ScaledDrawing : public testing::TestWithParam<int32_t> {};

TEST_P(ScaledDrawing, EveryPixelOfTheFrameIsTheScaleOneFrameMadeLarger) {
    const int32_t k = GetParam();
    ScaledTable one(1);
    ScaledTable large(k);
    one.DrawFrame(795, 590);
    large.DrawFrame(795, 590);
    const Picture565& small = one.canvas.BackBuffer();
    const Picture565& big = large.canvas.BackBuffer();
    ASSERT_EQ(big.width, 800 * k);
    ASSERT_EQ(big.height, 600 * k);
    int wrong = 0;
    for (int32_t y = 0; y < big.height; ++y) {
        for (int32_t x = 0; x < big.width; ++x) {
            if (big.At(x, y) != small.At(x / k, y / k) && wrong++ < 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") at scale " << k;
            }
        }
    }
    EXPECT_EQ(std::count(big.pixels.begin(), big.pixels.end(), kKey), 0);
    // The pieces the comparison covers are really there: a card's pip, the clock's first glyph, the cut
    // pointer and the cut text.
    EXPECT_EQ(large.canvas.Pixel((188 + 50) * k, (420 + 76) * k), kPipRed);
    EXPECT_EQ(large.canvas.Pixel(709 * k + k - 1, 580 * k), kInk);
    EXPECT_EQ(large.canvas.Pixel(799 * k + k - 1, 599 * k + k - 1), kPointer);
    EXPECT_EQ(large.canvas.Pixel((770 + 9) * k + k / 2, 320 * k), kInk);
}

TEST_P(ScaledDrawing, AMovingCardStepsByAFractionOfAUnit) {
    const int32_t k = GetParam();
    ScaledTable large(k);
    for (const float x : {336.0F, 336.25F, 336.5F, 337.0F}) {
        PlaceCard(large.state.TableCards[0], 5, x, 242, true);
        large.DrawFrame(0, 0);
        // The pip's left edge, 40 units into the card, at the pixel nearest to the card's place.
        const int32_t left = RoundToPixel(x * static_cast<float>(k)) + 40 * k;
        EXPECT_EQ(large.canvas.Pixel(left, (242 + 70) * k), kPipRed) << "x " << x;
        EXPECT_NE(large.canvas.Pixel(left - 1, (242 + 70) * k), kPipRed) << "x " << x;
    }
}

TEST_P(ScaledDrawing, ThePlayAidPicturesAreDrawnLargerWithTheirKeyOnlyOutside) {
    const int32_t k = GetParam();
    const auto one = PlayAidPictures(1);
    const auto large = PlayAidPictures(k);
    ASSERT_EQ(one.size(), large.size());
    for (size_t i = 0; i < one.size(); ++i) {
        const Picture565& small = one[i].second;
        const Picture565& big = large[i].second;
        EXPECT_EQ(big.width, small.width * k);
        EXPECT_EQ(big.height, small.height * k);
        // Where the scale-1 picture is solid across a whole neighbourhood, the larger one is solid too:
        // the shapes keep their places, only their edges are finer.
        for (int32_t y = 1; y + 1 < small.height; ++y) {
            for (int32_t x = 1; x + 1 < small.width; ++x) {
                bool inside = true;
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    for (int32_t dx = -1; dx <= 1; ++dx) {
                        inside = inside && small.At(x + dx, y + dy) != kKey;
                    }
                }
                if (inside) {
                    EXPECT_NE(big.At(x * k + k / 2, y * k + k / 2), kKey)
                        << "picture " << i << " (" << x << ", " << y << ")";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledDrawing, testing::Values(2, 3));

TEST(ScaledCanvas, RefusesPicturesThatAreNotAWholeNumberOfUnits) {
    MemoryCanvas canvas(800, 600, 0, 2);
    canvas.SetPicture(PictureId::CardBack, Filled(5, 4, kBackBlue));
    EXPECT_TRUE(canvas.PictureRect(PictureId::CardBack).Empty());
    canvas.SetPicture(PictureId::CardBack, Filled(6, 4, kBackBlue));
    EXPECT_EQ(canvas.PictureRect(PictureId::CardBack), (Rect32{0, 0, 3, 2}));
}

}  // namespace
