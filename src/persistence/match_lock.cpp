#include "persistence/match_lock.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int LockFile(const std::filesystem::path& lockFile, int how) {
    std::error_code error;
    std::filesystem::create_directories(lockFile.parent_path(), error);
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return -1;
    }
    int result = 0;
    do {
        result = ::flock(fd, how);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<MatchLock> MatchLock::TryAcquire(const std::filesystem::path& lockFile) {
    const int fd = LockFile(lockFile, LOCK_EX | LOCK_NB);
    return fd < 0 ? nullptr : std::unique_ptr<MatchLock>(new MatchLock(fd));
}

std::unique_ptr<MatchLock> MatchLock::Acquire(const std::filesystem::path& lockFile) {
    const int fd = LockFile(lockFile, LOCK_EX);
    return fd < 0 ? nullptr : std::unique_ptr<MatchLock>(new MatchLock(fd));
}

MatchLock::~MatchLock() {
    ::close(fd_);
}
