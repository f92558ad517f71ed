#include "persistence/match_lock.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The descriptor holding the lock, or -1 with `errno` (EWOULDBLOCK: another holder) and `reason` set.
int LockFile(const std::filesystem::path& lockFile, int how, std::string& reason) {
    std::error_code error;
    std::filesystem::create_directories(lockFile.parent_path(), error);
    if (error) {
        reason = error.message();
        errno = error.value();
        return -1;
    }
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    int result = 0;
    do {
        result = ::flock(fd, how);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int code = errno;
        reason = std::strerror(code);
        ::close(fd);
        errno = code;
        return -1;
    }
    return fd;
}

}  // namespace

LockAttempt MatchLock::TryAcquire(const std::filesystem::path& lockFile) {
    LockAttempt attempt;
    const int fd = LockFile(lockFile, LOCK_EX | LOCK_NB, attempt.reason);
    if (fd >= 0) {
        attempt.outcome = LockAttempt::Outcome::Taken;
        attempt.lock.reset(new MatchLock(fd));
        attempt.reason.clear();
    } else if (errno == EWOULDBLOCK) {
        attempt.outcome = LockAttempt::Outcome::HeldByAnotherGame;
        attempt.reason.clear();
    } else {
        attempt.code = errno;
    }
    return attempt;
}

std::unique_ptr<MatchLock> MatchLock::Acquire(const std::filesystem::path& lockFile) {
    std::string ignored;
    const int fd = LockFile(lockFile, LOCK_EX, ignored);
    return fd < 0 ? nullptr : std::unique_ptr<MatchLock>(new MatchLock(fd));
}

MatchLock::~MatchLock() {
    ::close(fd_);
}
