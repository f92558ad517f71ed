#include "platform/png_picture.h"

#include <array>
#include <cstring>
#include <string>

#include "archive/format_checks.h"
#include "platform/display.h"
#include "platform/picture_pixels.h"

namespace {

uint32_t BigEndian32(std::span<const uint8_t> bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) | (uint32_t{bytes[at + 2]} << 8) |
           uint32_t{bytes[at + 3]};
}

void CheckPngHeader(std::span<const uint8_t> bytes) {
    static constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // Signature, then the IHDR chunk: length 13, type, width, height, depth, colour type, compression,
    // filter, interlace.
    if (bytes.size() < 33 || std::memcmp(bytes.data(), kSignature.data(), kSignature.size()) != 0) {
        throw PictureError("not a PNG picture");
    }
    if (BigEndian32(bytes, 8) != 13 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
        throw PictureError("a PNG picture without its header chunk first");
    }
    const uint32_t width = BigEndian32(bytes, 16);
    const uint32_t height = BigEndian32(bytes, 20);
    if (width < 1 || height < 1 || width > uint32_t{kMaxPictureSide} || height > uint32_t{kMaxPictureSide}) {
        throw PictureError("a PNG picture of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels");
    }
    const uint8_t depth = bytes[24];
    const uint8_t colourType = bytes[25];
    if (depth != 8 || (colourType != 2 && colourType != 6) || bytes[26] != 0 || bytes[27] != 0 ||
        bytes[28] != 0) {
        throw PictureError("a PNG picture that is not 8-bit RGB or RGBA, plainly stored");
    }
}

}  // namespace

void CheckPng565Header(std::span<const uint8_t> bytes) {
    CheckPngHeader(bytes);
}

Rgb565Pixels DecodePng565(std::span<const uint8_t> bytes) {
    CheckPngHeader(bytes);
    return DecodePicturePixels(bytes, PictureFormat::Png);
}
