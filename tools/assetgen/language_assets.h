#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive_assembly.h"
#include "font_files.h"

// The language archive (res118-lang.pak): every face's extra glyph sheet at scales 1 to 3, and for each
// of `languages` that has a catalogue in `localeFolder` the contract pictures, the pass sign and the score
// page drawn again at scales 1 to 3 with their words in that language. A picture whose words the
// catalogue leaves in English is left out (the game keeps the English one). Names as in
// archive/language_archive.h; PNG in the display's 16-bit colours. Each text drawn smaller than its
// picture gives it room for is added to `narrowed` ("pl: scorepage: ...").
GeneratedAssets GenerateLanguageAssets(const AssetFonts& fonts, const std::vector<std::string>& languages,
                                       const std::filesystem::path& localeFolder,
                                       std::vector<std::string>& narrowed);

// The language codes of a po/LINGUAS file: words separated by white space, "#" to the end of a line a
// comment. Throws std::runtime_error when the file cannot be read.
std::vector<std::string> ReadLinguas(const std::filesystem::path& file);
