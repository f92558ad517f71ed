#include "persistence/match_keeper.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "cards/card_tables.h"
#include "flow/scoring.h"
#include "persistence/byte_codec.h"
#include "persistence/player_files.h"
#include "persistence/statistics.h"

namespace {

// Far above any saved match (a few tens of kilobytes): a larger file is damage, not a match.
constexpr size_t kMaxSaveFileBytes = 4U << 20;

// The texts of this file, in one place.
constexpr const char* kLockHeld =
    N_("zarn: another Zarn game is running and keeps the saved match; this match will not be saved.");
constexpr const char* kLockCannotBeMade = N_(
    "zarn: the saved match cannot be kept because the lock file {path} cannot be made ({reason}); this match "
    "will not be saved.");
constexpr const char* kSaveUnreadable = N_(
    "zarn: the saved match {path} exists but cannot be read ({reason}); it is left as it is and this match "
    "will not be saved.");
constexpr const char* kSavedMatchName = N_("saved match");
constexpr const char* kPlayedUnsaved = N_("this match will not be saved");
constexpr const char* kSaveFailed = N_(
    "zarn: the match could not be saved ({reason}); the last save is kept, and the game tries again at each "
    "save point.");
constexpr const char* kSavedAgain = N_("zarn: the match is saved again.");
constexpr const char* kNotRecorded =
    N_("zarn: a finished match could not be recorded in the statistics ({reason});");
constexpr const char* kKeptPending = N_(" it waits in {path} and is recorded at the next chance.");
constexpr const char* kKeptInMemory =
    N_(" it could not be kept on the disk either ({reason}), so it waits only while this game runs.");
constexpr const char* kRecordedAfterAll =
    N_("zarn: the finished matches that waited are now recorded in the statistics.");
// The table's line while saving fails: at most 44 characters, so it fits the 800-pixel table.
// TRANSLATORS: a line on the table, at most 44 characters.
constexpr const char* kTroubleDiskFull = N_("Match not saved: the disk is full");
// TRANSLATORS: a line on the table, at most 44 characters.
constexpr const char* kTroubleReadOnly = N_("Match not saved: the disk is read-only");
// TRANSLATORS: a line on the table, at most 44 characters.
constexpr const char* kTroubleNoPermission = N_("Match not saved: no permission to write");
// TRANSLATORS: a line on the table, at most 44 characters.
constexpr const char* kTroubleOther = N_("Match not saved: the disk reports an error");

bool MatchFinished(const GameState& s) {
    return s.MatchOver && s.ContractsPlayed >= kContractsPerMatch;
}

}  // namespace

MatchKeeper::MatchKeeper(std::filesystem::path stateFolder, std::filesystem::path statisticsFile, bool keep,
                         DiskWrites& disk)
    : stateFolder_(std::move(stateFolder)),
      statisticsFile_(std::move(statisticsFile)),
      keep_(keep),
      disk_(&disk) {}

MatchKeeper MatchKeeper::ForPlayer(bool keep) {
    const std::filesystem::path state = StateFolder();
    return MatchKeeper(state, StatisticsPath(), keep && !state.empty());
}

bool MatchKeeper::Claim() {
    if (!keep_) {
        return false;
    }
    LockAttempt attempt = MatchLock::TryAcquire(stateFolder_ / "zarn.lock");
    switch (attempt.outcome) {
        case LockAttempt::Outcome::HeldByAnotherGame:
            Note(Tr(kLockHeld));
            return false;
        case LockAttempt::Outcome::CannotCreate:
            Note(FillText(Tr(kLockCannotBeMade),
                          {{"path", (stateFolder_ / "zarn.lock").string()}, {"reason", attempt.reason}}));
            saveTrouble_ = attempt.code;
            return false;
        case LockAttempt::Outcome::Taken:
            break;
    }
    lock_ = std::move(attempt.lock);
    // A damaged record is set aside now, before this game appends to it; then the matches that waited
    // for the disk at the last game's end are recorded.
    const LoadedStatistics statistics = LoadStatistics(statisticsFile_);
    if (!statistics.message.empty()) {
        Note(statistics.message);
    }
    WriteRecords({});
    ReadSave();
    return Saving();
}

void MatchKeeper::ReadSave() {
    const std::filesystem::path path = SavePath();
    try {
        const auto bytes = ReadPlayerFile(path, kMaxSaveFileBytes);
        if (bytes) {
            GameState s;
            InitCardTables(s);
            savedExtras_ = DecodeSavedMatch(*bytes, s);
            SeededRandom check(0);
            if (!check.SetState(savedExtras_.RandomState)) {
                throw FileFormatError("its random generator state is damaged");
            }
            saved_ = std::move(s);
        }
    } catch (const NewerFormatError&) {
        Note(NewerFileMessage(Tr(kSavedMatchName), path, Tr(kPlayedUnsaved)));
        saveLeftAlone_ = true;
    } catch (const FileFormatError& e) {
        Note(DamagedFileMessage(Tr(kSavedMatchName), path, e.what(), MoveAside(path)));
    } catch (const std::exception& e) {
        // Not known to be damage: the file may be whole behind a passing fault, so it is never replaced.
        Note(FillText(Tr(kSaveUnreadable), {{"path", path.string()}, {"reason", e.what()}}));
        saveLeftAlone_ = true;
    }
}

