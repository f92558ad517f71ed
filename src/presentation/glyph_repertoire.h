#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

// Which glyph cell of the bitmap fonts draws a character. Each face has two glyph pictures:
//  - the first sheet holds the single-byte codes 32..255 of Windows-1252, code c in cell c - 32: the
//    English texts, the Western European letters and the typographic quotes, dashes and euro sign;
//  - the extra sheet holds kExtraGlyphs, character kExtraGlyphs[i] in cell i: the rest of the Latin
//    letters of Central Europe and Turkey, Cyrillic, a little punctuation, and last the replacement box
//    that stands for any character neither sheet has.
// The asset generator draws both sheets from these tables and the game looks glyphs up in them, so the
// two can never disagree.

// The characters of Windows-1252's codes 0x80..0x9F; 0 where the code page assigns nothing.
inline constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

inline constexpr int kFirstSheetCode = 32;
inline constexpr int kLastSheetCode = 255;

// The character a first-sheet code stands for; 0 for DEL and the unassigned codes.
constexpr char32_t CharacterOfSheetCode(int code) {
    if (code < kFirstSheetCode || code > kLastSheetCode || code == 0x7F) {
        return 0;
    }
    if (code >= 0x80 && code <= 0x9F) {
        return kWindows1252High[static_cast<size_t>(code - 0x80)];
    }
    return static_cast<char32_t>(code);
}

// The first-sheet code of a character; 0 when the first sheet has none.
constexpr int SheetCodeOf(char32_t character) {
    if ((character >= 0x20 && character < 0x7F) || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<int>(character);
    }
    for (size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (character != 0 && kWindows1252High[i] == character) {
            return static_cast<int>(0x80 + i);
        }
    }
    return 0;
}

// U+FFFD, the last cell of the extra sheet: a box drawn where a character has no glyph.
inline constexpr char32_t kReplacementGlyph = 0xFFFD;

namespace glyph_repertoire_detail {

// Punctuation the catalogues' typography asks for beyond the first sheet: thin and narrow no-break
// spaces (French), hyphen, non-breaking hyphen, figure dash, quotation dash, numero sign (Russian),
// minus sign.
inline constexpr std::array<char32_t, 8> kExtraPunctuation = {0x2009, 0x2010, 0x2011, 0x2012,
                                                              0x2015, 0x202F, 0x2116, 0x2212};

constexpr bool InFirstSheet(char32_t character) {
    return SheetCodeOf(character) != 0;
}

constexpr size_t ExtraCount() {
    size_t count = 0;
    for (char32_t c = 0x100; c <= 0x17F; ++c) {
        count += InFirstSheet(c) ? 0 : 1;
    }
    return count + (0x45F - 0x400 + 1) + kExtraPunctuation.size() + 1;
}

template <size_t N>
constexpr std::array<char32_t, N> MakeExtraGlyphs() {
    std::array<char32_t, N> list{};
    size_t at = 0;
    // Latin Extended-A: Polish, Czech, Hungarian, Turkish and the rest, less the letters Windows-1252
    // already has (Œ œ Š š Ÿ Ž ž).
    for (char32_t c = 0x100; c <= 0x17F; ++c) {
        if (!InFirstSheet(c)) {
            list[at++] = c;
        }
    }
    // Cyrillic: Russian and its neighbours.
    for (char32_t c = 0x400; c <= 0x45F; ++c) {
        list[at++] = c;
    }
    for (char32_t c : kExtraPunctuation) {
        list[at++] = c;
    }
    list[at++] = kReplacementGlyph;
    return list;
}

}  // namespace glyph_repertoire_detail

// The extra sheet's characters in cell order, ascending.
inline constexpr auto kExtraGlyphs =
    glyph_repertoire_detail::MakeExtraGlyphs<glyph_repertoire_detail::ExtraCount()>();
inline constexpr int kReplacementCell = static_cast<int>(kExtraGlyphs.size()) - 1;
static_assert(std::is_sorted(kExtraGlyphs.begin(), kExtraGlyphs.end()));

// The cell of a character in the extra sheet; -1 when it has none. The replacement box itself is not a
// character's glyph: U+FFFD (a broken byte in the text) has none.
constexpr int ExtraGlyphCell(char32_t character) {
    if (character == kReplacementGlyph) {
        return -1;
    }
    const auto* found = std::lower_bound(kExtraGlyphs.begin(), kExtraGlyphs.end(), character);
    return found != kExtraGlyphs.end() && *found == character ? static_cast<int>(found - kExtraGlyphs.begin())
                                                              : -1;
}

// Where a character's glyph is: a cell of the first sheet, of the extra sheet, or none (controls and
// characters neither sheet has).
enum class GlyphSheet { First, Extra, None };
struct GlyphPlace {
    GlyphSheet sheet = GlyphSheet::None;
    int cell = -1;
};

constexpr GlyphPlace GlyphPlaceOf(char32_t character) {
    if (const int code = SheetCodeOf(character); code != 0) {
        return {GlyphSheet::First, code - kFirstSheetCode};
    }
    if (const int cell = ExtraGlyphCell(character); cell >= 0) {
        return {GlyphSheet::Extra, cell};
    }
    return {};
}

// Control characters are given no cell and draw nothing, as they always have.
constexpr bool IsControlCharacter(char32_t character) {
    return character < 0x20 || character == 0x7F || (character >= 0x80 && character < 0xA0);
}
