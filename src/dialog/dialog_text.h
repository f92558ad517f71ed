#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include <QString>

#include "i18n/translation.h"

// The dialog's texts in the player's language: the game's gettext catalogues, handed to Qt. Every
// text a player sees in a Qt window goes through these (the template's keyword is TrQ), so none can
// miss the catalogues.

inline QString TrQ(const char* english) {
    return QString::fromUtf8(Tr(english));
}

// A translated pattern with its named places filled ("{name}"), as a Qt string.
inline QString FillQ(const char* pattern, std::initializer_list<std::pair<const char*, std::string>> values) {
    return QString::fromStdString(FillText(pattern, values));
}
