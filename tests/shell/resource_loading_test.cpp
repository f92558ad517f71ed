#include "shell/resource_loading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "archive/language_archive.h"
#include "archive/pak_archive.h"
#include "archive/pak_writer.h"
#include "cards/card_tables.h"
#include "i18n/language.h"
#include "platform/display.h"
#include "platform/mixer_sound.h"
#include "platform/sdl_library.h"
#include "platform/setup_error.h"
#include "presentation/blt_surface.h"
#include "shell/language_pictures.h"
#include "shell/scaled_picture_reader.h"
#include "test_media.h"

namespace {

std::vector<uint8_t> Picture(int width, int height, uint32_t colour) {
    return MakeBmp(width, height, [colour](int, int) { return colour; });
}

// A picture in the format its entry's name says: the second archive's bitmaps are PNG.
std::vector<uint8_t> PictureNamed(const std::string& name, int width, int height, uint32_t colour) {
    if (name.ends_with(".png")) {
        return MakePng(width, height, [colour](int, int) { return colour; });
    }
    return Picture(width, height, colour);
}

// Every picture, font and sound the game loads, under the archive's prefixes; the two decks differ
// in their card size so a test can tell which one was loaded. At a scale above 1: the second archive,
// every picture that many times larger under its scaled name, and no sounds.
std::vector<PakInput> CompleteArchive(int k = 1) {
    GameState names;
    InitCardTables(names);
    std::vector<PakInput> entries;
    auto add = [&entries](std::string name, std::vector<uint8_t> data) {
        entries.push_back({std::move(name), std::move(data)});
    };
    auto picture = [&add, k](const std::string& prefix, const std::string& file, int width, int height,
                             uint32_t colour) {
        const std::string name = ScaledPictureName(file, k);
        add(prefix + name, PictureNamed(name, width * k, height * k, colour));
    };
    add("dumm118_marker", {1});
    picture("Xitmaps_", "Back_800x600.bmp", 8, 6, 0x006000);
    picture("Xitmaps_", "Scorepage_800x600.bmp", 20, 30, 0xFFFFF0);
    picture("Xitmaps_", "line_horz.bmp", 10, 2, 0x000000);
    picture("Xitmaps_", "mouse.bmp", 32, 32, 0xFFFFFF);
    for (const char* deck : {"Xoya2_", "Xoyal_"}) {
        const int width = std::string(deck) == "Xoya2_" ? 9 : 7;
        picture(deck, "S_cardback.bmp", width, 13, 0x0000A0);
        picture(deck, "FrameBlue.bmp", width, 13, 0x0000FF);
        for (int card = 0; card < kCards; ++card) {
            picture(deck, names.CardImageName[static_cast<size_t>(card)], width, 13, 0xFFFFFF);
        }
    }
    for (const std::string& contract : names.ContractImageName) {
        picture("Xumbers_", contract, 25, 5, 0xC0C000);
    }
    picture("Xumbers_", names.PassImageName, 25, 5, 0xC00000);
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        picture("XntFonts_", font, 380, 135, 0xFF00FF);
    }
    if (k == 1) {
        for (int i = 0; i < kSoundEffectCount; ++i) {
            add(std::string("Xounds_") + SoundFileName(static_cast<SoundEffect>(i)), MakeWav(100));
        }
    }
    add("dummy2_marker", {1});
    return entries;
}

ResourceSet SetOf(const std::vector<PakInput>& entries) {
    return ResourceSet::FromArchive(PakArchive::FromBytes(BuildPak(entries), "test.pak"));
}

std::vector<PakInput> Without(std::vector<PakInput> entries, const std::string& name) {
    entries.erase(
        std::remove_if(entries.begin(), entries.end(), [&](const PakInput& e) { return e.name == name; }),
        entries.end());
    return entries;
}

class ResourceLoadingTest : public ::testing::Test {
protected:
    SdlLibrary sdl;
    Display display{false, "zarn test"};
    GameState state;
};

