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
#include <optional>
#include <span>
#include <system_error>

namespace {

namespace fs = std::filesystem;

int32_t GetInt32(std::span<const uint8_t> bytes, size_t at) {
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

PakArchive::DirectorySpan PakArchive::CheckHeader(std::span<const uint8_t> header, int64_t fileSize,
                                                  const std::string& file) {
    if (header.size() < static_cast<size_t>(kHeaderSize)) {
        Refuse(file, "header cut short (" + std::to_string(header.size()) + " bytes of 12)");
    }
    if (fileSize > std::numeric_limits<int32_t>::max()) {
        Refuse(file, "file larger than 32-bit offsets can reach");
    }
    const int32_t dirOffset = GetInt32(header, 4);
    const int32_t dirLength = GetInt32(header, 8);
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
    return {dirOffset, dirLength};
}

std::vector<PakArchive::Entry> PakArchive::CheckDirectory(std::span<const uint8_t> directory,
                                                          int64_t fileSize, const std::string& file) {
    const auto count = static_cast<int32_t>(directory.size() / kDirectoryEntrySize);
    std::vector<Entry> entries;
    // An entry in memory is smaller than its 64 bytes on file, so this never asks for more than the file.
    entries.reserve(static_cast<size_t>(count));
    std::map<std::string, int32_t> byLowerName;
    for (int32_t index = 0; index < count; ++index) {
        const size_t at = static_cast<size_t>(index) * kDirectoryEntrySize;
        std::string problem;
        Entry entry;
        entry.fileName = NameFromField(&directory[at], &problem);
        entry.offset = GetInt32(directory, at + 56);
        entry.size = GetInt32(directory, at + 60);
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
            const Entry& other = entries[static_cast<size_t>(found->second)];
            Refuse(file, label + ": same name as " + EntryLabel(found->second, other.fileName) +
                             (other.fileName == entry.fileName ? "" : " apart from case"));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

PakArchive PakArchive::Parse(std::vector<uint8_t> bytes, std::string displayName) {
    PakArchive archive;
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "PACK", 4) != 0) {
        return archive;  // not an archive of this layout: empty, nothing loaded
    }
    const auto fileSize = static_cast<int64_t>(bytes.size());
    const DirectorySpan span = CheckHeader(bytes, fileSize, displayName);
    archive.entries_ = CheckDirectory(std::span<const uint8_t>(bytes).subspan(
                                          static_cast<size_t>(span.offset), static_cast<size_t>(span.length)),
                                      fileSize, displayName);
    for (Entry& entry : archive.entries_) {
        entry.dataAt = entry.offset;
    }
    archive.bytes_ = std::move(bytes);
    archive.fileLoaded_ = std::move(displayName);
    return archive;
}

PakArchive PakArchive::FromBytes(std::vector<uint8_t> bytes, std::string displayName) {
    return Parse(std::move(bytes), std::move(displayName));
}

namespace {

// Opens an archive file for reading and returns its size; nothing when the file does not start with
// the magic (any other file stops at its first four bytes). Throws PakError for a file that cannot be
// read.
std::optional<int64_t> OpenArchiveFile(const std::string& path, std::ifstream& in) {
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
    in.open(path, std::ios::binary);
    if (!in) {
        Refuse(path, "cannot open: " + ErrnoText());
    }
    char magic[4] = {};
    in.read(magic, 4);
    if (in.gcount() < 4 || std::memcmp(magic, "PACK", 4) != 0) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        Refuse(path, "cannot read its size");
    }
    if (size > std::numeric_limits<int32_t>::max()) {
        Refuse(path, "file larger than 32-bit offsets can reach");
    }
    return static_cast<int64_t>(size);
}

// Reads `length` bytes at `offset` of the open file into `out`.
void ReadAt(std::ifstream& in, const std::string& path, int64_t offset, int64_t length, uint8_t* out) {
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(length));
    if (in.gcount() != length) {
        Refuse(path, "cannot read the whole file");
    }
}

}  // namespace

void PakArchive::OpenQ2Pak(const std::string& path) {
    std::ifstream in;
    const std::optional<int64_t> size = OpenArchiveFile(path, in);
    if (!size) {
        *this = PakArchive();
        return;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(*size));
    ReadAt(in, path, 0, *size, bytes.data());
    *this = Parse(std::move(bytes), path);
}

void PakArchive::OpenQ2Pak(const std::string& path, const std::function<bool(std::string_view)>& wanted) {
    std::ifstream in;
    const std::optional<int64_t> size = OpenArchiveFile(path, in);
    if (!size) {
        *this = PakArchive();
        return;
    }
    // The header and the whole directory are read and checked as for a whole open; then only the
    // wanted entries' bytes.
    std::vector<uint8_t> header(static_cast<size_t>(std::min<int64_t>(*size, kHeaderSize)));
    ReadAt(in, path, 0, static_cast<int64_t>(header.size()), header.data());
    const DirectorySpan span = CheckHeader(header, *size, path);
    std::vector<uint8_t> directory(static_cast<size_t>(span.length));
    ReadAt(in, path, span.offset, span.length, directory.data());
    PakArchive archive;
    archive.entries_ = CheckDirectory(directory, *size, path);
    // The wanted entries one after another in memory. Entries may share bytes on file; when the wanted
    // ones together come to more than the file, the whole file is read instead, so an open never holds
    // more than a whole open would.
    int64_t total = 0;
    for (Entry& entry : archive.entries_) {
        if (wanted(entry.fileName)) {
            entry.dataAt = static_cast<int32_t>(std::min(total, int64_t{*size}));
            total += entry.size;
        }
    }
    if (total > *size) {
        OpenQ2Pak(path);
        return;
    }
    archive.bytes_.resize(static_cast<size_t>(total));
    for (const Entry& entry : archive.entries_) {
        if (entry.dataAt >= 0) {
            ReadAt(in, path, entry.offset, entry.size, archive.bytes_.data() + entry.dataAt);
        }
    }
    archive.fileLoaded_ = path;
    *this = std::move(archive);
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
    if (entry.dataAt < 0) {
        throw PakError(fileLoaded_ + ": " + EntryLabel(id, entry.fileName) +
                       ": not read (the archive was opened for other entries)");
    }
    // Checked at open: the entry's bytes lie inside bytes_.
    const auto first = bytes_.begin() + entry.dataAt;
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
