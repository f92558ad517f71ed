#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "persistence/match_record.h"
#include "persistence/player_files.h"

// The player's record of matches, one line per match in $XDG_DATA_HOME/zarn/statistics:
//
//   zarn-match 1 END P F S OUTCOME CONTRACTS T0 T1 T2 T3 C1 P1 C2 P2 C3 P3 C4 P4 C5 P5 CRC
//
// "zarn-match" and the line format's version, then the end time (seconds since 1970, UTC),
// partnership, French rules and seven-of-hearts lead (0 or 1), the outcome (won, lost, abandoned),
// the contracts played, the four totals (the player's first), for each contract kind 1..5 the number
// played and the player's points, and the CRC-32 of everything before it on the line, as 8 hex digits.
// Every line is appended whole or not at all, under the statistics lock, so two games can record at
// the same time and a full disk leaves no torn line. A line of a newer version (whole, with a good
// checksum) is kept as it is and not counted; the records of this version are read around it.

inline constexpr int kStatisticsLineVersion = 1;

// One line for the file, newline included.
std::string EncodeMatchRecord(const MatchRecord& record);

// The records of a statistics file. A damaged line makes `problem` say what was wrong with the first
// one; the good records are still all returned. Whole lines of a newer version are not damage: they are
// returned as they are (newline included) in `newerLines`.
struct StatisticsFile {
    std::vector<MatchRecord> records;
    std::vector<std::string> newerLines;
    std::string problem;
};
StatisticsFile ParseStatistics(const std::string& text);

// The figures the Statistics tab and `zarn --statistics` show, as (caption, value) rows. Abandoned
// matches are listed but never counted as played, won or lost.
std::vector<std::pair<std::string, std::string>> StatisticsRows(const std::vector<MatchRecord>& records);

// The rows as plain text, one "caption: value" per line.
std::string StatisticsText(const std::vector<MatchRecord>& records);

// The statistics file in the data folder, read with damage handled: a damaged file is moved aside
// (its good records, and a newer version's, are written to a fresh file) and `message` says so in one
// line. A file with records of a newer version and no damage is left as it is, and `message` says that.
struct LoadedStatistics {
    std::vector<MatchRecord> records;
    std::string message;
};
LoadedStatistics LoadStatistics(const std::filesystem::path& file);

// Appends a record; false (with `error` set) when it could not be written.
bool AppendMatchRecord(const std::filesystem::path& file, const MatchRecord& record, std::string* error,
                       DiskWrites& disk = SystemDiskWrites());

// Records that wait to be written: those kept in `pendingFile` (a file of whole lines in the state
// folder), then `waiting` (lines tried before), then `fresh` (new lines), each EncodeMatchRecord's with
// its newline, are appended to the statistics `file` in that order, under its lock. A record tried
// before that the file holds already is not written again. What could not be written is kept in
// `pendingFile` for the next chance (the pending file goes when everything is written). With an empty
// `pendingFile` nothing is kept on the disk.
struct RecordsWritten {
    std::vector<std::string> unwritten;  // the lines not in the statistics yet
    std::string error;                   // why they could not be written
    bool kept = false;                   // they are in the pending file
    std::string keepError;               // why they could not be kept there either
};
RecordsWritten WriteMatchRecords(const std::filesystem::path& file, const std::filesystem::path& pendingFile,
                                 const std::vector<std::string>& waiting,
                                 const std::vector<std::string>& fresh,
                                 DiskWrites& disk = SystemDiskWrites());

// Empties the record (the player asked for it): the file is replaced by an empty one.
bool ResetStatistics(const std::filesystem::path& file, std::string* error,
                     DiskWrites& disk = SystemDiskWrites());

// $XDG_DATA_HOME/zarn/statistics.
std::filesystem::path StatisticsPath();