TEST_F(ResourceLoadingTest, LoadsEveryPictureAndMakesTheFonts) {
    const ResourceSet resources = SetOf(CompleteArchive());
    const GameFonts fonts = LoadBitmaps(display, resources, state);
    for (int id = 0; id < static_cast<int>(PictureId::Count); ++id) {
        const auto picture = static_cast<PictureId>(id);
        if (id <= static_cast<int>(PictureId::FontDeluxe) ||
            id >= static_cast<int>(PictureId::FirstCardFace)) {
            EXPECT_TRUE(display.HasPicture(picture)) << "picture " << id;
        }
    }
    EXPECT_EQ(display.PictureRect(CardFacePicture(51)), (Rect32{0, 0, 9, 13}));
    EXPECT_EQ(display.PictureRect(PictureId::Cursor), (Rect32{0, 0, 32, 32}));
    EXPECT_TRUE(fonts.Digit.Created());
    EXPECT_TRUE(fonts.Text[10].Created());
    EXPECT_EQ(state.CardImageName[0].empty(), false);
    EXPECT_EQ(state.Layout.CardHeight, 153);
}

TEST_F(ResourceLoadingTest, RoyalDeckComesFromItsOwnFolder) {
    state.Options.DeckName = "Royal";
    LoadBitmaps(display, SetOf(CompleteArchive()), state);
    EXPECT_EQ(display.PictureRect(PictureId::CardBack), (Rect32{0, 0, 7, 13}));
    EXPECT_EQ(display.PictureRect(CardFacePicture(0)), (Rect32{0, 0, 7, 13}));
    EXPECT_EQ(display.PictureRect(PictureId::FramePicture), (Rect32{0, 0, 7, 13}));
}

struct MissingCase {
    const char* entry;
    const char* expectedStart;
};

TEST_F(ResourceLoadingTest, AMissingPictureEndsTheGameWithItsProcedure) {
    GameState names;
    InitCardTables(names);
    const MissingCase cases[] = {
        {"Xitmaps_mouse.bmp",
         "Error in function CreateSurfaceFromFile() \r\nError Number: 53\r\nFile not found"},
        {"Xitmaps_Back_800x600.bmp", "Error in function CreateSurfaceFromFile() \r\n"},
        {"Xoya2_S_cardback.bmp", "Error in function CreateSurfaceFromFile() \r\n"},
        {"Xumbers_pass.BMP", "Error in function CreateSurfaceFromFile() \r\n"},
        {"XntFonts_fntDigit.bmp",
         "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: 53"},
    };
    for (const MissingCase& c : cases) {
        const ResourceSet resources = SetOf(Without(CompleteArchive(), c.entry));
        try {
            LoadBitmaps(display, resources, state);
            ADD_FAILURE() << c.entry << " missing, yet everything loaded";
        } catch (const SetupError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.expectedStart, 0), 0u) << e.what();
        }
    }
    // A card face missing names the file.
    const std::string face = "Xoya2_" + names.CardImageName[17];
    try {
        LoadBitmaps(display, SetOf(Without(CompleteArchive(), face)), state);
        ADD_FAILURE() << "a card face is missing, yet everything loaded";
    } catch (const SetupError& e) {
        EXPECT_NE(std::string(e.what()).find(names.CardImageName[17]), std::string::npos) << e.what();
    }
}

TEST_F(ResourceLoadingTest, AnUnknownDeckHasNoPictures) {
    state.Options.DeckName = "Roya3";
    try {
        LoadBitmaps(display, SetOf(CompleteArchive()), state);
        ADD_FAILURE() << "a deck without pictures loaded";
    } catch (const SetupError& e) {
        EXPECT_EQ(e.Procedure(), "CreateSurfaceFromFile");
    }
}

TEST(ScaledPictureName, PutsTheScaleBeforeTheExtension) {
    EXPECT_EQ(ScaledPictureName("Back_800x600.jpg", 1), "Back_800x600.jpg");
    EXPECT_EQ(ScaledPictureName("Back_800x600.jpg", 3), "Back_800x600@3x.jpg");
    EXPECT_EQ(ScaledPictureName("pass.BMP", 2), "pass@2x.png") << "bitmaps are stored as PNG there";
    EXPECT_EQ(ScaledPictureName("fntDigit.bmp", 3), "fntDigit@3x.png");
    EXPECT_EQ(ScaledPictureName("noextension", 2), "noextension@2x");
}

