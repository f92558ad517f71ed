// zarn-assetgen: draws every picture and synthesises every sound of the game and writes them into the
// resource archive. Usage: zarn-assetgen OUTPUT.pak [--hd HD.pak] [--preview FOLDER]
//                        zarn-assetgen --icons FOLDER   (the program's icon, every size)
//                        zarn-assetgen --lang LANG.pak --locale FOLDER [--linguas FILE]
//                        (the extra glyph sheets and the pictures with translated words)
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app_icon.h"
#include "archive/pak_writer.h"
#include "archive_assembly.h"
#include "font_files.h"
#include "i18n/language.h"
#include "language_assets.h"
#include "preview.h"

namespace {

struct Options {
    std::string output;
    std::optional<std::string> hd;
    std::optional<QString> preview;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0 || std::string(argv[1]).starts_with("--")) {
        return std::nullopt;
    }
    Options options{argv[1], std::nullopt, std::nullopt};
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--hd" && !options.hd) {
            options.hd = argv[i + 1];
        } else if (flag == "--preview" && !options.preview) {
            options.preview = QString::fromLocal8Bit(argv[i + 1]);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// --lang LANG.pak --locale FOLDER [--linguas FILE]: the languages are those of the file, or every shipped
// one; only those with a catalogue in FOLDER get pictures.
int WriteLanguageArchive(int argc, char** argv) {
    std::string output;
    std::string locale;
    std::optional<std::string> linguas;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--lang" && output.empty()) {
            output = argv[i + 1];
        } else if (flag == "--locale" && locale.empty()) {
            locale = argv[i + 1];
        } else if (flag == "--linguas" && !linguas) {
            linguas = argv[i + 1];
        } else {
            return 2;
        }
    }
    if (argc % 2 == 0 || output.empty() || locale.empty()) {
        return 2;
    }
    QGuiApplication app(argc, argv);
    try {
        std::vector<std::string> languages;
        if (linguas) {
            languages = ReadLinguas(*linguas);
        } else {
            for (const ShippedLanguage& language : ShippedLanguages()) {
                languages.emplace_back(language.code);
            }
        }
        std::vector<std::string> narrowed;
        const GeneratedAssets assets = GenerateLanguageAssets(LoadAssetFonts(), languages, locale, narrowed);
        WritePak(output, assets.entries);
        for (const std::string& line : narrowed) {
            std::printf("zarn-assetgen: drawn smaller to fit: %s\n", line.c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarn-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--lang") {
        const int status = WriteLanguageArchive(argc, argv);
        if (status == 2) {
            std::fprintf(stderr, "usage: zarn-assetgen --lang LANG.pak --locale FOLDER [--linguas FILE]\n");
        }
        return status;
    }
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        QGuiApplication app(argc, argv);
        try {
            WriteIcons(QString::fromLocal8Bit(argv[2]));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "zarn-assetgen: %s\n", error.what());
            return 1;
        }
        return 0;
    }
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: zarn-assetgen OUTPUT.pak [--hd HD.pak] [--preview FOLDER]\n"
                     "       zarn-assetgen --icons FOLDER\n"
                     "       zarn-assetgen --lang LANG.pak --locale FOLDER [--linguas FILE]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    // res118.pak is English whatever language the machine that builds it speaks.
    UseLanguage("", {});
    try {
        const AssetFonts fonts = LoadAssetFonts();
        {
            const GeneratedAssets assets = GenerateAssets(fonts);
            WritePak(options->output, assets.entries);
            if (options->preview) {
                WritePreview(assets, *options->preview);
            }
        }
        // The pictures at twice and three times the size, for the larger render scales.
        if (options->hd) {
            const GeneratedAssets hd = GenerateHdAssets(fonts, options->preview.has_value());
            WritePak(*options->hd, hd.entries);
            if (options->preview) {
                WriteHdPreview(hd, *options->preview);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarn-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
