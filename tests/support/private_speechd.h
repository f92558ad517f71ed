#pragma once

#include <sys/types.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

// A Speech Dispatcher daemon of a test's own: its socket, configuration and log in a temporary folder,
// and an output module that appends each text it is given to a file, so no sound device is needed.
// Only the process the test started is stopped, by its id. Tests that need one skip where Speech
// Dispatcher is not installed (SpeechDispatcherInstalled).

bool SpeechDispatcherInstalled();

// Whitespace runs as one space: the module may cut a text into sentences, one line each.
std::string OneLine(const std::string& text);
std::string ReadWholeFile(const std::filesystem::path& file);

class PrivateSpeechDaemon {
public:
    PrivateSpeechDaemon();
    ~PrivateSpeechDaemon();
    PrivateSpeechDaemon(const PrivateSpeechDaemon&) = delete;
    PrivateSpeechDaemon& operator=(const PrivateSpeechDaemon&) = delete;

    bool Started() const { return started_; }
    std::filesystem::path Socket() const { return folder_ / "socket"; }
    // The value of SPEECHD_ADDRESS that reaches it.
    std::string Address() const { return "unix_socket:" + Socket().string(); }
    std::filesystem::path Spoken() const { return folder_ / "spoken.txt"; }
    std::string Log() const { return ReadWholeFile(folder_ / "log" / "speech-dispatcher.log"); }

    // Waits for a condition on the daemon's files; the bound only keeps a broken daemon from hanging
    // the test.
    template <typename Condition>
    static bool WaitFor(Condition condition) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > giveUp) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = 0;
    bool started_ = false;
};
