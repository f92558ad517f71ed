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

// The larger archive: every picture of GenerateAssets drawn again at twice and three times its size,
// named as at scale 1 with "@2x" or "@3x" before the extension ("Xoya2_S_cardback@2x.bmp"), between
// the same two marker entries; no sounds. Keeps the decoded pictures only when asked (for the preview).
GeneratedAssets GenerateHdAssets(const AssetFonts& fonts, bool keepPictures);
