#pragma once

#include <filesystem>
#include <memory>
#include <string>

class MatchLock;

// What trying the lock came to: taken, held by another running game, or not possible at all (the state
// folder is read-only or full, or the system refused the lock), with the system's reason.
struct LockAttempt {
    enum class Outcome { Taken, HeldByAnotherGame, CannotCreate };
    Outcome outcome = Outcome::CannotCreate;
    std::unique_ptr<MatchLock> lock;  // set when taken
    std::string reason;               // set when it cannot be created
    int code = 0;                     // its errno (EROFS, ENOSPC, EACCES, ...)
};

// The saved match belongs to one running game at a time; the statistics file is changed by one game
// at a time. The lock is an flock on a file in the state
// folder: the kernel drops it when its holder ends in any way, so a crashed game never leaves it stuck.
class MatchLock {
public:
    // Takes the lock without waiting.
    static LockAttempt TryAcquire(const std::filesystem::path& lockFile);
    // Waits for the lock (held only for a moment by whoever has it); null when the file cannot be opened.
    static std::unique_ptr<MatchLock> Acquire(const std::filesystem::path& lockFile);
    ~MatchLock();
    MatchLock(const MatchLock&) = delete;
    MatchLock& operator=(const MatchLock&) = delete;

private:
    explicit MatchLock(int fd) : fd_(fd) {}
    int fd_;
};
