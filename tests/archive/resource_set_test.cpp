#include "archive/resource_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "archive/pak_writer.h"
#include "sample_files.h"
#include "temp_dir.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

ResourceSet SetOf(const std::vector<PakInput>& entries) {
    return ResourceSet::FromArchive(PakArchive::FromBytes(BuildPak(entries), "res118.pak"));
}

TEST(ResourceSetTest, EachPrefixFillsItsFolderWithTheRestOfTheName) {
    const ResourceSet set = SetOf(SampleGameEntries());
    EXPECT_EQ(set.size(), 7u);
    EXPECT_EQ(set.Get(ResourceFolder::Fonts, "fntDigit.bmp"), SampleBmp(40, 54, 24));
    EXPECT_EQ(set.Get(ResourceFolder::Sounds, "SHUFFLE.WAV"), SampleWav());
    EXPECT_EQ(set.Get(ResourceFolder::Bitmaps, "Back_800x600.jpg"), SampleJpeg(800, 600));
    EXPECT_EQ(set.Get(ResourceFolder::Bitmaps, "mouse.bmp"), SampleBmp(32, 32, 16));
    EXPECT_EQ(set.Get(ResourceFolder::Numbers, "tricks.BMP"), SampleBmp(256, 52, 8));
    EXPECT_EQ(set.Get(ResourceFolder::Roya2, "S_cardback.bmp"), SampleBmp(99, 153, 24));
    EXPECT_EQ(set.Get(ResourceFolder::Royal, "S_cardback.bmp"), SampleBmp(99, -153, 32));
    EXPECT_THAT(set.FileNames(ResourceFolder::Bitmaps), ElementsAre("Back_800x600.jpg", "mouse.bmp"));
    EXPECT_EQ(set.ArchiveName(), "res118.pak");
}

TEST(ResourceSetTest, FileAndFolderNamesMatchWithoutRegardToCase) {
    const ResourceSet set =
        SetOf({{"xITMAPS_Mouse.BMP", SampleBmp(32, 32)}, {"Xounds_card_flip.wav", SampleWav()}});
    EXPECT_NE(set.Find(ResourceFolder::Bitmaps, "mouse.bmp"), nullptr);
    EXPECT_NE(set.Find(ResourceFolder::Sounds, "CARD_FLIP.WAV"), nullptr);
    EXPECT_EQ(set.FindPath("res\\bitmaps\\MOUSE.bmp"), set.Find(ResourceFolder::Bitmaps, "mouse.bmp"));
    EXPECT_EQ(set.FindPath("res\\Sounds\\CARD_FLIP.WAV"), set.Find(ResourceFolder::Sounds, "card_flip.wav"));
    EXPECT_EQ(set.FindPath("sounds/card_flip.wav"), set.Find(ResourceFolder::Sounds, "card_flip.wav"));
    EXPECT_EQ(set.FindPath("res\\Roya3\\S_cardback.bmp"), nullptr);
    EXPECT_EQ(set.FindPath("mouse.bmp"), nullptr);
    EXPECT_EQ(FolderFromName("FNTFONTS"), ResourceFolder::Fonts);
    EXPECT_EQ(FolderFromName("Roya3"), std::nullopt);
    EXPECT_EQ(DeckFolder("Royal"), ResourceFolder::Royal);
    EXPECT_EQ(DeckFolder("roya2"), ResourceFolder::Roya2);
    EXPECT_EQ(DeckFolder("Roya3"), std::nullopt);
}

TEST(ResourceSetTest, TheFolderTableFollowsThePrefixes) {
    for (const ResourcePrefix& prefix : kResourcePrefixes) {
        const std::string entry = std::string(prefix.prefix) + "x.txt";
        const ResourceSet set = SetOf({{entry, {1}}});
        EXPECT_NE(set.Find(prefix.folder, "x.txt"), nullptr) << entry;
        EXPECT_EQ(FolderFromName(FolderName(prefix.folder)), prefix.folder);
    }
}

