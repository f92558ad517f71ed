// The one-line notice at the top of the table: where its glyphs land, how a long one is cut, and that
// it stays inside the clip rectangle.
#include "presentation/notice_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/memory_canvas.h"

namespace {

constexpr uint16_t kFelt = 0x2C44;
constexpr uint16_t kInk = 0x0000;
constexpr int32_t kAdvance = kFontCellWidth - 2;

// Glyph cells on the transparent colour, each with one inked column in its middle (x 9 of 19).
Picture565 FontPicture() {
    const int32_t w = kFontColumns * kFontCellWidth;
    const int32_t h = 12 * kFontCellHeight;
    Picture565 p{w, h, std::vector<uint16_t>(static_cast<size_t>(w * h), MemoryCanvas::kTransparent)};
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 9; x < w; x += kFontCellWidth) {
            p.pixels[static_cast<size_t>(y * w + x)] = kInk;
        }
    }
    return p;
}

class NoticeTest : public testing::Test {
protected:
    NoticeTest() {
        for (PictureId font : {PictureId::FontHandwriting, PictureId::FontDigit, PictureId::FontDeluxe}) {
            canvas.SetPicture(font, FontPicture());
        }
        fonts = LoadFonts(canvas);
    }

    // The columns of one pixel row that carry ink.
    std::vector<int32_t> InkedColumns(int32_t y) const {
        std::vector<int32_t> columns;
        for (int32_t x = 0; x < 800; ++x) {
            if (canvas.Pixel(x, y) == kInk) {
                columns.push_back(x);
            }
        }
        return columns;
    }

    bool InkOutside(int32_t top, int32_t bottom) const {
        for (int32_t y = 0; y < 600; ++y) {
            if ((y < top || y >= bottom) && !InkedColumns(y).empty()) {
                return true;
            }
        }
        return false;
    }

    MemoryCanvas canvas{800, 600, kFelt};
    GameFonts fonts;
};

TEST_F(NoticeTest, AShortLineIsCentredAtTheTopOfTheTable) {
    DrawNotice(canvas, kScreenClipRect, fonts, "abc");
    // Three glyphs: 2 advances and a cell wide, centred on the 800-unit table.
    const int32_t width = 2 * kAdvance + kFontCellWidth;
    const int32_t left = (800 - width) / 2;
    EXPECT_EQ(InkedColumns(kNoticeY + 10),
              (std::vector<int32_t>{left + 9, left + 9 + kAdvance, left + 9 + 2 * kAdvance}));
    EXPECT_EQ(canvas.Pixel(left + 8, kNoticeY + 10), kFelt) << "the cell's key colour is left out";
    EXPECT_FALSE(InkOutside(kNoticeY, kNoticeY + kFontCellHeight));
}

TEST_F(NoticeTest, ALongLineIsCutToTheTableWidth) {
    DrawNotice(canvas, kScreenClipRect, fonts, std::string(200, 'x'));
    const std::vector<int32_t> columns = InkedColumns(kNoticeY + 1);
    ASSERT_EQ(columns.size(), kNoticeMaxChars);
    EXPECT_GE(columns.front() - 9, kNoticeMargin);
    EXPECT_LE(columns.back() - 9 + kFontCellWidth, 800 - kNoticeMargin);
    // Every save-trouble line of the keeper fits whole: they are at most 44 characters.
    EXPECT_GE(kNoticeMaxChars, 44U);
}

TEST_F(NoticeTest, NothingIsDrawnOutsideTheClipRectangleOrForAnEmptyLine) {
    const Picture565 before = canvas.BackBuffer();
    DrawNotice(canvas, kScreenClipRect, fonts, "");
    EXPECT_EQ(canvas.BackBuffer().pixels, before.pixels);

    const Rect32 clip{400, 0, 800, 600};
    DrawNotice(canvas, clip, fonts, "Match not saved: the disk is full");
    const std::vector<int32_t> columns = InkedColumns(kNoticeY + 5);
    ASSERT_FALSE(columns.empty());
    EXPECT_GE(columns.front(), clip.left);
}

}  // namespace
