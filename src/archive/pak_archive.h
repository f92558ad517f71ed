#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reader for archives in the PACK layout (a 12-byte header "PACK", directory offset, directory length;
// a directory of 64-byte entries: 56-byte name, data offset, data size; all integers 32-bit signed
// little-endian; entry data stored with every byte one greater, modulo 256).
//
// The archive is untrusted data. Opening reads the whole file into memory and checks it before anything
// is answered: a header or directory that lies (negative or overlapping offsets, a length that is not a
// whole number of entries, data past the end of the file), an unsafe entry name ("/", "\", "..", control
// characters, a NUL inside the name, an empty name) and two names that differ only in case are refused
// with a PakError naming the file and the entry. After a successful open every entry lies inside the
// file, so no later call can read outside it.

class PakError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a name cannot be an entry name (empty when it can). The same rule the reader applies to every
// entry, for writers that want to refuse a name before it lands in an archive.
std::string EntryNameProblem(std::string_view name);

// ASCII lower case, for the comparisons that ignore case (entry names, resource file names).
std::string LowerAscii(std::string_view text);

class PakArchive {
public:
    static constexpr int32_t kHeaderSize = 12;
    static constexpr int32_t kNameSize = 56;
    static constexpr int32_t kDirectoryEntrySize = 64;

    // Opens and checks the archive at `path`. A file without the "PACK" magic leaves an empty archive
    // (NumEntrys -1, FileLoaded empty). Throws PakError for an unreadable file or a lying archive; the
    // archive is then unchanged.
    void OpenQ2Pak(const std::string& path);
    // The same, reading the bytes of only the entries `wanted` accepts (by name without padding): the
    // header and every directory entry are still checked, so the archive is refused exactly when a whole
    // open refuses it. ReadEntry of an entry not read throws PakError.
    void OpenQ2Pak(const std::string& path, const std::function<bool(std::string_view)>& wanted);

    // The same for bytes already in memory; `displayName` stands for the file in messages and in
    // FileLoaded.
    static PakArchive FromBytes(std::vector<uint8_t> bytes, std::string displayName);

    // The highest valid entry index: callers walk 0 up to and including it. -1 when empty.
    int32_t NumEntrys() const;

    // The 56-character name field, padding included (NUL padding reads as blanks).
    std::string EntryName(int32_t id) const;
    // The name without its padding, e.g. "Xitmaps_mouse.bmp".
    std::string EntryFileName(int32_t id) const;
    int32_t EntryOffset(int32_t id) const;
    int32_t EntrySize(int32_t id) const;

    // The path (or display name) of the last successful open; empty before, and after a file without
    // the magic.
    std::string FileLoaded() const;

    // The entry's own bytes, the archive's shift undone.
    std::vector<uint8_t> ReadEntry(int32_t id) const;

    // Writes the entry's own bytes to `saveToPath`, replacing any file there whole. The bytes go to a
    // fresh temporary file beside it that is then renamed into place, so a symbolic link at the target
    // is replaced rather than followed. Throws PakError on an I/O error.
    void SaveFileFromPAK(int32_t id, const std::string& saveToPath) const;

    // The index of the entry whose name (without padding) equals `fileName` ignoring case; -1 if none.
    int32_t FindEntry(std::string_view fileName) const;

private:
    struct Entry {
        std::string fileName;  // without padding
        int32_t offset = 0;
        int32_t size = 0;
        int32_t dataAt = -1;  // where its bytes start in bytes_; -1 when they were not read
    };
    struct DirectorySpan {
        int32_t offset = 0;
        int32_t length = 0;
    };

    static PakArchive Parse(std::vector<uint8_t> bytes, std::string displayName);
    // The checks of an open, on the header and on the directory's bytes, against the file's size.
    static DirectorySpan CheckHeader(std::span<const uint8_t> header, int64_t fileSize,
                                     const std::string& file);
    static std::vector<Entry> CheckDirectory(std::span<const uint8_t> directory, int64_t fileSize,
                                             const std::string& file);
    const Entry& At(int32_t id) const;
    static_assert(sizeof(Entry) <= static_cast<size_t>(kDirectoryEntrySize));

    std::vector<uint8_t> bytes_;
    std::vector<Entry> entries_;
    std::string fileLoaded_;
};
