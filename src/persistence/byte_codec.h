#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A player's file that cannot be read: the message says in one line what is wrong with it.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A player's file in a format newer than this game knows: not damage, so it is left as it is.
class NewerFormatError : public FileFormatError {
public:
    using FileFormatError::FileFormatError;
};

// CRC-32 (the IEEE polynomial, as zip and PNG use it) of some bytes.
uint32_t Crc32(std::span<const uint8_t> bytes);

// Little-endian fields into a growing byte buffer.
class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Bool(bool v) { U8(v ? 1 : 0); }
    void Float(float v);
    // A length (32 bits) and the bytes.
    void Text(const std::string& v);
    void Raw(std::span<const uint8_t> v) { bytes_.insert(bytes_.end(), v.begin(), v.end()); }

    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Reads what ByteWriter wrote. Every read is checked against the end of the input: reading past it,
// a bool that is neither 0 nor 1, a float that is not finite or a text longer than its limit throws
// FileFormatError.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    bool Bool();
    float Float();
    std::string Text(size_t maxLength);
    std::span<const uint8_t> Raw(size_t count);

    size_t Remaining() const { return bytes_.size() - pos_; }

private:
    void Need(size_t count) const;

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};
