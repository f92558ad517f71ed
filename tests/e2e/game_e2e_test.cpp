// The real game executable, run headless (SDL's dummy video and audio drivers) on the generated
// resource archive.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "archive/pak_archive.h"
#include "archive/pak_writer.h"
#include "game_process.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::map<std::string, std::string> kHeadless = {{"SDL_VIDEODRIVER", "dummy"},
                                                      {"SDL_AUDIODRIVER", "dummy"}};

class GameE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zarn_e2e_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The generated archive less one entry, written into the test's own folder.
    void WriteArchiveWithout(const std::string& entryName) {
        PakArchive archive;
        archive.OpenQ2Pak(ZARN_ARCHIVE);
        std::vector<PakInput> entries;
        for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
            if (archive.EntryFileName(id) != entryName) {
                entries.push_back({archive.EntryFileName(id), archive.ReadEntry(id)});
            }
        }
        ASSERT_EQ(static_cast<int32_t>(entries.size()), archive.NumEntrys())
            << entryName << " not in the archive";
        WritePak((dir_ / "res118.pak").string(), entries);
    }

    static std::string Head(const fs::path& file, size_t n) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(n, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(n));
        return bytes.substr(0, static_cast<size_t>(in.gcount()));
    }

    fs::path dir_;
};

// A demo game of some thousands of frames, then ESCAPE: everything is released and the game exits
// with 0 (under the sanitizer build a leak would make the exit code non-zero).
TEST_F(GameE2eTest, DemoPlaysThousandsOfFramesAndEscapeEndsIt) {
    const fs::path shot = dir_ / "shot.png";
    const ProcessResult r = RunTestDriver({"--no-dialog", "--autoplay", "--seed", "20261210",
                                           "--exit-after-frames", "2400", "--screenshot", shot.string()},
                                          kHeadless, 300s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Head(shot, 4), "\x89PNG");
}

// Every game option together, in a window, with the other deck.
TEST_F(GameE2eTest, WindowedRoyalDeckWithEveryRuleOption) {
    const fs::path shot = dir_ / "shot.bmp";
    const ProcessResult r = RunTestDriver({"--no-dialog", "--windowed", "--deck", "royal", "--partnership",
                                           "--slow", "--french", "--seven-hearts", "--autoplay", "--seed",
                                           "5", "--exit-after-frames", "400", "--screenshot", shot.string()},
                                          kHeadless, 120s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Head(shot, 2), "BM");
}

// A lost display mid-game: the frame waits for it, a new renderer is made, every picture and font is
// reloaded from the archive in memory, and the game plays on to its end.
TEST_F(GameE2eTest, ALostDisplayIsRestoredAndThePicturesReloaded) {
    const fs::path shot = dir_ / "after.bmp";
    const ProcessResult r =
        RunTestDriver({"--no-dialog", "--autoplay", "--seed", "12", "--lose-display-after-frames", "60",
                       "--exit-after-frames", "240", "--screenshot", shot.string()},
                      kHeadless, 120s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Head(shot, 2), "BM");
}

// No audio device: the game plays on, silent, and says nothing about it.
TEST_F(GameE2eTest, WithoutAnAudioDeviceTheGamePlaysSilently) {
    auto env = kHeadless;
    env["SDL_AUDIODRIVER"] = "no-such-audio-driver";
    const ProcessResult r =
        RunTestDriver({"--no-dialog", "--autoplay", "--seed", "3", "--exit-after-frames", "200"}, env, 120s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("Error"), std::string::npos) << r.output;
}

// The desktop closing the game (the window's close button, or a terminate signal, which SDL turns into
// the same quit request) ends it as ESCAPE does.
TEST_F(GameE2eTest, ClosingTheWindowEndsTheGameLikeEscape) {
    const fs::path shot = dir_ / "closed.png";
    const ProcessResult r = RunGame(
        {"--no-dialog", "--autoplay", "--seed", "9", "--screenshot", shot.string()}, kHeadless, 120s, 3000ms);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Head(shot, 4), "\x89PNG");
}

// The width of a BMP screenshot: the back buffer's, k x 800 at scale k.
int32_t BmpWidth(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 22> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    return static_cast<int32_t>(head[18] | head[19] << 8 | head[20] << 16 | head[21] << 24);
}

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// A fixed scale is drawn from the second archive beside the first; without it, or with it damaged, the
// game says so once and draws at scale 1, and plays on.
TEST_F(GameE2eTest, AFixedScaleDrawsFromTheSecondArchiveOrSaysOnceWhyNot) {
    struct Case {
        const char* what;
        const char* scale;
        std::function<void(const fs::path&)> secondArchive;  // writes it into the data folder, or not
        int32_t width;
    };
    const auto copyReal = [](const fs::path& to) { fs::copy_file(ZARN_HD_ARCHIVE, to); };
    const auto garbage = [](const fs::path& to) {
        std::ofstream(to, std::ios::binary) << "PACK but no more";
    };
    const auto lacking = [](const fs::path& to) {
        PakArchive archive;
        archive.OpenQ2Pak(ZARN_HD_ARCHIVE);
        std::vector<PakInput> entries;
        for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
            if (archive.EntryFileName(id) != "Xitmaps_mouse@2x.png") {
                entries.push_back({archive.EntryFileName(id), archive.ReadEntry(id)});
            }
        }
        WritePak(to.string(), entries);
    };
    const std::vector<Case> cases{
        {"scale 2", "2", copyReal, 1600},
        {"scale 3", "3", copyReal, 2400},
        {"no second archive", "2", [](const fs::path&) {}, 800},
        {"a damaged second archive", "3", garbage, 800},
        {"a picture missing from it", "2", lacking, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(ZARN_ARCHIVE, dir_ / "res118.pak");
        c.secondArchive(dir_ / "res118-hd.pak");
        const fs::path shot = dir_ / "shot.bmp";
        const ProcessResult r = RunTestDriver(
            {"--no-dialog", "--windowed", "--autoplay", "--seed", "7", "--scale", c.scale, "--report-scale",
             "--data", dir_.string(), "--exit-after-frames", "120", "--screenshot", shot.string()},
            kHeadless, 120s);
        ASSERT_FALSE(r.timedOut) << r.output;
        EXPECT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(BmpWidth(shot), c.width) << r.output;
        const size_t complaints = Occurrences(r.output, "the sharper pictures cannot be used");
        EXPECT_EQ(complaints, c.width == 800 ? 1U : 0U) << r.output;
    }
}

