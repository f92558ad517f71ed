#include "sample_files.h"

#include <cstdlib>

void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void PutLe16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t GetLe32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

size_t DirectoryEntryAt(const std::vector<uint8_t>& pak, int index) {
    return GetLe32(pak, 4) + 64 * static_cast<size_t>(index);
}

std::vector<uint8_t> SampleBmp(int32_t width, int32_t height, uint16_t bitsPerPixel) {
    const uint32_t rows = static_cast<uint32_t>(std::abs(height));
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint32_t palette = bitsPerPixel == 8 ? 256 * 4 : 0;
    const uint32_t pixelOffset = 14 + 40 + palette;
    std::vector<uint8_t> bmp(pixelOffset + rowBytes * rows, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLe32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    PutLe32(bmp, 10, pixelOffset);
    PutLe32(bmp, 14, 40);
    PutLe32(bmp, 18, static_cast<uint32_t>(width));
    PutLe32(bmp, 22, static_cast<uint32_t>(height));
    PutLe16(bmp, 26, 1);
    PutLe16(bmp, 28, bitsPerPixel);
    PutLe32(bmp, 34, rowBytes * rows);
    PutLe32(bmp, 38, 2835);
    PutLe32(bmp, 42, 2835);
    for (size_t i = pixelOffset; i < bmp.size(); ++i) {
        bmp[i] = static_cast<uint8_t>(i * 37);  // every byte value turns up, 0x00 and 0xFF included
    }
    return bmp;
}

std::vector<uint8_t> SampleJpeg(uint16_t width, uint16_t height) {
    const auto hi = [](uint16_t v) { return static_cast<uint8_t>(v >> 8); };
    const auto lo = [](uint16_t v) { return static_cast<uint8_t>(v); };
    return {
        0xFF, 0xD8,  // start of image
        0xFF, 0xE0, 0x00, 0x10, 'J',  'F',        'I',        'F',       0,         1,
        1,    0,    0,    1,    0,    1,          0,          0,                        // JFIF
        0xFF, 0xC0, 0x00, 0x11, 8,    hi(height), lo(height), hi(width), lo(width), 3,  // frame header
        1,    0x22, 0,    2,    0x11, 1,          3,          0x11,      1,             //   components
        0xFF, 0xDA, 0x00, 0x0C, 3,    1,          0x00,       2,         0x11,      3,
        0x11, 0x00, 0x3F, 0x00,        // scan header
        0x12, 0x34, 0xFF, 0x00, 0x56,  // scan data
        0xFF, 0xD9,                    // end of image
    };
}

std::vector<uint8_t> SamplePng(uint32_t width, uint32_t height) {
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const auto be32 = [&png](uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            png.push_back(static_cast<uint8_t>(v >> shift));
        }
    };
    const auto chunk = [&](const char* tag, std::vector<uint8_t> body) {
        be32(static_cast<uint32_t>(body.size()));
        png.insert(png.end(), tag, tag + 4);
        png.insert(png.end(), body.begin(), body.end());
        be32(0);
    };
    std::vector<uint8_t> header;
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.push_back(static_cast<uint8_t>(v >> shift));
        }
    }
    header.insert(header.end(), {8, 2, 0, 0, 0});
    chunk("IHDR", header);
    chunk("IDAT", {0x78, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF});
    chunk("IEND", {});
    return png;
}

std::vector<uint8_t> SampleWav(uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample,
                               uint32_t frames) {
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    const uint32_t dataSize = frames * blockAlign;
    std::vector<uint8_t> wav(44 + dataSize, 0);
    const char* tags = "RIFF....WAVEfmt ";
    for (size_t i = 0; i < 16; ++i) {
        wav[i] = static_cast<uint8_t>(tags[i]);
    }
    PutLe32(wav, 4, 36 + dataSize);
    PutLe32(wav, 16, 16);
    PutLe16(wav, 20, 1);
    PutLe16(wav, 22, channels);
    PutLe32(wav, 24, sampleRate);
    PutLe32(wav, 28, sampleRate * blockAlign);
    PutLe16(wav, 32, blockAlign);
    PutLe16(wav, 34, bitsPerSample);
    wav[36] = 'd';
    wav[37] = 'a';
    wav[38] = 't';
    wav[39] = 'a';
    PutLe32(wav, 40, dataSize);
    for (size_t i = 44; i < wav.size(); ++i) {
        wav[i] = static_cast<uint8_t>(i * 91);
    }
    return wav;
}

std::vector<PakInput> SampleGameEntries() {
    return {
        {"dumm118 marker", {}},
        {"XntFonts_fntDigit.bmp", SampleBmp(40, 54, 24)},
        {"Xounds_SHUFFLE.WAV", SampleWav()},
        {"Xitmaps_Back_800x600.jpg", SampleJpeg(800, 600)},
        {"Xitmaps_mouse.bmp", SampleBmp(32, 32, 16)},
        {"Xumbers_tricks.BMP", SampleBmp(256, 52, 8)},
        {"Xoya2_S_cardback.bmp", SampleBmp(99, 153, 24)},
        {"Xoyal_S_cardback.bmp", SampleBmp(99, -153, 32)},
        {"dummy2_ another marker", {'x'}},
        {"readme.txt", {'h', 'i'}},
    };
}
