#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "persistence/match_record.h"
#include "persistence/saved_match.h"

// What the startup dialog shows about the player's own files: the saved match it offers to resume,
// the statistics of the recorded matches, and a line about a damaged file that was set aside.
struct MatchOffer {
    std::optional<SavedMatchSummary> savedMatch;
    bool resumeByDefault = true;  // false: "start a new match" is preselected
    std::vector<MatchRecord> records;
    std::filesystem::path statisticsFile;  // emptied by the "Reset statistics" button
    std::string notice;
};
