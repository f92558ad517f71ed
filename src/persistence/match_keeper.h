#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "persistence/match_lock.h"
#include "persistence/match_record.h"
#include "persistence/player_files.h"
#include "persistence/saved_match.h"

// Keeps the player's match and record for a running game: claims the saved match (one game at a
// time), resumes it, saves it at every save point the game marks and when the game ends, records the
// finished match in the statistics and then removes the save. The game logic never sees it: the
// program calls it between frames.
//
// Nothing the player has is lost to a fault of the disk: a saved match that cannot be read, or that a
// newer Zarn made, is left as it is and this match is played unsaved; a failed save keeps the last one;
// a finished match that cannot be recorded waits in a pending file of the state folder (or, when even
// that cannot be written, in memory) and is recorded at the next save point, the end of the game or the
// next start. Each cause of trouble is told once.
class MatchKeeper {
public:
    // `stateFolder` holds the saved match and the lock, `statisticsFile` the record. With `keep` false
    // (the demo) nothing is read, saved or recorded. Every write goes through `disk`, which must outlive
    // the keeper.
    MatchKeeper(std::filesystem::path stateFolder, std::filesystem::path statisticsFile, bool keep,
                DiskWrites& disk = SystemDiskWrites());
    // The folders of the XDG base directories.
    static MatchKeeper ForPlayer(bool keep);

    MatchKeeper(MatchKeeper&&) = default;
    MatchKeeper& operator=(MatchKeeper&&) = default;

    // Takes the saved match for this game and reads it, and records the matches that wait in the pending
    // file. False when this game will not save its match: another game holds the saved match, the lock
    // cannot be made (a read-only or full state folder), or the saved match exists but cannot be read or
    // was made by a newer Zarn (it is left as it is). Its statistics are still recorded.
    bool Claim();
    bool Saving() const { return keep_ && lock_ != nullptr && !saveLeftAlone_; }

    // The saved match, read when the game was claimed; null when there is none (or it was damaged and
    // moved aside, which `TakeMessages` reports).
    const GameState* SavedMatch() const { return saved_ ? &*saved_ : nullptr; }

    // Puts the saved match into `s` (which holds this run's options) and `random`: the card tables and
    // table layout are made for this run, everything else comes from the save. `now` is the game clock.
    void Resume(GameState& s, SeededRandom& random, uint32_t now);

    // A new match replaces the saved one: the saved one is recorded as abandoned and its file removed.
    void Abandon();

    // After each frame: saves when the game passed a save point, and records a finished match.
    void AfterFrame(const GameState& s, const SeededRandom& random, uint32_t now);

    // The game ends (ESCAPE, the close box, a signal): the match in progress is saved.
    void Save(const GameState& s, const SeededRandom& random, uint32_t now);

    // One-line messages for the player about damaged files and failed writes, oldest first. A failing
    // save gives one message per cause, not one per save point.
    std::vector<std::string> TakeMessages();

    // While saving fails (the last save attempt failed, or the lock could not be made): a short line for
    // the table, at most 44 characters, such as "Match not saved: the disk is full". Nullopt again once
    // a save works.
    std::optional<std::string> SaveTrouble() const;

    // Finished matches not in the statistics yet (their lines), waiting for the disk.
    const std::vector<std::string>& PendingRecords() const { return pendingRecords_; }

    std::filesystem::path SavePath() const { return stateFolder_ / "match.sav"; }
    std::filesystem::path PendingRecordsPath() const { return stateFolder_ / "statistics.pending"; }

private:
    void Note(std::string message) { messages_.push_back(std::move(message)); }
    void ReadSave();
    void SaveFailed(int code, const std::string& reason);
    void Record(const GameState& s, MatchOutcome outcome, const ContractTally& tally);
    // Writes the pending records and `lines` to the statistics; what fails waits for the next chance.
    void WriteRecords(const std::vector<std::string>& lines);
    void RemoveSave();

    std::filesystem::path stateFolder_;
    std::filesystem::path statisticsFile_;
    bool keep_ = false;
    DiskWrites* disk_;
    std::unique_ptr<MatchLock> lock_;
    bool saveLeftAlone_ = false;  // the saved match could not be read: it is never written over
    int saveTrouble_ = 0;         // errno of the failing save, 0 while saving works
    std::vector<int> causesTold_;
    std::vector<std::string> pendingRecords_;
    bool recordTroubleTold_ = false;
    std::optional<GameState> saved_;
    SavedMatchExtras savedExtras_;

    // The match being played.
    ContractTally tally_;
    int16_t contractsSeen_ = 0;
    uint32_t savePointsSeen_ = 0;
    bool recorded_ = false;
    std::vector<std::string> messages_;
};
