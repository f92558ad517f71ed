// Faults of the disk, put in through the write seam: an interrupted or short write, a full disk, a
// read-only folder, a failing flush, and files that exist but cannot be read. Nothing the player had is
// lost, and each cause is told once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "faulty_disk.h"
#include "flow_harness.h"
#include "persistence/byte_codec.h"
#include "persistence/match_keeper.h"
#include "persistence/player_files.h"
#include "persistence/statistics.h"
#include "player_folder.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Fault = FaultyDisk::Fault;

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct WriteCase {
    const char* name;
    Fault fault;
    bool written;  // the write goes through in the end
};

const std::vector<WriteCase>& WriteCases() {
    static const std::vector<WriteCase> cases{
        {"interrupted once", Fault::InterruptOnce, true},
        {"short writes", Fault::ShortWrite, true},
        {"short write, then full", Fault::ShortWriteThenFull, false},
        {"full", Fault::Full, false},
        {"flush fails", Fault::FlushFails, false},
        {"read-only", Fault::ReadOnly, false},
    };
    return cases;
}

TEST(DiskWrites, AnAppendGoesInWholeOrTheFileKeepsItsOldLength) {
    const std::string old = "zarn-match first line\nzarn-match second line\n";
    const std::string line = "zarn-match the new record, long enough to be cut in two\n";
    for (const WriteCase& c : WriteCases()) {
        TempDir dir;
        const fs::path file = fs::path(dir.path()) / "statistics";
        WriteBytes(file.string(), Bytes(old));
        FaultyDisk disk;
        disk.Set("statistics", c.fault);
        bool threw = false;
        try {
            AppendToFile(file, Bytes(line), disk);
        } catch (const DiskWriteError& e) {
            threw = true;
            EXPECT_NE(e.Code(), 0) << c.name;
        }
        EXPECT_EQ(threw, !c.written) << c.name;
        EXPECT_EQ(ReadBytes(file.string()), Bytes(c.written ? old + line : old)) << c.name;
    }
}

TEST(DiskWrites, AWholeFileIsReplacedOrLeftAsItWasWithNoTemporaryFileBehind) {
    const std::string old = "the old save";
    const std::string next(5000, 'n');
    for (const WriteCase& c : WriteCases()) {
        TempDir dir;
        const fs::path file = fs::path(dir.path()) / "match.sav";
        WriteBytes(file.string(), Bytes(old));
        FaultyDisk disk;
        disk.Set("match.sav", c.fault);
        bool threw = false;
        try {
            WriteFileAtomically(file, Bytes(next), disk);
        } catch (const DiskWriteError&) {
            threw = true;
        }
        EXPECT_EQ(threw, !c.written) << c.name;
        EXPECT_EQ(ReadBytes(file.string()), Bytes(c.written ? next : old)) << c.name;
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"match.sav"}) << c.name;
    }
}

// A kept game over a faulty disk, played by the autoplayer with the keeper after every frame.
struct KeptGame {
    explicit KeptGame(const PlayerFolder& folder, DiskWrites& disk = SystemDiskWrites())
        : keeper(folder.State(), folder.Data() / "statistics", true, disk), h(3) {
        h.Start();
    }
    // Plays on until the game has passed `more` further save points; false when it never got there.
    bool PlaySavePoints(uint32_t more) {
        const uint32_t target = h.s.SavePoints + more;
        return h.PlayUntil([this, target](const GameState& s) {
            keeper.AfterFrame(s, h.random, h.clock.GetTickCount());
            return s.SavePoints >= target;
        });
    }
    std::vector<uint8_t> Save() const { return ReadBytes(keeper.SavePath().string()); }

    MatchKeeper keeper;
    FlowHarness h;
};