// The filter for the second archive keeps exactly the names ScaledPictureName gives at its scale, and
// of the cards only the chosen deck's.
TEST(ScaledPictureFilter, KeepsOneScalesNamesOfOneDeck) {
    struct Case {
        ResourceFolder folder;
        std::string name;
        bool kept;
    };
    const std::vector<Case> cases = {
        {ResourceFolder::Bitmaps, ScaledPictureName("Back_800x600.jpg", 2), true},
        {ResourceFolder::Fonts, ScaledPictureName("fntDeluxe.bmp", 2), true},
        {ResourceFolder::Roya2, ScaledPictureName("S_cardback.bmp", 2), true},
        {ResourceFolder::Numbers, ScaledPictureName("noextension", 2), true},
        {ResourceFolder::Royal, ScaledPictureName("S_cardback.bmp", 2), false},  // the other deck
        {ResourceFolder::Bitmaps, ScaledPictureName("Back_800x600.jpg", 3), false},
        {ResourceFolder::Bitmaps, "Back_800x600.jpg", false},
        {ResourceFolder::Bitmaps, "Back@2x_800x600.jpg", false},  // the mark not before the extension
        {ResourceFolder::Bitmaps, "Back_800x600@12x.jpg", false},
    };
    const auto keep = ScaledPictureFilter(2, ResourceFolder::Roya2);
    for (const Case& c : cases) {
        EXPECT_EQ(keep(c.folder, c.name), c.kept) << FolderName(c.folder) << "/" << c.name;
    }
    // A deck the options do not know keeps no cards at all.
    EXPECT_FALSE(ScaledPictureFilter(2, std::nullopt)(ResourceFolder::Roya2, "S_cardback@2x.png"));
    EXPECT_TRUE(ScaledPictureFilter(2, std::nullopt)(ResourceFolder::Bitmaps, "mouse@2x.png"));
}

TEST_F(ResourceLoadingTest, AtALargerScaleEveryPictureComesFromTheSecondArchiveInTheSameUnits) {
    const ResourceSet resources = SetOf(CompleteArchive());
    for (int k : {2, 3}) {
        const ResourceSet scaled = SetOf(CompleteArchive(k));
        display.SetScale(k);
        const GameFonts fonts = LoadBitmaps(display, resources, state, &scaled);
        EXPECT_EQ(display.Scale(), k);
        EXPECT_EQ(display.PictureRect(CardFacePicture(51)), (Rect32{0, 0, 9, 13}));
        EXPECT_EQ(display.PictureRect(PictureId::Cursor), (Rect32{0, 0, 32, 32}));
        EXPECT_EQ(display.PictureRect(PictureId::HintMarker), (Rect32{0, 0, 17, 10}));
        EXPECT_TRUE(fonts.Deluxe.Created());
        // The pixels really are the larger picture's: the background's last pixel is felt green.
        BltSurface(display, Rect32{0, 0, 800, 600}, PictureId::Background, Rect32{}, 0, 0, false);
        EXPECT_NE(display.PixelAt(8 * k - 1, 6 * k - 1), 0) << "scale " << k;
    }
}

TEST_F(ResourceLoadingTest, ASecondArchiveThatDoesNotFitIsRefusedAsAWhole) {
    const ResourceSet resources = SetOf(CompleteArchive());
    GameState names;
    InitCardTables(names);
    const std::string face = "Xoya2_" + ScaledPictureName(names.CardImageName[7], 2);
    std::vector<PakInput> wrongSize = CompleteArchive(2);
    for (PakInput& entry : wrongSize) {
        if (entry.name == face) {
            entry.data = PictureNamed(face, 9 * 3, 13 * 3, 0xFFFFFF);  // drawn for another scale
        }
    }
    std::vector<PakInput> undecodable = CompleteArchive(2);
    for (PakInput& entry : undecodable) {
        if (entry.name == face) {
            entry.data.resize(entry.data.size() / 2);  // cut short
        }
    }
    const std::vector<std::vector<PakInput>> cases{Without(CompleteArchive(2), face), wrongSize};
    display.SetScale(2);
    for (const auto& entries : cases) {
        const ResourceSet scaled = SetOf(entries);
        EXPECT_THROW(LoadBitmaps(display, resources, state, &scaled), ScaledPicturesError);
    }
    EXPECT_THROW(LoadBitmaps(display, resources, state, nullptr), ScaledPicturesError);
    // A cut-short picture is refused by the archive's own checks before any decoder sees it.
    EXPECT_ANY_THROW(SetOf(undecodable));
}

