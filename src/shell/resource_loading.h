#pragma once

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "presentation/bitmap_font.h"

class Display;
class MixerSound;

// Loads the ten effects from the archive's sound folder, in the game's order. An effect that is
// missing or not a readable WAV stays silent; sound is never a reason to stop the game.
void LoadSounds(MixerSound& sound, const ResourceSet& resources);

// Loads every picture the game draws, in the game's order (background, card back, the 52 faces, both
// contract picture sets, pass picture, score page, both lines, frame, cursor, then the three font
// pictures, then the play aids' own pictures), and makes the fonts on them. Fills the card picture names
// first (InitCardTables). Called at start and again after a lost display.
//
// Throws SetupError: "CreateSurfaceFromFile" for a missing or unreadable picture, and
// "clsDXBitmapFont.CreateSpriteFromFile" for a font picture.
GameFonts LoadBitmaps(Display& display, const ResourceSet& resources, GameState& state);
