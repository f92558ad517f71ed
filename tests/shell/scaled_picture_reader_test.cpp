// The sharper pictures read and decoded on a thread of their own: what the reading gives, that the
// thread gives what a reading on the caller's thread gives, that it stops and ends cleanly, and that a
// damaged archive is told in the words a reading on the caller's thread uses. No display is opened, so
// this binary also runs under ThreadSanitizer.

#include "shell/scaled_picture_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "archive/pak_archive.h"
#include "archive/pak_writer.h"
#include "test_media.h"

namespace {

namespace fs = std::filesystem;

// A picture whose every pixel differs from its neighbours', so a pixel out of place shows.
uint32_t Colour(int x, int y) {
    return (static_cast<uint32_t>(x * 7 % 256) << 16) | (static_cast<uint32_t>(y * 5 % 256) << 8) |
           static_cast<uint32_t>((x + y) % 256);
}

uint16_t Expected565(int x, int y) {
    const uint32_t c = Colour(x, y);
    return static_cast<uint16_t>((((c >> 16) & 0xFF) >> 3) << 11 | (((c >> 8) & 0xFF) >> 2) << 5 |
                                 (c & 0xFF) >> 3);
}

std::vector<uint8_t> Drawn(int width, int height) {
    return MakePng(width, height, Colour);
}

struct Entry {
    std::string name;
    int width;
    int height;
};

// The second archive's pictures at scale 2 of both decks and the shared folders, and one at scale 3.
const std::vector<Entry> kEntries{
    {"Xitmaps_mouse@2x.png", 64, 64},      {"Xitmaps_line_horz@2x.png", 40, 4},
    {"Xoya2_S_cardback@2x.png", 198, 306}, {"Xoyal_S_cardback@2x.png", 198, 306},
    {"Xumbers_pass@2x.png", 90, 30},       {"Xitmaps_mouse@3x.png", 96, 96},
};

class ScaledPictureReading : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_);
        std::vector<PakInput> entries{{"dumm118_marker", {1}}};
        for (const Entry& e : kEntries) {
            entries.push_back({e.name, Drawn(e.width, e.height)});
        }
        Write(archive_, BuildPak(entries));
    }
    void TearDown() override { fs::remove_all(folder_); }

    static void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ScaledPictureRequest Request() const {
        return {.scale = 2, .deck = ResourceFolder::Roya2, .scaledArchivePath = archive_.string()};
    }

    const fs::path folder_ = fs::temp_directory_path() / ("zarn_reader_" + std::to_string(::getpid()));
    const fs::path archive_ = folder_ / "res118-hd.pak";
};

// The pictures of both readings are the same, picture for picture and pixel for pixel.
void ExpectSamePictures(DecodedPictures& a, DecodedPictures& b) {
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [folder, name] : {std::pair{ResourceFolder::Bitmaps, "mouse@2x.png"},
                                       std::pair{ResourceFolder::Bitmaps, "line_horz@2x.png"},
                                       std::pair{ResourceFolder::Roya2, "S_cardback@2x.png"},
                                       std::pair{ResourceFolder::Numbers, "pass@2x.png"}}) {
        const std::optional<SharedPixels> x = a.Take(folder, name);
        const std::optional<SharedPixels> y = b.Take(folder, name);
        ASSERT_TRUE(x && y) << name;
        ASSERT_EQ(x->width, y->width) << name;
        ASSERT_EQ(x->height, y->height) << name;
        const size_t count = static_cast<size_t>(x->width) * static_cast<size_t>(x->height);
        EXPECT_TRUE(std::equal(x->pixels.get(), x->pixels.get() + count, y->pixels.get())) << name;
    }
}

TEST_F(ScaledPictureReading, DecodesEveryPictureOfTheScaleAndTheDeckAndNoOther) {
    ScaledPictures pictures = ReadScaledPictures(Request());
    ASSERT_TRUE(pictures.scaled) << pictures.scaledTrouble;
    EXPECT_FALSE(pictures.language);
    EXPECT_EQ(pictures.decoded.size(), 4U) << "the other deck's and the other scale's are not read";
    EXPECT_FALSE(pictures.decoded.Take(ResourceFolder::Royal, "S_cardback@2x.png"));
    // Each channel's top bits, as the display keeps them; any case of the name finds it, once.
    const std::optional<SharedPixels> back =
        pictures.decoded.Take(ResourceFolder::Roya2, "S_CARDBACK@2x.PNG");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 198);
    ASSERT_EQ(back->height, 306);
    for (int y = 0; y < back->height; ++y) {
        for (int x = 0; x < back->width; ++x) {
            ASSERT_EQ(back->pixels.get()[y * back->width + x], Expected565(x, y)) << x << ", " << y;
        }
    }
    EXPECT_FALSE(pictures.decoded.Take(ResourceFolder::Roya2, "S_cardback@2x.png")) << "handed over once";
}

