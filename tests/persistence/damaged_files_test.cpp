// Damaged, cut, foreign and hostile files: each is reported in one line, moved aside as NAME.bad, and
// the game goes on with a new match or with the good records. Files of a newer version are no damage:
// they are left where they are.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "flow_harness.h"
#include "persistence/byte_codec.h"
#include "persistence/match_keeper.h"
#include "persistence/player_files.h"
#include "persistence/statistics.h"
#include "player_folder.h"
#include "temp_dir.h"

namespace {

// A saved match a few tricks in; `tweak` may put a value into it that the game never writes.
std::vector<uint8_t> SavedMatchBytes(const std::function<void(GameState&)>& tweak = {}) {
    FlowHarness h(5);
    h.Start();
    if (!h.PlayUntil([](const GameState& s) { return s.SavePoints >= 3; })) {
        ADD_FAILURE() << "the game never reached its third save point";
    }
    if (tweak) {
        tweak(h.s);
    }
    SavedMatchExtras extras;
    extras.RandomState = h.random.State();
    return EncodeSavedMatch(h.s, extras);
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

// Sets the checksum right again, so that the damage behind it is what the loader meets.
void Reseal(std::vector<uint8_t>& bytes) {
    const size_t end = bytes.size() - 4;
    PutU32(bytes, end, Crc32(std::span(bytes).first(end)));
}

struct Damage {
    std::string name;
    std::function<std::vector<uint8_t>(std::vector<uint8_t>)> apply;
    std::string reason;  // part of the message
};

std::vector<Damage> SavedMatchDamages() {
    std::vector<Damage> cases;
    cases.push_back({"empty", [](auto) { return std::vector<uint8_t>{}; }, "it is empty"});
    cases.push_back({"not ours", [](auto) { return std::vector<uint8_t>(200, 'x'); }, "not a saved match"});
    cases.push_back({"version 0",
                     [](auto b) {
                         PutU32(b, 8, 0);
                         Reseal(b);
                         return b;
                     },
                     "unknown format"});
    cases.push_back({"version far beyond any",
                     [](auto b) {
                         PutU32(b, 8, kMaxSavedMatchVersion + 1);
                         Reseal(b);
                         return b;
                     },
                     "unknown format"});
    cases.push_back({"wrong checksum",
                     [](auto b) {
                         b.back() ^= 0x55;
                         return b;
                     },
                     "checksum"});
    cases.push_back({"huge length",
                     [](auto b) {
                         PutU32(b, 12, 0xFFFFFFF0U);
                         return b;
                     },
                     "length"});
    cases.push_back(
        {"huge text inside",
         [](auto) { return SavedMatchBytes([](GameState& s) { s.OpponentName[2].assign(100000, 'a'); }); },
         "text claims"});
    cases.push_back({"value out of range",
                     [](auto) { return SavedMatchBytes([](GameState& s) { s.Hand[1][4].Card = 999; }); },
                     "outside"});
    cases.push_back({"seat out of range",
                     [](auto) { return SavedMatchBytes([](GameState& s) { s.CurrentSeat = 4; }); },
                     "outside"});
    cases.push_back(
        {"unknown phase",
         [](auto) { return SavedMatchBytes([](GameState& s) { s.Phase = static_cast<Phase>(77); }); },
         "phase"});
    cases.push_back({"bytes after the end",
                     [](auto b) {
                         b.push_back(0);
                         return b;
                     },
                     "after its end"});
    return cases;
}

// The keeper finds a damaged save: one line, the file aside, and a new match can start.
void ExpectSetAside(const std::vector<uint8_t>& bytes, const std::string& reason, const std::string& label) {
    PlayerFolder folder;
    MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
    const std::filesystem::path save = keeper.SavePath();
    std::filesystem::create_directories(save.parent_path());
    WriteBytes(save.string(), bytes);
    ASSERT_TRUE(keeper.Claim()) << label;
    EXPECT_EQ(keeper.SavedMatch(), nullptr) << label;
    const std::vector<std::string> messages = keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U) << label;
    EXPECT_EQ(messages[0].find('\n'), std::string::npos) << label;
    EXPECT_NE(messages[0].find("saved match"), std::string::npos) << messages[0];
    if (!reason.empty()) {
        EXPECT_NE(messages[0].find(reason), std::string::npos) << label << ": " << messages[0];
    }
    EXPECT_FALSE(std::filesystem::exists(save)) << label;
    std::filesystem::path bad = save;
    bad += ".bad";
    ASSERT_TRUE(std::filesystem::exists(bad)) << label;
    EXPECT_EQ(ReadBytes(bad.string()), bytes) << label << ": the bad file keeps every byte";

    // The game goes on with a new match, which is saved again.
    FlowHarness h(9);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.SavePoints >= 1; })) << label;
    keeper.AfterFrame(h.s, h.random, h.clock.GetTickCount());
    EXPECT_TRUE(std::filesystem::exists(save)) << label;
}

