// The statistics: what the player is shown after some matches, and records kept from two games at once.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

#include "persistence/statistics.h"
#include "player_folder.h"

namespace {

MatchRecord Finished(bool partnership, MatchOutcome outcome, int32_t total) {
    MatchRecord r;
    r.Partnership = partnership;
    r.Outcome = outcome;
    r.ContractsPlayed = 20;
    r.Totals = {total, 500, 600, 700};
    r.Tally.Contracts = {0, 4, 4, 4, 4, 4};
    r.Tally.Points = {0, 40, 60, 100, 0, -400};
    return r;
}

std::map<std::string, std::string> Figures(const std::vector<MatchRecord>& records) {
    std::map<std::string, std::string> figures;
    for (const auto& [caption, value] : StatisticsRows(records)) {
        figures[caption] = value;
    }
    return figures;
}

TEST(Statistics, FiguresOfAFewMatches) {
    using enum MatchOutcome;
    const std::vector<MatchRecord> records{
        Finished(false, Won, 300), Finished(false, Won, 250),        Finished(false, Lost, 900),
        Finished(true, Won, 400),  Finished(false, Abandoned, 9999), Finished(false, Won, 100),
        Finished(true, Won, 350),
    };
    const auto f = Figures(records);
    EXPECT_EQ(f.at("Matches played alone"), "4");
    EXPECT_EQ(f.at("Won alone"), "3");
    EXPECT_EQ(f.at("Lost alone"), "1");
    EXPECT_EQ(f.at("Win rate alone"), "75%");
    EXPECT_EQ(f.at("Matches played in partnership"), "2");
    EXPECT_EQ(f.at("Win rate in partnership"), "100%");
    EXPECT_EQ(f.at("Matches abandoned (not counted)"), "1");
    EXPECT_EQ(f.at("Best total"), "100");
    EXPECT_EQ(f.at("Worst total"), "900");
    // Won, won, lost, (abandoned: not counted), won, won.
    EXPECT_EQ(f.at("Current winning streak"), "3");
    EXPECT_EQ(f.at("Longest winning streak"), "3");
    EXPECT_EQ(f.at("Average points in Tricks"), "10.0");
    EXPECT_EQ(f.at("Average points in Queens"), "25.0");
    EXPECT_EQ(f.at("Average points in Zarn"), "-100.0");
}

TEST(Statistics, NoMatchesYet) {
    const auto f = Figures({});
    EXPECT_EQ(f.at("Matches played alone"), "0");
    EXPECT_EQ(f.at("Win rate alone"), "-");
    EXPECT_EQ(f.at("Best total"), "-");
    EXPECT_EQ(f.at("Average points in King"), "-");
}

TEST(Statistics, RecordsReadBackAsWritten) {
    MatchRecord r = Finished(true, MatchOutcome::Lost, -123);
    r.EndTime = 1765380000;
    r.FrenchRules = true;
    r.SevenOfHeartsLead = true;
    const StatisticsFile file = ParseStatistics(EncodeMatchRecord(r) + EncodeMatchRecord(r));
    ASSERT_TRUE(file.problem.empty()) << file.problem;
    ASSERT_EQ(file.records.size(), 2U);
    EXPECT_EQ(EncodeMatchRecord(file.records[1]), EncodeMatchRecord(r));
}

TEST(Statistics, TwoGamesAppendingAtOnceKeepEveryRecord) {
    PlayerFolder folder;
    const std::filesystem::path file = folder.Data() / "statistics";
    constexpr int kEach = 200;
    auto game = [&file](int32_t total) {
        for (int i = 0; i < kEach; ++i) {
            ASSERT_TRUE(AppendMatchRecord(file, Finished(false, MatchOutcome::Lost, total), nullptr));
        }
    };
    std::thread first(game, 1);
    std::thread second(game, 2);
    first.join();
    second.join();
    const LoadedStatistics loaded = LoadStatistics(file);
    EXPECT_TRUE(loaded.message.empty()) << loaded.message;
    EXPECT_EQ(loaded.records.size(), 2U * kEach);
}

TEST(Statistics, ResetEmptiesTheRecord) {
    PlayerFolder folder;
    const std::filesystem::path file = folder.Data() / "statistics";
    ASSERT_TRUE(AppendMatchRecord(file, Finished(false, MatchOutcome::Won, 1), nullptr));
    ASSERT_TRUE(ResetStatistics(file, nullptr));
    EXPECT_TRUE(LoadStatistics(file).records.empty());
    EXPECT_EQ(StatisticsPath(), folder.Data() / "statistics");
}

}  // namespace
