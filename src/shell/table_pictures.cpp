#include "shell/table_pictures.h"

#include <cstdio>
#include <utility>

#include "archive/pak_archive.h"
#include "i18n/translation.h"
#include "platform/display.h"
#include "platform/letterbox.h"
#include "shell/language_pictures.h"
#include "shell/resource_loading.h"

TablePictures::TablePictures(Display& display, const ResourceSet& resources, GameState& state,
                             std::string scaledArchivePath, std::optional<int32_t> fixedScale,
                             std::string language, std::string languageArchivePath,
                             std::function<void()> wake)
    : display_(display),
      resources_(resources),
      state_(state),
      scaledArchivePath_(std::move(scaledArchivePath)),
      fixedScale_(fixedScale),
      language_(std::move(language)),
      languageArchivePath_(std::move(languageArchivePath)),
      wake_(std::move(wake)) {}

void TablePictures::LoadAt(int32_t scale) {
    LoadScale(scale, nullptr);
}

void TablePictures::LoadScale(int32_t scale, ScaledPictures* ready) {
    const ResourceSet* scaled = nullptr;
    if (scale > 1 && ready != nullptr) {
        // The set read ahead stands in for the one ScaledResources would read now.
        scaledResources_ = std::move(ready->scaled);
        scaledResourcesScale_ = scale;
        if (scaledResources_) {
            scaled = &*scaledResources_;
        } else {
            GiveUpScaling(ready->scaledTrouble);
        }
    } else if (scale > 1) {
        scaled = ScaledResources(scale);
    }
    if (scaled == nullptr) {
        scale = 1;
    }
    DecodedPictures* decoded = scaled != nullptr && ready != nullptr ? &ready->decoded : nullptr;
    display_.SetScale(scale);
    try {
        fonts_ = LoadBitmaps(display_, resources_, state_, scaled, decoded);
    } catch (const ScaledPicturesError& e) {
        GiveUpScaling(e.what());
        display_.SetScale(1);
        fonts_ = LoadBitmaps(display_, resources_, state_);
    }
    LoadLanguage(display_.Scale() == scale && scale > 1 ? ready : nullptr);
}

void TablePictures::LoadLanguage(ScaledPictures* ready) {
    // Without the language archive an English table is exactly what it always was; a translated one
    // keeps its English pictures and draws the letters it lacks as "?", and says so once.
    if (languageArchivePath_.empty()) {
        return;
    }
    const int32_t scale = display_.Scale();
    std::vector<std::string> problems;
    if (ready != nullptr) {
        languageResources_ = std::move(ready->language);
        languageResourcesScale_ = scale;
        if (!languageResources_ && !language_.empty()) {
            problems.push_back(ready->languageTrouble);
        }
    } else if (!languageResources_ || languageResourcesScale_ != scale) {
        languageResources_.reset();
        try {
            languageResources_ = ReadLanguageArchive(languageArchivePath_, language_, scale);
            languageResourcesScale_ = scale;
        } catch (const PakError& e) {
            if (!language_.empty()) {
                problems.emplace_back(e.what());
            }
        }
    }
    if (languageResources_) {
        problems = LoadLanguagePictures(display_, *languageResources_, language_, state_, fonts_,
                                        ready != nullptr ? &ready->decoded : nullptr);
    }
    if (!problems.empty() && !languageTroubleTold_) {
        languageTroubleTold_ = true;
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "%s\n",
                         FillText(Tr("zarn: the pictures of the player's language are incomplete: {problem}"),
                                  {{"problem", problem}})
                             .c_str());
        }
    }
}

void TablePictures::Reload() {
    LoadAt(display_.Scale());
}

void TablePictures::ReadAhead(std::unique_ptr<ScaledPictureReader> early) {
    // A reading started early is kept even when the window's size is not yet what it will be: the
    // first FollowWindow decides.
    if (early) {
        reader_ = std::move(early);
        return;
    }
    const int32_t wanted = WantedScale();
    if (wanted > 1) {
        StartReading(wanted);
    }
}

