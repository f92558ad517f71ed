#include "test_media.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutChunk(std::vector<uint8_t>& out, const char* tag, const std::vector<uint8_t>& body) {
    PutBe32(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), tag, tag + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<uint8_t> PngFromPixels(int width, int height, const std::vector<uint32_t>& pixels) {
    // Each row: filter type 0, then R, G, B.
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint32_t c =
                pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            raw.push_back(static_cast<uint8_t>(c >> 16));
            raw.push_back(static_cast<uint8_t>(c >> 8));
            raw.push_back(static_cast<uint8_t>(c));
        }
    }
    // A zlib stream of stored blocks, then the Adler-32 of the raw bytes.
    std::vector<uint8_t> z{0x78, 0x01};
    constexpr size_t kBlock = 65535;
    for (size_t at = 0; at == 0 || at < raw.size(); at += kBlock) {
        const size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(size));
        z.push_back(static_cast<uint8_t>(size >> 8));
        z.push_back(static_cast<uint8_t>(~size));
        z.push_back(static_cast<uint8_t>(~size >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    uint32_t a = 1;
    uint32_t b = 0;
    for (const uint8_t byte : raw) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    PutBe32(z, (b << 16) | a);

    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, standard filter, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", z);
    PutChunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> MakeWav(uint32_t frames, uint32_t rate) {
    const uint32_t dataSize = frames * 4;
    std::vector<uint8_t> b(44 + dataSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        }
    };
    auto put16 = [&](size_t at, uint32_t v) {
        b[at] = static_cast<uint8_t>(v);
        b[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    std::memcpy(b.data(), "RIFF", 4);
    put32(4, 36 + dataSize);
    std::memcpy(b.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 2);
    put32(24, rate);
    put32(28, rate * 4);
    put16(32, 4);
    put16(34, 16);
    std::memcpy(b.data() + 36, "data", 4);
    put32(40, dataSize);
    for (uint32_t i = 0; i < frames * 2; ++i) {
        put16(44 + i * 2, (i * 37) & 0x0FFF);
    }
    return b;
}

std::vector<uint8_t> MakePng(int width, int height, uint32_t colour) {
    return PngFromPixels(
        width, height,
        std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), colour));
}
