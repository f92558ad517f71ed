#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The picture formats the game's archives hold (PNG only in the second one, for the larger pictures). A
// picture is decoded by the format its entry is known to have, never by guessing from the bytes, so a crafted
// entry cannot reach decoders for formats the game never uses.
enum class PictureFormat { Bmp, Jpeg, Png };

// A decoded picture in the display's own RGB565, which Display::SetPicturePixels takes.
struct Rgb565Pixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> pixels;  // row by row
};

// The format an entry name implies: ".jpg"/".jpeg" are JPEG, ".png" PNG, everything else BMP.
PictureFormat PictureFormatOfName(const std::string& fileName);