bool TablePictures::FollowWindow() {
    const int32_t wanted = WantedScale();
    if (wanted == display_.Scale()) {
        reader_.reset();
        return false;
    }
    if (wanted == 1) {
        reader_.reset();
        LoadAt(1);
        return true;
    }
    if (!reader_ || reader_->Scale() != wanted) {
        StartReading(wanted);
    }
    std::optional<ScaledPictures> ready = reader_->Take();
    if (!ready) {
        return false;
    }
    reader_.reset();
    LoadScale(wanted, &*ready);
    return true;
}

void TablePictures::StartReading(int32_t scale) {
    // One reading at a time: a reading for another scale is stopped first.
    reader_.reset();
    reader_ = std::make_unique<ScaledPictureReader>(RequestFor(scale), wake_);
}

ScaledPictureRequest TablePictures::RequestFor(int32_t scale) const {
    return {.scale = scale,
            .deck = DeckFolder(state_.Options.DeckName),
            .scaledArchivePath = scaledArchivePath_,
            .language = language_,
            .languageArchivePath = languageArchivePath_};
}

std::unique_ptr<ScaledPictureReader> ReadPicturesEarly(int32_t scale, const GameState& state,
                                                       const std::string& scaledArchivePath,
                                                       const std::string& language,
                                                       const std::string& languageArchivePath,
                                                       std::function<void()> wake) {
    return std::make_unique<ScaledPictureReader>(
        ScaledPictureRequest{.scale = scale,
                             .deck = DeckFolder(state.Options.DeckName),
                             .scaledArchivePath = scaledArchivePath,
                             .language = language,
                             .languageArchivePath = languageArchivePath},
        std::move(wake));
}

int32_t TablePictures::WantedScale() const {
    if (scalingGivenUp_) {
        return 1;
    }
    if (fixedScale_) {
        return *fixedScale_;
    }
    int width = 0;
    int height = 0;
    display_.OutputSize(width, height);
    return ScaleForOutput(width, height);
}

const ResourceSet* TablePictures::ScaledResources(int32_t scale) {
    if (!scaledResources_ || scaledResourcesScale_ != scale) {
        scaledResources_.reset();
        try {
            scaledResources_ = ResourceSet::FromFile(
                scaledArchivePath_, ScaledPictureFilter(scale, DeckFolder(state_.Options.DeckName)));
            scaledResourcesScale_ = scale;
        } catch (const PakError& e) {
            GiveUpScaling(e.what());
            return nullptr;
        }
    }
    return &*scaledResources_;
}

void TablePictures::GiveUpScaling(const std::string& why) {
    if (!scalingGivenUp_) {
        std::fprintf(stderr, "%s\n",
                     FillText(Tr("zarn: the sharper pictures cannot be used ({reason}); the table is drawn "
                                 "at scale 1"),
                              {{"reason", why}})
                         .c_str());
    }
    scalingGivenUp_ = true;
    scaledResources_.reset();
}

void TablePictures::ReleaseInGameOrder() {
    display_.ReleasePicture(PictureId::Background);
    display_.ReleasePicture(PictureId::Cursor);
    fonts_ = GameFonts{};
    display_.ReleasePicture(PictureId::FontHandwriting);
    display_.ReleasePicture(PictureId::FontDigit);
    display_.ReleasePicture(PictureId::CardBack);
    for (int card = 0; card < kCards; ++card) {
        display_.ReleasePicture(CardFacePicture(card));
    }
    display_.ReleasePicture(PictureId::ScorePage);
    display_.ReleasePicture(PictureId::FontDeluxe);
    display_.ReleasePicture(PictureId::FontHandwritingExtra);
    display_.ReleasePicture(PictureId::FontDigitExtra);
    display_.ReleasePicture(PictureId::FontDeluxeExtra);
}
