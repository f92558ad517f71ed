#include "language_assets.h"

#include <QString>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "archive/language_archive.h"
#include "cards/card_tables.h"
#include "cards/game_state.h"
#include "contract_pictures.h"
#include "font_sheets.h"
#include "i18n/language.h"
#include "image_io.h"
#include "table_pictures.h"

namespace {

const std::string kBitmaps = "Xitmaps_";
const std::string kNumbers = "Xumbers_";
const std::string kFonts = "XntFonts_";
constexpr int kLargestScale = 3;

PakInput Marker(const std::string& name) {
    const std::string note = "Zarn language resources, drawn by zarn-assetgen\n";
    return {name, std::vector<uint8_t>(note.begin(), note.end())};
}

void AddPng(GeneratedAssets& out, const std::string& name, const QImage& picture) {
    out.entries.push_back({name, Png565Bytes(picture)});
}

// One picture with words, drawn by `draw` at a scale, with a report of narrowed texts.
struct WordPicture {
    std::string entry;  // the English picture's entry name, with its prefix
    std::function<QImage(int scale, const FitReport& report)> draw;
    QImage english;  // at scale 1
};

std::vector<WordPicture> WordPictures(const AssetFonts& fonts, const GameState& names) {
    std::vector<WordPicture> pictures;
    for (int contract = 1; contract <= 5; ++contract) {
        pictures.push_back({kNumbers + names.ContractImageName[static_cast<size_t>(contract - 1)],
                            [&fonts, contract](int scale, const FitReport& report) {
                                return DrawContractPicture(contract, fonts, scale, report);
                            },
                            {}});
    }
    pictures.push_back(
        {kNumbers + names.PassImageName,
         [&fonts](int scale, const FitReport& report) { return DrawPassPicture(fonts, scale, report); },
         {}});
    pictures.push_back(
        {kBitmaps + "Scorepage_800x600.bmp",
         [&fonts](int scale, const FitReport& report) { return DrawScorePage(fonts, scale, report); },
         {}});
    return pictures;
}

// The pictures with words of the language now in use, at every scale; those that come out as the
// English picture are left out.
void AddLanguagePictures(GeneratedAssets& out, const std::vector<WordPicture>& pictures,
                         const std::string& language, std::vector<std::string>& narrowed) {
    for (const WordPicture& picture : pictures) {
        const size_t prefixEnd = picture.entry.find('_') + 1;
        const std::string prefix = picture.entry.substr(0, prefixEnd);
        const std::string name = picture.entry.substr(prefixEnd);
        std::vector<std::string> notes;
        const FitReport report = [&notes, &language, &name](const QString& text, double factor) {
            notes.push_back(language + ": " + name + ": \"" + text.toStdString() + "\" drawn at " +
                            std::to_string(static_cast<int>(factor * 100 + 0.5)) + " %");
        };
        const QImage first = picture.draw(1, report);
        if (first == picture.english) {
            continue;
        }
        narrowed.insert(narrowed.end(), notes.begin(), notes.end());
        AddPng(out, prefix + TranslatedPictureName(name, language, 1), first);
        for (int scale = 2; scale <= kLargestScale; ++scale) {
            AddPng(out, prefix + TranslatedPictureName(name, language, scale), picture.draw(scale, {}));
        }
    }
}

}  // namespace

GeneratedAssets GenerateLanguageAssets(const AssetFonts& fonts, const std::vector<std::string>& languages,
                                       const std::filesystem::path& localeFolder,
                                       std::vector<std::string>& narrowed) {
    GeneratedAssets out;
    auto names = std::make_unique<GameState>();
    InitCardTables(*names);

    out.entries.push_back(Marker("dumm118_zarn"));
    for (int scale = 1; scale <= kLargestScale; ++scale) {
        for (const auto& [face, file] :
             {std::pair{FontFace::Handwriting, "fntHandParker.bmp"},
              std::pair{FontFace::Digits, "fntDigit.bmp"}, std::pair{FontFace::Deluxe, "fntDeluxe.bmp"}}) {
            AddPng(out, kFonts + ExtraGlyphSheetName(file, scale), DrawExtraFontSheet(face, fonts, scale));
        }
    }
    UseLanguage("", {});
    std::vector<WordPicture> pictures = WordPictures(fonts, *names);
    for (WordPicture& picture : pictures) {
        picture.english = picture.draw(1, {});
    }
    for (const std::string& language : languages) {
        const std::filesystem::path folder = CatalogueFolder(language, {localeFolder});
        if (folder.empty() || !UseLanguage(language, folder)) {
            continue;  // no catalogue built for it: the game shows the English pictures
        }
        AddLanguagePictures(out, pictures, language, narrowed);
    }
    UseLanguage("", {});
    out.entries.push_back(Marker("dummy2_zarn"));
    return out;
}

std::vector<std::string> ReadLinguas(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw std::runtime_error("cannot read the list of languages " + file.string());
    }
    std::vector<std::string> languages;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (std::string word; words >> word;) {
            languages.push_back(word);
        }
    }
    return languages;
}
