#include "persistence/match_lock.h"

#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::unique_ptr<MatchLock> MatchLock::TryAcquire(const std::filesystem::path& lockFile) {
    std::error_code error;
    std::filesystem::create_directories(lockFile.parent_path(), error);
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<MatchLock>(new MatchLock(fd));
}

MatchLock::~MatchLock() {
    ::close(fd_);
}
