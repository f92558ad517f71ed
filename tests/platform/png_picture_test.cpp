#include "platform/png_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display.h"
#include "test_media.h"

namespace {

TEST(PngPicture, DecodesToTheDisplaysSixteenBitColours) {
    const Rgb565Pixels picture = DecodePng565(MakePng(3, 2, 0xFF00FF));
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, std::vector<uint16_t>(6, 0xF81F));  // the key stays the key
    EXPECT_EQ(DecodePng565(MakePng(1, 1, 0x0C8410)).pixels.front(), 0x0C22);
}

TEST(PngPicture, RefusesWhatTheGeneratorNeverWritesBeforeDecoding) {
    const std::vector<uint8_t> good = MakePng(4, 4, 0x123456);
    const auto changed = [&good](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> cases{
        {"not a PNG", MakeBmp(4, 4, [](int, int) { return 0u; })},
        {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20)},
        {"sixteen bits a channel", changed(24, 16)},
        {"a palette", changed(25, 3)},
        {"interlaced", changed(28, 1)},
        {"wider than any picture", changed(18, 0x20)},
        {"no pixels", changed(19, 0)},
        {"damaged pixel data", std::vector<uint8_t>(good.begin(), good.end() - 20)},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_THROW(DecodePng565(bytes), PictureError) << what;
    }
}

}  // namespace
