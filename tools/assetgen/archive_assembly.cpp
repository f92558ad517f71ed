#include "archive_assembly.h"

#include <memory>

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

void AddBmp(GeneratedAssets& out, const std::string& name, const QImage& picture) {
    out.entries.push_back({name, BmpBytes(picture)});
    out.pictures.emplace_back(name, picture);
}

void AddDeck(GeneratedAssets& out, const DeckStyle& style, const GameState& names) {
    const std::string prefix = style.prefix.toStdString();
    for (int id = 0; id < kCards; ++id) {
        const int rank = id / 4 + 1;
        const auto suit = static_cast<PipSuit>(id % 4);
        AddBmp(out, prefix + names.CardImageName[static_cast<size_t>(id)], DrawCardFace(rank, suit, style));
    }
    AddBmp(out, prefix + "S_cardback.bmp", DrawCardBack(style));
    AddBmp(out, prefix + "FrameBlue.bmp", DrawCardFrame(style));
}

}  // namespace

GeneratedAssets GenerateAssets(const AssetFonts& fonts) {
    GeneratedAssets out;
    // The picture names come from the game's own tables, so the two can never disagree.
    auto names = std::make_unique<GameState>();
    InitCardTables(*names);

    const std::string note = "Zarn resources, drawn and synthesised by zarn-assetgen\n";
    out.entries.push_back({"dumm118_zarn", std::vector<uint8_t>(note.begin(), note.end())});

    const QImage felt = DrawFeltTable();
    out.entries.push_back({kBitmaps + "Back_800x600.jpg", JpegBytes(felt, kBackgroundQuality)});
    out.pictures.emplace_back(kBitmaps + "Back_800x600.jpg", felt);
    AddBmp(out, kBitmaps + "Scorepage_800x600.bmp", DrawScorePage(fonts));
    AddBmp(out, kBitmaps + "line_horz.bmp", DrawRulingLine());
    AddBmp(out, kBitmaps + "mouse.bmp", DrawMouseCursor());

    for (int contract = 1; contract <= 5; ++contract) {
        AddBmp(out, kNumbers + names->ContractImageName[static_cast<size_t>(contract - 1)],
               DrawContractPicture(contract, fonts));
    }
    AddBmp(out, kNumbers + names->PassImageName, DrawPassPicture(fonts));

    AddDeck(out, Roya2Style(fonts), *names);
    AddDeck(out, RoyalStyle(fonts), *names);

    AddBmp(out, kFonts + "fntHandParker.bmp", DrawFontSheet(FontFace::Handwriting, fonts));
    AddBmp(out, kFonts + "fntDigit.bmp", DrawFontSheet(FontFace::Digits, fonts));
    AddBmp(out, kFonts + "fntDeluxe.bmp", DrawFontSheet(FontFace::Deluxe, fonts));

    for (const NamedSound& sound : SynthesiseSounds()) {
        out.entries.push_back({kSounds + sound.fileName, WavBytes(sound.sound)});
    }

    out.entries.push_back({"dummy2_zarn", std::vector<uint8_t>(note.begin(), note.end())});
    return out;
}
