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
#include "persistence/saved_match.h"

// Keeps the player's match and record for a running game: claims the saved match (one game at a
// time), resumes it, saves it at every save point the game marks and when the game ends, records the
// finished match in the statistics and then removes the save. The game logic never sees it: the
// program calls it between frames.
class MatchKeeper {
public:
    // `stateFolder` holds the saved match and the lock, `statisticsFile` the record. With `keep` false
    // (the demo) nothing is read, saved or recorded.
    MatchKeeper(std::filesystem::path stateFolder, std::filesystem::path statisticsFile, bool keep);
    // The folders of the XDG base directories.
    static MatchKeeper ForPlayer(bool keep);

    MatchKeeper(MatchKeeper&&) = default;
    MatchKeeper& operator=(MatchKeeper&&) = default;

    // Takes the saved match for this game and reads it. False when another game holds it: this game then
    // plays a match of its own that is never saved (its statistics are still recorded).
    bool Claim();
    bool Saving() const { return keep_ && lock_ != nullptr; }

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

    // One-line messages for the player about damaged files and failed writes, oldest first.
    std::vector<std::string> TakeMessages();

    std::filesystem::path SavePath() const { return stateFolder_ / "match.sav"; }

private:
    void Note(std::string message) { messages_.push_back(std::move(message)); }
    void Record(const GameState& s, MatchOutcome outcome, const ContractTally& tally);
    void RemoveSave();

    std::filesystem::path stateFolder_;
    std::filesystem::path statisticsFile_;
    bool keep_ = false;
    std::unique_ptr<MatchLock> lock_;
    std::optional<GameState> saved_;
    SavedMatchExtras savedExtras_;

    // The match being played.
    ContractTally tally_;
    int16_t contractsSeen_ = 0;
    uint32_t savePointsSeen_ = 0;
    bool recorded_ = false;
    std::vector<std::string> messages_;
};
