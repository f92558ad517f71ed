#pragma once

#include <cstdint>
#include <string>

#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "shell/command_line.h"
#include "shell/session_files.h"

// What the loop has done so far, for a test watching it.
struct LoopCounts {
    int64_t framesRun = 0;
    int64_t presents = 0;  // pictures shown on the display
};

// A test's view of the running loop.
class LoopWatcher {
public:
    virtual ~LoopWatcher() = default;
    // After every pass of the loop (a frame run, or a wait ended); false ends the game as ESCAPE does.
    virtual bool AfterPass(const GameState& state, const LoopCounts& counts) = 0;
};

// Runs the game in its window from the set-up to the end, and gives the program's exit code: 0 after
// ESCAPE or the window's close button, 1 after a failed set-up (its message shown first).
//
// The set-up follows the game's fixed order: random seed, display, keyboard and mouse, sound, the
// sounds and every picture and font (all decoded from the archive in memory), the clip rectangle,
// the first deal (or the saved match resumed), the system pointer hidden, the background drawn once;
// then the main loop. `files` keeps the match (saved at every save point and at the end) and the window.
// The loop runs a frame only when something on the table can change (see NextFrameWake); otherwise it
// sleeps until an event or the next deadline.
//
// The table is drawn at the scale the window's size calls for (or the one the command line fixes),
// again whenever that changes; the pictures for scales above 1 come from the archive at
// `scaledArchivePath`, read the first time they are needed. When it cannot be read or its pictures do
// not fit, the game says so once on standard error and draws at scale 1 from then on.
int StartGame(GameState& state, const ResourceSet& resources, const CommandLine& line,
              const SessionFiles& files = {}, LoopWatcher* watcher = nullptr,
              const std::string& scaledArchivePath = {});
