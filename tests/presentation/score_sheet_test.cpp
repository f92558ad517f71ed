#include "presentation/score_sheet.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "presentation/draw_layout.h"
#include "recording_canvas.h"
#include "test_support.h"

namespace {

TEST(NumberField, RightAlignsInFourCharacters) {
    const std::vector<std::pair<int16_t, std::string>> cases{
        {0, "   0"},  {7, "   7"},    {75, "  75"},     {130, " 130"}, {1234, "1234"},
        {-5, "  -5"}, {-200, "-200"}, {-1000, "-1000"},  // wider than the field: written whole rather than
                                                         // cut
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(NumberField(value), expected) << value;
    }
}

class ScoreSheetTest : public testing::Test {
protected:
    ScoreSheetTest() : state(MakeState()), fonts(LoadFonts(canvas)) {
        state.OpponentName = {"", "Kate", "Ed  ", "Tom "};
    }

    void Draw() { DrawScoreSheet(canvas, kScreenClipRect, state, fonts); }

    std::string LineAt(int32_t y) const { return TextDrawnAt(canvas.calls, PictureId::FontHandwriting, y); }

    std::set<int32_t> LinesDrawn() const {
        std::set<int32_t> ys;
        for (const CopyCall& call : canvas.calls) {
            ys.insert(call.y);
        }
        return ys;
    }

    RecordingCanvas canvas;
    GameState state;
    GameFonts fonts;
};

TEST_F(ScoreSheetTest, WithNoRowsShowsTheHeaderAndTotalsOnly) {
    state.ScoreRows = 0;
    state.TotalScore = {0, 0, 0, 0};
    Draw();
    EXPECT_EQ(LinesDrawn(), (std::set<int32_t>{94, 438}));
    EXPECT_EQ(LineAt(94), " Me Kate Ed   Tom ");
    EXPECT_EQ(LineAt(438), "   0   0   0   0");
    for (const CopyCall& call : canvas.calls) {
        EXPECT_EQ(call.x % 17, 208 % 17) << "every line starts at x 208";
        EXPECT_TRUE(call.keyed);
    }
    EXPECT_EQ(canvas.calls.front().x, 208);
}

TEST_F(ScoreSheetTest, EachContractRowShowsTheFourSeatsInFields) {
    state.ScoreRows = 2;
    state.ScoreHistory[0][0] = 0;
    state.ScoreHistory[1][0] = 30;
    state.ScoreHistory[2][0] = 100;
    state.ScoreHistory[3][0] = 0;
    state.ScoreHistory[0][1] = -200;
    state.ScoreHistory[1][1] = -50;
    state.ScoreHistory[2][1] = -150;
    state.ScoreHistory[3][1] = -100;
    state.TotalScore = {-200, -20, -50, -100};
    Draw();
    EXPECT_EQ(LineAt(125), "   0  30 100   0");
    EXPECT_EQ(LineAt(156), "-200 -50-150-100");
    EXPECT_EQ(LineAt(438), "-200 -20 -50-100");
    EXPECT_EQ(LinesDrawn(), (std::set<int32_t>{94, 125, 156, 438}));
}

TEST_F(ScoreSheetTest, TheTenthRowStandsJustAboveTheLowerRule) {
    state.ScoreRows = 10;
    for (int row = 0; row < 10; ++row) {
        for (int seat = 0; seat < kSeats; ++seat) {
            state.ScoreHistory[seat][row] = static_cast<int16_t>(row * 10 + seat);
        }
    }
    Draw();
    EXPECT_EQ(LineAt(404), "  90  91  92  93");
    EXPECT_EQ(LineAt(373), "  80  81  82  83");
    EXPECT_LT(404 + 27, kLowerRuleY + 2);
    EXPECT_EQ(LinesDrawn().size(), 12u);  // header, ten rows, totals
}

TEST_F(ScoreSheetTest, ShowsTheResultOfTheMatch) {
    state.ScoreRows = 10;
    state.ResultText = "We Won!";
    Draw();
    EXPECT_EQ(LineAt(469), "We Won!");
}

TEST_F(ScoreSheetTest, ARowCountBeyondTheSheetIsHeldToTenLines) {
    state.ScoreRows = 14;
    Draw();
    const std::set<int32_t> ys = LinesDrawn();
    EXPECT_EQ(ys.size(), 12u);
    EXPECT_EQ(*ys.rbegin(), 438);
    EXPECT_FALSE(ys.contains(435));
}

}  // namespace
