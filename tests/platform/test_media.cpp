#include "test_media.h"

#include <cstring>

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