TEST(ResourceSetTest, TheBackgroundAnswersToItsBitmapNameToo) {
    const ResourceSet set = SetOf({{"Xitmaps_Back_800x600.jpg", SampleJpeg(800, 600)}});
    EXPECT_EQ(set.Find(ResourceFolder::Bitmaps, "Back_800x600.bmp"),
              set.Find(ResourceFolder::Bitmaps, "Back_800x600.jpg"));
    EXPECT_NE(set.FindPath("res\\bitmaps\\Back_800x600.bmp"), nullptr);
    // A real bitmap of that name wins.
    const ResourceSet both = SetOf(
        {{"Xitmaps_Back_800x600.jpg", SampleJpeg(800, 600)}, {"Xitmaps_Back_800x600.bmp", SampleBmp(8, 6)}});
    EXPECT_EQ(both.Get(ResourceFolder::Bitmaps, "Back_800x600.bmp"), SampleBmp(8, 6));
}

TEST(ResourceSetTest, AskingForAMissingFileNamesFileFolderAndArchive) {
    const ResourceSet set = SetOf(SampleGameEntries());
    EXPECT_EQ(set.Find(ResourceFolder::Bitmaps, "line_horz.bmp"), nullptr);
    EXPECT_EQ(set.Find(ResourceFolder::Sounds, "mouse.bmp"), nullptr);  // in another folder
    try {
        (void)set.Get(ResourceFolder::Bitmaps, "line_horz.bmp");
        ADD_FAILURE() << "found a missing file";
    } catch (const MissingResource& error) {
        EXPECT_THAT(error.what(),
                    HasSubstr("\"line_horz.bmp\" is missing from folder Bitmaps of res118.pak"));
    }
}

TEST(ResourceSetTest, AnArchiveWithoutMagicGivesAnEmptySet) {
    const ResourceSet set = ResourceSet::FromArchive(PakArchive::FromBytes(SampleBmp(2, 2), "res118.pak"));
    EXPECT_EQ(set.size(), 0u);
    EXPECT_THROW((void)set.Get(ResourceFolder::Bitmaps, "Back_800x600.bmp"), MissingResource);
}

TEST(ResourceSetTest, EntriesWithoutPrefixAndKnownMarkersAreSkipped) {
    const ResourceSet set = SetOf({{"dumm118", {}},
                                   {"dumm118anything at all", {1}},
                                   {"dummy2_", {}},
                                   {"Dummy-ish but not a marker", {}},
                                   {"Xitmaps", {}},
                                   {"pics_colormap.pcx", {1, 2}}});
    EXPECT_EQ(set.size(), 0u);
}

class InvalidMarkerTest : public ::testing::TestWithParam<const char*> {};

TEST_P(InvalidMarkerTest, MakesTheArchiveInvalid) {
    try {
        (void)SetOf({{"Xitmaps_mouse.bmp", SampleBmp(32, 32)}, {GetParam(), {}}});
        ADD_FAILURE() << "accepted marker " << GetParam();
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr("res118.pak: entry 1 (\"" + std::string(GetParam()) + "\")"));
        EXPECT_THAT(error.what(), HasSubstr("marker"));
    }
}

INSTANTIATE_TEST_SUITE_P(Names, InvalidMarkerTest,
                         ::testing::Values("dumm", "dumm11", "dumm119", "dummy1_", "dummy2", "dummyXYZ"));

struct BadEntry {
    const char* rule;
    PakInput entry;
    const char* messagePart;
};

void PrintTo(const BadEntry& bad, std::ostream* out) {
    *out << bad.rule;
}

class BadResourceEntryTest : public ::testing::TestWithParam<BadEntry> {};