TEST(FailingSaves, AreToldOncePerCauseAndShownOnTheTableUntilASaveWorks) {
    PlayerFolder folder;
    FaultyDisk disk;
    KeptGame game(folder, disk);
    ASSERT_TRUE(game.keeper.Claim());
    ASSERT_TRUE(game.PlaySavePoints(2));
    const std::vector<uint8_t> lastGood = game.Save();
    ASSERT_FALSE(lastGood.empty());
    EXPECT_EQ(game.keeper.SaveTrouble(), std::nullopt);
    EXPECT_TRUE(game.keeper.TakeMessages().empty());

    disk.Set("match.sav", Fault::Full);
    ASSERT_TRUE(game.PlaySavePoints(30));
    std::vector<std::string> messages = game.keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U) << "one line for thirty failed save points";
    EXPECT_NE(messages[0].find("could not be saved"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find(std::strerror(ENOSPC)), std::string::npos) << messages[0];
    EXPECT_EQ(game.keeper.SaveTrouble(), "Match not saved: the disk is full");
    EXPECT_EQ(game.Save(), lastGood) << "the last save is kept";

    // Another cause is told too, once; a cause told already is not told again.
    disk.Set("match.sav", Fault::FlushFails);
    ASSERT_TRUE(game.PlaySavePoints(5));
    messages = game.keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find(std::strerror(EIO)), std::string::npos) << messages[0];
    EXPECT_EQ(game.keeper.SaveTrouble(), "Match not saved: the disk reports an error");
    disk.Set("match.sav", Fault::Full);
    ASSERT_TRUE(game.PlaySavePoints(5));
    EXPECT_TRUE(game.keeper.TakeMessages().empty());
    EXPECT_EQ(game.Save(), lastGood);

    // Room again: the next save point saves, and the table's line goes.
    disk.Clear();
    ASSERT_TRUE(game.PlaySavePoints(1));
    EXPECT_EQ(game.keeper.SaveTrouble(), std::nullopt);
    EXPECT_EQ(game.keeper.TakeMessages(), std::vector<std::string>{"zarn: the match is saved again."});
    GameState saved;
    DecodeSavedMatch(game.Save(), saved);
    EXPECT_EQ(saved.SavePoints, game.h.s.SavePoints);
}

TEST(FailingSaves, EveryTableLineFitsTheTable) {
    // The table is 800 pixels wide and a glyph advances 17: 44 characters leave a margin.
    const std::vector<std::pair<Fault, std::string>> causes{
        {Fault::Full, "Match not saved: the disk is full"},
        {Fault::ReadOnly, "Match not saved: the disk is read-only"},
        {Fault::FlushFails, "Match not saved: the disk reports an error"},
    };
    for (const auto& [fault, text] : causes) {
        PlayerFolder folder;
        FaultyDisk disk;
        KeptGame game(folder, disk);
        ASSERT_TRUE(game.keeper.Claim());
        disk.Set("match.sav", fault);
        ASSERT_TRUE(game.PlaySavePoints(1));
        ASSERT_TRUE(game.keeper.SaveTrouble().has_value()) << text;
        EXPECT_EQ(*game.keeper.SaveTrouble(), text);
        EXPECT_LE(game.keeper.SaveTrouble()->size(), 44U) << text;
    }
}

// A saved match left by an earlier game, for the next one to abandon: its record is the one written.
struct EarlierGame {
    explicit EarlierGame(const PlayerFolder& folder) {
        KeptGame first(folder);
        EXPECT_TRUE(first.keeper.Claim());
        EXPECT_TRUE(first.PlaySavePoints(2));
        EXPECT_TRUE(fs::exists(first.keeper.SavePath()));
    }
};

TEST(WaitingRecords, AreKeptInThePendingFileAndRecordedOnceAtTheNextStart) {
    PlayerFolder folder;
    EarlierGame before(folder);
    const fs::path statistics = folder.Data() / "statistics";
    fs::path pending;
    {
        FaultyDisk disk;
        disk.Set("statistics", Fault::ShortWriteThenFull);
        MatchKeeper keeper(folder.State(), statistics, true, disk);
        ASSERT_TRUE(keeper.Claim());
        ASSERT_NE(keeper.SavedMatch(), nullptr) << "the match to abandon was not saved";
        keeper.TakeMessages();
        keeper.Abandon();
        const std::vector<std::string> messages = keeper.TakeMessages();
        ASSERT_EQ(messages.size(), 1U);
        EXPECT_NE(messages[0].find("could not be recorded"), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find("waits in"), std::string::npos) << messages[0];
        pending = keeper.PendingRecordsPath();
        EXPECT_EQ(keeper.PendingRecords().size(), 1U);
        EXPECT_EQ(fs::file_size(statistics), 0U) << "no torn line";
        const std::vector<uint8_t> waiting = ReadBytes(pending.string());
        EXPECT_EQ(ParseStatistics(std::string(waiting.begin(), waiting.end())).records.size(), 1U);
    }
    for (int start = 0; start < 2; ++start) {
        MatchKeeper keeper(folder.State(), statistics, true);
        ASSERT_TRUE(keeper.Claim());
        const LoadedStatistics loaded = LoadStatistics(statistics);
        ASSERT_EQ(loaded.records.size(), 1U) << "start " << start;
        EXPECT_EQ(loaded.records[0].Outcome, MatchOutcome::Abandoned);
        EXPECT_FALSE(fs::exists(pending));
        EXPECT_TRUE(keeper.PendingRecords().empty());
    }
}

