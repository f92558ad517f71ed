#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Checks that an entry's bytes are what its name claims before any picture or sound decoder sees them.
// Each reader looks only at the header fields and never past the end of the bytes it is given; a
// refusal says why in `why` (when given).

// Largest picture side the game accepts (the biggest it draws is 800 x 600).
inline constexpr int32_t kMaxPictureSide = 4096;

struct BmpInfo {
    int32_t width = 0;
    int32_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;  // 0 plain, 3 bit fields
    uint32_t pixelOffset = 0;
    uint32_t pixelBytes = 0;
};

// A Windows bitmap: "BM", a known info header, width and height 1..4096, 8, 16, 24 or 32 bits per pixel,
// uncompressed (bit fields allowed for 16 and 32 bits), palette and pixel rows inside the bytes.
std::optional<BmpInfo> ReadBmpInfo(std::span<const uint8_t> bytes, std::string* why = nullptr);
bool LooksLikeBmp(std::span<const uint8_t> bytes, std::string* why = nullptr);

struct JpegInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t components = 0;
    uint8_t frameMarker = 0;  // 0xC0 baseline, 0xC1 extended, 0xC2 progressive
};

// A JPEG: FF D8, then well-formed marker segments up to a baseline, extended or progressive frame header
// that declares width and height 1..4096 and 1 to 4 components, all inside the bytes.
std::optional<JpegInfo> ReadJpegInfo(std::span<const uint8_t> bytes, std::string* why = nullptr);
bool LooksLikeJpeg(std::span<const uint8_t> bytes, std::string* why = nullptr);

struct PngInfo {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitDepth = 0;
    uint8_t colourType = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
};

// A PNG: the eight-byte signature, an IHDR chunk first that declares width and height 1..4096, a bit
// depth its colour type allows, the standard compression and filter and no or Adam7 interlacing, then
// chunks that each lie inside the bytes, at least one IDAT, up to an IEND.
std::optional<PngInfo> ReadPngInfo(std::span<const uint8_t> bytes, std::string* why = nullptr);
bool LooksLikePng(std::span<const uint8_t> bytes, std::string* why = nullptr);

struct WavInfo {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    uint16_t blockAlign = 0;
    uint32_t byteRate = 0;
    uint32_t dataOffset = 0;
    uint32_t dataSize = 0;
};

// A WAV: RIFF/WAVE whose "fmt " chunk is uncompressed PCM with 1 or 2 channels of 8 or 16 bits (block
// alignment and byte rate agreeing), followed by a "data" chunk that lies inside the bytes.
std::optional<WavInfo> ReadWavInfo(std::span<const uint8_t> bytes, std::string* why = nullptr);
bool LooksLikeWav(std::span<const uint8_t> bytes, std::string* why = nullptr);

// Which check a file name asks for, by its extension (ignoring case): ".bmp", ".jpg"/".jpeg", ".png",
// ".wav".
// True when the bytes pass that check or the name has none of these extensions.
bool MatchesItsExtension(std::string_view fileName, std::span<const uint8_t> bytes,
                         std::string* why = nullptr);
