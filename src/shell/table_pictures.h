#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "presentation/bitmap_font.h"

class Display;

// The pictures and fonts the table is drawn with, at the scale the window calls for. The scale is
// chosen here, outside the loop's frame: from the window's output size, or the one the command line
// fixes. Scale 1 comes from the archive in memory; the pictures for scales above 1 come from the
// second archive, read through ScaledPictureFilter the first time a scale is needed. When it cannot be
// read or its pictures do not fit, the game says so once on standard error and draws at scale 1 from
// then on.
class TablePictures {
public:
    // `language` is the run's language ("" for English), whose pictures with words and the fonts' extra
    // glyphs come from the language archive at `languageArchivePath`.
    TablePictures(Display& display, const ResourceSet& resources, GameState& state,
                  std::string scaledArchivePath, std::optional<int32_t> fixedScale, std::string language = {},
                  std::string languageArchivePath = {});

    // Loads every picture and font at the scale; at a scale above 1 that cannot be had, says why once
    // and loads them at scale 1.
    void LoadAt(int32_t scale);
    // Loads them again at the display's scale (a lost display made anew).
    void Reload();
    // Loads them at the scale the window's size now calls for, when that differs from the display's;
    // true then (everything is to be drawn anew).
    bool FollowWindow();

    // The fonts on the loaded pictures (drawing sets a font's position and measured width).
    GameFonts& Fonts() { return fonts_; }

    // The game's release order at its end: background, cursor, the fonts, card back, card faces, score
    // page, the banner font.
    void ReleaseInGameOrder();

private:
    int32_t WantedScale() const;
    const ResourceSet* ScaledResources(int32_t scale);
    void GiveUpScaling(const std::string& why);
    void LoadLanguage();

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
};
