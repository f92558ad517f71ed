#include "archive/resource_set.h"

#include <cstdlib>
#include <filesystem>

#include "archive/format_checks.h"
#include "i18n/translation.h"

namespace {

namespace fs = std::filesystem;

size_t Slot(ResourceFolder folder) {
    for (size_t i = 0; i < kResourcePrefixes.size(); ++i) {
        if (kResourcePrefixes[i].folder == folder) {
            return i;
        }
    }
    return 0;  // every folder has a prefix
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && LowerAscii(text.substr(0, prefix.size())) == LowerAscii(prefix);
}

std::string EntryText(const PakArchive& archive, int32_t id) {
    return archive.FileLoaded() + ": entry " + std::to_string(id) + " (\"" + archive.EntryFileName(id) +
           "\")";
}

// The folder prefix an entry name starts with; nullptr for markers and names of no known folder.
const ResourcePrefix* MatchingPrefix(std::string_view name) {
    for (const ResourcePrefix& prefix : kResourcePrefixes) {
        if (StartsWithIgnoringCase(name, prefix.prefix)) {
            return &prefix;
        }
    }
    return nullptr;
}

}  // namespace

std::string_view FolderName(ResourceFolder folder) {
    return kResourcePrefixes[Slot(folder)].folderName;
}

std::optional<ResourceFolder> FolderFromName(std::string_view name) {
    for (const ResourcePrefix& prefix : kResourcePrefixes) {
        if (LowerAscii(name) == LowerAscii(prefix.folderName)) {
            return prefix.folder;
        }
    }
    return std::nullopt;
}

std::optional<ResourceFolder> DeckFolder(std::string_view deckName) {
    const std::string lower = LowerAscii(deckName);
    if (lower == "roya2") {
        return ResourceFolder::Roya2;
    }
    if (lower == "royal") {
        return ResourceFolder::Royal;
    }
    return std::nullopt;
}

namespace {

// The mark a larger picture's name carries before its extension: "@2x", "@3x".
std::string ScaleMark(int32_t scale) {
    return "@" + std::to_string(scale) + "x";
}

// Where the extension of a picture's name begins (the end for a name without one).
size_t ExtensionStart(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName.size() : dot;
}

}  // namespace

std::string ScaledPictureName(const std::string& fileName, int32_t scale) {
    if (scale <= 1) {
        return fileName;
    }
    const size_t extension = ExtensionStart(fileName);
    std::string name = fileName.substr(0, extension) + ScaleMark(scale);
    const std::string_view oldExtension = std::string_view(fileName).substr(extension);
    name += LowerAscii(oldExtension) == ".bmp" ? std::string(".png") : std::string(oldExtension);
    return name;
}

std::function<bool(ResourceFolder, std::string_view)> ScaledPictureFilter(
    int32_t scale, std::optional<ResourceFolder> deck) {
    return [mark = ScaleMark(scale), deck](ResourceFolder folder, std::string_view name) {
        const bool otherDeck =
            (folder == ResourceFolder::Roya2 || folder == ResourceFolder::Royal) && folder != deck;
        // The name ScaledPictureName gives: the mark right before the extension.
        return !otherDeck && name.substr(0, ExtensionStart(name)).ends_with(mark);
    };
}

ResourceSet ResourceSet::FromArchive(const PakArchive& archive) {
    return FromArchive(archive, [](ResourceFolder, std::string_view) { return true; });
}

ResourceSet ResourceSet::FromArchive(const PakArchive& archive,
                                     const std::function<bool(ResourceFolder, std::string_view)>& keep) {
    ResourceSet set;
    set.archiveName_ = archive.FileLoaded();
    for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
        const std::string name = archive.EntryFileName(id);
        const ResourcePrefix* match = MatchingPrefix(name);
        if (match == nullptr) {
            // Markers carry no file. Only this game's two kinds may appear; any other marks an archive
            // that was not made for this game.
            if (name.starts_with("dumm") && !name.starts_with("dumm118") && !name.starts_with("dummy2_")) {
                throw PakError(
                    EntryText(archive, id) +
                    ": unknown marker entry (expected \"dumm118\" or \"dummy2_\"): not an archive of "
                    "this game");
            }
            continue;
        }
        std::string fileName = name.substr(match->prefix.size());
        if (fileName.empty()) {
            throw PakError(EntryText(archive, id) + ": no file name after the prefix \"" +
                           std::string(match->prefix) + "\"");
        }
        if (!keep(match->folder, fileName)) {
            continue;
        }
        std::vector<uint8_t> bytes = archive.ReadEntry(id);
        std::string why;
        if (!MatchesItsExtension(fileName, bytes, &why)) {
            throw PakError(EntryText(archive, id) + ": " + why);
        }
        const size_t slot = Slot(match->folder);
        const auto [where, inserted] =
            set.folders_[slot].emplace(LowerAscii(fileName), File{fileName, std::move(bytes)});
        if (!inserted) {
            throw PakError(EntryText(archive, id) + ": a second \"" + where->second.name + "\" in folder " +
                           std::string(match->folderName));
        }
        set.order_[slot].push_back(fileName);
        ++set.fileCount_;
    }
    return set;
}