TEST_P(BadResourceEntryTest, IsRefusedNamingTheEntry) {
    try {
        (void)SetOf({{"dumm118", {}}, GetParam().entry});
        ADD_FAILURE() << "accepted " << GetParam().rule;
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr("res118.pak: entry 1 (\"" + GetParam().entry.name + "\"): "));
        EXPECT_THAT(error.what(), HasSubstr(GetParam().messagePart));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadResourceEntryTest,
    ::testing::Values(
        BadEntry{"nothing after the prefix", {"Xounds_", {}}, "no file name after the prefix"},
        BadEntry{"a sound that is a bitmap", {"Xounds_SIGN1.WAV", SampleBmp(2, 2)}, "WAV:"},
        BadEntry{"a bitmap that is a sound", {"Xoya2_FrameBlue.bmp", SampleWav()}, "BMP:"},
        BadEntry{"a background that is a bitmap", {"Xitmaps_Back_800x600.jpg", SampleBmp(2, 2)}, "JPEG:"},
        BadEntry{"an empty font picture", {"XntFonts_fntDeluxe.bmp", {}}, "BMP:"}),
    [](const auto& testInfo) {
        std::string name;
        for (const char* c = testInfo.param.rule; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

TEST(ResourceSetTest, ReadsTheArchiveFromDisk) {
    TempDir dir;
    WritePak(dir / "res118.pak", SampleGameEntries());
    const ResourceSet set = ResourceSet::FromFile(dir / "res118.pak");
    EXPECT_EQ(set.Get(ResourceFolder::Sounds, "shuffle.wav"), SampleWav());
    EXPECT_TRUE(std::filesystem::exists(dir / "res118.pak"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"res118.pak"});  // nothing unpacked beside it
    EXPECT_THROW(ResourceSet::FromFile(dir / "missing.pak"), PakError);
}

// The places the game looks for its archive, each made in a temporary folder.
class FindArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"option", "env", "bin", "share/zarn", "xdg1/zarn", "xdg2/zarn"}) {
            std::filesystem::create_directories(root_ / name);
        }
        setenv("ZARN_DATA", (root_ / "env").c_str(), 1);
        setenv("XDG_DATA_DIRS", (root_ / "xdg1:relative/dir:" + root_ / "xdg2").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("ZARN_DATA");
        unsetenv("XDG_DATA_DIRS");
    }
    void Put(const std::string& folder) { WriteBytes(root_ / (folder + "/res118.pak"), {'P'}); }
    std::string Find(std::string* tried = nullptr) { return FindArchive("", root_ / "bin", tried); }

    TempDir root_;
};

TEST_F(FindArchiveTest, LooksInTheDocumentedOrder) {
    const std::vector<std::string> order = {"xdg2/zarn", "xdg1/zarn", "share/zarn", "bin", "env"};
    for (const std::string& folder : order) {
        Put(folder);
        EXPECT_EQ(Find(), root_ / (folder + "/res118.pak"));
    }
}

// A folder the player names holds the archive or the game does not start: no other place stands in.
TEST_F(FindArchiveTest, AFolderGivenOnTheCommandLineIsTheOnlyPlaceLooked) {
    for (const char* folder : {"env", "bin", "share/zarn", "xdg1/zarn", "xdg2/zarn"}) {
        Put(folder);
    }
    std::string tried;
    EXPECT_EQ(FindArchive(root_ / "option", root_ / "bin", &tried), "");
    EXPECT_EQ(tried, root_ / "option/res118.pak\n");
    EXPECT_EQ(ArchiveNotFoundMessage(tried),
              "res118.pak not found; looked at " + root_ / "option/res118.pak");
    Put("option");
    EXPECT_EQ(FindArchive(root_ / "option", root_ / "bin", &tried), root_ / "option/res118.pak");
}

TEST_F(FindArchiveTest, FailureNamesEveryPlaceLooked) {
    std::string tried;
    EXPECT_EQ(Find(&tried), "");
    const std::string expected = root_ / "env/res118.pak\n" + root_ / "bin/res118.pak\n" +
                                 root_ / "share/zarn/res118.pak\n" + root_ / "xdg1/zarn/res118.pak\n" +
                                 root_ / "xdg2/zarn/res118.pak\n";
    EXPECT_EQ(tried, expected);
    EXPECT_EQ(ArchiveNotFoundMessage(tried),
              "res118.pak not found; looked at " + root_ / "env/res118.pak, " + root_ / "bin/res118.pak, " +
                  root_ / "share/zarn/res118.pak, " + root_ / "xdg1/zarn/res118.pak, " +
                  root_ / "xdg2/zarn/res118.pak");
}

TEST_F(FindArchiveTest, AFolderNamedLikeTheArchiveIsNotIt) {
    std::filesystem::create_directories(root_ / "env/res118.pak");
    Put("bin");
    EXPECT_EQ(Find(), root_ / "bin/res118.pak");
}

TEST_F(FindArchiveTest, WithoutTheVariablesTheStandardDataFoldersAreLooked) {
    unsetenv("ZARN_DATA");
    unsetenv("XDG_DATA_DIRS");
    std::string tried;
    (void)FindArchive("", root_ / "bin", &tried);
    EXPECT_EQ(tried, root_ / "bin/res118.pak\n" + root_ / "share/zarn/res118.pak\n" +
                         "/usr/local/share/zarn/res118.pak\n/usr/share/zarn/res118.pak\n");
}

}  // namespace