TEST_F(ScaledPictureReading, TheThreadGivesWhatTheCallersOwnReadingGivesAndCallsBackOnce) {
    std::atomic<int> calls{0};
    std::promise<void> ready;
    ScaledPictureReader reader(Request(), [&] {
        if (calls.fetch_add(1) == 0) {
            ready.set_value();
        }
    });
    EXPECT_EQ(reader.Scale(), 2);
    ready.get_future().wait();
    std::optional<ScaledPictures> background = reader.Take();
    ASSERT_TRUE(background);
    EXPECT_FALSE(reader.Take()) << "taken once";
    ScaledPictures own = ReadScaledPictures(Request());
    ExpectSamePictures(background->decoded, own.decoded);
    EXPECT_EQ(calls.load(), 1);
}

TEST_F(ScaledPictureReading, AStoppedReadingDecodesNothingMoreAndEndsAtOnce) {
    std::stop_source stop;
    stop.request_stop();
    const ScaledPictures stopped = ReadScaledPictures(Request(), stop.get_token());
    EXPECT_EQ(stopped.decoded.size(), 0U);
    // The game ends while the pictures are read: the reader stops, its threads are joined, nothing is
    // left behind (the sanitizer builds check), and a reading stopped never calls back afterwards.
    std::atomic<int> calls{0};
    for (int i = 0; i < 8; ++i) {
        ScaledPictureReader reader(Request(), [&] { calls.fetch_add(1); });
    }
    const int afterAll = calls.load();
    EXPECT_LE(afterAll, 8);
    EXPECT_EQ(calls.load(), afterAll);
}

// What the loading then tells the player (see TablePictures) is the reading's own message.
TEST_F(ScaledPictureReading, ADamagedArchiveIsToldInTheWordsOfTheCallersOwnReading) {
    const fs::path missing = folder_ / "nowhere.pak";
    const fs::path damaged = folder_ / "damaged.pak";
    Write(damaged, {'P', 'A', 'C', 'K', 1, 2, 3});
    for (const fs::path& path : {missing, damaged}) {
        ScaledPictureRequest request = Request();
        request.scaledArchivePath = path.string();
        std::promise<void> ready;
        ScaledPictureReader reader(request, [&] { ready.set_value(); });
        ready.get_future().wait();
        const std::optional<ScaledPictures> pictures = reader.Take();
        ASSERT_TRUE(pictures);
        EXPECT_FALSE(pictures->scaled);
        std::string own;
        try {
            ResourceSet::FromFile(path.string(), ScaledPictureFilter(2, ResourceFolder::Roya2));
        } catch (const PakError& e) {
            own = e.what();
        }
        EXPECT_FALSE(own.empty()) << path;
        EXPECT_EQ(pictures->scaledTrouble, own) << path;
    }
}

// A picture whose data is damaged behind a header that passes the checks is left out; its loading decodes it itself and
// says why it cannot (as it did before pictures were read ahead). The others are there.
TEST_F(ScaledPictureReading, APictureThatDoesNotDecodeIsLeftToItsLoading) {
    std::vector<uint8_t> broken = Drawn(64, 64);
    for (size_t i = 60; i < broken.size() - 20; ++i) {
        broken[i] ^= 0x5A;  // the compressed pixels, past the header, before the end chunk
    }
    std::vector<PakInput> entries{
        {"dumm118_marker", {1}}, {"Xitmaps_mouse@2x.png", broken}, {"Xumbers_pass@2x.png", Drawn(90, 30)}};
    Write(archive_, BuildPak(entries));
    ScaledPictures pictures = ReadScaledPictures(Request());
    ASSERT_TRUE(pictures.scaled) << pictures.scaledTrouble;
    EXPECT_FALSE(pictures.decoded.Take(ResourceFolder::Bitmaps, "mouse@2x.png"));
    EXPECT_TRUE(pictures.decoded.Take(ResourceFolder::Numbers, "pass@2x.png"));
}

}  // namespace
