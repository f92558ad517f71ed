#include "shell/language_pictures.h"

#include <array>
#include <optional>
#include <utility>

#include "archive/language_archive.h"
#include "platform/display.h"
#include "platform/png_picture.h"
#include "presentation/glyph_repertoire.h"
#include "shell/scaled_picture_reader.h"

namespace {

// Loads one PNG of the language archive as `id`, when it is exactly `width` x `height` units; from
// `decoded` when it was decoded ahead.
void LoadPng(Display& display, PictureId id, const std::vector<uint8_t>& bytes, int32_t width, int32_t height,
             std::optional<SharedPixels> decoded) {
    const int32_t scale = display.Scale();
    const auto check = [&](int32_t pictureWidth, int32_t pictureHeight) {
        if (pictureWidth != width * scale || pictureHeight != height * scale) {
            throw PictureError("it is " + std::to_string(pictureWidth) + " x " +
                               std::to_string(pictureHeight) + " pixels, not " +
                               std::to_string(width * scale) + " x " + std::to_string(height * scale));
        }
    };
    if (decoded) {
        check(decoded->width, decoded->height);
        display.SetPicturePixels(id, std::move(*decoded), true);
        return;
    }
    Rgb565Pixels picture = DecodePng565(bytes);
    check(picture.width, picture.height);
    display.SetPicturePixels(id, std::move(picture), true);
}

struct ExtraSheet {
    PictureId id;
    const char* fontFile;  // the first sheet's name in res118.pak
};

constexpr std::array<ExtraSheet, 3> kExtraSheets{{
    {PictureId::FontHandwritingExtra, "fntHandParker.bmp"},
    {PictureId::FontDigitExtra, "fntDigit.bmp"},
    {PictureId::FontDeluxeExtra, "fntDeluxe.bmp"},
}};

}  // namespace

ResourceSet ReadLanguageArchive(const std::string& path, const std::string& language, int32_t scale) {
    return ResourceSet::FromFile(path, LanguageArchiveFilter(language, scale));
}

std::vector<std::string> LoadLanguagePictures(Display& display, const ResourceSet& languageSet,
                                              const std::string& language, const GameState& state,
                                              GameFonts& fonts, DecodedPictures* decoded) {
    std::vector<std::string> problems;
    const int32_t scale = display.Scale();
    const auto load = [&](PictureId id, ResourceFolder folder, const std::string& name, int32_t width,
                          int32_t height) {
        const std::vector<uint8_t>* bytes = languageSet.Find(folder, name);
        if (bytes == nullptr) {
            problems.push_back(std::string(FolderName(folder)) + "/" + name + " is missing from " +
                               std::string(kLanguageArchiveFileName));
            return;
        }
        try {
            LoadPng(display, id, *bytes, width, height,
                    decoded != nullptr ? decoded->Take(folder, name) : std::nullopt);
        } catch (const PictureError& e) {
            problems.push_back(std::string(FolderName(folder)) + "/" + name + ": " + e.what());
        }
    };

    const int32_t rows = (static_cast<int32_t>(kExtraGlyphs.size()) + kFontColumns - 1) / kFontColumns;
    for (const ExtraSheet& sheet : kExtraSheets) {
        display.ReleasePicture(sheet.id);
        load(sheet.id, ResourceFolder::Fonts, ExtraGlyphSheetName(sheet.fontFile, scale),
             kFontColumns * kFontCellWidth, rows * kFontCellHeight);
    }
    UseExtraGlyphs(fonts, display);

    if (language.empty()) {
        return problems;
    }
    // The translated pictures stand in for the English ones, which are already loaded: each keeps its
    // id and must have its size. A language may leave a picture out where its words are the English ones.
    std::vector<std::pair<PictureId, std::string>> pictures;
    for (int contract = 1; contract <= 5; ++contract) {
        const auto index = static_cast<size_t>(contract - 1);
        pictures.emplace_back(AnnouncementPicture(contract), state.ContractImageName[index]);
        pictures.emplace_back(ButtonPicture(contract), state.ContractImageName2[index]);
    }
    pictures.emplace_back(PictureId::PassPicture, state.PassImageName);
    pictures.emplace_back(PictureId::ScorePage, "Scorepage_800x600.bmp");
    for (const auto& [id, englishName] : pictures) {
        const ResourceFolder folder =
            id == PictureId::ScorePage ? ResourceFolder::Bitmaps : ResourceFolder::Numbers;
        const std::string name = TranslatedPictureName(englishName, language, scale);
        const Rect32 english = display.PictureRect(id);
        if (languageSet.Find(folder, name) != nullptr && !english.Empty()) {
            load(id, folder, name, english.right, english.bottom);
        }
    }
    return problems;
}
