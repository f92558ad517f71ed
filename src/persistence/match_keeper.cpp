#include "persistence/match_keeper.h"

#include <chrono>

#include "cards/card_tables.h"
#include "flow/scoring.h"
#include "persistence/byte_codec.h"
#include "persistence/player_files.h"
#include "persistence/statistics.h"

namespace {

// Far above any saved match (a few tens of kilobytes): a larger file is damage, not a match.
constexpr size_t kMaxSaveFileBytes = 4U << 20;

bool MatchFinished(const GameState& s) {
    return s.MatchOver && s.ContractsPlayed >= kContractsPerMatch;
}

}  // namespace

MatchKeeper::MatchKeeper(std::filesystem::path stateFolder, std::filesystem::path statisticsFile, bool keep)
    : stateFolder_(std::move(stateFolder)), statisticsFile_(std::move(statisticsFile)), keep_(keep) {}

MatchKeeper MatchKeeper::ForPlayer(bool keep) {
    const std::filesystem::path state = StateFolder();
    return MatchKeeper(state, StatisticsPath(), keep && !state.empty());
}

bool MatchKeeper::Claim() {
    if (!keep_) {
        return false;
    }
    lock_ = MatchLock::TryAcquire(stateFolder_ / "zarn.lock");
    if (!lock_) {
        Note("zarn: another Zarn game is running and keeps the saved match; this match will not be saved.");
        return false;
    }
    // A damaged record is set aside now, before this game appends to it.
    const LoadedStatistics statistics = LoadStatistics(statisticsFile_);
    if (!statistics.message.empty()) {
        Note(statistics.message);
    }
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
    } catch (const FileFormatError& e) {
        Note(DamagedFileMessage("saved match", path, e.what(), MoveAside(path)));
    } catch (const std::exception& e) {
        Note(std::string("zarn: ") + e.what());
    }
    return true;
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
    // Nothing to keep before the first deal, and a finished match is in the statistics already.
    if (!Saving() || s.Phase == Phase::None || MatchFinished(s)) {
        return;
    }
    try {
        WriteFileAtomically(SavePath(), EncodeSavedMatch(s, TakeExtras(s, random, now, tally_)));
    } catch (const std::exception& e) {
        Note(std::string("zarn: the match could not be saved: ") + e.what());
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
    std::string error;
    if (!AppendMatchRecord(statisticsFile_, record, &error)) {
        Note("zarn: the match could not be recorded in the statistics: " + error);
    }
}

void MatchKeeper::RemoveSave() {
    std::error_code ignored;
    std::filesystem::remove(SavePath(), ignored);
}
