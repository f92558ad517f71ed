#include "persistence/statistics.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "persistence/byte_codec.h"
#include "persistence/match_lock.h"
#include "persistence/player_files.h"

namespace {

constexpr size_t kMaxStatisticsBytes = 64U << 20;
constexpr const char* kLineTag = "zarn-match";
constexpr std::array<const char*, 3> kOutcomeNames{"won", "lost", "abandoned"};

// The texts of this file, in one place.
constexpr const char* kNotARecord = N_("a line is not a match record");
constexpr const char* kBadChecksum = N_("a record's checksum does not match");
constexpr const char* kNoVersion = N_("a record has no version");
constexpr const char* kDamagedFields = N_("a record's fields are damaged");
constexpr const char* kCutShort = N_("the last record is cut short");
constexpr const char* kStatisticsFileName = N_("statistics file");
constexpr const char* kNewerNotCounted = N_("its newer records are not counted here");
constexpr const char* kGoodRecordsLost = N_(" Its good records could not be kept: {reason}");
// Not a problem: a whole line of a newer version, which is kept as it is.
constexpr const char* kNewerLine = "newer";

// Appending, setting a damaged file aside and resetting happen one game at a time, so a record appended
// by one game never lands in a file another game is replacing.
std::unique_ptr<MatchLock> LockStatistics(const std::filesystem::path& file) {
    std::filesystem::path lockFile = file;
    lockFile += ".lock";
    return MatchLock::Acquire(lockFile);
}

uint32_t TextCrc(const std::string& text) {
    return Crc32(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::string Hex8(uint32_t v) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", v);
    return buffer;
}

// A whole-number field of a line, within its range.
bool ReadNumber(std::istringstream& in, int64_t lo, int64_t hi, int64_t& value) {
    std::string word;
    if (!(in >> word) || word.empty() || word.size() > 20) {
        return false;
    }
    size_t used = 0;
    try {
        value = std::stoll(word, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == word.size() && value >= lo && value <= hi;
}

// Parses one line (without its newline); the problem text when it is not a record.
std::string ParseLine(const std::string& line, MatchRecord& record) {
    const size_t lastSpace = line.rfind(' ');
    if (lastSpace == std::string::npos || line.compare(0, 11, std::string(kLineTag) + " ") != 0) {
        return Tr(kNotARecord);
    }
    const std::string body = line.substr(0, lastSpace);
    if (line.substr(lastSpace + 1) != Hex8(TextCrc(body))) {
        return Tr(kBadChecksum);
    }
    std::istringstream in(body.substr(11));
    int64_t v = 0;
    if (!ReadNumber(in, 1, 1000000, v)) {
        return Tr(kNoVersion);
    }
    if (v != kStatisticsLineVersion) {
        return kNewerLine;
    }
    auto number = [&in](int64_t lo, int64_t hi, auto& field) {
        int64_t value = 0;
        if (!ReadNumber(in, lo, hi, value)) {
            return false;
        }
        field = static_cast<std::remove_reference_t<decltype(field)>>(value);
        return true;
    };
    bool ok = number(0, INT64_MAX / 2, record.EndTime) && number(0, 1, record.Partnership) &&
              number(0, 1, record.FrenchRules) && number(0, 1, record.SevenOfHeartsLead);
    std::string outcome;
    ok = ok && static_cast<bool>(in >> outcome);
    const auto named = std::find(kOutcomeNames.begin(), kOutcomeNames.end(), outcome);
    ok = ok && named != kOutcomeNames.end();
    if (ok) {
        record.Outcome = static_cast<MatchOutcome>(named - kOutcomeNames.begin());
    }
    ok = ok && number(0, 20, record.ContractsPlayed);
    for (int32_t& total : record.Totals) {
        ok = ok && number(-1000000, 1000000, total);
    }
    for (int contract = 1; contract <= 5; ++contract) {
        ok = ok && number(0, 1000, record.Tally.Contracts[contract]) &&
             number(-10000000, 10000000, record.Tally.Points[contract]);
    }
    std::string rest;
    if (!ok || (in >> rest)) {
        return Tr(kDamagedFields);
    }
    return {};
}

std::span<const uint8_t> TextBytes(const std::string& text) {
    return std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// The whole file as text; empty when it is missing or cannot be read.
std::string ReadText(const std::filesystem::path& file) {
    try {
        const auto bytes = ReadPlayerFile(file, kMaxStatisticsBytes);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

// The whole records of a file of records, each with its newline; anything else in it is dropped.
std::vector<std::string> RecordLines(const std::filesystem::path& file) {
    const std::string text = ReadText(file);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            break;
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        MatchRecord record;
        if (ParseLine(line, record).empty()) {
            lines.push_back(line + '\n');
        }
    }
    return lines;
}

std::string Percent(int won, int played) {
    if (played == 0) {
        return "-";
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.0f%%", 100.0 * won / played);
    return buffer;
}

}  // namespace

std::string EncodeMatchRecord(const MatchRecord& r) {
    std::ostringstream out;
    out << kLineTag << ' ' << kStatisticsLineVersion << ' ' << r.EndTime << ' ' << (r.Partnership ? 1 : 0)
        << ' ' << (r.FrenchRules ? 1 : 0) << ' ' << (r.SevenOfHeartsLead ? 1 : 0) << ' '
        << kOutcomeNames[static_cast<size_t>(r.Outcome)] << ' ' << r.ContractsPlayed;
    for (const int32_t total : r.Totals) {
        out << ' ' << total;
    }
    for (int contract = 1; contract <= 5; ++contract) {
        out << ' ' << r.Tally.Contracts[contract] << ' ' << r.Tally.Points[contract];
    }
    const std::string body = out.str();
    return body + ' ' + Hex8(TextCrc(body)) + '\n';
}

StatisticsFile ParseStatistics(const std::string& text) {
    StatisticsFile file;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool cutShort = end == std::string::npos;
        if (cutShort) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        MatchRecord record;
        std::string problem = cutShort ? Tr(kCutShort) : ParseLine(line, record);
        if (problem.empty()) {
            file.records.push_back(record);
        } else if (problem == kNewerLine) {
            file.newerLines.push_back(line + '\n');
        } else if (file.problem.empty()) {
            file.problem = problem;
        }
    }
    return file;
}

std::vector<std::pair<std::string, std::string>> StatisticsRows(const std::vector<MatchRecord>& records) {
    struct Mode {
        int played = 0;
        int won = 0;
    };
    std::array<Mode, 2> modes{};  // alone, partnership
    int abandoned = 0;
    int streak = 0;
    int longest = 0;
    std::optional<int32_t> best;
    std::optional<int32_t> worst;
    ContractTally tally;
    for (const MatchRecord& r : records) {
        if (r.Outcome == MatchOutcome::Abandoned) {
            ++abandoned;
            continue;
        }
        Mode& mode = modes[r.Partnership ? 1 : 0];
        ++mode.played;
        if (r.Outcome == MatchOutcome::Won) {
            ++mode.won;
            longest = std::max(longest, ++streak);
        } else {
            streak = 0;
        }
        // Lower totals are better.
        best = std::min(best.value_or(r.Totals[0]), r.Totals[0]);
        worst = std::max(worst.value_or(r.Totals[0]), r.Totals[0]);
        for (int contract = 1; contract <= 5; ++contract) {
            tally.Contracts[contract] += r.Tally.Contracts[contract];
            tally.Points[contract] += r.Tally.Points[contract];
        }
    }
    std::vector<std::pair<std::string, std::string>> rows;
    // Whole captions for each way of playing, so each can be translated as a whole.
    struct ModeCaptions {
        const char* played;
        const char* won;
        const char* lost;
        const char* rate;
    };
    static constexpr std::array<ModeCaptions, 2> kModeCaptions{{
        {N_("Matches played alone"), N_("Won alone"), N_("Lost alone"), N_("Win rate alone")},
        {N_("Matches played in partnership"), N_("Won in partnership"), N_("Lost in partnership"),
         N_("Win rate in partnership")},
    }};
    static constexpr std::array<const char*, 6> kAverageCaptions{"",
                                                                 N_("Average points in Tricks"),
                                                                 N_("Average points in Diamonds"),
                                                                 N_("Average points in Queens"),
                                                                 N_("Average points in King"),
                                                                 N_("Average points in Zarn")};
    for (size_t m = 0; m < modes.size(); ++m) {
        const Mode& mode = modes[m];
        const ModeCaptions& caption = kModeCaptions[m];
        rows.emplace_back(Tr(caption.played), std::to_string(mode.played));
        rows.emplace_back(Tr(caption.won), std::to_string(mode.won));
        rows.emplace_back(Tr(caption.lost), std::to_string(mode.played - mode.won));
        rows.emplace_back(Tr(caption.rate), Percent(mode.won, mode.played));
    }
    rows.emplace_back(Tr("Matches abandoned (not counted)"), std::to_string(abandoned));
    rows.emplace_back(Tr("Best total"), best ? std::to_string(*best) : "-");
    rows.emplace_back(Tr("Worst total"), worst ? std::to_string(*worst) : "-");
    rows.emplace_back(Tr("Current winning streak"), std::to_string(streak));
    rows.emplace_back(Tr("Longest winning streak"), std::to_string(longest));
    for (int contract = 1; contract <= 5; ++contract) {
        std::string value = "-";
        if (tally.Contracts[contract] > 0) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.1f",
                          static_cast<double>(tally.Points[contract]) / tally.Contracts[contract]);
            value = buffer;
        }
        rows.emplace_back(Tr(kAverageCaptions[contract]), value);
    }
    return rows;
}

std::string StatisticsText(const std::vector<MatchRecord>& records) {
    std::string text;
    for (const auto& [caption, value] : StatisticsRows(records)) {
        text += caption + ": " + value + "\n";
    }
    return text;
}

LoadedStatistics LoadStatistics(const std::filesystem::path& file) {
    LoadedStatistics loaded;
    std::string problem;
    std::vector<std::string> newerLines;
    std::string text;
    std::error_code missing;
    if (!std::filesystem::exists(file, missing)) {
        return loaded;
    }
    const auto lock = LockStatistics(file);
    try {
        const auto bytes = ReadPlayerFile(file, kMaxStatisticsBytes);
        if (!bytes) {
            return loaded;
        }
        text.assign(bytes->begin(), bytes->end());
        StatisticsFile parsed = ParseStatistics(text);
        loaded.records = std::move(parsed.records);
        newerLines = std::move(parsed.newerLines);
        problem = parsed.problem;
    } catch (const FileFormatError& e) {
        problem = e.what();
    } catch (const std::exception& e) {
        loaded.message = std::string("zarn: ") + e.what();
        return loaded;
    }
    if (problem.empty()) {
        if (!newerLines.empty()) {
            loaded.message = NewerFileMessage(Tr(kStatisticsFileName), file, Tr(kNewerNotCounted));
        }
        return loaded;
    }
    const std::filesystem::path movedTo = MoveAside(file);
    loaded.message = DamagedFileMessage(Tr(kStatisticsFileName), file, problem, movedTo);
    if (!movedTo.empty() && (!loaded.records.empty() || !newerLines.empty())) {
        // The good records go on in a fresh file, and a newer game's records with them; the damaged file
        // stays aside for the player.
        std::string good;
        for (const MatchRecord& r : loaded.records) {
            good += EncodeMatchRecord(r);
        }
        for (const std::string& line : newerLines) {
            good += line;
        }
        try {
            WriteFileAtomically(file, TextBytes(good));
            loaded.message +=
                FillText(TrPlural(" Its {count} good record was kept.",
                                  " Its {count} good records were kept.", loaded.records.size()),
                         {{"count", std::to_string(loaded.records.size())}});
        } catch (const std::exception& e) {
            loaded.message += FillText(Tr(kGoodRecordsLost), {{"reason", e.what()}});
        }
    }
    return loaded;
}

bool AppendMatchRecord(const std::filesystem::path& file, const MatchRecord& record, std::string* error,
                       DiskWrites& disk) {
    const std::string line = EncodeMatchRecord(record);
    const auto lock = LockStatistics(file);
    try {
        AppendToFile(file, TextBytes(line), disk);
        return true;
    } catch (const std::exception& e) {
        if (error != nullptr) {
            *error = e.what();
        }
        return false;
    }
}

RecordsWritten WriteMatchRecords(const std::filesystem::path& file, const std::filesystem::path& pendingFile,
                                 const std::vector<std::string>& waiting,
                                 const std::vector<std::string>& fresh, DiskWrites& disk) {
    RecordsWritten result;
    const auto lock = LockStatistics(file);
    std::vector<std::string> tried =
        pendingFile.empty() ? std::vector<std::string>{} : RecordLines(pendingFile);
    for (const std::string& line : waiting) {
        if (std::find(tried.begin(), tried.end(), line) == tried.end()) {
            tried.push_back(line);
        }
    }
    if (tried.empty() && fresh.empty()) {
        return result;
    }
    // A record tried before may be in the file already (written before the pending file could be
    // updated, or by another game from the pending file): it is not written twice.
    const std::string present = tried.empty() ? std::string() : ReadText(file);
    const auto write = [&](const std::string& line) {
        if (!result.unwritten.empty()) {
            result.unwritten.push_back(line);
            return;
        }
        try {
            AppendToFile(file, TextBytes(line), disk);
        } catch (const DiskWriteError& e) {
            result.error = e.what();
            result.unwritten.push_back(line);
        }
    };
    for (const std::string& line : tried) {
        if (!present.starts_with(line) && present.find('\n' + line) == std::string::npos) {
            write(line);
        }
    }
    for (const std::string& line : fresh) {
        write(line);
    }
    if (pendingFile.empty()) {
        return result;
    }
    std::error_code ignored;
    if (result.unwritten.empty()) {
        std::filesystem::remove(pendingFile, ignored);
        return result;
    }
    std::string keep;
    for (const std::string& line : result.unwritten) {
        keep += line;
    }
    try {
        WriteFileAtomically(pendingFile, TextBytes(keep), disk);
        result.kept = true;
    } catch (const DiskWriteError& e) {
        result.keepError = e.what();
    }
    return result;
}

bool ResetStatistics(const std::filesystem::path& file, std::string* error, DiskWrites& disk) {
    const auto lock = LockStatistics(file);
    try {
        WriteFileAtomically(file, {}, disk);
        return true;
    } catch (const std::exception& e) {
        if (error != nullptr) {
            *error = e.what();
        }
        return false;
    }
}

std::filesystem::path StatisticsPath() {
    const std::filesystem::path folder = DataFolder();
    return folder.empty() ? folder : folder / "statistics";
}
