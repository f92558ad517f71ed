#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/memory_canvas.h"
#include "presentation/play_aid_drawing.h"
#include "presentation/play_aid_pictures.h"
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

// --- The play aids over the table ------------------------------------------------------------------

constexpr uint16_t kButtonGreen = 0x07E0;

struct Box {
    int32_t left, top, right, bottom;  // right and bottom exclusive
    bool Holds(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class PlayAidPixelsTest : public TablePixelsTest {
protected:
    PlayAidPixelsTest() {
        for (auto& [id, picture] : PlayAidPictures()) {
            canvas.SetPicture(id, std::move(picture));
        }
        for (int contract = 1; contract <= 5; ++contract) {
            canvas.SetSolidPicture(ButtonPicture(contract), 256, 52, kButtonGreen);
        }
    }

    // The frame drawn with the aids as they are set, after a reference frame drawn without them.
    void DrawWithAndWithout(const PlayAids& aids) {
        state.Aids = PlayAids{};
        DrawFrame();
        plain = canvas.BackBuffer().pixels;
        state.Aids = aids;
        DrawFrame();
    }

    bool Changed(int32_t x, int32_t y) const { return canvas.Pixel(x, y) != plain[y * 800 + x]; }

    // Every changed pixel lies in one of the boxes.
    void ExpectChangesOnlyIn(const std::vector<Box>& boxes) const {
        int outside = 0;
        for (int32_t y = 0; y < 600; ++y) {
            for (int32_t x = 0; x < 800; ++x) {
                const bool inBox =
                    std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return b.Holds(x, y); });
                if (Changed(x, y) && !inBox && outside++ < 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") changed outside the aid's place";
                }
            }
        }
    }

    std::vector<uint16_t> plain;
};

TEST_F(PlayAidPixelsTest, WithoutAnyAidTheTableIsUnchanged) {
    PlayAids idle;
    idle.FocusSlot = 1;  // a focus not shown is not drawn
    idle.LastTrickCount = 4;
    DrawWithAndWithout(idle);
    ExpectChangesOnlyIn({});
}

TEST_F(PlayAidPixelsTest, TheFocusedCardStandsOutWithAnOutlineAndHidesNoOtherCardsIndex) {
    PlayAids aids;
    aids.FocusVisible = true;
    aids.FocusSlot = 0;  // the left card, under slot 1
    DrawWithAndWithout(aids);
    const int32_t top = 420 - kFocusRaise;
    // Raised by kFocusRaise, outlined just outside its edges.
    EXPECT_EQ(canvas.Pixel(170, top + 5), kFaceWhite);
    EXPECT_EQ(canvas.Pixel(170, top - 1), kFocusColour);
    EXPECT_EQ(canvas.Pixel(154, 500), kFocusColour);
    EXPECT_EQ(canvas.Pixel(170, top + kCardH), kFocusColour);
    // Slot 1 still lies over it, all of it as before (but for its cut corners, where what lies under
    // shows): its index corner and its pip.
    for (int32_t y = 420; y < 420 + kCardH; ++y) {
        for (int32_t x = 188; x < 188 + kCardW; ++x) {
            const bool corner =
                (x < 188 + 3 || x >= 188 + kCardW - 3) && (y < 420 + 3 || y >= 420 + kCardH - 3);
            ASSERT_TRUE(corner || !Changed(x, y)) << "slot 1 changed at (" << x << ", " << y << ")";
        }
    }
    // The raised card's left strip, its top rows above slot 1, and slot 1's cut corners.
    ExpectChangesOnlyIn({{155 - kCardOutline, top - kCardOutline, 188, 420 + kCardH + kCardOutline},
                         {155 - kCardOutline, top - kCardOutline, 155 + kCardW + kCardOutline, 420},
                         {188, 420, 188 + 3, 420 + 3},
                         {188, 420 + kCardH - 3, 188 + 3, 420 + kCardH}});
}

