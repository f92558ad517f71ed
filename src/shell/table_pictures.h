#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "presentation/bitmap_font.h"
#include "shell/scaled_picture_reader.h"

class Display;

// The pictures and fonts the table is drawn with, at the scale the window calls for. The scale is
// chosen here, outside the loop's frame: from the window's output size, or the one the command line
// fixes. Scale 1 comes from the archive in memory; the pictures for scales above 1 come from the
// second archive, read through ScaledPictureFilter. When it cannot be read or its pictures do not fit,
// the game says so once on standard error and draws at scale 1 from then on.
//
// A new scale above 1 that the window calls for is read and decoded on a thread of its own
// (ScaledPictureReader) while the table goes on showing at the scale it has; FollowWindow switches once
// the pictures are ready, and `wake` (called on that thread) ends the loop's wait for it.
class TablePictures {
public:
    // `language` is the run's language ("" for English), whose pictures with words and the fonts' extra
    // glyphs come from the language archive at `languageArchivePath`.
    TablePictures(Display& display, const ResourceSet& resources, GameState& state,
                  std::string scaledArchivePath, std::optional<int32_t> fixedScale, std::string language = {},
                  std::string languageArchivePath = {}, std::function<void()> wake = {});

    // Starts reading the pictures of the scale the window calls for, when above 1 (before the first
    // frame, which is drawn at scale 1 meanwhile), or takes over `early`, a reading started before the
    // display (see ReadPicturesEarly).
    void ReadAhead(std::unique_ptr<ScaledPictureReader> early = {});
    // Loads every picture and font at the scale; at a scale above 1 that cannot be had, says why once
    // and loads them at scale 1.
    void LoadAt(int32_t scale);
    // Loads them again at the display's scale (a lost display made anew).
    void Reload();
    // Loads them at the scale the window's size now calls for, when that differs from the display's:
    // at once for scale 1, and for a larger scale once its pictures have been read in the background
    // (this call starts the reading and never waits for it). True when the scale changed (everything
    // is to be drawn anew).
    bool FollowWindow();

    // The fonts on the loaded pictures (drawing sets a font's position and measured width).
    GameFonts& Fonts() { return fonts_; }

    // The game's release order at its end: background, cursor, the fonts, card back, card faces, score
    // page, the banner font.
    void ReleaseInGameOrder();

private:
    int32_t WantedScale() const;
    ScaledPictureRequest RequestFor(int32_t scale) const;
    // Loads at `scale`, from `ready` when the pictures were read ahead.
    void LoadScale(int32_t scale, ScaledPictures* ready);
    void StartReading(int32_t scale);
    const ResourceSet* ScaledResources(int32_t scale);
    void GiveUpScaling(const std::string& why);
    void LoadLanguage(ScaledPictures* ready);

    Display& display_;
    const ResourceSet& resources_;
    GameState& state_;
    std::string scaledArchivePath_;
    std::optional<int32_t> fixedScale_;
    std::optional<ResourceSet> scaledResources_;  // one scale's pictures, read when first needed
    int32_t scaledResourcesScale_ = 0;
    bool scalingGivenUp_ = false;
    std::string language_;
    std::string languageArchivePath_;
    std::optional<ResourceSet> languageResources_;  // one scale's extra glyphs and translated pictures
    int32_t languageResourcesScale_ = 0;
    bool languageTroubleTold_ = false;
    GameFonts fonts_;
    std::function<void()> wake_;
    std::unique_ptr<ScaledPictureReader> reader_;  // the scale being read in the background, if any
};

// The reading of the pictures at `scale` for the state's deck, started before the display exists (the
// game knows the scale without it when the command line fixes it or the window's size is remembered);
// TablePictures::ReadAhead takes it over. `wake` as for TablePictures.
std::unique_ptr<ScaledPictureReader> ReadPicturesEarly(int32_t scale, const GameState& state,
                                                       const std::string& scaledArchivePath,
                                                       const std::string& language,
                                                       const std::string& languageArchivePath,
                                                       std::function<void()> wake);
