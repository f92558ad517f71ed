// The 16-bit BMP writer of the larger pictures: what it stores is what the game shows.
#include <gtest/gtest.h>

#include <SDL.h>
#include <QImage>
#include <cstring>
#include <stdexcept>

#include "archive/format_checks.h"
#include "image_io.h"
#include "platform/sdl_handles.h"

namespace {

// Reads the 16-bit value at (x, y).
uint16_t PixelAsLoaded(const SurfacePtr& surface, int x, int y) {
    uint16_t value = 0;
    std::memcpy(&value, static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * 2, 2);
    return value;
}

// Decodes BMP bytes with SDL and converts them to the display's format, as the game does.
SurfacePtr LoadAsTheGameDoes(const std::vector<uint8_t>& bytes) {
    const SurfacePtr loaded(
        SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    if (!loaded) {
        return nullptr;
    }
    return SurfacePtr(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0));
}

TEST(Bmp565Bytes, StoresEachPixelAsTheDisplayConvertsItAndTheGameReadsIt) {
    // Three pixels wide, so each row needs two bytes of padding; two rows, to catch a flipped order.
    QImage picture(3, 2, QImage::Format_RGB888);
    const QRgb colours[2][3] = {{qRgb(255, 0, 255), qRgb(1, 2, 3), qRgb(255, 255, 255)},
                                {qRgb(200, 100, 50), qRgb(7, 255, 9), qRgb(0, 0, 0)}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            picture.setPixel(x, y, colours[y][x]);
        }
    }
    const std::vector<uint8_t> bytes = Bmp565Bytes(picture);
    const auto info = ReadBmpInfo(bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->bitsPerPixel, 16);
    EXPECT_EQ(info->width, 3);
    EXPECT_EQ(info->height, 2);
    EXPECT_EQ(bytes.size(), info->pixelOffset + 2U * 8U);

    const SurfacePtr converted = LoadAsTheGameDoes(bytes);
    ASSERT_NE(converted, nullptr) << SDL_GetError();
    // The same picture stored in 24 bits shows the same on the table.
    const SurfacePtr wide = LoadAsTheGameDoes(BmpBytes(picture));
    ASSERT_NE(wide, nullptr) << SDL_GetError();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAsLoaded(converted, x, y), ToRgb565(colours[y][x])) << x << "," << y;
            EXPECT_EQ(PixelAsLoaded(converted, x, y), PixelAsLoaded(wide, x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(PixelAsLoaded(converted, 0, 0), kKey565);
}

TEST(Bmp565Bytes, RefusesADrawnPixelThatWouldTurnIntoTheKey) {
    QImage picture(2, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    picture.setPixel(1, 0, qRgb(250, 3, 252));  // drawn, but its top bits are the key's
    EXPECT_THROW(Bmp565Bytes(picture), std::runtime_error);
}

}  // namespace