TEST_F(PlayAidPixelsTest, TheHintIsOutlinedInGoldWithAnArrowOverIt) {
    PlayAids aids;
    aids.FocusVisible = true;
    aids.FocusSlot = 1;
    aids.HintSlot = 1;
    DrawWithAndWithout(aids);
    const int32_t top = 420 - kFocusRaise;
    EXPECT_EQ(canvas.Pixel(188 + 50, top + 76), kPipRed) << "the hinted card, raised";
    EXPECT_EQ(canvas.Pixel(188 + 98 + 1, 500), kHintColour);
    EXPECT_EQ(canvas.Pixel(188 + 8 + kHintMarkerWidth / 2, top - kCardOutline - 4 - kHintMarkerHeight / 2),
              kHintColour);
    // Slot 0's visible strip keeps its index.
    for (int32_t y = 420; y < 460; ++y) {
        for (int32_t x = 155; x < 185; ++x) {
            ASSERT_FALSE(Changed(x, y)) << "slot 0's index changed at (" << x << ", " << y << ")";
        }
    }
    ExpectChangesOnlyIn({{188 - kCardOutline, top - kCardOutline - 4 - kHintMarkerHeight,
                          188 + kCardW + kCardOutline, 420 + kCardH + kCardOutline}});
}

TEST_F(PlayAidPixelsTest, TheFocusedContractButtonIsOutlinedInside) {
    state.Phase = Phase::SelectTrumps;
    state.ContractMenuOn = true;
    for (int i = 0; i < 5; ++i) {
        state.ContractButton[i] = ContractButtonRecord{0, 0, 256, 52, i == 1 ? int16_t{0} : kTrueCell};
    }
    PlayAids aids;
    aids.FocusVisible = true;
    aids.FocusButton = 2;  // Queens: the second button from the bottom, at y 308
    DrawWithAndWithout(aids);
    EXPECT_EQ(canvas.Pixel(305, 308), kFocusColour);
    EXPECT_EQ(canvas.Pixel(305 + 255, 308 + 51), kFocusColour);
    EXPECT_EQ(canvas.Pixel(305 + 3, 308 + 3), kButtonGreen);
    ExpectChangesOnlyIn({{305, 308, 305 + 256, 308 + 52}});
}

TEST_F(PlayAidPixelsTest, TheLastTrickLiesWhereItWasPlayedWithTheWinnersCardInGold) {
    state.OpponentName = {"", "Kate", "Ed  ", "Tom "};
    PlayAids aids;
    aids.LastTrickShown = true;
    aids.LastTrickCount = 4;
    aids.LastTrickWinner = 3;
    const std::array<std::array<int32_t, 2>, 4> spots{{{340, 250}, {410, 205}, {350, 170}, {290, 210}}};
    for (int seat = 0; seat < 4; ++seat) {
        aids.LastTrick[seat] =
            ShownTrickCard{static_cast<int16_t>(seat + 1), static_cast<int16_t>(seat),
                           static_cast<float>(spots[seat][0]), static_cast<float>(spots[seat][1])};
    }
    DrawWithAndWithout(aids);
    // Seat 2's card, the highest drawn at (350, 170): its pip where no later card covers it.
    EXPECT_EQ(canvas.Pixel(350 + 45, 170 + 65), kPipRed);
    EXPECT_EQ(canvas.Pixel(352, 165), kFelt) << "above the top card";
    // The winner, seat 3, drawn last with its frame.
    EXPECT_EQ(canvas.Pixel(290 - 1, 300), kHintColour);
    EXPECT_EQ(canvas.Pixel(290 + kCardW, 300), kHintColour);
    std::vector<Box> places;
    for (const auto& spot : spots) {
        places.push_back({spot[0] - kCardOutline, spot[1] - kCardOutline, spot[0] + kCardW + kCardOutline,
                          spot[1] + kCardH + kCardOutline});
    }
    places.push_back({0, BannerY, ClockX, 600});  // the banner says who won it
    ExpectChangesOnlyIn(places);
}

TEST_F(PlayAidPixelsTest, TheMuteIndicatorSitsInTheTopRightCornerAlone) {
    PlayAids aids;
    aids.Muted = true;
    DrawWithAndWithout(aids);
    EXPECT_EQ(canvas.Pixel(kMuteIndicatorX + 20, kMuteIndicatorY + 10), 0xF8A2) << "the red cross";
    EXPECT_EQ(canvas.Pixel(kMuteIndicatorX + 5, kMuteIndicatorY + 10), 0xEF7D) << "the speaker";
    EXPECT_EQ(canvas.Pixel(kMuteIndicatorX, kMuteIndicatorY), kFelt) << "cut corner";
    ExpectChangesOnlyIn({{kMuteIndicatorX, kMuteIndicatorY, kMuteIndicatorX + kMuteIndicatorWidth,
                          kMuteIndicatorY + kMuteIndicatorHeight}});
    EXPECT_LT(kMuteIndicatorX + kMuteIndicatorWidth, kScorePageEdgeX) << "clear of the score page's edge";
}

}  // namespace
