#include "presentation/blt_surface.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "presentation/draw_layout.h"
#include "recording_canvas.h"

namespace {

struct ClipCase {
    std::string name;
    Rect32 clip;
    PictureId picture;
    Rect32 source;
    int32_t x;
    int32_t y;
    std::optional<CopyCall> expected;  // nothing when the copy is skipped
};

void PrintTo(const ClipCase& c, std::ostream* os) {
    *os << c.name;
}

class BltSurfaceClipping : public testing::TestWithParam<ClipCase> {};

TEST_P(BltSurfaceClipping, CutsTheSourceToTheClipRectangle) {
    const ClipCase& c = GetParam();
    RecordingCanvas canvas;
    canvas.SetPictureSize(PictureId::ScorePage, 488, 592);
    BltSurface(canvas, c.clip, c.picture, c.source, c.x, c.y, true);
    if (c.expected) {
        ASSERT_EQ(canvas.calls.size(), 1u);
        EXPECT_EQ(canvas.calls[0], *c.expected);
    } else {
        EXPECT_TRUE(canvas.calls.empty());
    }
}

constexpr Rect32 kCursorRect{0, 0, 32, 32};
constexpr Rect32 kOddClip{10, 20, 100, 200};

INSTANTIATE_TEST_SUITE_P(
    Cases, BltSurfaceClipping,
    testing::Values(
        ClipCase{"CursorInsideIsCopiedWhole", kScreenClipRect, PictureId::Cursor, kCursorRect, 400, 300,
                 CopyCall{PictureId::Cursor, kCursorRect, 400, 300, true}},
        ClipCase{"CursorTouchingTheRightEdgeIsWhole", kScreenClipRect, PictureId::Cursor, kCursorRect, 768,
                 568, CopyCall{PictureId::Cursor, kCursorRect, 768, 568, true}},
        ClipCase{"CursorPastTheBottomRightIsCut", kScreenClipRect, PictureId::Cursor, kCursorRect, 790, 590,
                 CopyCall{PictureId::Cursor, Rect32{0, 0, 10, 10}, 790, 590, true}},
        ClipCase{"CursorAboveTheTopLeftIsShifted", kScreenClipRect, PictureId::Cursor, kCursorRect, -10, -5,
                 CopyCall{PictureId::Cursor, Rect32{10, 5, 32, 32}, 0, 0, true}},
        ClipCase{"CursorInTheTopRightCorner", kScreenClipRect, PictureId::Cursor, kCursorRect, 780, -8,
                 CopyCall{PictureId::Cursor, Rect32{0, 8, 20, 32}, 780, 0, true}},
        ClipCase{"ClipRectangleAwayFromTheOrigin", kOddClip, PictureId::Cursor, kCursorRect, 5, 15,
                 CopyCall{PictureId::Cursor, Rect32{5, 5, 32, 32}, 10, 20, true}},
        ClipCase{"OffsetSourceRectangleKeepsItsOffset", kScreenClipRect, PictureId::FontDigit,
                 Rect32{247, 27, 266, 54}, 790, 580,
                 CopyCall{PictureId::FontDigit, Rect32{247, 27, 257, 47}, 790, 580, true}},
        // The score page's left strip at the right screen edge: a whole-picture copy is cut with the
        // picture's real size.
        ClipCase{"WholeScorePageAtTheRightEdgeShowsItsLeftStrip", kScreenClipRect, PictureId::ScorePage,
                 Rect32{}, 780, 5, CopyCall{PictureId::ScorePage, Rect32{0, 0, 20, 592}, 780, 5, true}},
        ClipCase{"WholeBackgroundAtTheOriginIsWhole", kScreenClipRect, PictureId::Background, Rect32{}, 0, 0,
                 CopyCall{PictureId::Background, Rect32{0, 0, 800, 600}, 0, 0, true}},
        ClipCase{"WholeCardAboveTheTopIsCut", kScreenClipRect, PictureId::CardBack, Rect32{}, 100, -3,
                 CopyCall{PictureId::CardBack, Rect32{0, 3, 99, 153}, 100, 0, true}},
        ClipCase{"WhollyRightOfTheScreenIsSkipped", kScreenClipRect, PictureId::Cursor, kCursorRect, 800, 10,
                 std::nullopt},
        ClipCase{"WhollyLeftOfTheScreenIsSkipped", kScreenClipRect, PictureId::Cursor, kCursorRect, -32, 10,
                 std::nullopt},
        ClipCase{"WhollyBelowTheScreenIsSkipped", kScreenClipRect, PictureId::CardBack, Rect32{}, 10, 640,
                 std::nullopt},
        ClipCase{"SourceReachingPastThePictureIsSkipped", kScreenClipRect, PictureId::Cursor,
                 Rect32{0, 0, 40, 40}, 10, 10, std::nullopt},
        ClipCase{"PictureThatWasNeverLoadedIsSkipped", kScreenClipRect, PictureId::Count, Rect32{}, 10, 10,
                 std::nullopt}),
    [](const testing::TestParamInfo<ClipCase>& param) { return param.param.name; });

TEST(BltSurface, PassesTheKeyChoiceThrough) {
    RecordingCanvas canvas;
    BltSurface(canvas, kScreenClipRect, PictureId::Background, Rect32{}, 0, 0, false);
    BltSurface(canvas, kScreenClipRect, PictureId::CardBack, Rect32{}, 0, 0, true);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_FALSE(canvas.calls[0].keyed);
    EXPECT_TRUE(canvas.calls[1].keyed);
}

TEST(RoundToPixel, RoundsHalvesToEven) {
    const std::vector<std::pair<float, int32_t>> cases{{10.5F, 10},   {11.5F, 12},   {-0.5F, 0}, {-1.5F, -2},
                                                       {336.4F, 336}, {336.6F, 337}, {2.0F, 2}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundToPixel(value), expected) << value;
    }
}

}  // namespace
