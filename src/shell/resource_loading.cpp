#include "shell/resource_loading.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "archive/format_checks.h"
#include "archive/pak_archive.h"
#include "cards/card_tables.h"
#include "i18n/translation.h"
#include "platform/display.h"
#include "platform/mixer_sound.h"
#include "platform/setup_error.h"
#include "presentation/play_aid_pictures.h"
#include "shell/scaled_picture_reader.h"

namespace {

constexpr const char* kPictureProcedure = "CreateSurfaceFromFile";
constexpr const char* kFontProcedure = "clsDXBitmapFont.CreateSpriteFromFile";

// The path of a resource as the game names it, for messages: "res\Roya2\S_cardback.bmp".
std::string GamePath(ResourceFolder folder, const std::string& fileName) {
    return "res\\" + std::string(FolderName(folder)) + "\\" + fileName;
}

// The width and height a picture's header declares; none when the header is not readable.
std::optional<std::pair<int32_t, int32_t>> DeclaredSize(const std::vector<uint8_t>& bytes,
                                                        PictureFormat format) {
    if (format == PictureFormat::Jpeg) {
        if (const std::optional<JpegInfo> info = ReadJpegInfo(bytes)) {
            return std::pair{info->width, info->height};
        }
    } else if (format == PictureFormat::Png) {
        if (const std::optional<PngInfo> info = ReadPngInfo(bytes)) {
            return std::pair{info->width, info->height};
        }
    } else if (const std::optional<BmpInfo> info = ReadBmpInfo(bytes)) {
        return std::pair{info->width, info->height};
    }
    return std::nullopt;
}

class PictureLoader {
public:
    PictureLoader(Display& display, const ResourceSet& resources, const ResourceSet* scaled,
                  DecodedPictures* decoded)
        : display_(display),
          resources_(resources),
          scaled_(scaled),
          decoded_(decoded),
          scale_(display.Scale()) {
        if (scale_ > 1 && scaled_ == nullptr) {
            throw ScaledPicturesError("no pictures for scale " + std::to_string(scale_));
        }
    }

    void Load(PictureId id, ResourceFolder folder, const std::string& fileName, bool keyed,
              const char* procedure = kPictureProcedure) {
        const std::vector<uint8_t>* bytes = resources_.Find(folder, fileName);
        if (bytes == nullptr) {
            throw SetupError(procedure, kErrorFileNotFound,
                             FillText(Tr("File not found: {path}"), {{"path", GamePath(folder, fileName)}}));
        }
        if (scale_ > 1) {
            LoadScaled(id, folder, fileName, *bytes, keyed);
            return;
        }
        try {
            display_.LoadPicture(id, *bytes, PictureFormatOfName(fileName), keyed);
        } catch (const PictureError& e) {
            throw SetupError(procedure, kErrorInvalidPicture,
                             FillText(Tr("Invalid picture: {path}: {reason}"),
                                      {{"path", GamePath(folder, fileName)}, {"reason", e.what()}}));
        }
    }

private:
    // The same picture drawn at the display's scale; its header must declare exactly scale times the
    // size of the picture it stands in for, so every unit of the table stays where it is.
    void LoadScaled(PictureId id, ResourceFolder folder, const std::string& fileName,
                    const std::vector<uint8_t>& original, bool keyed) {
        const std::string name = ScaledPictureName(fileName, scale_);
        const std::vector<uint8_t>* bytes = scaled_->Find(folder, name);
        if (bytes == nullptr) {
            throw ScaledPicturesError(GamePath(folder, name) + " is missing");
        }
        const PictureFormat format = PictureFormatOfName(name);
        const auto size = DeclaredSize(original, PictureFormatOfName(fileName));
        const auto scaledSize = DeclaredSize(*bytes, format);
        if (!size || !scaledSize || scaledSize->first != size->first * scale_ ||
            scaledSize->second != size->second * scale_) {
            throw ScaledPicturesError(GamePath(folder, name) + " is not " + std::to_string(scale_) +
                                      " times the size of " + fileName);
        }
        try {
            std::optional<SharedPixels> pixels =
                decoded_ != nullptr ? decoded_->Take(folder, name) : std::nullopt;
            if (pixels) {
                display_.SetPicturePixels(id, std::move(*pixels), keyed);
            } else {
                display_.LoadPicture(id, *bytes, format, keyed);
            }
        } catch (const PictureError& e) {
            throw ScaledPicturesError(GamePath(folder, name) + ": " + e.what());
        }
    }

