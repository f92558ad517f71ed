#pragma once

#include <chrono>
#include <csignal>
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
