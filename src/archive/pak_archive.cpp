#include "archive/pak_archive.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <system_error>

namespace {

namespace fs = std::filesystem;

int32_t GetInt32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    }
    return static_cast<int32_t>(value);
}

// A name as it can safely appear in a one-line message: printable ASCII as is, anything else as \xNN.
std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

std::string EntryLabel(int32_t index, std::string_view name) {
    return "entry " + std::to_string(index) + " (\"" + Printable(name) + "\")";
}

[[noreturn]] void Refuse(const std::string& file, const std::string& what) {
    throw PakError(file + ": " + what);
}

// Splits a raw 56-byte name field into the name and checks what follows it: blanks and NULs pad the
// field, but a NUL followed by anything else hides part of the name and is refused.
std::string NameFromField(const uint8_t* field, std::string* problem) {
    std::string raw(reinterpret_cast<const char*>(field), PakArchive::kNameSize);
    const size_t nul = raw.find('\0');
    std::string name = raw.substr(0, nul);
    if (nul != std::string::npos) {
        const std::string rest = raw.substr(nul);
        if (rest.find_first_not_of(std::string_view("\0 ", 2)) != std::string::npos) {
            *problem = "name has a NUL character before its end";
        }
    }
    const size_t last = name.find_last_not_of(' ');
    name.erase(last == std::string::npos ? 0 : last + 1);
    return name;
}

std::string ErrnoText() {
    return std::error_code(errno, std::generic_category()).message();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string EntryNameProblem(std::string_view name) {
    if (name.empty()) {
        return "empty name";
    }
    if (name.size() > static_cast<size_t>(PakArchive::kNameSize)) {
        return "name longer than 56 characters";
    }
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return "name contains a control character";
        }
        if (c == '/' || c == '\\') {
            return "name contains a path separator";
        }
    }
    if (name.find("..") != std::string_view::npos) {
        return "name contains \"..\"";
    }
    if (name == ".") {
        return "name is \".\"";
    }
    if (name.back() == ' ') {
        return "name ends with a blank";
    }
    return {};
}

PakArchive PakArchive::Parse(std::vector<uint8_t> bytes, std::string displayName) {
    PakArchive archive;
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "PACK", 4) != 0) {
        return archive;  // not an archive of this layout: empty, nothing loaded
    }
    const std::string& file = displayName;
    if (bytes.size() < static_cast<size_t>(kHeaderSize)) {
        Refuse(file, "header cut short (" + std::to_string(bytes.size()) + " bytes of 12)");
    }
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        Refuse(file, "file larger than 32-bit offsets can reach");
    }
    const auto fileSize = static_cast<int64_t>(bytes.size());
    const int32_t dirOffset = GetInt32(bytes, 4);
    const int32_t dirLength = GetInt32(bytes, 8);
    const std::string dirText =
        "directory (offset " + std::to_string(dirOffset) + ", length " + std::to_string(dirLength) + ")";
    if (dirOffset < 0 || dirLength < 0) {
        Refuse(file, dirText + ": negative offset or length");
    }
    if (dirLength % kDirectoryEntrySize != 0) {
        Refuse(file, dirText + ": length is not a multiple of 64");
    }
    if (dirLength > 0 && dirOffset < kHeaderSize) {
        Refuse(file, dirText + ": overlaps the header");
    }
    if (int64_t{dirOffset} + dirLength > fileSize) {
        Refuse(file, dirText + ": runs past the end of the file (" + std::to_string(fileSize) + " bytes)");
    }

    const int32_t count = dirLength / kDirectoryEntrySize;
    // An entry in memory is smaller than its 64 bytes on file, so this never asks for more than the file.
    archive.entries_.reserve(static_cast<size_t>(count));
    std::map<std::string, int32_t> byLowerName;
    for (int32_t index = 0; index < count; ++index) {
        const size_t at = static_cast<size_t>(dirOffset) + static_cast<size_t>(index) * kDirectoryEntrySize;
        std::string problem;
        Entry entry;
        entry.fileName = NameFromField(&bytes[at], &problem);
        entry.offset = GetInt32(bytes, at + 56);
        entry.size = GetInt32(bytes, at + 60);
        const std::string label = EntryLabel(index, entry.fileName);
        if (problem.empty()) {
            problem = EntryNameProblem(entry.fileName);
        }
        if (!problem.empty()) {
            Refuse(file, label + ": " + problem);
        }
        const std::string dataText =
            "data (offset " + std::to_string(entry.offset) + ", size " + std::to_string(entry.size) + ")";
        if (entry.offset < 0 || entry.size < 0) {
            Refuse(file, label + ": " + dataText + ": negative offset or size");
        }
        if (entry.size > 0 && entry.offset < kHeaderSize) {
            Refuse(file, label + ": " + dataText + ": overlaps the header");
        }
        if (int64_t{entry.offset} + entry.size > fileSize) {
            Refuse(file, label + ": " + dataText + ": runs past the end of the file (" +
                             std::to_string(fileSize) + " bytes)");
        }
        const auto [found, inserted] = byLowerName.emplace(LowerAscii(entry.fileName), index);
        if (!inserted) {
            const Entry& other = archive.entries_[static_cast<size_t>(found->second)];
            Refuse(file, label + ": same name as " + EntryLabel(found->second, other.fileName) +
                             (other.fileName == entry.fileName ? "" : " apart from case"));
        }
        archive.entries_.push_back(std::move(entry));
    }
    archive.bytes_ = std::move(bytes);
    archive.fileLoaded_ = std::move(displayName);
    return archive;
}