ResourceSet ResourceSet::FromFile(const std::string& archivePath) {
    PakArchive archive;
    archive.OpenQ2Pak(archivePath);
    return FromArchive(archive);
}

ResourceSet ResourceSet::FromFile(const std::string& archivePath,
                                  const std::function<bool(ResourceFolder, std::string_view)>& keep) {
    // Only the wanted files' bytes are read (markers carry none that is looked at); the archive's own
    // checks still cover every entry, as for a whole read.
    PakArchive archive;
    archive.OpenQ2Pak(archivePath, [&keep](std::string_view name) {
        const ResourcePrefix* match = MatchingPrefix(name);
        return match != nullptr && keep(match->folder, name.substr(match->prefix.size()));
    });
    return FromArchive(archive, keep);
}

const std::vector<uint8_t>* ResourceSet::Find(ResourceFolder folder, std::string_view fileName) const {
    const auto& files = folders_[Slot(folder)];
    const std::string key = LowerAscii(fileName);
    if (const auto it = files.find(key); it != files.end()) {
        return &it->second.bytes;
    }
    if (folder == ResourceFolder::Bitmaps && key == "back_800x600.bmp") {
        if (const auto it = files.find("back_800x600.jpg"); it != files.end()) {
            return &it->second.bytes;
        }
    }
    return nullptr;
}

const std::vector<uint8_t>& ResourceSet::Get(ResourceFolder folder, std::string_view fileName) const {
    if (const std::vector<uint8_t>* bytes = Find(folder, fileName)) {
        return *bytes;
    }
    throw MissingResource("\"" + std::string(fileName) + "\" is missing from folder " +
                          std::string(FolderName(folder)) + " of " +
                          (archiveName_.empty() ? std::string("the archive") : archiveName_));
}

const std::vector<uint8_t>* ResourceSet::FindPath(std::string_view path) const {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = path.find_first_of("/\\", start);
        const std::string_view part =
            path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        if (!part.empty()) {
            parts.push_back(part);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (parts.size() == 3 && LowerAscii(parts[0]) == "res") {
        parts.erase(parts.begin());
    }
    if (parts.size() != 2) {
        return nullptr;
    }
    const std::optional<ResourceFolder> folder = FolderFromName(parts[0]);
    return folder ? Find(*folder, parts[1]) : nullptr;
}

std::vector<std::string> ResourceSet::FileNames(ResourceFolder folder) const {
    return order_[Slot(folder)];
}

namespace {

// The places looked at when the player names no folder, in order.
std::vector<fs::path> DefaultArchiveFolders(const std::string& executableDir) {
    std::vector<fs::path> folders;
    if (const char* zarnData = std::getenv("ZARN_DATA"); zarnData != nullptr && *zarnData != '\0') {
        folders.emplace_back(zarnData);
    }
    if (!executableDir.empty()) {
        folders.emplace_back(executableDir);
        folders.push_back((fs::path(executableDir) / ".." / "share" / "zarn").lexically_normal());
    }
    const char* xdg = std::getenv("XDG_DATA_DIRS");
    const std::string xdgDirs = xdg != nullptr && *xdg != '\0' ? xdg : "/usr/local/share/:/usr/share/";
    size_t start = 0;
    while (start <= xdgDirs.size()) {
        const size_t end = xdgDirs.find(':', start);
        const std::string dir =
            xdgDirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        // Relative entries are not valid in this variable and are ignored.
        if (!dir.empty() && dir.front() == '/') {
            folders.push_back(fs::path(dir) / "zarn");
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::string FindArchive(const std::string& dataDirOption, const std::string& executableDir,
                        std::string* placesTried) {
    // A folder the player names is the only place looked: another archive found elsewhere would start
    // a game from data the player did not ask for.
    const std::vector<fs::path> folders =
        dataDirOption.empty() ? DefaultArchiveFolders(executableDir) : std::vector<fs::path>{dataDirOption};
    std::string tried;
    std::string found;
    for (const fs::path& folder : folders) {
        const fs::path candidate = (folder / kArchiveFileName).lexically_normal();
        tried += candidate.string() + "\n";
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            found = candidate.string();
            break;
        }
    }
    if (placesTried != nullptr) {
        *placesTried = tried;
    }
    return found;
}

std::string ArchiveNotFoundMessage(const std::string& placesTried) {
    std::string places;
    size_t start = 0;
    while (start < placesTried.size()) {
        size_t end = placesTried.find('\n', start);
        if (end == std::string::npos) {
            end = placesTried.size();
        }
        if (end > start) {
            places += (places.empty() ? "" : ", ") + placesTried.substr(start, end - start);
        }
        start = end + 1;
    }
    // TRANSLATORS: {places} is a list of folders, or "no place".
    return FillText(Tr("{file} not found; looked at {places}"),
                    {{"file", std::string(kArchiveFileName)},
                     {"places", places.empty() ? std::string(Tr("no place")) : places}});
}
