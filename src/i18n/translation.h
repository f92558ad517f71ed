#pragma once

#include <initializer_list>
#include <string>
#include <utility>

// Every text a player meets goes through these, so that it can be translated: GNU gettext, one
// catalogue "zarn" per language (po/*.po). Without a catalogue for the chosen language each returns the
// English text unchanged, so the English game is exactly what it always was.
//
// Texts are UTF-8. The template po/zarn.pot is extracted from these calls (xgettext keywords Tr, TrIn:1c,2,
// TrPlural:1,2, N_ and NIn:1c,2), so a text that does not go through one of them cannot be translated.

// Marks a text for the template where it is kept in English (a table of texts, a saved field) and
// translated where it is shown, with Tr.
#define N_(text) text
// The same for a text translated with TrIn and this context.
#define NIn(context, text) text

// The text in the chosen language.
const char* Tr(const char* english);
// The same, for an English text that means different things in different places: `context` tells
// them apart in the catalogues ("card rank", "contract").
const char* TrIn(const char* context, const char* english);
// The form of a text that goes with `count`, by the language's own plural rules.
std::string TrPlural(const char* singular, const char* plural, unsigned long count);

// `pattern` with each "{name}" in it replaced by its value: texts are whole sentences with named places,
// so a translation can put the places in its own order.
std::string FillText(std::string pattern, std::initializer_list<std::pair<const char*, std::string>> values);