PakArchive PakArchive::FromBytes(std::vector<uint8_t> bytes, std::string displayName) {
    return Parse(std::move(bytes), std::move(displayName));
}

void PakArchive::OpenQ2Pak(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        Refuse(path, "cannot open: no such file");
    }
    if (error) {
        Refuse(path, "cannot open: " + error.message());
    }
    if (!fs::is_regular_file(status)) {
        Refuse(path, "cannot open: not a regular file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Refuse(path, "cannot open: " + ErrnoText());
    }
    // Only an archive of this layout is read whole; any other file stops at its first four bytes.
    char magic[4] = {};
    in.read(magic, 4);
    if (in.gcount() < 4 || std::memcmp(magic, "PACK", 4) != 0) {
        *this = PakArchive();
        return;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        Refuse(path, "cannot read its size");
    }
    if (size > std::numeric_limits<int32_t>::max()) {
        Refuse(path, "file larger than 32-bit offsets can reach");
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != size) {
        Refuse(path, "cannot read the whole file");
    }
    *this = Parse(std::move(bytes), path);
}

const PakArchive::Entry& PakArchive::At(int32_t id) const {
    if (id < 0 || static_cast<size_t>(id) >= entries_.size()) {
        throw std::out_of_range("archive entry index " + std::to_string(id) + " outside 0.." +
                                std::to_string(NumEntrys()));
    }
    return entries_[static_cast<size_t>(id)];
}

int32_t PakArchive::NumEntrys() const {
    return static_cast<int32_t>(entries_.size()) - 1;
}

std::string PakArchive::EntryName(int32_t id) const {
    std::string field = At(id).fileName;
    field.resize(kNameSize, ' ');
    return field;
}

std::string PakArchive::EntryFileName(int32_t id) const {
    return At(id).fileName;
}

int32_t PakArchive::EntryOffset(int32_t id) const {
    return At(id).offset;
}

int32_t PakArchive::EntrySize(int32_t id) const {
    return At(id).size;
}

std::string PakArchive::FileLoaded() const {
    return fileLoaded_;
}

int32_t PakArchive::FindEntry(std::string_view fileName) const {
    const std::string wanted = LowerAscii(fileName);
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (LowerAscii(entries_[i].fileName) == wanted) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

std::vector<uint8_t> PakArchive::ReadEntry(int32_t id) const {
    const Entry& entry = At(id);
    // Checked at open: offset + size lies inside bytes_.
    const auto first = bytes_.begin() + entry.offset;
    std::vector<uint8_t> data(first, first + entry.size);
    for (uint8_t& byte : data) {
        byte = static_cast<uint8_t>(byte - 1);  // undo the archive's shift; 0 becomes 255
    }
    return data;
}

void PakArchive::SaveFileFromPAK(int32_t id, const std::string& saveToPath) const {
    const std::vector<uint8_t> data = ReadEntry(id);
    const std::string what =
        fileLoaded_ + ": " + EntryLabel(id, At(id).fileName) + ": cannot write " + saveToPath + ": ";
    const fs::path target(saveToPath);
    // "x" opens only a file that does not exist yet, so the temporary never follows a planted link.
    std::string temporary;
    std::unique_ptr<std::FILE, FileCloser> out;
    for (int attempt = 0; attempt < 100 && !out; ++attempt) {
        temporary = saveToPath + ".part" + std::to_string(attempt);
        out.reset(std::fopen(temporary.c_str(), "wbx"));
        if (!out && errno != EEXIST) {
            throw PakError(what + ErrnoText());
        }
    }
    if (!out) {
        throw PakError(what + "no free temporary name beside it");
    }
    bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), out.get()) == data.size();
    std::string writeError = written ? std::string() : ErrnoText();
    if (std::fclose(out.release()) != 0 && written) {
        written = false;
        writeError = ErrnoText();
    }
    std::error_code error;
    if (written) {
        fs::rename(temporary, target, error);
    }
    if (!written || error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw PakError(what + (written ? error.message() : writeError));
    }
}
