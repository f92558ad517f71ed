#include "archive/pak_archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <functional>
#include <sstream>

#include "archive/pak_writer.h"
#include "pak_tool.h"
#include "sample_files.h"
#include "temp_dir.h"

using ::testing::HasSubstr;

namespace {

PakArchive Open(std::vector<uint8_t> bytes) {
    return PakArchive::FromBytes(std::move(bytes), "test.pak");
}

TEST(PakArchiveTest, OneEntryDirectoryGivesLastIndexZero) {
    const PakArchive archive = Open(BuildPak({{"Xitmaps_mouse.bmp", {7, 8, 9}}}));
    EXPECT_EQ(archive.NumEntrys(), 0);
    EXPECT_EQ(archive.EntryFileName(0), "Xitmaps_mouse.bmp");
    EXPECT_EQ(archive.EntryOffset(0), 12);
    EXPECT_EQ(archive.EntrySize(0), 3);
    EXPECT_EQ(archive.FileLoaded(), "test.pak");
    EXPECT_THROW(archive.EntryName(1), std::out_of_range);
}

TEST(PakArchiveTest, NamesComeBackWithTrailingBlanksToFiftySixCharacters) {
    const PakArchive archive = Open(BuildPak({{"Xounds_SHUFFLE.WAV", {}}}));
    const std::string field = archive.EntryName(0);
    EXPECT_EQ(field.size(), 56u);
    EXPECT_EQ(field, "Xounds_SHUFFLE.WAV" + std::string(56 - 18, ' '));
    EXPECT_EQ(archive.EntryFileName(0), "Xounds_SHUFFLE.WAV");
}

TEST(PakArchiveTest, NulPaddingAndAFullFiftySixCharacterNameAreAccepted) {
    const std::string full(56, 'n');
    std::vector<uint8_t> pak = BuildPak({{"short.bmp", {1}}, {full, {2}}});
    const size_t field = DirectoryEntryAt(pak, 0);
    for (size_t i = 9; i < 56; ++i) {
        pak[field + i] = 0;  // as other writers of this layout pad
    }
    const PakArchive archive = Open(pak);
    EXPECT_EQ(archive.EntryFileName(0), "short.bmp");
    EXPECT_EQ(archive.EntryName(0), "short.bmp" + std::string(47, ' '));
    EXPECT_EQ(archive.EntryFileName(1), full);
    EXPECT_EQ(archive.ReadEntry(1), std::vector<uint8_t>{2});
}

TEST(PakArchiveTest, StoredBytesAreShiftedBackOnReadAndSave) {
    // Stored 0x01 0x00 0xFF are the file's 0x00 0xFF 0xFE.
    const std::vector<uint8_t> pak = BuildPak({{"bytes.bin", {0x00, 0xFF, 0xFE}}});
    ASSERT_EQ(std::vector<uint8_t>(pak.begin() + 12, pak.begin() + 15),
              (std::vector<uint8_t>{0x01, 0x00, 0xFF}));
    const PakArchive archive = Open(pak);
    EXPECT_EQ(archive.ReadEntry(0), (std::vector<uint8_t>{0x00, 0xFF, 0xFE}));

    TempDir dir;
    archive.SaveFileFromPAK(0, dir / "bytes.bin");
    EXPECT_EQ(ReadBytes(dir / "bytes.bin"), (std::vector<uint8_t>{0x00, 0xFF, 0xFE}));
}

TEST(PakArchiveTest, EmptyEntryReadsAndSavesAsAnEmptyFile) {
    const PakArchive archive = Open(BuildPak({{"empty", {}}}));
    EXPECT_TRUE(archive.ReadEntry(0).empty());
    TempDir dir;
    archive.SaveFileFromPAK(0, dir / "empty");
    EXPECT_TRUE(std::filesystem::exists(dir / "empty"));
    EXPECT_EQ(std::filesystem::file_size(dir / "empty"), 0u);
}

TEST(PakArchiveTest, EveryAccessorRefusesAnIndexOutsideTheDirectory) {
    const PakArchive archive = Open(BuildPak({{"a", {1}}, {"b", {2}}}));
    TempDir dir;
    for (int32_t id : {-1, 2, INT32_MIN, INT32_MAX}) {
        EXPECT_THROW(archive.EntryName(id), std::out_of_range) << id;
        EXPECT_THROW(archive.EntryFileName(id), std::out_of_range) << id;
        EXPECT_THROW(archive.EntryOffset(id), std::out_of_range) << id;
        EXPECT_THROW(archive.EntrySize(id), std::out_of_range) << id;
        EXPECT_THROW(archive.ReadEntry(id), std::out_of_range) << id;
        EXPECT_THROW(archive.SaveFileFromPAK(id, dir / "x"), std::out_of_range) << id;
    }
    EXPECT_TRUE(dir.Names().empty());
}

TEST(PakArchiveTest, FileWithoutMagicIsAnEmptyArchive) {
    for (const std::vector<uint8_t>& bytes : std::vector<std::vector<uint8_t>>{
             {}, {'P', 'A', 'C'}, {'P', 'A', 'C', 'X', 0, 0, 0, 0, 0, 0, 0, 0}, SampleBmp(2, 2)}) {
        const PakArchive archive = Open(bytes);
        EXPECT_EQ(archive.NumEntrys(), -1);
        EXPECT_EQ(archive.FileLoaded(), "");
        EXPECT_THROW(archive.EntryName(0), std::out_of_range);
    }
}

TEST(PakArchiveTest, OpeningAFileWithoutMagicForgetsTheArchiveBefore) {
    TempDir dir;
    WritePak(dir / "good.pak", {{"a", {1}}});
    WriteBytes(dir / "plain.txt", {'h', 'e', 'l', 'l', 'o'});
    PakArchive archive;
    archive.OpenQ2Pak(dir / "good.pak");
    EXPECT_EQ(archive.FileLoaded(), dir / "good.pak");
    EXPECT_EQ(archive.NumEntrys(), 0);
    archive.OpenQ2Pak(dir / "plain.txt");
    EXPECT_EQ(archive.NumEntrys(), -1);
    EXPECT_EQ(archive.FileLoaded(), "");
}

TEST(PakArchiveTest, MissingOrUnreadableFileThrowsNamingIt) {
    TempDir dir;
    PakArchive archive;
    for (const std::string& path : {dir / "missing.pak", dir.path().string()}) {
        try {
            archive.OpenQ2Pak(path);
            ADD_FAILURE() << "opened " << path;
        } catch (const PakError& error) {
            EXPECT_THAT(error.what(), HasSubstr(path));
        }
    }
}

// One way an archive can lie, made by patching a good three-entry archive.
struct Malformed {
    const char* rule;
    std::function<void(std::vector<uint8_t>&)> patch;
    const char* messagePart;  // the part of the error that names what is wrong (and where)
};

void SetName(std::vector<uint8_t>& pak, int index, const std::string& field) {
    const size_t at = DirectoryEntryAt(pak, index);
    for (size_t i = 0; i < 56; ++i) {
        pak[at + i] = i < field.size() ? static_cast<uint8_t>(field[i]) : uint8_t{' '};
    }
}

void SetEntry(std::vector<uint8_t>& pak, int index, int32_t offset, int32_t size) {
    const size_t at = DirectoryEntryAt(pak, index);
    PutLe32(pak, at + 56, static_cast<uint32_t>(offset));
    PutLe32(pak, at + 60, static_cast<uint32_t>(size));
}

const Malformed kMalformed[] = {
    {"header cut short", [](auto& p) { p.resize(8); }, "header cut short"},
    {"negative directory offset", [](auto& p) { PutLe32(p, 4, 0xFFFFFFF0u); }, "negative"},
    {"negative directory length", [](auto& p) { PutLe32(p, 8, 0xFFFFFFC0u); }, "negative"},
    {"directory length not a multiple of 64", [](auto& p) { PutLe32(p, 8, 64 * 3 - 1); }, "multiple of 64"},
    {"directory past the end", [](auto& p) { PutLe32(p, 4, GetLe32(p, 4) + 1); }, "past the end"},
    {"directory length huge", [](auto& p) { PutLe32(p, 8, 0x7FFFFFC0u); }, "past the end"},
    {"directory over the header", [](auto& p) { PutLe32(p, 4, 4); }, "overlaps the header"},
    {"entry offset negative", [](auto& p) { SetEntry(p, 1, -1, 1); }, "entry 1 (\"Xounds_b.wav\")"},
    {"entry size negative", [](auto& p) { SetEntry(p, 1, 12, -5); }, "negative offset or size"},
    {"entry data past the end", [](auto& p) { SetEntry(p, 2, 12, static_cast<int32_t>(p.size())); },
     "entry 2 (\"c\"): data (offset 12"},
    {"entry offset and size overflow", [](auto& p) { SetEntry(p, 0, INT32_MAX - 4, INT32_MAX); },
     "past the end"},
    {"entry data over the header", [](auto& p) { SetEntry(p, 0, 0, 4); }, "overlaps the header"},
    {"name with a slash", [](auto& p) { SetName(p, 1, "Xounds_../b.wav"); }, "path separator"},
    {"name with a backslash", [](auto& p) { SetName(p, 1, "Xounds_\\b.wav"); }, "path separator"},
    {"name with a dot dot", [](auto& p) { SetName(p, 1, ".."); }, "\"..\""},
    {"name of a single dot", [](auto& p) { SetName(p, 1, "."); }, "\".\""},
    {"name with a NUL before its end", [](auto& p) { SetName(p, 1, std::string("ab\0cd", 5)); }, "NUL"},
    {"name with a control character", [](auto& p) { SetName(p, 1, "a\nb"); }, "entry 1 (\"a\\x0Ab\")"},
    {"name all blanks", [](auto& p) { SetName(p, 1, ""); }, "empty name"},
    {"name all NULs", [](auto& p) { SetName(p, 1, std::string(56, '\0')); }, "empty name"},
    {"names differing only in case", [](auto& p) { SetName(p, 2, "XOUNDS_B.WAV"); },
     "entry 2 (\"XOUNDS_B.WAV\"): same name as entry 1 (\"Xounds_b.wav\") apart from case"},
    {"the same name twice", [](auto& p) { SetName(p, 2, "Xitmaps_a.bmp"); }, "same name as entry 0"},
};

void PrintTo(const Malformed& malformed, std::ostream* out) {
    *out << malformed.rule;
}

class MalformedArchiveTest : public ::testing::TestWithParam<Malformed> {
protected:
    static std::vector<uint8_t> Patched() {
        std::vector<uint8_t> pak =
            BuildPak({{"Xitmaps_a.bmp", {1, 2, 3}}, {"Xounds_b.wav", {4, 5}}, {"c", {6}}});
        GetParam().patch(pak);
        return pak;
    }
};

TEST_P(MalformedArchiveTest, IsRefusedWithAMessageNamingFileAndEntry) {
    try {
        (void)PakArchive::FromBytes(Patched(), "lying.pak");
        ADD_FAILURE() << "accepted: " << GetParam().rule;
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr("lying.pak: "));
        EXPECT_THAT(error.what(), HasSubstr(GetParam().messagePart));
        EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
    }
}

