// Every character the catalogues put on the table has a glyph in the bitmap fonts: read from the
// catalogues themselves (po/*.po), so a translation that brings a new character fails here, naming it,
// rather than showing a replacement box on the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/utf8.h"
#include "presentation/glyph_repertoire.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string references;  // the "#:" lines, where the text is used
    std::vector<std::string> translations;
};

// The text of a quoted PO string, its escapes undone.
std::string Unquote(const std::string& line) {
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    std::string text;
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            const char escaped = line[++i];
            text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        } else {
            text += line[i];
        }
    }
    return text;
}

// The entries of a catalogue with their translations (msgstr and every plural form); obsolete entries
// and the header are left out.
std::vector<Entry> ReadCatalogue(const fs::path& file) {
    std::ifstream in(file);
    std::vector<Entry> entries(1);
    bool inTranslation = false;
    bool header = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("#:")) {
            if (inTranslation) {
                entries.emplace_back();
                inTranslation = false;
            }
            entries.back().references += line + " ";
        } else if (line.starts_with("msgid ")) {
            if (inTranslation) {
                entries.emplace_back();
                inTranslation = false;
            }
            header = Unquote(line).empty();
        } else if (line.starts_with("msgstr")) {
            inTranslation = !header;
            if (inTranslation) {
                entries.back().translations.push_back(Unquote(line));
            }
        } else if (line.starts_with("\"") && inTranslation) {
            entries.back().translations.back() += Unquote(line);
        }
    }
    return entries;
}

// Texts used only by the Qt dialog or the desktop files are drawn by Qt, not by the bitmap fonts.
bool DrawnByTheBitmapFonts(const Entry& entry) {
    std::istringstream words(entry.references);
    bool any = false;
    for (std::string word; words >> word;) {
        if (word == "#:") {
            continue;
        }
        any = true;
        if (!word.starts_with("src/dialog/") && !word.starts_with("data/")) {
            return true;
        }
    }
    return !any;
}

TEST(CatalogueGlyphs, EveryCharacterOfATableTextHasAGlyph) {
    const fs::path folder = ZARN_PO_DIR;
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no catalogues in " << folder;
    }
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
        if (file.path().extension() != ".po") {
            continue;
        }
        for (const Entry& entry : ReadCatalogue(file.path())) {
            if (!DrawnByTheBitmapFonts(entry)) {
                continue;
            }
            for (const std::string& text : entry.translations) {
                for (std::string_view rest = text; !rest.empty();) {
                    const DecodedCharacter decoded = DecodeCharacter(rest);
                    rest.remove_prefix(decoded.bytes);
                    const bool lineBreak = decoded.character == U'\n';
                    EXPECT_TRUE(lineBreak || GlyphPlaceOf(decoded.character).sheet != GlyphSheet::None)
                        << file.path().filename().string() << ": U+" << std::hex << std::uppercase
                        << static_cast<uint32_t>(decoded.character) << " has no glyph, in \"" << text << "\"";
                }
            }
        }
    }
}

}  // namespace
