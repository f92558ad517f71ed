#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "presentation/bitmap_font.h"

class Display;
class DecodedPictures;

// What the language archive (res118-lang.pak, beside res118.pak) adds to a run: the fonts' extra glyph
// sheets, so texts in every shipped language draw with their own letters, and for a language other
// than English the pictures that carry words (the five contract pictures, used for both the
// announcement and the buttons, the pass sign and the score page), drawn with the words translated.
// The English game needs none of it and is what it always was without it.

// Reads the parts of the language archive at `path` that one run uses: the extra sheets and
// `language`'s pictures ("" for English: the sheets alone), at `scale`. Throws PakError for an archive
// that cannot be read.
ResourceSet ReadLanguageArchive(const std::string& path, const std::string& language, int32_t scale);

// Called after LoadBitmaps (at start, after a lost display and at every change of scale), with the
// set ReadLanguageArchive gave for the display's scale: loads the extra sheets into FontHandwritingExtra,
// FontDigitExtra and FontDeluxeExtra and gives the fonts them, and loads `language`'s pictures over the
// English ones under the same picture ids. A picture that is missing, undecodable or not exactly the
// English picture's size leaves the English one (or no extra sheet: those characters then draw as "?")
// and is named in the returned lines, for the player's log; nothing here ends the game. A picture found
// in `decoded` (read ahead, see ScaledPictureReader) is taken from there rather than decoded again.
std::vector<std::string> LoadLanguagePictures(Display& display, const ResourceSet& languageSet,
                                              const std::string& language, const GameState& state,
                                              GameFonts& fonts, DecodedPictures* decoded = nullptr);
