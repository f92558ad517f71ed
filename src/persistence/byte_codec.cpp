#include "persistence/byte_codec.h"

#include <array>
#include <bit>
#include <cmath>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes) {
    uint32_t c = 0xFFFFFFFFU;
    for (const uint8_t b : bytes) {
        c = kCrcTable[(c ^ b) & 0xFFU] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFU;
}

void ByteWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v & 0xFFU));
    U8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
    U16(static_cast<uint16_t>(v & 0xFFFFU));
    U16(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::Float(float v) {
    U32(std::bit_cast<uint32_t>(v));
}

void ByteWriter::Text(const std::string& v) {
    U32(static_cast<uint32_t>(v.size()));
    for (const char c : v) {
        U8(static_cast<uint8_t>(c));
    }
}

void ByteReader::Need(size_t count) const {
    if (count > Remaining()) {
        throw FileFormatError("it ends too early");
    }
}

uint8_t ByteReader::U8() {
    Need(1);
    return bytes_[pos_++];
}

uint16_t ByteReader::U16() {
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
}

uint32_t ByteReader::U32() {
    const uint32_t low = U16();
    return low | (static_cast<uint32_t>(U16()) << 16);
}

bool ByteReader::Bool() {
    const uint8_t v = U8();
    if (v > 1) {
        throw FileFormatError("a yes-or-no field holds " + std::to_string(v));
    }
    return v == 1;
}

float ByteReader::Float() {
    const float v = std::bit_cast<float>(U32());
    if (!std::isfinite(v)) {
        throw FileFormatError("a position is not a number");
    }
    return v;
}

std::string ByteReader::Text(size_t maxLength) {
    const uint32_t length = U32();
    if (length > maxLength) {
        throw FileFormatError("a text claims " + std::to_string(length) + " bytes, more than " +
                              std::to_string(maxLength));
    }
    const std::span<const uint8_t> raw = Raw(length);
    return std::string(raw.begin(), raw.end());
}

std::span<const uint8_t> ByteReader::Raw(size_t count) {
    Need(count);
    const std::span<const uint8_t> part = bytes_.subspan(pos_, count);
    pos_ += count;
    return part;
}