TEST_P(MalformedArchiveTest, LeavesTheOpenArchiveAsItWas) {
    TempDir dir;
    WritePak(dir / "good.pak", {{"kept", {42}}});
    WriteBytes(dir / "lying.pak", Patched());
    PakArchive archive;
    archive.OpenQ2Pak(dir / "good.pak");
    EXPECT_THROW(archive.OpenQ2Pak(dir / "lying.pak"), PakError);
    EXPECT_EQ(archive.FileLoaded(), dir / "good.pak");
    ASSERT_EQ(archive.NumEntrys(), 0);
    EXPECT_EQ(archive.ReadEntry(0), std::vector<uint8_t>{42});
}

// Reading only some entries checks the header and every directory entry all the same.
TEST_P(MalformedArchiveTest, IsRefusedAlsoWhenOnlyOneEntryIsRead) {
    TempDir dir;
    WriteBytes(dir / "lying.pak", Patched());
    PakArchive archive;
    try {
        archive.OpenQ2Pak(dir / "lying.pak", [](std::string_view name) { return name == "c"; });
        ADD_FAILURE() << "accepted: " << GetParam().rule;
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr(GetParam().messagePart));
    }
    EXPECT_EQ(archive.NumEntrys(), -1);
}

TEST_P(MalformedArchiveTest, ExtractingItWritesNothing) {
    TempDir dir;
    WriteBytes(dir / "lying.pak", Patched());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunPakTool({"extract", dir / "lying.pak", dir / "out"}, out, err), kPakToolFailed);
    EXPECT_THAT(err.str(), HasSubstr(GetParam().messagePart));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"lying.pak"});
}

