#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "archive/resource_set.h"

// The language archive, a second file beside res118.pak (which it leaves as it is): the fonts' extra
// glyph sheets (the characters beyond Windows-1252) and, per language, the pictures that carry words,
// drawn again with the words translated. PNG pictures at every scale, under the folder prefixes of
// res118.pak and between the same two marker entries. English needs none of it.

inline constexpr std::string_view kLanguageArchiveFileName = "res118-lang.pak";

// The extra sheet of a font picture: "fntDigit.bmp" at scale 2 is "fntDigit-extra@2x.png".
std::string ExtraGlyphSheetName(std::string_view fontFileName, int32_t scale);

// A picture with its words in `language`: "tricks.BMP" in "pt_BR" at scale 3 is "tricks.pt_BR@3x.png".
std::string TranslatedPictureName(std::string_view fileName, std::string_view language, int32_t scale);

// Which entries one run reads: the extra sheets at `scale` and `language`'s pictures at `scale` (none
// for English, ""). For ResourceSet::FromFile.
std::function<bool(ResourceFolder, std::string_view)> LanguageArchiveFilter(const std::string& language,
                                                                            int32_t scale);

// The language archive beside the game's archive at `archivePath`.
std::string LanguageArchivePath(const std::string& archivePath);
