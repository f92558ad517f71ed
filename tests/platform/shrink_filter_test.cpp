#include "platform/shrink_filter.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "test_media.h"

namespace {

// RGB565 and XRGB8888 pictures with padded rows.
struct Picture565 : PaddedPicture<uint16_t> {
    Picture565(int32_t w, int32_t h) : PaddedPicture(w, h, 4) {}
};

struct Picture8888 : PaddedPicture<uint32_t> {
    Picture8888(int32_t w, int32_t h) : PaddedPicture(w, h, 8) {}
    // The channel c (0 red, 1 green, 2 blue) of a pixel.
    double Channel(int32_t x, int32_t y, int c) const {
        return static_cast<double>((At(x, y) >> (16 - 8 * c)) & 0xFF);
    }
};

constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kBlack = 0x0000;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kFelt = 0x2C45;  // a dark green

// What the table's pictures are made of: paper with strokes one and two pixels wide (the card
// indices), a fine grid, slanted and round edges, a red shape on felt.
Picture565 SharpPicture(int32_t width, int32_t height) {
    Picture565 p(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint16_t colour = x < width / 2 ? kWhite : kFelt;
            if (x < width / 2) {
                // Vertical and horizontal strokes of widths 1 and 2 at uneven spacing.
                if ((x % 7 == 3) || (x % 11 == 5 && x % 22 < 12) || (y % 9 == 4) ||
                    (y % 13 == 6 && y % 26 < 14)) {
                    colour = kBlack;
                }
            } else {
                // A slanted edge and a disc, red on felt, and a one-pixel white grid.
                const int32_t cx = width * 3 / 4;
                const int32_t cy = height / 2;
                const int32_t r = std::min(width, height) / 5;
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r || 3 * x + y < 2 * width + height / 4) {
                    colour = kRed;
                }
                if (x % 16 == 0 || y % 16 == 0) {
                    colour = kWhite;
                }
            }
            p.Set(x, y, colour);
        }
    }
    return p;
}

double Widen(uint16_t pixel, int c) {
    const uint32_t v = c == 0 ? pixel >> 11 : c == 1 ? (pixel >> 5) & 0x3F : pixel & 0x1F;
    return c == 1 ? static_cast<double>((v << 2) | (v >> 4)) : static_cast<double>((v << 3) | (v >> 2));
}

// The exact area average: each target pixel the mean of the source area it covers, in real numbers.
std::vector<double> ExactAreaAverage(const Picture565& s, int32_t tw, int32_t th) {
    std::vector<double> out(static_cast<size_t>(tw * th * 3), 0.0);
    const double sx = static_cast<double>(s.width) / tw;
    const double sy = static_cast<double>(s.height) / th;
    for (int32_t ty = 0; ty < th; ++ty) {
        for (int32_t tx = 0; tx < tw; ++tx) {
            std::array<double, 3> sum{};
            for (int32_t y = static_cast<int32_t>(ty * sy); y < std::min<double>(s.height, (ty + 1) * sy);
                 ++y) {
                const double wy = std::min<double>(y + 1, (ty + 1) * sy) - std::max<double>(y, ty * sy);
                for (int32_t x = static_cast<int32_t>(tx * sx); x < std::min<double>(s.width, (tx + 1) * sx);
                     ++x) {
                    const double wx = std::min<double>(x + 1, (tx + 1) * sx) - std::max<double>(x, tx * sx);
                    for (int c = 0; c < 3; ++c) {
                        sum[static_cast<size_t>(c)] += wx * wy * Widen(s.At(x, y), c);
                    }
                }
            }
            for (int c = 0; c < 3; ++c) {
                out[static_cast<size_t>((ty * tw + tx) * 3 + c)] = sum[static_cast<size_t>(c)] / (sx * sy);
            }
        }
    }
    return out;
}

// Root-mean-square difference of every channel from the reference, in 8-bit levels.
double RmsError(const Picture8888& shrunk, const std::vector<double>& reference) {
    double sum = 0;
    for (int32_t y = 0; y < shrunk.height; ++y) {
        for (int32_t x = 0; x < shrunk.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double d =
                    shrunk.Channel(x, y, c) - reference[static_cast<size_t>((y * shrunk.width + x) * 3 + c)];
                sum += d * d;
            }
        }
    }
    return std::sqrt(sum / (shrunk.width * shrunk.height * 3));
}

Picture8888 ShrinkByArea(const Picture565& s, int32_t tw, int32_t th) {
    Picture8888 out(tw, th);
    AreaShrink shrink(s.width, s.height, tw, th);
    shrink.Shrink(s.bytes.data(), s.pitch, out.bytes.data(), out.pitch, {0, 0, tw, th});
    return out;
}

