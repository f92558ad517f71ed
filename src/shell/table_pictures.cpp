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
                             std::string language, std::string languageArchivePath)
    : display_(display),
      resources_(resources),
      state_(state),
      scaledArchivePath_(std::move(scaledArchivePath)),
      fixedScale_(fixedScale),
      language_(std::move(language)),
      languageArchivePath_(std::move(languageArchivePath)) {}

void TablePictures::LoadAt(int32_t scale) {
    const ResourceSet* scaled = scale > 1 ? ScaledResources(scale) : nullptr;
    if (scale > 1 && scaled == nullptr) {
        scale = 1;
    }
    display_.SetScale(scale);
    try {
        fonts_ = LoadBitmaps(display_, resources_, state_, scaled);
    } catch (const ScaledPicturesError& e) {
        GiveUpScaling(e.what());
        display_.SetScale(1);
        fonts_ = LoadBitmaps(display_, resources_, state_);
    }
    LoadLanguage();
}

void TablePictures::LoadLanguage() {
    // Without the language archive an English table is exactly what it always was; a translated one
    // keeps its English pictures and draws the letters it lacks as "?", and says so once.
    if (languageArchivePath_.empty()) {
        return;
    }
    const int32_t scale = display_.Scale();
    std::vector<std::string> problems;
    if (!languageResources_ || languageResourcesScale_ != scale) {
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
        problems = LoadLanguagePictures(display_, *languageResources_, language_, state_, fonts_);
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

bool TablePictures::FollowWindow() {
    const int32_t wanted = WantedScale();
    if (wanted == display_.Scale()) {
        return false;
    }
    LoadAt(wanted);
    return true;
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
        std::fprintf(stderr,
                     "zarn: the sharper pictures cannot be used (%s); the table is drawn at scale 1\n",
                     why.c_str());
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
