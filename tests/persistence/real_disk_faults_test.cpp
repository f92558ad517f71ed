// A real full disk and a real read-only one: a small tmpfs in a mount namespace of the test's own.
// Skipped, with the reason, where the machine allows no such mount.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "flow_harness.h"
#include "persistence/match_keeper.h"
#include "persistence/statistics.h"
#include "player_folder.h"
#include "private_tmpfs.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Room for the lock, a save (a few tens of kilobytes) and the temporary file beside it.
constexpr size_t kSmallDisk = 256 * 1024;

// Plays on, with the keeper after every frame, until `more` further save points are passed.
bool PlaySavePoints(FlowHarness& h, MatchKeeper& keeper, uint32_t more) {
    const uint32_t target = h.s.SavePoints + more;
    return h.PlayUntil([&](const GameState& s) {
        keeper.AfterFrame(s, h.random, h.clock.GetTickCount());
        return s.SavePoints >= target;
    });
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Runs `body` with a fresh small tmpfs on `disk`, or skips the test.
#define ON_SMALL_DISK(disk, body)                                                   \
    do {                                                                            \
        bool passed = false;                                                        \
        const std::string whyNot = InPrivateTmpfs(disk, kSmallDisk, body, &passed); \
        if (!whyNot.empty()) {                                                      \
            GTEST_SKIP() << "no private tmpfs on this machine: " << whyNot;         \
        }                                                                           \
        EXPECT_TRUE(passed) << "the checks on the small disk failed (see above)";   \
    } while (false)

TEST(RealDiskFaults, AFullDiskKeepsTheLastSaveAndTellsItOnce) {
    PlayerFolder folder;
    const fs::path disk = folder.Root() / "disk";
    fs::create_directories(disk);
    ON_SMALL_DISK(disk, [&] {
        MatchKeeper keeper(disk / "state", disk / "data" / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        FlowHarness h(3);
        h.Start();
        ASSERT_TRUE(PlaySavePoints(h, keeper, 2));
        const std::vector<uint8_t> lastGood = ReadBytes(keeper.SavePath().string());
        ASSERT_FALSE(lastGood.empty());

        FillDisk(disk / "filler");
        ASSERT_TRUE(PlaySavePoints(h, keeper, 20));
        const std::vector<std::string> messages = keeper.TakeMessages();
        ASSERT_EQ(messages.size(), 1U);
        EXPECT_TRUE(Contains(messages[0], std::strerror(ENOSPC))) << messages[0];
        EXPECT_EQ(keeper.SaveTrouble(), "Match not saved: the disk is full");
        EXPECT_EQ(ReadBytes(keeper.SavePath().string()), lastGood);

        fs::remove(disk / "filler");
        ASSERT_TRUE(PlaySavePoints(h, keeper, 1));
        EXPECT_EQ(keeper.SaveTrouble(), std::nullopt);
        EXPECT_NE(ReadBytes(keeper.SavePath().string()), lastGood);
    });
}

TEST(RealDiskFaults, AFullDiskLeavesNoTornRecordAndTheRecordGoesInOnceThereIsRoom) {
    PlayerFolder folder;
    const fs::path disk = folder.Root() / "disk";
    fs::create_directories(disk);
    ON_SMALL_DISK(disk, [&] {
        const fs::path statistics = disk / "data" / "statistics";
        FlowHarness h(3);
        h.Start();
        {
            MatchKeeper earlier(disk / "state", statistics, true);
            ASSERT_TRUE(earlier.Claim());
            ASSERT_TRUE(PlaySavePoints(h, earlier, 2));
        }
        MatchKeeper keeper(disk / "state", statistics, true);
        ASSERT_TRUE(keeper.Claim());
        ASSERT_NE(keeper.SavedMatch(), nullptr);
        keeper.TakeMessages();
        FillDisk(disk / "filler");
        keeper.Abandon();
        const std::vector<std::string> messages = keeper.TakeMessages();
        ASSERT_EQ(messages.size(), 1U);
        EXPECT_TRUE(Contains(messages[0], "could not be recorded")) << messages[0];
        EXPECT_EQ(keeper.PendingRecords().size(), 1U);
        EXPECT_TRUE(LoadStatistics(statistics).records.empty());
        EXPECT_TRUE(!fs::exists(statistics) || fs::file_size(statistics) == 0) << "no torn line";

        fs::remove(disk / "filler");
        keeper.Save(h.s, h.random, 0);
        EXPECT_TRUE(keeper.PendingRecords().empty());
        const LoadedStatistics loaded = LoadStatistics(statistics);
        ASSERT_EQ(loaded.records.size(), 1U);
        EXPECT_EQ(loaded.records[0].Outcome, MatchOutcome::Abandoned);
    });
}

TEST(RealDiskFaults, AReadOnlyHomeIsToldAsSuchAndItsSaveLeftAlone) {
    // A save made beforehand, for the home that has one.
    std::vector<uint8_t> save;
    {
        PlayerFolder folder;
        MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
        ASSERT_TRUE(keeper.Claim());
        FlowHarness h(4);
        h.Start();
        ASSERT_TRUE(PlaySavePoints(h, keeper, 2));
        save = ReadBytes(keeper.SavePath().string());
        ASSERT_FALSE(save.empty());
    }
    for (const bool withSave : {false, true}) {
        SCOPED_TRACE(withSave ? "a home with a saved match" : "a fresh home");
        PlayerFolder folder;
        const fs::path disk = folder.Root() / "disk";
        fs::create_directories(disk);
        ON_SMALL_DISK(disk, [&] {
            const fs::path state = disk / "state" / "zarn";
            if (withSave) {
                fs::create_directories(state);
                WriteBytes((state / "match.sav").string(), save);
            }
            ASSERT_TRUE(RemountReadOnly(disk)) << std::strerror(errno);
            MatchKeeper keeper(state, disk / "data" / "statistics", true);
            EXPECT_FALSE(keeper.Claim());
            const std::vector<std::string> messages = keeper.TakeMessages();
            ASSERT_EQ(messages.size(), 1U);
            EXPECT_FALSE(Contains(messages[0], "another Zarn game")) << messages[0];
            EXPECT_TRUE(Contains(messages[0], "lock file")) << messages[0];
            EXPECT_TRUE(Contains(messages[0], std::strerror(EROFS))) << messages[0];
            EXPECT_EQ(keeper.SaveTrouble(), "Match not saved: the disk is read-only");

            FlowHarness h(5);
            h.Start();
            ASSERT_TRUE(PlaySavePoints(h, keeper, 2));
            keeper.Save(h.s, h.random, 0);
            EXPECT_EQ(fs::exists(state / "match.sav"), withSave);
            if (withSave) {
                EXPECT_EQ(ReadBytes((state / "match.sav").string()), save);
            }
        });
    }
}

}  // namespace
