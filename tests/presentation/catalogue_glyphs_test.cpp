// Every character the catalogues put on the table has a glyph in the bitmap fonts: read from the
// catalogues themselves (po/*.po), so a translation that brings a new character fails here, naming it,
// rather than showing a replacement box on the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/utf8.h"
#include "po_catalogue.h"
#include "presentation/glyph_repertoire.h"

namespace {

namespace fs = std::filesystem;

// Texts used only by the Qt dialog or the desktop files are drawn by Qt, not by the bitmap fonts.
bool DrawnByTheBitmapFonts(const PoMessage& entry) {
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
        for (const PoMessage& entry : ReadPoCatalogue(file.path())) {
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