TEST(WaitingRecords, WaitInMemoryWhenNothingCanBeWrittenAndGoInAtTheNextSavePoint) {
    PlayerFolder folder;
    EarlierGame before(folder);
    FaultyDisk disk;
    disk.Set("statistics", Fault::Full);
    disk.Set("statistics.pending", Fault::Full);
    KeptGame game(folder, disk);
    ASSERT_TRUE(game.keeper.Claim());
    ASSERT_NE(game.keeper.SavedMatch(), nullptr) << "the match to abandon was not saved";
    game.keeper.TakeMessages();
    game.keeper.Abandon();
    std::vector<std::string> messages = game.keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("waits only while this game runs"), std::string::npos) << messages[0];
    EXPECT_FALSE(fs::exists(game.keeper.PendingRecordsPath()));

    // Tried at every save point, told no more.
    ASSERT_TRUE(game.PlaySavePoints(3));
    EXPECT_TRUE(game.keeper.TakeMessages().empty());
    EXPECT_EQ(game.keeper.PendingRecords().size(), 1U);

    disk.Clear();
    ASSERT_TRUE(game.PlaySavePoints(1));
    EXPECT_TRUE(game.keeper.PendingRecords().empty());
    messages = game.keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("now recorded"), std::string::npos) << messages[0];
    ASSERT_EQ(LoadStatistics(folder.Data() / "statistics").records.size(), 1U);
}

TEST(WaitingRecords, ARecordWrittenBeforeThePendingFileWasUpdatedIsNotWrittenTwice) {
    TempDir dir;
    const fs::path statistics = fs::path(dir.path()) / "statistics";
    const fs::path pending = fs::path(dir.path()) / "statistics.pending";
    MatchRecord first;
    first.EndTime = 100;
    MatchRecord second;
    second.EndTime = 200;
    const std::string a = EncodeMatchRecord(first);
    const std::string b = EncodeMatchRecord(second);
    WriteBytes(statistics.string(), Bytes(a));
    WriteBytes(pending.string(), Bytes(a + b));
    const RecordsWritten written = WriteMatchRecords(statistics, pending, {}, {b});
    EXPECT_TRUE(written.unwritten.empty());
    EXPECT_EQ(ReadBytes(statistics.string()), Bytes(a + b + b)) << "a fresh record is always written";
    EXPECT_FALSE(fs::exists(pending));
}

TEST(UnreadableSave, IsNeverWrittenOverNorMovedAndTheMatchIsPlayedUnsaved) {
    PlayerFolder folder;
    KeptGame game(folder);
    // Root reads any file, so the save that cannot be read is a folder where the file should be.
    const fs::path save = game.keeper.SavePath();
    fs::create_directories(save / "inside");
    EXPECT_FALSE(game.keeper.Claim());
    EXPECT_FALSE(game.keeper.Saving());
    EXPECT_EQ(game.keeper.SavedMatch(), nullptr);
    const std::vector<std::string> messages = game.keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("exists but cannot be read"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("will not be saved"), std::string::npos) << messages[0];

    ASSERT_TRUE(game.PlaySavePoints(3));
    game.keeper.Abandon();
    game.keeper.Save(game.h.s, game.h.random, 0);
    EXPECT_TRUE(fs::is_directory(save / "inside"));
    EXPECT_EQ(FilesIn(folder.State()), (std::vector<std::string>{"match.sav", "zarn.lock"}));
}

}  // namespace
