#include "archive/pak_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace {

constexpr size_t kHeaderSize = 12;
constexpr size_t kNameSize = 56;
constexpr size_t kDirectoryEntrySize = 64;

void PutInt32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::vector<uint8_t> BuildPak(const std::vector<PakInput>& entries) {
    size_t dataSize = 0;
    for (const PakInput& entry : entries) {
        if (entry.name.size() > kNameSize) {
            throw std::invalid_argument("archive entry name longer than 56 characters: " + entry.name);
        }
        dataSize += entry.data.size();
    }
    const size_t directoryOffset = kHeaderSize + dataSize;
    const size_t total = directoryOffset + entries.size() * kDirectoryEntrySize;
    if (total > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw std::invalid_argument("archive larger than 2 GiB");
    }
    std::vector<uint8_t> out(total, 0);
    out[0] = 'P';
    out[1] = 'A';
    out[2] = 'C';
    out[3] = 'K';
    PutInt32(out, 4, static_cast<uint32_t>(directoryOffset));
    PutInt32(out, 8, static_cast<uint32_t>(entries.size() * kDirectoryEntrySize));

    size_t dataAt = kHeaderSize;
    size_t dirAt = directoryOffset;
    for (const PakInput& entry : entries) {
        for (size_t i = 0; i < kNameSize; ++i) {
            out[dirAt + i] = i < entry.name.size() ? static_cast<uint8_t>(entry.name[i]) : uint8_t{' '};
        }
        PutInt32(out, dirAt + 56, static_cast<uint32_t>(dataAt));
        PutInt32(out, dirAt + 60, static_cast<uint32_t>(entry.data.size()));
        for (uint8_t byte : entry.data) {
            out[dataAt++] = static_cast<uint8_t>(byte + 1);  // the archive's one-byte shift
        }
        dirAt += kDirectoryEntrySize;
    }
    return out;
}

void WritePak(const std::string& path, const std::vector<PakInput>& entries) {
    const std::vector<uint8_t> bytes = BuildPak(entries);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            throw std::runtime_error("cannot write " + temporary);
        }
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::filesystem::remove(temporary);
            throw std::runtime_error("cannot write " + temporary);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary);
        throw std::runtime_error("cannot write " + path + ": " + error.message());
    }
}
