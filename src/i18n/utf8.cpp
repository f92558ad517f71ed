#include "i18n/utf8.h"

DecodedCharacter DecodeCharacter(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {kReplacementCharacter, 1};
    }
    if (text.size() < length) {
        return {kReplacementCharacter, 1};
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {kReplacementCharacter, 1};
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode's end are not characters.
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {kReplacementCharacter, 1};
    }
    return {value, length};
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    while (!text.empty()) {
        text.remove_prefix(DecodeCharacter(text).bytes);
        ++count;
    }
    return count;
}

std::string_view CharacterPrefix(std::string_view text, size_t characters) {
    size_t bytes = 0;
    for (size_t i = 0; i < characters && bytes < text.size(); ++i) {
        bytes += DecodeCharacter(text.substr(bytes)).bytes;
    }
    return text.substr(0, bytes);
}