// SDL's own linear shrink, the way its software renderer does it: widened to 32 bits, then sampled.
Picture8888 ShrinkByLinear(const Picture565& s, int32_t tw, int32_t th) {
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(s.bytes.data()), s.width,
                                                           s.height, 16, s.pitch, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* wide = SDL_ConvertSurfaceFormat(from, SDL_PIXELFORMAT_XRGB8888, 0);
    Picture8888 out(tw, th);
    SDL_Surface* to =
        SDL_CreateRGBSurfaceWithFormatFrom(out.bytes.data(), tw, th, 32, out.pitch, SDL_PIXELFORMAT_XRGB8888);
    EXPECT_EQ(SDL_SoftStretchLinear(wide, nullptr, to, nullptr), 0) << SDL_GetError();
    SDL_FreeSurface(to);
    SDL_FreeSurface(wide);
    SDL_FreeSurface(from);
    return out;
}

struct ShrinkCase {
    int32_t sourceWidth, sourceHeight, targetWidth, targetHeight;
};

// The shrinks the game meets: scale 2 on 1366 x 768 (0.64), on a 1.1 times screen (0.55), scale 3 on
// 1920 x 1080 (0.6) and on 2560 x 1440 (0.8), each on a part of the picture's size.
class ShrinkQuality : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkQuality, AreaFilterIsNearTheExactAverageAndNearerThanTheLinearFilter) {
    const ShrinkCase c = GetParam();
    const Picture565 source = SharpPicture(c.sourceWidth, c.sourceHeight);
    const std::vector<double> reference = ExactAreaAverage(source, c.targetWidth, c.targetHeight);
    const double area = RmsError(ShrinkByArea(source, c.targetWidth, c.targetHeight), reference);
    const double linear = RmsError(ShrinkByLinear(source, c.targetWidth, c.targetHeight), reference);
    RecordProperty("area_error", std::to_string(area));
    RecordProperty("linear_error", std::to_string(linear));
    std::printf("%dx%d to %dx%d: area filter %.2f, linear filter %.2f levels from the exact average\n",
                c.sourceWidth, c.sourceHeight, c.targetWidth, c.targetHeight, area, linear);
    // Weights in 1/256 steps and 8-bit rounding: well under a level from the exact average.
    EXPECT_LT(area, 0.75);
    EXPECT_LT(area * 4, linear);
}

INSTANTIATE_TEST_SUITE_P(GameShrinks, ShrinkQuality,
                         ::testing::Values(ShrinkCase{400, 300, 256, 192}, ShrinkCase{400, 300, 220, 165},
                                           ShrinkCase{600, 450, 360, 270}, ShrinkCase{600, 450, 480, 360},
                                           ShrinkCase{401, 299, 257, 191}));

TEST(AreaShrink, EvenFactorsAverageWholePixels) {
    // Two by two into one: the plain mean of four pixels.
    Picture565 source(4, 2);
    const std::array<uint16_t, 8> pixels{kWhite, kBlack, kRed, kRed, kBlack, kBlack, kWhite, kBlack};
    for (int32_t i = 0; i < 8; ++i) {
        source.Set(i % 4, i / 4, pixels[static_cast<size_t>(i)]);
    }
    const Picture8888 out = ShrinkByArea(source, 2, 1);
    // Rounded once down and once across: within a level of the exact mean.
    EXPECT_NEAR(out.Channel(0, 0, 0), 255 / 4.0, 1.0);      // white among three black
    EXPECT_NEAR(out.Channel(1, 0, 0), 3 * 255 / 4.0, 1.0);  // two red, a white, a black
    EXPECT_NEAR(out.Channel(1, 0, 1), 255 / 4.0, 1.0);      // green only from the white one
    EXPECT_NEAR(out.Channel(1, 0, 2), 255 / 4.0, 1.0);
}

TEST(AreaShrink, ATargetAsLargeAsTheSourceCopiesIt) {
    const Picture565 source = SharpPicture(40, 30);
    const Picture8888 out = ShrinkByArea(source, 40, 30);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(out.Channel(x, y, c), Widen(source.At(x, y), c)) << x << "," << y;
            }
        }
    }
}

