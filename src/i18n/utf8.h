#pragma once

#include <cstddef>
#include <string_view>

// The texts are UTF-8; the table draws them one glyph per character, so widths and cuts count
// characters, not bytes.

// U+FFFD stands for a byte that does not start a well-formed character; it takes that one byte.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character at the start of `text`, and how many bytes it takes (0 only for an empty text).
struct DecodedCharacter {
    char32_t character = 0;
    size_t bytes = 0;
};
DecodedCharacter DecodeCharacter(std::string_view text);

size_t CharacterCount(std::string_view text);
// The first `characters` characters of `text`, never cutting one in half.
std::string_view CharacterPrefix(std::string_view text, size_t characters);