INSTANTIATE_TEST_SUITE_P(Rules, MalformedArchiveTest, ::testing::ValuesIn(kMalformed),
                         [](const auto& testInfo) {
                             std::string name;
                             for (const char* c = testInfo.param.rule; *c != '\0'; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

TEST(PakArchiveTest, OpeningForSomeEntriesReadsThoseAndRefusesTheOthers) {
    TempDir dir;
    WritePak(dir / "three.pak", {{"a", {1, 2, 3}}, {"b", {4, 5}}, {"c", {}}});
    PakArchive archive;
    archive.OpenQ2Pak(dir / "three.pak", [](std::string_view name) { return name != "a"; });
    ASSERT_EQ(archive.NumEntrys(), 2);
    EXPECT_EQ(archive.EntrySize(0), 3) << "the directory is whole";
    EXPECT_EQ(archive.ReadEntry(1), (std::vector<uint8_t>{4, 5}));
    EXPECT_TRUE(archive.ReadEntry(2).empty());
    try {
        (void)archive.ReadEntry(0);
        ADD_FAILURE() << "an entry not read was answered";
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr("entry 0 (\"a\"): not read"));
    }
}

// Entries may share their bytes on file. Read one by one they would come to more than the file (five
// times the 100 bytes of "a" in a file of 436), so the open reads the file whole instead; every entry
// still reads right.
TEST(PakArchiveTest, EntriesSharingTheirBytesAreReadFromTheWholeFile) {
    TempDir dir;
    const std::vector<uint8_t> shared(100, 7);
    std::vector<uint8_t> pak = BuildPak({{"a", shared}, {"b", {1}}, {"c", {2}}, {"d", {3}}, {"e", {4}}});
    ASSERT_EQ(pak.size(), 436U);
    const size_t a = DirectoryEntryAt(pak, 0);
    for (int index = 1; index <= 4; ++index) {
        PutLe32(pak, DirectoryEntryAt(pak, index) + 56, GetLe32(pak, a + 56));
        PutLe32(pak, DirectoryEntryAt(pak, index) + 60, GetLe32(pak, a + 60));
    }
    WriteBytes(dir / "shared.pak", pak);
    PakArchive archive;
    archive.OpenQ2Pak(dir / "shared.pak", [](std::string_view) { return true; });
    for (int32_t id = 0; id <= 4; ++id) {
        EXPECT_EQ(archive.ReadEntry(id), shared) << "entry " << id;
    }
}

TEST(PakArchiveTest, EntryNameRuleForWriters) {
    EXPECT_EQ(EntryNameProblem("Xitmaps_mouse.bmp"), "");
    EXPECT_EQ(EntryNameProblem(std::string(56, 'a')), "");
    EXPECT_NE(EntryNameProblem(std::string(57, 'a')), "");
    EXPECT_NE(EntryNameProblem("trailing "), "");
    EXPECT_NE(EntryNameProblem(""), "");
    EXPECT_NE(EntryNameProblem("a/b"), "");
}

TEST(SaveFileFromPakTest, ReplacesALongerFileWhole) {
    TempDir dir;
    WriteBytes(dir / "out.bin", std::vector<uint8_t>(100, 0xAA));
    Open(BuildPak({{"x", {1, 2}}})).SaveFileFromPAK(0, dir / "out.bin");
    EXPECT_EQ(ReadBytes(dir / "out.bin"), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.bin"});  // no temporary left behind
}

TEST(SaveFileFromPakTest, ReplacesALinkAtTheTargetInsteadOfWritingThroughIt) {
    TempDir inside;
    TempDir outside;
    WriteBytes(outside / "victim", {9, 9, 9});
    std::filesystem::create_symlink(outside / "victim", inside / "x");
    Open(BuildPak({{"x", {1}}})).SaveFileFromPAK(0, inside / "x");
    EXPECT_EQ(ReadBytes(outside / "victim"), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_FALSE(std::filesystem::is_symlink(inside / "x"));
    EXPECT_EQ(ReadBytes(inside / "x"), std::vector<uint8_t>{1});
}

TEST(SaveFileFromPakTest, UnwritableTargetThrowsNamingArchiveEntryAndTarget) {
    TempDir dir;
    const std::string target = dir / "no-such-folder/x";
    try {
        Open(BuildPak({{"x", {1}}})).SaveFileFromPAK(0, target);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const PakError& error) {
        EXPECT_THAT(error.what(), HasSubstr("test.pak: entry 0 (\"x\"): cannot write " + target));
    }
    EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
