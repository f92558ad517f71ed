#include "archive/language_archive.h"

#include <filesystem>

namespace {

std::string_view WithoutExtension(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

// What follows the picture's own name: "@2x.png" at scale 2, ".png" at 1.
std::string ScaledPngEnding(int32_t scale) {
    return (scale > 1 ? "@" + std::to_string(scale) + "x" : std::string()) + ".png";
}

}  // namespace

std::string ExtraGlyphSheetName(std::string_view fontFileName, int32_t scale) {
    return std::string(WithoutExtension(fontFileName)) + "-extra" + ScaledPngEnding(scale);
}

std::string TranslatedPictureName(std::string_view fileName, std::string_view language, int32_t scale) {
    return std::string(WithoutExtension(fileName)) + "." + std::string(language) + ScaledPngEnding(scale);
}

std::function<bool(ResourceFolder, std::string_view)> LanguageArchiveFilter(const std::string& language,
                                                                            int32_t scale) {
    const std::string extraEnding = "-extra" + ScaledPngEnding(scale);
    const std::string pictureEnding =
        language.empty() ? std::string() : "." + language + ScaledPngEnding(scale);
    return [extraEnding, pictureEnding](ResourceFolder folder, std::string_view name) {
        const std::string lower = LowerAscii(name);
        if (folder == ResourceFolder::Fonts) {
            return lower.ends_with(LowerAscii(extraEnding));
        }
        return !pictureEnding.empty() && lower.ends_with(LowerAscii(pictureEnding));
    };
}

std::string LanguageArchivePath(const std::string& archivePath) {
    return (std::filesystem::path(archivePath).parent_path() / kLanguageArchiveFileName).string();
}
