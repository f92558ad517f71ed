#pragma once

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "archive/pak_writer.h"
#include "font_files.h"

// Everything the archive holds, plus the decoded pictures by entry name for the preview.
struct GeneratedAssets {
    std::vector<PakInput> entries;
    std::vector<std::pair<std::string, QImage>> pictures;
};

// Draws and synthesises every entry the game loads, under the folder prefixes the game unpacks them
// by, and the two marker entries.
GeneratedAssets GenerateAssets(const AssetFonts& fonts);
