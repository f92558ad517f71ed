#include "platform/pixel_copy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "test_media.h"

namespace {

constexpr uint16_t kKey = 0xF81F;

// An RGB565 picture with padded rows, and the plane the copy takes.
struct Picture : PaddedPicture<uint16_t> {
    Picture(int32_t w, int32_t h) : PaddedPicture(w, h, 6) {}
    PixelPlane Plane() { return {bytes.data(), width, height, pitch}; }
};

// The rule pixel by pixel: a source pixel inside both pictures lands unless it is the key.
void ReferenceCopy(const Picture& source, int32_t left, int32_t top, int32_t width, int32_t height,
                   Picture& target, int32_t x, int32_t y, bool keyed) {
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i) {
            const int32_t sx = left + i;
            const int32_t sy = top + j;
            const int32_t tx = x + i;
            const int32_t ty = y + j;
            if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height || tx < 0 || ty < 0 ||
                tx >= target.width || ty >= target.height) {
                continue;
            }
            if (!keyed || source.At(sx, sy) != kKey) {
                target.Set(tx, ty, source.At(sx, sy));
            }
        }
    }
}

// Random pictures (a third of the source keyed) and rectangles reaching past every edge of both, keyed
// and not: the copy equals the pixel-by-pixel rule, padding bytes included.
TEST(CopyPixels, EqualsThePixelRuleForRectanglesPastEveryEdge) {
    std::mt19937 random(7);
    const auto pick = [&](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        Picture source(pick(1, 40), pick(1, 12));
        Picture target(pick(1, 50), pick(1, 12));
        for (uint8_t& b : source.bytes) {
            b = static_cast<uint8_t>(random());
        }
        for (int32_t y = 0; y < source.height; ++y) {
            for (int32_t x = 0; x < source.width; ++x) {
                if (pick(0, 2) == 0) {
                    source.Set(x, y, kKey);
                }
            }
        }
        for (uint8_t& b : target.bytes) {
            b = static_cast<uint8_t>(random());
        }
        Picture expected = target;
        const int32_t left = pick(-5, source.width + 2);
        const int32_t top = pick(-3, source.height + 2);
        const int32_t width = pick(-2, 45);
        const int32_t height = pick(-2, 14);
        const int32_t x = pick(-45, target.width + 2);
        const int32_t y = pick(-14, target.height + 2);
        const bool keyed = pick(0, 1) == 1;
        ReferenceCopy(source, left, top, width, height, expected, x, y, keyed);
        CopyPixels(source.Plane(), left, top, width, height, target.Plane(), x, y,
                   keyed ? std::optional<uint16_t>(kKey) : std::nullopt);
        ASSERT_EQ(target.bytes, expected.bytes)
            << "round " << round << ": " << width << " x " << height << " from (" << left << ", " << top
            << ") to (" << x << ", " << y << ")" << (keyed ? " keyed" : "");
    }
}

}  // namespace
