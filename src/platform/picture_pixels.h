#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

#include "platform/picture_decoding.h"

// The larger pictures (PNG, and the JPEG background) decoded straight into RGB565 by libpng and libjpeg,
// without SDL, so a worker thread may decode them while the game runs. The pixels are the ones
// Display::LoadPicture gets from the same bytes: each channel's top bits, the alpha channel left out.
//
// The archive's own header checks come first, as for every picture; BMP is not decoded here. Everything
// here throws PictureError (display.h) saying why.

// A decoded picture whose pixels lie in a block shared with other pictures decoded with it; the block
// lives as long as any of them.
struct SharedPixels {
    int32_t width = 0;
    int32_t height = 0;
    std::shared_ptr<uint16_t> pixels;  // width x height, row by row
};

// The width and height the picture's header declares.
std::pair<int32_t, int32_t> PicturePixelSize(std::span<const uint8_t> bytes, PictureFormat format);

// Decodes the picture into `to`, which holds exactly the pixels PicturePixelSize gives, row by row.
void DecodePictureInto(std::span<const uint8_t> bytes, PictureFormat format, std::span<uint16_t> to);

// The same into pixels of its own.
Rgb565Pixels DecodePicturePixels(std::span<const uint8_t> bytes, PictureFormat format);

// Room for `count` pixels in one block, on the system's large memory pages where it has them: a scale's
// pictures are tens of megabytes, and touching them page by page costs more than decoding them.
std::shared_ptr<uint16_t[]> AllocatePixelBlock(size_t count);
