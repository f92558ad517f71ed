#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "cards/seams.h"
#include "presentation/bitmap_font.h"

class DecodedPictures;
class Display;
class MixerSound;

// Loads the effects of the archive's sound folder, in the game's order. An effect that is
// missing or not a readable WAV stays silent; sound is never a reason to stop the game.
void LoadSounds(MixerSound& sound, const ResourceSet& resources);
// One effect kept outside the first archive (spoken play's cue, in the second one), reading only its
// entry. An archive that is missing or damaged leaves the effect silent: the table has already said so
// when it looked for the sharper pictures, and the game plays the same without it.
void LoadSoundFromArchive(MixerSound& sound, const std::string& archivePath, SoundEffect effect);

// Loads every picture the game draws, in the game's order (background, card back, the 52 faces, both
// contract picture sets, pass picture, score page, both lines, frame, cursor, then the three font
// pictures, then the play aids' own pictures), and makes the fonts on them. Fills the card picture names
// first (InitCardTables). Called at start and again after a lost display.
//
// Throws SetupError: "CreateSurfaceFromFile" for a missing or unreadable picture, and
// "clsDXBitmapFont.CreateSpriteFromFile" for a font picture.
//
// At a display scale above 1 every picture comes from `scaled`, the second archive, under its name
// with "@2x" or "@3x" before the extension ("Back_800x600@2x.jpg"), and must be exactly that many times
// the size of the same picture in `resources`. Anything wrong there (no second archive, a missing,
// misfitting or undecodable picture) throws ScaledPicturesError instead, and the caller goes back to
// scale 1; the fonts are made only once every picture is in. A picture of `scaled` found in `decoded`
// (read ahead, see ScaledPictureReader) is taken from there rather than decoded again.
GameFonts LoadBitmaps(Display& display, const ResourceSet& resources, GameState& state,
                      const ResourceSet* scaled = nullptr, DecodedPictures* decoded = nullptr);

// The pictures for a scale above 1 could not be loaded; what() says which and why.
class ScaledPicturesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The second archive's file name, beside res118.pak.
inline constexpr std::string_view kScaledArchiveFileName = "res118-hd.pak";
