#include "archive_assembly.h"

#include <memory>

#include "archive/resource_set.h"
#include "card_backs.h"
#include "card_faces.h"
#include "cards/card_tables.h"
#include "cards/game_state.h"
#include "contract_pictures.h"
#include "deck_styles.h"
#include "font_sheets.h"
#include "image_io.h"
#include "sound_synthesis.h"
#include "table_pictures.h"

namespace {

const std::string kBitmaps = "Xitmaps_";
const std::string kNumbers = "Xumbers_";
const std::string kFonts = "XntFonts_";
const std::string kSounds = "Xounds_";

// The background is the one JPEG picture; its quality is fixed so the bytes never change.
constexpr int kBackgroundQuality = 90;

// Adds pictures drawn at one scale, under their scaled names.
class PictureSink {
public:
    PictureSink(GeneratedAssets& out, int scale, bool keepPictures)
        : out_(out), scale_(scale), keepPictures_(keepPictures) {}

    // The larger pictures are stored compressed (PNG of the display's own 16-bit colours, under the
    // ".png" name ScaledPictureName gives): a small install and little to read.
    void AddBmp(const std::string& name, const QImage& picture) {
        Add(name, scale_ == 1 ? BmpBytes(picture) : Png565Bytes(picture), picture);
    }

    void AddJpeg(const std::string& name, const QImage& picture, int quality) {
        Add(name, JpegBytes(picture, quality), picture);
    }

private:
    void Add(const std::string& name, std::vector<uint8_t> bytes, const QImage& picture) {
        const std::string scaled = ScaledPictureName(name, scale_);
        out_.entries.push_back({scaled, std::move(bytes)});
        if (keepPictures_) {
            out_.pictures.emplace_back(scaled, picture);
        }
    }

    GeneratedAssets& out_;
    int scale_;
    bool keepPictures_;
};

void AddDeck(PictureSink& sink, const DeckStyle& style, const GameState& names, int scale) {
    const std::string prefix = style.prefix.toStdString();
    for (int id = 0; id < kCards; ++id) {
        const int rank = id / 4 + 1;
        const auto suit = static_cast<PipSuit>(id % 4);
        sink.AddBmp(prefix + names.CardImageName[static_cast<size_t>(id)],
                    DrawCardFace(rank, suit, style, scale));
    }
    sink.AddBmp(prefix + "S_cardback.bmp", DrawCardBack(style, scale));
    sink.AddBmp(prefix + "FrameBlue.bmp", DrawCardFrame(style, scale));
}

// Every picture the game loads, drawn at `scale`, in the archive's order.
void AddPictures(PictureSink& sink, const AssetFonts& fonts, const GameState& names, int scale) {
    sink.AddJpeg(kBitmaps + "Back_800x600.jpg", DrawFeltTable(scale), kBackgroundQuality);
    sink.AddBmp(kBitmaps + "Scorepage_800x600.bmp", DrawScorePage(fonts, scale));
    sink.AddBmp(kBitmaps + "line_horz.bmp", DrawRulingLine(scale));
    sink.AddBmp(kBitmaps + "mouse.bmp", DrawMouseCursor(scale));

    for (int contract = 1; contract <= 5; ++contract) {
        sink.AddBmp(kNumbers + names.ContractImageName[static_cast<size_t>(contract - 1)],
                    DrawContractPicture(contract, fonts, scale));
    }
    sink.AddBmp(kNumbers + names.PassImageName, DrawPassPicture(fonts, scale));

    AddDeck(sink, Roya2Style(fonts), names, scale);
    AddDeck(sink, RoyalStyle(fonts), names, scale);

    sink.AddBmp(kFonts + "fntHandParker.bmp", DrawFontSheet(FontFace::Handwriting, fonts, scale));
    sink.AddBmp(kFonts + "fntDigit.bmp", DrawFontSheet(FontFace::Digits, fonts, scale));
    sink.AddBmp(kFonts + "fntDeluxe.bmp", DrawFontSheet(FontFace::Deluxe, fonts, scale));
}

PakInput Marker(const std::string& name) {
    const std::string note = "Zarn resources, drawn and synthesised by zarn-assetgen\n";
    return {name, std::vector<uint8_t>(note.begin(), note.end())};
}

}  // namespace

GeneratedAssets GenerateAssets(const AssetFonts& fonts) {
    GeneratedAssets out;
    // The picture names come from the game's own tables, so the two can never disagree.
    auto names = std::make_unique<GameState>();
    InitCardTables(*names);

    out.entries.push_back(Marker("dumm118_zarn"));
    PictureSink sink(out, 1, true);
    AddPictures(sink, fonts, *names, 1);
    for (const NamedSound& sound : SynthesiseSounds()) {
        out.entries.push_back({kSounds + sound.fileName, WavBytes(sound.sound)});
    }
    out.entries.push_back(Marker("dummy2_zarn"));
    return out;
}

GeneratedAssets GenerateHdAssets(const AssetFonts& fonts, bool keepPictures) {
    GeneratedAssets out;
    auto names = std::make_unique<GameState>();
    InitCardTables(*names);

    out.entries.push_back(Marker("dumm118_zarn"));
    for (int scale : {2, 3}) {
        PictureSink sink(out, scale, keepPictures);
        AddPictures(sink, fonts, *names, scale);
    }
    const NamedSound cue = SynthesiseTurnCue();
    out.entries.push_back({kSounds + cue.fileName, WavBytes(cue.sound)});
    out.entries.push_back(Marker("dummy2_zarn"));
    return out;
}
