#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "persistence/match_record.h"

// The player's record of matches, one line per match in $XDG_DATA_HOME/zarn/statistics:
//
//   zarn-match 1 END P F S OUTCOME CONTRACTS T0 T1 T2 T3 C1 P1 C2 P2 C3 P3 C4 P4 C5 P5 CRC
//
// "zarn-match" and the line format's version, then the end time (seconds since 1970, UTC),
// partnership, French rules and seven-of-hearts lead (0 or 1), the outcome (won, lost, abandoned),
// the contracts played, the four totals (the player's first), for each contract kind 1..5 the number
// played and the player's points, and the CRC-32 of everything before it on the line, as 8 hex digits.
// Every line is appended whole by one write, so two games can record at the same time.

inline constexpr int kStatisticsLineVersion = 1;

// One line for the file, newline included.
std::string EncodeMatchRecord(const MatchRecord& record);

// The records of a statistics file. A damaged line (or one from a newer version) makes `problem` say
// what was wrong with the first one; the good records are still all returned.
struct StatisticsFile {
    std::vector<MatchRecord> records;
    std::string problem;
};
StatisticsFile ParseStatistics(const std::string& text);

// The figures the Statistics tab and `zarn --statistics` show, as (caption, value) rows. Abandoned
// matches are listed but never counted as played, won or lost.
std::vector<std::pair<std::string, std::string>> StatisticsRows(const std::vector<MatchRecord>& records);

// The rows as plain text, one "caption: value" per line.
std::string StatisticsText(const std::vector<MatchRecord>& records);

// The statistics file in the data folder, read with damage handled: a damaged file is moved aside
// (its good records are written to a fresh file) and `message` says so in one line.
struct LoadedStatistics {
    std::vector<MatchRecord> records;
    std::string message;
};
LoadedStatistics LoadStatistics(const std::filesystem::path& file);

// Appends a record; false (with `error` set) when it could not be written.
bool AppendMatchRecord(const std::filesystem::path& file, const MatchRecord& record, std::string* error);

// Empties the record (the player asked for it): the file is replaced by an empty one.
bool ResetStatistics(const std::filesystem::path& file, std::string* error);

// $XDG_DATA_HOME/zarn/statistics.
std::filesystem::path StatisticsPath();
