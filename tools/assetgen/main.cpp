// zarn-assetgen: draws every picture and synthesises every sound of the game and writes them into the
// resource archive. Usage: zarn-assetgen OUTPUT.pak [--hd HD.pak] [--preview FOLDER]
//                        zarn-assetgen --icons FOLDER   (the program's icon, every size)
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "app_icon.h"
#include "archive/pak_writer.h"
#include "archive_assembly.h"
#include "font_files.h"
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

}  // namespace

int main(int argc, char** argv) {
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
                     "       zarn-assetgen --icons FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
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
