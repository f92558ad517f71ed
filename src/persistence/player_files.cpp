#include "persistence/player_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "persistence/byte_codec.h"

namespace fs = std::filesystem;

namespace {

fs::path XdgFolder(const char* variable, const char* homeDefault) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return fs::path(value) / "zarn";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return fs::path(home) / homeDefault / "zarn";
    }
    return {};
}

// The texts of this file, in one place.
constexpr const char* kCannotWrite = N_("cannot write");
constexpr const char* kCannotOpen = N_("cannot open");
constexpr const char* kCannotCreateTemporary = N_("cannot create a temporary file beside");
constexpr const char* kCannotFlush = N_("cannot flush");
constexpr const char* kCannotClose = N_("cannot close");
constexpr const char* kCannotRename = N_("cannot rename a temporary file to");
constexpr const char* kCannotCreateFolder = N_("cannot create the folder");
constexpr const char* kCannotRead = N_("cannot read");
constexpr const char* kFarTooLong = N_("it is {size} bytes long, far more than it can be");
constexpr const char* kDamaged = N_("zarn: the {what} {path} is damaged ({reason})");
constexpr const char* kLeftAndUnused = N_("; it is left where it is and not used.");
constexpr const char* kMovedTo = N_("; it was moved to {path}.");
constexpr const char* kNewer =
    N_("zarn: the {what} {path} was made by a newer version of Zarn; it is left as it is and {consequence}.");

DiskWriteError SystemError(const std::string& doing, const fs::path& path, int code) {
    return DiskWriteError(doing + " " + path.string() + ": " + std::strerror(code), code);
}

// A descriptor closed on every path out.
class FileDescriptor {
public:
    FileDescriptor(DiskWrites& disk, int fd) : disk_(disk), fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            disk_.Close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting a failure (a delayed write error shows up here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return disk_.Close(fd) == 0;
    }

private:
    DiskWrites& disk_;
    int fd_;
};

// Every byte, or DiskWriteError: an interrupted write is tried again, a short one continued.
void WriteAll(DiskWrites& disk, int fd, std::span<const uint8_t> bytes, const fs::path& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = disk.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // A write that takes nothing of a non-empty buffer can only be a full disk.
            throw SystemError(Tr(kCannotWrite), path, n == 0 ? ENOSPC : errno);
        }
        done += static_cast<size_t>(n);
    }
}

void MakeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw DiskWriteError(
            std::string(Tr(kCannotCreateFolder)) + " " + folder.string() + ": " + error.message(),
            error.value());
    }
}

}  // namespace

fs::path StateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

fs::path DataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

fs::path ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

int DiskWrites::Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

int DiskWrites::MakeTemporary(char* pathTemplate) {
    return ::mkstemp(pathTemplate);
}

ssize_t DiskWrites::Write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

int DiskWrites::Sync(int fd) {
    return ::fsync(fd);
}

int DiskWrites::Truncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}

int DiskWrites::Rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int DiskWrites::Close(int fd) {
    return ::close(fd);
}

DiskWrites& SystemDiskWrites() {
    // Holds no state: the calls go straight to the system.
    static DiskWrites system;
    return system;
}

void WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes, DiskWrites& disk) {
    MakeFolder(path.parent_path());
    std::string temp = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(disk, disk.MakeTemporary(temp.data()));
    if (fd.get() < 0) {
        throw SystemError(Tr(kCannotCreateTemporary), path, errno);
    }
    try {
        WriteAll(disk, fd.get(), bytes, temp);
        if (disk.Sync(fd.get()) != 0) {
            throw SystemError(Tr(kCannotFlush), temp, errno);
        }
        if (!fd.Close()) {
            throw SystemError(Tr(kCannotClose), temp, errno);
        }
        if (disk.Rename(temp.c_str(), path.c_str()) != 0) {
            throw SystemError(Tr(kCannotRename), path, errno);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // The rename itself reaches the disk with the folder.
    FileDescriptor folder(disk, disk.Open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (folder.get() >= 0) {
        disk.Sync(folder.get());
    }
}

void AppendToFile(const fs::path& path, std::span<const uint8_t> bytes, DiskWrites& disk) {
    MakeFolder(path.parent_path());
    FileDescriptor fd(disk, disk.Open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        throw SystemError(Tr(kCannotOpen), path, errno);
    }
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0) {
        throw SystemError(Tr(kCannotOpen), path, errno);
    }
    try {
        WriteAll(disk, fd.get(), bytes, path);
        if (disk.Sync(fd.get()) != 0) {
            throw SystemError(Tr(kCannotFlush), path, errno);
        }
    } catch (const DiskWriteError&) {
        // Whatever part of the record reached the file goes again, so the file ends with a whole line.
        while (disk.Truncate(fd.get(), before.st_size) != 0 && errno == EINTR) {
        }
        throw;
    }
    if (!fd.Close()) {
        throw SystemError(Tr(kCannotFlush), path, errno);
    }
}

std::optional<std::vector<uint8_t>> ReadPlayerFile(const fs::path& path, size_t maxBytes) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return std::nullopt;
    }
    const auto size = fs::file_size(path, error);
    if (error) {
        throw std::runtime_error(std::string(Tr(kCannotRead)) + " " + path.string() + ": " + error.message());
    }
    if (size > maxBytes) {
        throw FileFormatError(FillText(Tr(kFarTooLong), {{"size", std::to_string(size)}}));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::string(Tr(kCannotOpen)) + " " + path.string() + ": " +
                                 std::strerror(errno));
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        throw std::runtime_error(std::string(Tr(kCannotRead)) + " " + path.string() + ": " +
                                 std::strerror(errno));
    }
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

fs::path MoveAside(const fs::path& path) {
    for (int n = 1; n < 1000; ++n) {
        fs::path target = path;
        target += n == 1 ? ".bad" : ".bad." + std::to_string(n);
        std::error_code error;
        if (fs::exists(target, error)) {
            continue;
        }
        fs::rename(path, target, error);
        return error ? fs::path() : target;
    }
    return {};
}

std::string DamagedFileMessage(const std::string& what, const fs::path& path, const std::string& reason,
                               const fs::path& movedTo) {
    std::string text = FillText(Tr(kDamaged), {{"what", what}, {"path", path.string()}, {"reason", reason}});
    text += movedTo.empty() ? Tr(kLeftAndUnused) : FillText(Tr(kMovedTo), {{"path", movedTo.string()}});
    return text;
}

std::string NewerFileMessage(const std::string& what, const fs::path& path, const std::string& consequence) {
    return FillText(Tr(kNewer), {{"what", what}, {"path", path.string()}, {"consequence", consequence}});
}
