#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Small pictures and sounds built in memory, so the platform tests need no files.

// A 24-bit BMP of the given size; `pixel(x, y)` gives 0xRRGGBB.
template <typename PixelFn>
std::vector<uint8_t> MakeBmp(int width, int height, PixelFn pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height);
    const uint32_t fileSize = 54 + dataSize;
    std::vector<uint8_t> b(fileSize, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        b[at] = static_cast<uint8_t>(v);
        b[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + static_cast<size_t>((height - 1 - y) * rowBytes);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            b[row + static_cast<size_t>(x) * 3] = static_cast<uint8_t>(c);
            b[row + static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(c >> 8);
            b[row + static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return b;
}

// A PNG (8-bit RGB, its image data in stored deflate blocks) of rows of 0xRRGGBB pixels.
std::vector<uint8_t> PngFromPixels(int width, int height, const std::vector<uint32_t>& pixels);

// A PNG of the given size; `pixel(x, y)` gives 0xRRGGBB.
template <typename PixelFn>
requires std::invocable<PixelFn, int, int> std::vector<uint8_t> MakePng(int width, int height,
                                                                        PixelFn pixel) {
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(pixel(x, y));
        }
    }
    return PngFromPixels(width, height, pixels);
}

// A PCM WAV of `frames` silent-ish frames, 2 channels, 16 bits, at `rate`.
std::vector<uint8_t> MakeWav(uint32_t frames, uint32_t rate = 22050);

// An 8-bit RGB PNG of one colour (0xRRGGBB), its pixels stored uncompressed.
std::vector<uint8_t> MakePng(int width, int height, uint32_t colour);

// A picture of `Pixel`-sized pixels (uint16_t for RGB565, uint32_t for XRGB8888) with every row padded
// `padding` bytes past its width, as SDL lays surfaces out.
template <typename Pixel>
struct PaddedPicture {
    int32_t width;
    int32_t height;
    int32_t pitch;
    std::vector<uint8_t> bytes;

    PaddedPicture(int32_t w, int32_t h, int32_t padding)
        : width(w),
          height(h),
          pitch(w * static_cast<int32_t>(sizeof(Pixel)) + padding),
          bytes(static_cast<size_t>(pitch * h)) {}
    Pixel At(int32_t x, int32_t y) const {
        Pixel value = 0;
        std::memcpy(&value, bytes.data() + y * pitch + x * static_cast<int32_t>(sizeof(Pixel)),
                    sizeof(Pixel));
        return value;
    }
    void Set(int32_t x, int32_t y, Pixel value) {
        std::memcpy(bytes.data() + y * pitch + x * static_cast<int32_t>(sizeof(Pixel)), &value,
                    sizeof(Pixel));
    }
};