TEST_F(ResourceLoadingTest, SoundsLoadAndAMissingOneStaysSilent) {
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    LoadSounds(*sound, SetOf(Without(CompleteArchive(), "Xounds_SIGN2.WAV")));
    EXPECT_TRUE(sound->HasEffect(SoundEffect::CardFlip1));
    EXPECT_TRUE(sound->HasEffect(SoundEffect::MatchLost));
    EXPECT_FALSE(sound->HasEffect(SoundEffect::Sign2));
}

}  // namespace

// The archive the build generates: every picture, font and sound passes the checks and the decoders,
// the JPEG background included, for both decks.
TEST_F(ResourceLoadingTest, TheGeneratedArchiveLoadsWhole) {
    PakArchive archive;
    archive.OpenQ2Pak(ZARN_ARCHIVE);
    const ResourceSet resources = ResourceSet::FromArchive(archive);
    for (const char* deck : {"Roya2", "Royal"}) {
        state.Options.DeckName = deck;
        LoadBitmaps(display, resources, state);
        EXPECT_EQ(display.PictureRect(PictureId::Background), (Rect32{0, 0, 800, 600})) << deck;
        EXPECT_EQ(display.PictureRect(CardFacePicture(0)), (Rect32{0, 0, 99, 153})) << deck;
        EXPECT_EQ(display.PictureRect(PictureId::Cursor), (Rect32{0, 0, 32, 32})) << deck;
        EXPECT_EQ(display.PictureRect(ButtonPicture(5)), (Rect32{0, 0, 256, 52})) << deck;
    }
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    LoadSounds(*sound, resources);
    // Spoken play's cue is kept in the second archive; the first one stays as it always was.
    EXPECT_FALSE(sound->HasEffect(SoundEffect::YourTurn));
    LoadSoundFromArchive(*sound, ZARN_SCALED_ARCHIVE, SoundEffect::YourTurn);
    for (int i = 0; i < kSoundEffectCount; ++i) {
        EXPECT_TRUE(sound->HasEffect(static_cast<SoundEffect>(i)))
            << SoundFileName(static_cast<SoundEffect>(i));
    }
}

// Spoken play's cue from an archive that is not there, or is no archive, is silence and no fault.
TEST_F(ResourceLoadingTest, TheCueFromAMissingOrDamagedArchiveStaysSilent) {
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    const std::string damaged = (std::filesystem::temp_directory_path() / "zarn-cue-damaged.pak").string();
    std::ofstream(damaged) << "PACK and then nothing that holds";
    for (const std::string& path : {std::string(), std::string("/nonexistent/res118-hd.pak"), damaged}) {
        LoadSoundFromArchive(*sound, path, SoundEffect::YourTurn);
        EXPECT_FALSE(sound->HasEffect(SoundEffect::YourTurn)) << path;
    }
    std::filesystem::remove(damaged);
}

// The language archive's part for "pl" at scale k: every face's extra sheet (twelve rows of cells), the
// first contract picture in blue, and a pass sign of the wrong size.
std::vector<PakInput> LanguageArchive(int k) {
    GameState names;
    InitCardTables(names);
    std::vector<PakInput> entries{{"dumm118_marker", {1}}};
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        entries.push_back({"XntFonts_" + ExtraGlyphSheetName(font, k), MakePng(380 * k, 324 * k, 0x00FF00)});
    }
    entries.push_back({"Xumbers_" + TranslatedPictureName(names.ContractImageName[0], "pl", k),
                       MakePng(25 * k, 5 * k, 0x0000FF)});
    entries.push_back(
        {"Xumbers_" + TranslatedPictureName(names.PassImageName, "pl", k), MakePng(24 * k, 5 * k, 0x0000FF)});
    entries.push_back({"dummy2_marker", {1}});
    return entries;
}