    Display& display_;
    const ResourceSet& resources_;
    const ResourceSet* scaled_;
    DecodedPictures* decoded_;
    int32_t scale_;
};

}  // namespace

void LoadSounds(MixerSound& sound, const ResourceSet& resources) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        if (const std::vector<uint8_t>* bytes =
                resources.Find(ResourceFolder::Sounds, SoundFileName(effect))) {
            sound.LoadWave(effect, *bytes);
        }
    }
}

void LoadSoundFromArchive(MixerSound& sound, const std::string& archivePath, SoundEffect effect) {
    const std::string name = SoundFileName(effect);
    try {
        const ResourceSet archive =
            ResourceSet::FromFile(archivePath, [&](ResourceFolder folder, std::string_view file) {
                return folder == ResourceFolder::Sounds && LowerAscii(file) == LowerAscii(name);
            });
        if (const std::vector<uint8_t>* bytes = archive.Find(ResourceFolder::Sounds, name)) {
            sound.LoadWave(effect, *bytes);
        }
    } catch (const PakError&) {
    }
}

GameFonts LoadBitmaps(Display& display, const ResourceSet& resources, GameState& state,
                      const ResourceSet* scaled, DecodedPictures* decoded) {
    PictureLoader loader(display, resources, scaled, decoded);

    // The background is the archive's one JPEG; an archive with a bitmap in its place works too.
    if (resources.Find(ResourceFolder::Bitmaps, "Back_800x600.jpg") != nullptr) {
        loader.Load(PictureId::Background, ResourceFolder::Bitmaps, "Back_800x600.jpg", false);
    } else {
        loader.Load(PictureId::Background, ResourceFolder::Bitmaps, "Back_800x600.bmp", false);
    }

    const std::optional<ResourceFolder> deck = DeckFolder(state.Options.DeckName);
    if (!deck) {
        throw SetupError(kPictureProcedure, kErrorFileNotFound,
                         FillText(Tr("File not found: no card pictures for the deck \"{deck}\""),
                                  {{"deck", state.Options.DeckName}}));
    }
    state.Layout.CardHeight = 153;
    loader.Load(PictureId::CardBack, *deck, "S_cardback.bmp", true);

    InitCardTables(state);
    for (int card = 0; card < kCards; ++card) {
        loader.Load(CardFacePicture(card), *deck, state.CardImageName[static_cast<size_t>(card)], true);
    }
    for (int contract = 1; contract <= 5; ++contract) {
        loader.Load(AnnouncementPicture(contract), ResourceFolder::Numbers,
                    state.ContractImageName[static_cast<size_t>(contract - 1)], true);
    }
    for (int contract = 1; contract <= 5; ++contract) {
        loader.Load(ButtonPicture(contract), ResourceFolder::Numbers,
                    state.ContractImageName2[static_cast<size_t>(contract - 1)], true);
    }
    loader.Load(PictureId::PassPicture, ResourceFolder::Numbers, state.PassImageName, true);
    loader.Load(PictureId::ScorePage, ResourceFolder::Bitmaps, "Scorepage_800x600.bmp", true);
    loader.Load(PictureId::LineHorz1, ResourceFolder::Bitmaps, "line_horz.bmp", true);
    loader.Load(PictureId::LineHorz2, ResourceFolder::Bitmaps, "line_horz.bmp", true);
    loader.Load(PictureId::FramePicture, *deck, "FrameBlue.bmp", true);
    loader.Load(PictureId::Cursor, ResourceFolder::Bitmaps, "mouse.bmp", true);

    loader.Load(PictureId::FontHandwriting, ResourceFolder::Fonts, "fntHandParker.bmp", true, kFontProcedure);
    loader.Load(PictureId::FontDigit, ResourceFolder::Fonts, "fntDigit.bmp", true, kFontProcedure);
    loader.Load(PictureId::FontDeluxe, ResourceFolder::Fonts, "fntDeluxe.bmp", true, kFontProcedure);
    // The play aids' pictures are the program's own drawings, not the archive's.
    for (const auto& [id, picture] : PlayAidPictures(display.Scale())) {
        try {
            display.SetPicturePixels(id, picture.width, picture.height, picture.pixels, true);
        } catch (const PictureError& e) {
            throw SetupError(kPictureProcedure, kErrorInvalidPicture, e.what());
        }
    }
    try {
        return LoadFonts(display);
    } catch (const FontError& e) {
        throw SetupError(kFontProcedure, e.Number(), "the font pictures do not form a glyph grid");
    }
}
