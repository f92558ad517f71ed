#include "pak_tool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <sys/wait.h>

#include "archive/pak_archive.h"
#include "archive/pak_writer.h"
#include "sample_files.h"
#include "temp_dir.h"

using ::testing::HasSubstr;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunPakTool(args, out, err);
    return {status, out.str(), err.str()};
}

class PakToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(dir_ / "mouse.bmp", SampleBmp(32, 32));
        WriteBytes(dir_ / "flip.wav", SampleWav());
        WriteBytes(dir_ / "bytes.bin", {0x00, 0xFF, 0xFE, 0x01});
    }
    TempDir dir_;
};

TEST_F(PakToolTest, CreateListExtractGivesTheSameBytes) {
    const std::string pak = dir_ / "made.pak";
    const ToolRun create = Tool({"create", pak, dir_ / "bytes.bin", "Xitmaps_mouse.bmp=" + dir_ / "mouse.bmp",
                                 "Xounds_CARD_FLIP.WAV=" + dir_ / "flip.wav"});
    ASSERT_EQ(create.status, kPakToolOk) << create.err;

    // The stored data is shifted; the names are as given.
    PakArchive archive;
    archive.OpenQ2Pak(pak);
    EXPECT_EQ(ReadBytes(pak)[12], 0x01);
    EXPECT_EQ(archive.EntryFileName(1), "Xitmaps_mouse.bmp");

    const ToolRun list = Tool({"list", pak});
    EXPECT_EQ(list.status, kPakToolOk);
    const std::string mouseLine =
        "1\tXitmaps_mouse.bmp\t16\t" + std::to_string(SampleBmp(32, 32).size()) + "\n";
    EXPECT_EQ(list.out.rfind("0\tbytes.bin\t12\t4\n", 0), 0u);
    EXPECT_THAT(list.out, HasSubstr(mouseLine));
    EXPECT_THAT(list.out, HasSubstr("2\tXounds_CARD_FLIP.WAV\t"));

    TempDir out;
    const ToolRun extract = Tool({"extract", pak, out.path().string()});
    ASSERT_EQ(extract.status, kPakToolOk) << extract.err;
    EXPECT_EQ(out.Names(),
              (std::vector<std::string>{"Xitmaps_mouse.bmp", "Xounds_CARD_FLIP.WAV", "bytes.bin"}));
    EXPECT_EQ(ReadBytes(out / "bytes.bin"), ReadBytes(dir_ / "bytes.bin"));
    EXPECT_EQ(ReadBytes(out / "Xitmaps_mouse.bmp"), ReadBytes(dir_ / "mouse.bmp"));
    EXPECT_EQ(ReadBytes(out / "Xounds_CARD_FLIP.WAV"), ReadBytes(dir_ / "flip.wav"));
}

TEST_F(PakToolTest, ExtractWritesOnlyTheNamedEntriesIntoAFolderItMakes) {
    const std::string pak = dir_ / "made.pak";
    ASSERT_EQ(Tool({"create", pak, dir_ / "bytes.bin", dir_ / "mouse.bmp"}).status, kPakToolOk);
    const std::string target = dir_ / "new/folder";
    const ToolRun extract = Tool({"extract", pak, target, "MOUSE.BMP"});
    ASSERT_EQ(extract.status, kPakToolOk) << extract.err;
    EXPECT_EQ(ReadBytes(target + "/mouse.bmp"), SampleBmp(32, 32));
    EXPECT_FALSE(std::filesystem::exists(target + "/bytes.bin"));
}

TEST_F(PakToolTest, AWrongNameWritesNothing) {
    const std::string pak = dir_ / "made.pak";
    ASSERT_EQ(Tool({"create", pak, dir_ / "bytes.bin"}).status, kPakToolOk);
    const ToolRun extract = Tool({"extract", pak, dir_ / "out", "bytes.bin", "nothing.bin"});
    EXPECT_EQ(extract.status, kPakToolFailed);
    EXPECT_EQ(extract.err, "zarn-pak: " + pak + ": no entry named \"nothing.bin\"\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

TEST_F(PakToolTest, ABadArchiveFailsWithOneLineAndWritesNothing) {
    std::vector<uint8_t> lying = BuildPak({{"a", {1}}, {"../escape", {2}}});
    WriteBytes(dir_ / "lying.pak", lying);
    WriteBytes(dir_ / "plain.pak", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'k'});
    for (const std::string& pak : {dir_ / "lying.pak", dir_ / "plain.pak", dir_ / "missing.pak"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"list", pak},
              std::vector<std::string>{"extract", pak, dir_ / "out"}}) {
            const ToolRun run = Tool(args);
            EXPECT_EQ(run.status, kPakToolFailed) << pak;
            EXPECT_EQ(run.out, "");
            EXPECT_THAT(run.err, HasSubstr("zarn-pak: " + pak + ": "));
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "escape"));
}

TEST_F(PakToolTest, CreateRefusesNamesTheReaderWouldRefuse) {
    const std::string pak = dir_ / "made.pak";
    for (const std::vector<std::string>& inputs :
         {std::vector<std::string>{"sub/dir=" + dir_ / "bytes.bin"},
          std::vector<std::string>{"..=" + dir_ / "bytes.bin"},
          std::vector<std::string>{std::string(57, 'n') + "=" + dir_ / "bytes.bin"},
          std::vector<std::string>{"A.BIN=" + dir_ / "bytes.bin", "a.bin=" + dir_ / "mouse.bmp"}}) {
        std::vector<std::string> args = {"create", pak};
        args.insert(args.end(), inputs.begin(), inputs.end());
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, kPakToolUsage) << inputs[0];
        EXPECT_THAT(run.err, HasSubstr("usage:"));
    }
    const ToolRun missing = Tool({"create", pak, dir_ / "no-such-file"});
    EXPECT_EQ(missing.status, kPakToolFailed);
    EXPECT_FALSE(std::filesystem::exists(pak));
}

TEST(PakToolUsageTest, WrongCommandsAreUsageErrors) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"list"},
                                                 {"list", "a", "b"},
                                                 {"extract", "a.pak"},
                                                 {"create"},
                                                 {"pack", "x"}}) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, kPakToolUsage) << (args.empty() ? "" : args[0]);
        EXPECT_THAT(run.err, HasSubstr("usage: zarn-pak list FILE"));
    }
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.status, kPakToolOk);
    EXPECT_THAT(help.out, HasSubstr("Usage: zarn-pak list FILE"));
    EXPECT_THAT(help.out, HasSubstr("--version"));
    const ToolRun version = Tool({"--version"});
    EXPECT_EQ(version.status, kPakToolOk);
    EXPECT_THAT(version.out, HasSubstr("zarn-pak "));
}

// The installed program itself: its exit statuses as a shell sees them.
TEST(PakToolProgramTest, ExitStatusesOfTheProgram) {
    TempDir dir;
    const std::string program = ZARN_PAK_PROGRAM;
    const auto status = [&](const std::string& args) {
        const int raw = std::system((program + " " + args + " >" + (dir / "out.txt") + " 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    WriteBytes(dir / "in.bin", {1, 2, 3});
    EXPECT_EQ(status("create " + dir / "a.pak" + " " + dir / "in.bin"), 0);
    EXPECT_EQ(status("list " + dir / "a.pak"), 0);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), (std::vector<uint8_t>{'0', '\t', 'i', 'n', '.', 'b', 'i', 'n', '\t',
                                                                '1', '2', '\t', '3', '\n'}));
    EXPECT_EQ(status("list " + dir / "in.bin"), 1);
    EXPECT_EQ(status("frobnicate"), 2);
}

}  // namespace