// The colour of a picture's top left pixel, copied to the back buffer's corner.
uint16_t CornerOf(Display& display, PictureId picture) {
    BltSurface(display, Rect32{0, 0, 800, 600}, picture, Rect32{}, 0, 0, false);
    return display.PixelAt(0, 0);
}

TEST_F(ResourceLoadingTest, ALanguagesPicturesStandInForTheEnglishOnesAndTheFontsGetTheirExtraSheets) {
    const ResourceSet resources = SetOf(CompleteArchive());
    for (int k : {1, 2}) {
        const ResourceSet scaled = SetOf(CompleteArchive(k));
        display.SetScale(k);
        GameFonts fonts = LoadBitmaps(display, resources, state, k > 1 ? &scaled : nullptr);
        const ResourceSet language = ResourceSet::FromArchive(
            PakArchive::FromBytes(BuildPak(LanguageArchive(k)), "lang.pak"), LanguageArchiveFilter("pl", k));
        const std::vector<std::string> problems = LoadLanguagePictures(display, language, "pl", state, fonts);
        ASSERT_EQ(problems.size(), 1u) << "scale " << k;
        EXPECT_NE(problems[0].find("pass.pl"), std::string::npos) << problems[0];
        for (const BitmapFont* font : {&fonts.Handwriting, &fonts.Digit, &fonts.Deluxe, &fonts.Text[10]}) {
            EXPECT_TRUE(font->HasExtraGlyphs()) << "scale " << k;
        }
        // The translated picture serves as the announcement and the button; a picture that does not
        // fit leaves the English one, as does a picture the language does not have.
        EXPECT_EQ(CornerOf(display, AnnouncementPicture(1)), 0x001F) << "scale " << k;
        EXPECT_EQ(CornerOf(display, ButtonPicture(1)), 0x001F) << "scale " << k;
        EXPECT_EQ(CornerOf(display, ButtonPicture(2)), 0xC600) << "scale " << k;
        EXPECT_EQ(CornerOf(display, PictureId::PassPicture), 0xC000) << "scale " << k;
        EXPECT_EQ(display.PictureRect(AnnouncementPicture(1)), (Rect32{0, 0, 25, 5}));
    }
}

TEST_F(ResourceLoadingTest, WithoutTheLanguageArchiveTheGameKeepsItsEnglishPicturesAndFonts) {
    GameFonts fonts = LoadBitmaps(display, SetOf(CompleteArchive()), state);
    const std::vector<std::string> problems =
        LoadLanguagePictures(display, ResourceSet{}, "pl", state, fonts);
    EXPECT_EQ(problems.size(), 3u);  // the three extra sheets
    EXPECT_FALSE(fonts.Deluxe.HasExtraGlyphs());
    EXPECT_FALSE(display.HasPicture(PictureId::FontDeluxeExtra));
    EXPECT_EQ(CornerOf(display, AnnouncementPicture(1)), 0xC600);
}

TEST_F(ResourceLoadingTest, TheGeneratedLanguageArchiveLoadsForEveryLanguageItHolds) {
    GameFonts fonts = LoadBitmaps(display, ResourceSet::FromFile(ZARN_ARCHIVE), state);
    const std::vector<std::string> sheetProblems =
        LoadLanguagePictures(display, ReadLanguageArchive(ZARN_LANGUAGE_ARCHIVE, "", 1), "", state, fonts);
    EXPECT_TRUE(sheetProblems.empty()) << sheetProblems.front();
    EXPECT_TRUE(fonts.Handwriting.HasExtraGlyphs() && fonts.Digit.HasExtraGlyphs() &&
                fonts.Deluxe.HasExtraGlyphs());
    // Each language the build had a catalogue for: its pictures are whole and of the English sizes.
    const std::vector<std::string> held =
        ResourceSet::FromFile(ZARN_LANGUAGE_ARCHIVE).FileNames(ResourceFolder::Numbers);
    for (const ShippedLanguage& language : ShippedLanguages()) {
        const std::string tricks = TranslatedPictureName(state.ContractImageName[0], language.code, 1);
        if (std::find(held.begin(), held.end(), tricks) == held.end()) {
            continue;
        }
        const std::vector<std::string> problems =
            LoadLanguagePictures(display, ReadLanguageArchive(ZARN_LANGUAGE_ARCHIVE, language.code, 1),
                                 language.code, state, fonts);
        EXPECT_TRUE(problems.empty()) << language.code << ": " << problems.front();
        EXPECT_EQ(display.PictureRect(ButtonPicture(1)), (Rect32{0, 0, 256, 52})) << language.code;
    }
}

