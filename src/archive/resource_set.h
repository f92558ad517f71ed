#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "archive/pak_archive.h"

// Every picture, font and sound of the game, read from the archive into memory at start. Entries are
// sorted into folders by the prefix of their name; the rest of the name is the file name. No folder is
// created on disk.

enum class ResourceFolder { Bitmaps, Numbers, Roya2, Royal, Fonts, Sounds };

struct ResourcePrefix {
    std::string_view prefix;  // e.g. "Xitmaps_"
    ResourceFolder folder;
    std::string_view folderName;  // the folder's name as the game's paths spell it, e.g. "Bitmaps"
};

// The entry-name prefixes in the order they are tested.
inline constexpr std::array<ResourcePrefix, 6> kResourcePrefixes{{
    {"XntFonts_", ResourceFolder::Fonts, "fntFonts"},
    {"Xounds_", ResourceFolder::Sounds, "Sounds"},
    {"Xitmaps_", ResourceFolder::Bitmaps, "Bitmaps"},
    {"Xumbers_", ResourceFolder::Numbers, "Numbers"},
    {"Xoya2_", ResourceFolder::Roya2, "Roya2"},
    {"Xoyal_", ResourceFolder::Royal, "Royal"},
}};

std::string_view FolderName(ResourceFolder folder);

// The folder a name such as "bitmaps", "Bitmaps" or "FNTFONTS" stands for; folder names are matched
// without regard to case.
std::optional<ResourceFolder> FolderFromName(std::string_view name);

// The folder of a deck name as the options give it ("Roya2" or "Royal", any case); none for others.
std::optional<ResourceFolder> DeckFolder(std::string_view deckName);

class MissingResource : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name of a picture drawn at a larger scale, as the second archive holds it: "Back_800x600.jpg" at
// scale 3 is "Back_800x600@3x.jpg". Bitmaps are stored there compressed, as PNG: "S_cardback.bmp" at
// scale 2 is "S_cardback@2x.png". Scale 1 leaves the name as it is.
std::string ScaledPictureName(const std::string& fileName, int32_t scale);

// Which entries to read from the second archive for one scale above 1 and one deck: the names that
// ScaledPictureName gives at that scale, less the other deck's cards (a quarter of the archive). For
// FromArchive and FromFile.
std::function<bool(ResourceFolder, std::string_view)> ScaledPictureFilter(int32_t scale,
                                                                          std::optional<ResourceFolder> deck);

class ResourceSet {
public:
    // Reads every entry with a known prefix. Marker entries (names beginning with "dumm") are skipped;
    // a marker whose first seven characters are neither "dumm118" nor "dummy2_" makes the archive
    // invalid. Throws PakError for an invalid marker, an empty file name after a prefix, or a ".bmp",
    // ".jpg" or ".wav" entry whose bytes are not what the name claims. An empty archive gives an empty
    // set.
    static ResourceSet FromArchive(const PakArchive& archive);
    // The same, keeping only the files `keep` accepts (the others are checked as names, not read).
    static ResourceSet FromArchive(const PakArchive& archive,
                                   const std::function<bool(ResourceFolder, std::string_view)>& keep);

    // Opens the archive file and reads it as above. Throws PakError also for an unreadable file.
    static ResourceSet FromFile(const std::string& archivePath);
    static ResourceSet FromFile(const std::string& archivePath,
                                const std::function<bool(ResourceFolder, std::string_view)>& keep);

    // The file's bytes, the file name matched without regard to case; nullptr when missing. The one
    // JPEG background also answers to its ".bmp" name when the archive holds no such bitmap, as the
    // game used to load the background under that name.
    const std::vector<uint8_t>* Find(ResourceFolder folder, std::string_view fileName) const;

    // The same, but a missing file throws MissingResource naming the folder, the file and the archive.
    const std::vector<uint8_t>& Get(ResourceFolder folder, std::string_view fileName) const;

    // A path in the game's own spelling, e.g. "res\bitmaps\Back_800x600.bmp" or "Sounds/SHUFFLE.WAV":
    // the folder (any case) and the file name. nullptr when the folder is unknown or the file missing.
    const std::vector<uint8_t>* FindPath(std::string_view path) const;

    // Number of files in all folders.
    size_t size() const { return fileCount_; }

    // The file names of one folder as the archive spells them, in archive order.
    std::vector<std::string> FileNames(ResourceFolder folder) const;

    std::string ArchiveName() const { return archiveName_; }

private:
    struct File {
        std::string name;
        std::vector<uint8_t> bytes;
    };
    // Per folder: lower-case file name -> file.
    std::array<std::map<std::string, File>, kResourcePrefixes.size()> folders_;
    std::array<std::vector<std::string>, kResourcePrefixes.size()> order_;
    size_t fileCount_ = 0;
    std::string archiveName_;
};

// The archive file the game reads.
inline constexpr std::string_view kArchiveFileName = "res118.pak";

// Finds "res118.pak". A --data folder, when given, is the only place looked. Otherwise the order is
// $ZARN_DATA, the executable's folder, ../share/zarn beside it, and zarn/ under each folder of
// $XDG_DATA_DIRS (by default /usr/local/share and /usr/share). Returns the first path that is a regular
// file, or an empty string; `placesTried` (when given) receives every path looked at, one per line.
std::string FindArchive(const std::string& dataDirOption, const std::string& executableDir,
                        std::string* placesTried);

// The one-line message for an archive that was not found: "res118.pak not found; looked at A, B, C".
std::string ArchiveNotFoundMessage(const std::string& placesTried);