TEST(DamagedSavedMatch, EachDamageIsReportedAndSetAside) {
    const std::vector<uint8_t> good = SavedMatchBytes();
    for (const Damage& damage : SavedMatchDamages()) {
        ExpectSetAside(damage.apply(good), damage.reason, damage.name);
    }
}

TEST(DamagedSavedMatch, CutShortAtManyLengths) {
    const std::vector<uint8_t> good = SavedMatchBytes();
    for (size_t length = 1; length < good.size(); length += good.size() / 23 + 1) {
        ExpectSetAside(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(length)), "",
                       "cut at " + std::to_string(length));
    }
}

TEST(DamagedSavedMatch, FlippedBytesNeverPassTheChecksum) {
    const std::vector<uint8_t> good = SavedMatchBytes();
    GameState scratch;
    for (size_t at = 0; at < good.size(); at += 37) {
        std::vector<uint8_t> bytes = good;
        bytes[at] ^= 0x10;
        EXPECT_THROW(DecodeSavedMatch(bytes, scratch), FileFormatError) << "flipped at " << at;
    }
    std::vector<uint8_t> bytes = good;
    bytes[good.size() / 2] ^= 0x01;
    ExpectSetAside(bytes, "checksum", "flipped bit");
}

TEST(DamagedSavedMatch, ASecondBadFileDoesNotReplaceTheFirst) {
    TempDir dir;
    const std::string path = dir / "match.sav";
    WriteBytes(path, {1});
    EXPECT_EQ(MoveAside(path).filename(), "match.sav.bad");
    WriteBytes(path, {2});
    EXPECT_EQ(MoveAside(path).filename(), "match.sav.bad.2");
    EXPECT_EQ(ReadBytes(dir / "match.sav.bad"), std::vector<uint8_t>{1});
}

std::string GoodStatistics() {
    std::string text;
    for (int i = 0; i < 3; ++i) {
        MatchRecord record;
        record.EndTime = 1000 + i;
        record.Outcome = i == 1 ? MatchOutcome::Won : MatchOutcome::Lost;
        record.ContractsPlayed = 20;
        record.Totals = {100 * i, 200, 300, 400};
        text += EncodeMatchRecord(record);
    }
    return text;
}

TEST(DamagedStatistics, DamageIsReportedTheFileSetAsideAndTheGoodRecordsKept) {
    const std::string good = GoodStatistics();
    const size_t secondLine = good.find('\n') + 1;
    struct Case {
        std::string name;
        std::string text;
        size_t goodRecords;
    };
    std::string flipped = good;
    flipped[secondLine + 20] ^= 0x04;
    std::string newer = good;
    newer.replace(secondLine, 12, "zarn-match 9");
    std::vector<Case> cases{
        {"flipped byte", flipped, 2},
        {"newer version", newer, 2},
        {"garbage line", good + "\x01\x02garbage\n", 3},
        {"huge number",
         good + "zarn-match 1 99999999999999999999999999 0 0 0 won 20 1 2 3 4 0 0 0 0 0 0 0 0 0 0 00000000\n",
         3},
    };
    for (size_t length = 1; length < good.size(); length += 13) {
        const std::string cut = good.substr(0, length);
        cases.push_back({"cut at " + std::to_string(length), cut,
                         static_cast<size_t>(std::count(cut.begin(), cut.end(), '\n'))});
    }
    for (const Case& c : cases) {
        PlayerFolder folder;
        const std::filesystem::path file = folder.Data() / "statistics";
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file.string(), std::vector<uint8_t>(c.text.begin(), c.text.end()));
        const bool damaged = ParseStatistics(c.text).problem.size() > 0;
        const LoadedStatistics loaded = LoadStatistics(file);
        EXPECT_EQ(loaded.records.size(), c.goodRecords) << c.name;
        if (!damaged) {
            // A cut exactly at a line's end is a whole file.
            EXPECT_TRUE(loaded.message.empty()) << c.name;
            continue;
        }
        EXPECT_NE(loaded.message.find("statistics file"), std::string::npos)
            << c.name << ": " << loaded.message;
        EXPECT_EQ(loaded.message.find('\n'), std::string::npos) << c.name;
        std::filesystem::path bad = file;
        bad += ".bad";
        EXPECT_TRUE(std::filesystem::exists(bad)) << c.name;
        // The next read finds only the good records, with nothing to report.
        const LoadedStatistics again = LoadStatistics(file);
        EXPECT_TRUE(again.message.empty()) << c.name << ": " << again.message;
        EXPECT_EQ(again.records.size(), c.goodRecords) << c.name;
    }
}

