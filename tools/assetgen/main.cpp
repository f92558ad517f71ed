// zarn-assetgen: draws every picture and synthesises every sound of the game and writes them into the
// resource archive. Usage: zarn-assetgen OUTPUT.pak [--preview FOLDER]
//                        zarn-assetgen --icons FOLDER   (the program's icon, every size)
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <string>

#include "app_icon.h"
#include "archive/pak_writer.h"
#include "archive_assembly.h"
#include "font_files.h"
#include "preview.h"

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
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(
            stderr,
            "usage: zarn-assetgen OUTPUT.pak [--preview FOLDER]\n       zarn-assetgen --icons FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    try {
        const AssetFonts fonts = LoadAssetFonts();
        const GeneratedAssets assets = GenerateAssets(fonts);
        WritePak(argv[1], assets.entries);
        if (argc == 4) {
            WritePreview(assets, QString::fromLocal8Bit(argv[3]));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarn-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