void MatchKeeper::Resume(GameState& s, SeededRandom& random, uint32_t now) {
    if (!saved_) {
        return;
    }
    // The same bytes again, this time over this run's tables and options.
    const SavedMatchExtras extras =
        RestoreSavedMatch(EncodeSavedMatch(*saved_, savedExtras_), s, random, now);
    tally_ = extras.Tally;
    contractsSeen_ = s.ContractsPlayed;
    savePointsSeen_ = s.SavePoints;
    recorded_ = false;
    saved_.reset();
}

void MatchKeeper::Abandon() {
    if (!saved_) {
        return;
    }
    Record(*saved_, MatchOutcome::Abandoned, savedExtras_.Tally);
    RemoveSave();
    saved_.reset();
}

void MatchKeeper::AfterFrame(const GameState& s, const SeededRandom& random, uint32_t now) {
    if (!keep_) {
        return;
    }
    if (s.ContractsPlayed < contractsSeen_) {
        // A new match began after the last one ended.
        tally_ = {};
        recorded_ = false;
    }
    if (s.ContractsPlayed > contractsSeen_ && s.Contract >= kTricks && s.Contract <= kLayoutContract) {
        ++tally_.Contracts[s.Contract];
        tally_.Points[s.Contract] -= s.DealScore[kHumanSeat];
    }
    contractsSeen_ = s.ContractsPlayed;
    if (MatchFinished(s)) {
        if (!recorded_) {
            recorded_ = true;
            Record(s, HumanSideWins(s) ? MatchOutcome::Won : MatchOutcome::Lost, tally_);
            if (Saving()) {
                RemoveSave();
            }
        }
        savePointsSeen_ = s.SavePoints;
        return;
    }
    if (s.SavePoints != savePointsSeen_) {
        savePointsSeen_ = s.SavePoints;
        Save(s, random, now);
    }
}

void MatchKeeper::Save(const GameState& s, const SeededRandom& random, uint32_t now) {
    if (keep_ && !pendingRecords_.empty()) {
        WriteRecords({});
    }
    // Nothing to keep before the first deal, and a finished match is in the statistics already.
    if (!Saving() || s.Phase == Phase::None || MatchFinished(s)) {
        return;
    }
    try {
        WriteFileAtomically(SavePath(), EncodeSavedMatch(s, TakeExtras(s, random, now, tally_)), *disk_);
    } catch (const DiskWriteError& e) {
        SaveFailed(e.Code(), e.what());
        return;
    } catch (const std::exception& e) {
        SaveFailed(EIO, e.what());
        return;
    }
    if (saveTrouble_ != 0) {
        saveTrouble_ = 0;
        causesTold_.clear();
        Note(Tr(kSavedAgain));
    }
}

void MatchKeeper::SaveFailed(int code, const std::string& reason) {
    saveTrouble_ = code;
    if (std::find(causesTold_.begin(), causesTold_.end(), code) == causesTold_.end()) {
        causesTold_.push_back(code);
        Note(FillText(Tr(kSaveFailed), {{"reason", reason}}));
    }
}

std::optional<std::string> MatchKeeper::SaveTrouble() const {
    switch (saveTrouble_) {
        case 0:
            return std::nullopt;
        case ENOSPC:
        case EDQUOT:
            return Tr(kTroubleDiskFull);
        case EROFS:
            return Tr(kTroubleReadOnly);
        case EACCES:
        case EPERM:
            return Tr(kTroubleNoPermission);
        default:
            return Tr(kTroubleOther);
    }
}

std::vector<std::string> MatchKeeper::TakeMessages() {
    return std::exchange(messages_, {});
}

void MatchKeeper::Record(const GameState& s, MatchOutcome outcome, const ContractTally& tally) {
    if (!keep_ || statisticsFile_.empty()) {
        return;
    }
    MatchRecord record;
    record.EndTime =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    record.Partnership = s.Options.Partnership;
    record.FrenchRules = !s.Options.PortugueseRules;
    record.SevenOfHeartsLead = s.Options.SevenOfHeartsLead;
    record.Outcome = outcome;
    record.ContractsPlayed = s.ContractsPlayed;
    for (int seat = 0; seat < kSeats; ++seat) {
        record.Totals[seat] = s.TotalScore[seat];
    }
    record.Tally = tally;
    WriteRecords({EncodeMatchRecord(record)});
}

void MatchKeeper::WriteRecords(const std::vector<std::string>& lines) {
    if (statisticsFile_.empty()) {
        return;
    }
    const std::filesystem::path pending =
        stateFolder_.empty() ? std::filesystem::path() : PendingRecordsPath();
    const RecordsWritten written =
        WriteMatchRecords(statisticsFile_, pending, pendingRecords_, lines, *disk_);
    pendingRecords_ = written.unwritten;
    if (pendingRecords_.empty()) {
        if (recordTroubleTold_) {
            recordTroubleTold_ = false;
            Note(Tr(kRecordedAfterAll));
        }
        return;
    }
    // Told when a record first has to wait, not at every try after it.
    if (!recordTroubleTold_ || !lines.empty()) {
        recordTroubleTold_ = true;
        Note(FillText(Tr(kNotRecorded), {{"reason", written.error}}) +
             (written.kept ? FillText(Tr(kKeptPending), {{"path", pending.string()}})
                           : FillText(Tr(kKeptInMemory), {{"reason", written.keepError}})));
    }
}

void MatchKeeper::RemoveSave() {
    std::error_code ignored;
    std::filesystem::remove(SavePath(), ignored);
}