TEST(DamagedStatistics, AnEmptyFileIsAnEmptyRecordAndAHugeOneIsSetAside) {
    PlayerFolder folder;
    const std::filesystem::path file = folder.Data() / "statistics";
    std::filesystem::create_directories(file.parent_path());
    WriteBytes(file.string(), {});
    EXPECT_TRUE(LoadStatistics(file).message.empty());
    std::filesystem::resize_file(file, (64U << 20) + 1);
    const LoadedStatistics loaded = LoadStatistics(file);
    EXPECT_NE(loaded.message.find("far more"), std::string::npos) << loaded.message;
    EXPECT_TRUE(loaded.records.empty());
}

// A whole statistics line of a newer version, with a good checksum.
std::string NewerStatisticsLine() {
    const std::string body = "zarn-match 2 1700000000 a field this version does not know";
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x",
                  Crc32(std::span(reinterpret_cast<const uint8_t*>(body.data()), body.size())));
    return body + " " + crc + "\n";
}

std::filesystem::path Bad(std::filesystem::path file) {
    file += ".bad";
    return file;
}

TEST(NewerVersion, ASaveIsLeftAsItIsAndTheMatchPlayedUnsaved) {
    std::vector<uint8_t> newer = SavedMatchBytes();
    PutU32(newer, 8, kSavedMatchVersion + 1);
    Reseal(newer);
    PlayerFolder folder;
    MatchKeeper keeper(folder.State(), folder.Data() / "statistics", true);
    std::filesystem::create_directories(keeper.SavePath().parent_path());
    WriteBytes(keeper.SavePath().string(), newer);
    EXPECT_FALSE(keeper.Claim());
    EXPECT_FALSE(keeper.Saving());
    const std::vector<std::string> messages = keeper.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("made by a newer version of Zarn"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("will not be saved"), std::string::npos) << messages[0];

    FlowHarness h(9);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([&](const GameState& s) {
        keeper.AfterFrame(s, h.random, h.clock.GetTickCount());
        return s.SavePoints >= 3;
    }));
    keeper.Abandon();
    keeper.Save(h.s, h.random, 0);
    EXPECT_EQ(ReadBytes(keeper.SavePath().string()), newer);
    EXPECT_FALSE(std::filesystem::exists(Bad(keeper.SavePath())));
}

TEST(NewerVersion, StatisticsLinesAreKeptAndTheOthersCounted) {
    const std::string good = GoodStatistics();
    const std::string newer = NewerStatisticsLine();
    PlayerFolder folder;
    const std::filesystem::path file = folder.Data() / "statistics";
    std::filesystem::create_directories(file.parent_path());
    const std::string text = good.substr(0, good.find('\n') + 1) + newer + good.substr(good.find('\n') + 1);
    WriteBytes(file.string(), std::vector<uint8_t>(text.begin(), text.end()));

    const LoadedStatistics loaded = LoadStatistics(file);
    EXPECT_EQ(loaded.records.size(), 3U);
    EXPECT_NE(loaded.message.find("made by a newer version of Zarn"), std::string::npos) << loaded.message;
    EXPECT_EQ(ReadBytes(file.string()), std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_FALSE(std::filesystem::exists(Bad(file)));

    // This version's records still go in, after the newer one's.
    MatchRecord record;
    record.EndTime = 5000;
    ASSERT_TRUE(AppendMatchRecord(file, record, nullptr));
    EXPECT_EQ(LoadStatistics(file).records.size(), 4U);

    // Damage beside a newer line: the file is set aside, and the fresh one keeps the newer line too.
    const std::string damaged = text + "garbage\n";
    WriteBytes(file.string(), std::vector<uint8_t>(damaged.begin(), damaged.end()));
    const LoadedStatistics set = LoadStatistics(file);
    EXPECT_EQ(set.records.size(), 3U);
    EXPECT_TRUE(std::filesystem::exists(Bad(file)));
    const std::vector<uint8_t> fresh = ReadBytes(file.string());
    EXPECT_NE(std::string(fresh.begin(), fresh.end()).find(newer), std::string::npos);
}

}  // namespace
