#pragma once

#include <cerrno>
#include <map>
#include <string>

#include "persistence/player_files.h"

// The system's writes with faults put in, for the files whose path ends with a chosen name: an
// interrupted call, a short write, a full disk, a read-only folder, a failing flush.
class FaultyDisk : public DiskWrites {
public:
    enum class Fault {
        None,
        InterruptOnce,       // the first write is interrupted (EINTR) before it writes anything
        ShortWrite,          // each write takes only half of what it is given
        ShortWriteThenFull,  // half of the first write goes in, then the disk is full (ENOSPC)
        Full,                // every write finds the disk full
        ReadOnly,            // the file cannot be made (EROFS)
        FlushFails,          // the data is written but fsync reports an I/O error (EIO)
    };

    // Faults the files named `name` (the temporary file of an atomic write counts as its file).
    void Set(const std::string& name, Fault fault) { faults_[name] = fault; }
    void Clear() { faults_.clear(); }
    int Writes() const { return writes_; }

    int Open(const char* path, int flags, mode_t mode) override {
        if (FaultOf(path) == Fault::ReadOnly) {
            errno = EROFS;
            return -1;
        }
        return Remember(DiskWrites::Open(path, flags, mode), path);
    }
    int MakeTemporary(char* pathTemplate) override {
        if (FaultOf(pathTemplate) == Fault::ReadOnly) {
            errno = EROFS;
            return -1;
        }
        return Remember(DiskWrites::MakeTemporary(pathTemplate), pathTemplate);
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        ++writes_;
        Opened& file = open_[fd];
        switch (FaultOf(file.path)) {
            case Fault::InterruptOnce:
                if (!file.interrupted) {
                    file.interrupted = true;
                    errno = EINTR;
                    return -1;
                }
                break;
            case Fault::ShortWrite:
                return DiskWrites::Write(fd, data, (size + 1) / 2);
            case Fault::ShortWriteThenFull:
                if (!file.shortened) {
                    file.shortened = true;
                    return DiskWrites::Write(fd, data, size / 2);
                }
                errno = ENOSPC;
                return -1;
            case Fault::Full:
                errno = ENOSPC;
                return -1;
            default:
                break;
        }
        return DiskWrites::Write(fd, data, size);
    }
    int Sync(int fd) override {
        if (FaultOf(open_[fd].path) == Fault::FlushFails) {
            errno = EIO;
            return -1;
        }
        return DiskWrites::Sync(fd);
    }
    int Close(int fd) override {
        open_.erase(fd);
        return DiskWrites::Close(fd);
    }

private:
    struct Opened {
        std::string path;
        bool interrupted = false;
        bool shortened = false;
    };

    int Remember(int fd, const std::string& path) {
        if (fd >= 0) {
            open_[fd] = Opened{path};
        }
        return fd;
    }
    // A temporary file ".NAME.XXXXXX" is its file NAME.
    Fault FaultOf(const std::string& path) const {
        std::string name = path.substr(path.rfind('/') + 1);
        if (name.size() > 8 && name[0] == '.') {
            name = name.substr(1, name.size() - 8);
        }
        const auto found = faults_.find(name);
        return found == faults_.end() ? Fault::None : found->second;
    }

    std::map<std::string, Fault> faults_;
    std::map<int, Opened> open_;
    int writes_ = 0;
};