TEST(AreaShrink, ShrinkingWhatChangedGivesTheWholeShrinkOfTheNewPicture) {
    // A frame shrunk whole, then parts of the source redrawn and only their target rectangles shrunk
    // again: the result equals the new frame shrunk whole, and nothing outside those rectangles moved.
    std::mt19937 random(26);
    for (const ShrinkCase c : {ShrinkCase{400, 300, 256, 192}, ShrinkCase{600, 450, 330, 247}}) {
        Picture565 source = SharpPicture(c.sourceWidth, c.sourceHeight);
        Picture8888 shown(c.targetWidth, c.targetHeight);
        AreaShrink shrink(c.sourceWidth, c.sourceHeight, c.targetWidth, c.targetHeight);
        shrink.Shrink(source.bytes.data(), source.pitch, shown.bytes.data(), shown.pitch,
                      {0, 0, c.targetWidth, c.targetHeight});
        for (int round = 0; round < 20; ++round) {
            PixelRect changed{static_cast<int32_t>(random() % c.sourceWidth),
                              static_cast<int32_t>(random() % c.sourceHeight),
                              static_cast<int32_t>(1 + random() % 40),
                              static_cast<int32_t>(1 + random() % 40)};
            const auto colour = static_cast<uint16_t>(random());
            for (int32_t y = changed.y; y < std::min(changed.y + changed.height, c.sourceHeight); ++y) {
                for (int32_t x = changed.x; x < std::min(changed.x + changed.width, c.sourceWidth); ++x) {
                    source.Set(x, y, colour);
                }
            }
            shrink.Shrink(source.bytes.data(), source.pitch, shown.bytes.data(), shown.pitch,
                          shrink.TargetRectFor(changed));
        }
        const Picture8888 whole = ShrinkByArea(source, c.targetWidth, c.targetHeight);
        EXPECT_EQ(shown.bytes, whole.bytes);
    }
}

TEST(ChangedPart, IsTheBoxAroundEveryChangedPixel) {
    const Picture565 before = SharpPicture(64, 48);
    struct Case {
        std::vector<std::array<int32_t, 2>> changed;
        PixelRect box;
    };
    for (const Case& c : {Case{{}, PixelRect{}}, Case{{{0, 0}}, PixelRect{0, 0, 1, 1}},
                          Case{{{63, 47}}, PixelRect{63, 47, 1, 1}},
                          Case{{{40, 5}, {3, 30}, {20, 12}}, PixelRect{3, 5, 38, 26}}}) {
        Picture565 after = before;
        for (const auto& [x, y] : c.changed) {
            after.Set(x, y, static_cast<uint16_t>(~before.At(x, y)));
        }
        EXPECT_EQ(ChangedPart(before.bytes.data(), after.bytes.data(), before.pitch, 64, 48), c.box);
    }
}

TEST(AreaShrink, TargetRectCoversTheTargetPixelsAPartTouches) {
    AreaShrink shrink(1600, 1200, 1024, 768);
    EXPECT_EQ(shrink.TargetRectFor({0, 0, 1600, 1200}), (PixelRect{0, 0, 1024, 768}));
    // Source pixels 25..49 lie in target pixels 16 (25 x 0.64) to 31 (ends at 50 x 0.64 = 32).
    EXPECT_EQ(shrink.TargetRectFor({25, 25, 25, 25}), (PixelRect{16, 16, 16, 16}));
    // Clipped to the picture; nothing for a part outside it.
    EXPECT_EQ(shrink.TargetRectFor({1590, -10, 100, 20}), (PixelRect{1017, 0, 7, 7}));
    EXPECT_TRUE(shrink.TargetRectFor({1600, 0, 10, 10}).Empty());
}

TEST(AreaShrink, PaysBelowAShrinkOfAboutFiveSixthsOrAtAnyShrinkWhereTheProcessorScales) {
    struct Case {
        int32_t sw, sh, tw, th;
        bool pays;
        bool paysOnProcessor;
    };
    for (const Case c : {Case{1600, 1200, 1024, 768, true, true},    // 1366 x 768 at scale 2
                         Case{1600, 1200, 880, 660, true, true},     // a 1.1 times screen at scale 2
                         Case{2400, 1800, 1920, 1440, true, true},   // 2560 x 1440 at scale 3
                         Case{1600, 1200, 1440, 1080, false, true},  // 1920 x 1080 at scale 2
                         Case{1600, 1200, 1599, 1199, false, true},  // a pixel short
                         Case{800, 600, 800, 600, false, false},     // drawn as shown
                         Case{800, 600, 1440, 1080, false, false},   // stretched
                         Case{800, 600, 0, 0, false, false}}) {
        EXPECT_EQ(AreaShrinkPays(c.sw, c.sh, c.tw, c.th), c.pays) << c.tw << "x" << c.th;
        EXPECT_EQ(AreaShrinkPays(c.sw, c.sh, c.tw, c.th, false), c.pays) << c.tw << "x" << c.th;
        EXPECT_EQ(AreaShrinkPays(c.sw, c.sh, c.tw, c.th, true), c.paysOnProcessor) << c.tw << "x" << c.th;
    }
}

}  // namespace
