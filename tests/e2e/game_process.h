#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Runs the real game executable (`zarn`, or `zarn-test-driver`, the same game with the test hooks) as a
// child process, with the environment it is given on top of this process's own (an empty value removes
// the variable), and collects its exit code and everything it wrote.
struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    int signal = 0;     // the signal that ended it, if any
    bool timedOut = false;
    std::string output;  // standard output and standard error together
};

// `signalAfter` > 0: sends `whichSignal` after that long (SIGTERM, as the desktop does when the window is
// closed; SIGKILL, as a crash or a killed process ends).
ProcessResult RunGame(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                      std::chrono::seconds timeout, std::chrono::milliseconds signalAfter = {},
                      int whichSignal = SIGTERM);
// The same with the test driver, which also takes the hooks (--exit-after-frames, --fast-frames, ...).
ProcessResult RunTestDriver(const std::vector<std::string>& args,
                            const std::map<std::string, std::string>& env, std::chrono::seconds timeout,
                            std::chrono::milliseconds signalAfter = {}, int whichSignal = SIGTERM);

// Holds once the game has got far enough for the signal's delay to start counting; it is asked about
// every 50 ms with everything the game has written so far. A delay counted from the start instead would
// be eaten by a slow start (a loaded machine, a sanitizer build) and the signal would always land while
// the game is still starting.
using ReadyCheck = std::function<bool(const std::string& outputSoFar)>;
// The test driver, sent `whichSignal` `signalAfter` after `ready` first holds.
ProcessResult RunTestDriverSignalledAfterReady(const std::vector<std::string>& args,
                                               const std::map<std::string, std::string>& env,
                                               std::chrono::seconds timeout, const ReadyCheck& ready,
                                               std::chrono::milliseconds signalAfter, int whichSignal);
