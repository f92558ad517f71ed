#pragma once

#include <QString>

// Families of the installed fonts the pictures are drawn with, registered with Qt from their files.
struct AssetFonts {
    QString serif;        // DejaVu Serif (bold face used): card indices, banner
    QString sans;         // DejaVu Sans (bold face used): the second deck's indices, buttons
    QString sansMono;     // DejaVu Sans Mono: fallback glyphs of the clock font
    QString handwriting;  // DkgHandwriting: the score sheet
    QString segments;     // DSEG14 Classic: the clock
};

// Finds the font files under /usr/share/fonts and registers them. Throws std::runtime_error naming
// the missing file and the Debian package that provides it.
AssetFonts LoadAssetFonts();