TEST_F(GameE2eTest, AMissingPictureEndsTheGameWithTheLoadersMessage) {
    WriteArchiveWithout("Xitmaps_mouse.bmp");
    const ProcessResult r = RunGame({"--no-dialog", "--data", dir_.string()}, kHeadless, 60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Error in function CreateSurfaceFromFile() \r\nError Number: 53\r\n"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("mouse.bmp"), std::string::npos) << r.output;
}

TEST_F(GameE2eTest, AMissingFontPictureEndsTheGameWithTheFontLoadersMessage) {
    WriteArchiveWithout("XntFonts_fntDeluxe.bmp");
    const ProcessResult r = RunGame({"--no-dialog", "--data", dir_.string()}, kHeadless, 60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\n"),
              std::string::npos)
        << r.output;
}

// --data names the one folder to read: without the archive there, the game does not start from another.
TEST_F(GameE2eTest, ADataFolderWithoutTheArchiveIsAnErrorNamingIt) {
    const std::string missing = (dir_ / "no-archive-here").string();
    // No display for Qt's message box, so the message goes to standard error only.
    auto env = kHeadless;
    env.insert({{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    const ProcessResult r = RunGame({"--no-dialog", "--data", missing}, env, 60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("res118.pak not found; looked at " + missing + "/res118.pak"), std::string::npos)
        << r.output;
}

TEST_F(GameE2eTest, NoDisplayEndsTheGameWithTheDisplayMessage) {
    auto env = kHeadless;
    env["SDL_VIDEODRIVER"] = "no-such-video-driver";
    const ProcessResult r = RunGame({"--no-dialog"}, env, 60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Error in function DirectX() \r\n"), std::string::npos) << r.output;
}

// Started where there is no screen (no X11 or Wayland display, no driver chosen): SDL would fall back to
// a driver that shows nothing, so the game says why it cannot start instead of running unseen.
TEST_F(GameE2eTest, WithoutAScreenTheGameSaysSoInsteadOfRunningUnseen) {
    const ProcessResult r = RunGame(
        {"--no-dialog"},
        {{"SDL_VIDEODRIVER", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_AUDIODRIVER", "dummy"}},
        60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Error in function DirectX() \r\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("no screen"), std::string::npos) << r.output;
}

// Without a display for the startup dialog the game does not start behind the player's back: it says
// why and how to skip the dialog, and ends with a failure.
TEST_F(GameE2eTest, WithoutADisplayForTheStartupDialogTheGameDoesNotStart) {
    auto env = kHeadless;
    env.insert({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
        env[name] = dir_.string();
    }
    // Had the game started, it would end after a few frames with 0.
    const ProcessResult r = RunTestDriver({"--seed", "3", "--exit-after-frames", "5"}, env, 60s);
    ASSERT_FALSE(r.timedOut) << r.output;
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("the startup dialog could not be shown"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("--no-dialog"), std::string::npos) << r.output;
}

struct CommandLineCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    const char* outputHas;
};

TEST_F(GameE2eTest, CommandLineAnswersWithoutStartingTheGame) {
    const CommandLineCase cases[] = {
        {"Help", {"--help"}, 0, "--autoplay"},
        {"Version", {"--version"}, 0, "zarn "},
        {"UnknownOption", {"--no-such-option"}, 2, "--no-such-option"},
        {"BadDeck", {"--deck", "tarot"}, 2, "tarot"},
        // The test hooks belong to the test driver alone.
        {"TestHook", {"--exit-after-frames", "5"}, 2, "--exit-after-frames"},
    };
    for (const CommandLineCase& c : cases) {
        const ProcessResult r = RunGame(c.args, kHeadless, 30s);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.output;
        EXPECT_NE(r.output.find(c.outputHas), std::string::npos) << c.name << ": " << r.output;
    }
}

// The player's --help names no test hook; the test driver's names the player's options and its hooks.
TEST_F(GameE2eTest, OnlyTheTestDriverListsTheTestHooks) {
    const ProcessResult game = RunGame({"--help"}, kHeadless, 30s);
    ASSERT_EQ(game.exitCode, 0) << game.output;
    std::string lower = game.output;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(lower.find("hook"), std::string::npos) << game.output;
    const ProcessResult driver = RunTestDriver({"--help"}, kHeadless, 30s);
    ASSERT_EQ(driver.exitCode, 0) << driver.output;
    for (const char* option : {"--autoplay", "--scale", "--exit-after-frames", "--lose-display-after-frames",
                               "--hint-after-frames", "--keep-demo", "--fast-frames", "--report-scale"}) {
        EXPECT_NE(driver.output.find(option), std::string::npos) << option;
    }
}

}  // namespace