namespace {

// How many of a picture's pixels differ from the display's own decoding of the same bytes (copied whole
// to the back buffer's corner; the display copies in its own pixels).
int64_t PixelsUnlikeTheDisplays(Display& display, const std::vector<uint8_t>& bytes, PictureFormat format,
                                const SharedPixels& decoded) {
    display.LoadPicture(PictureId::Background, bytes, format, false);
    display.CopyRect(PictureId::Background, Rect32{0, 0, decoded.width, decoded.height}, 0, 0, false);
    int64_t unlike = 0;
    for (int32_t y = 0; y < decoded.height; ++y) {
        for (int32_t x = 0; x < decoded.width; ++x) {
            unlike += display.PixelAt(x, y) != decoded.pixels.get()[y * decoded.width + x] ? 1 : 0;
        }
    }
    return unlike;
}

}  // namespace

// The pictures read ahead for the sharp frame are the very pixels the display decodes from the same
// bytes, every picture of the default deck at scale 3 (the JPEG background among them) and the language
// archive's at that scale; and they load as the pictures decoded on the spot do.
TEST_F(ResourceLoadingTest, PicturesReadAheadAreTheDisplaysOwnPixelsAndLoadTheSame) {
    constexpr int32_t k = 3;
    ScaledPictures pictures = ReadScaledPictures({.scale = k,
                                                  .deck = ResourceFolder::Roya2,
                                                  .scaledArchivePath = ZARN_SCALED_ARCHIVE,
                                                  .language = "de",
                                                  .languageArchivePath = ZARN_LANGUAGE_ARCHIVE});
    ASSERT_TRUE(pictures.scaled) << pictures.scaledTrouble;
    ASSERT_TRUE(pictures.language) << pictures.languageTrouble;
    display.SetScale(k);
    const size_t decoded = pictures.decoded.size();
    size_t compared = 0;
    for (const ResourceSet* set : {&*pictures.scaled, &*pictures.language}) {
        for (const ResourceFolder folder : {ResourceFolder::Bitmaps, ResourceFolder::Numbers,
                                            ResourceFolder::Roya2, ResourceFolder::Fonts}) {
            for (const std::string& name : set->FileNames(folder)) {
                const std::optional<SharedPixels> picture = pictures.decoded.Take(folder, name);
                ASSERT_TRUE(picture) << name << " was not decoded";
                EXPECT_EQ(PixelsUnlikeTheDisplays(display, *set->Find(folder, name),
                                                  PictureFormatOfName(name), *picture),
                          0)
                    << FolderName(folder) << "/" << name;
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, decoded);
    EXPECT_GT(compared, 60U) << "the deck, the shared pictures and the language's";

    // Loaded from the pictures read ahead (read again, as the comparison took them), every picture
    // has the size the pictures decoded on the spot have, and the fonts are made.
    const ResourceSet resources = ResourceSet::FromFile(ZARN_ARCHIVE);
    ScaledPictures again = ReadScaledPictures(
        {.scale = k, .deck = ResourceFolder::Roya2, .scaledArchivePath = ZARN_SCALED_ARCHIVE});
    ASSERT_TRUE(again.scaled);
    const GameFonts fonts = LoadBitmaps(display, resources, state, &*again.scaled, &again.decoded);
    EXPECT_TRUE(fonts.Deluxe.Created());
    EXPECT_EQ(again.decoded.size(), 0U) << "every picture read ahead is used";
    std::vector<Rect32> ahead;
    for (int id = 0; id < static_cast<int>(PictureId::Count); ++id) {
        ahead.push_back(display.PictureRect(static_cast<PictureId>(id)));
    }
    LoadBitmaps(display, resources, state, &*again.scaled);
    for (int id = 0; id < static_cast<int>(PictureId::Count); ++id) {
        EXPECT_EQ(display.PictureRect(static_cast<PictureId>(id)), ahead[static_cast<size_t>(id)]) << id;
    }
}
