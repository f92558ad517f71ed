#include "persistence/player_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
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

std::runtime_error SystemError(const std::string& doing, const fs::path& path) {
    return std::runtime_error(doing + " " + path.string() + ": " + std::strerror(errno));
}

// A descriptor closed on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting a failure (a delayed write error shows up here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::span<const uint8_t> bytes, const fs::path& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw SystemError("cannot write", path);
        }
        done += static_cast<size_t>(n);
    }
}

void MakeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw std::runtime_error("cannot create the folder " + folder.string() + ": " + error.message());
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

void WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes) {
    MakeFolder(path.parent_path());
    std::string temp = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        throw SystemError("cannot create a temporary file beside", path);
    }
    try {
        WriteAll(fd.get(), bytes, temp);
        if (::fsync(fd.get()) != 0) {
            throw SystemError("cannot flush", temp);
        }
        if (!fd.Close()) {
            throw SystemError("cannot close", temp);
        }
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            throw SystemError("cannot rename a temporary file to", path);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // The rename itself reaches the disk with the folder.
    FileDescriptor folder(::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
}

void AppendToFile(const fs::path& path, std::span<const uint8_t> bytes) {
    MakeFolder(path.parent_path());
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        throw SystemError("cannot open", path);
    }
    // One write: with O_APPEND the kernel places it whole at the end, whatever another game appends.
    const ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
    if (n != static_cast<ssize_t>(bytes.size())) {
        throw SystemError("cannot append to", path);
    }
    if (::fsync(fd.get()) != 0 || !fd.Close()) {
        throw SystemError("cannot flush", path);
    }
}

std::optional<std::vector<uint8_t>> ReadPlayerFile(const fs::path& path, size_t maxBytes) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return std::nullopt;
    }
    const auto size = fs::file_size(path, error);
    if (error) {
        throw std::runtime_error("cannot read " + path.string() + ": " + error.message());
    }
    if (size > maxBytes) {
        throw FileFormatError("it is " + std::to_string(size) + " bytes long, far more than it can be");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw SystemError("cannot open", path);
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
    std::string text = "zarn: the " + what + " " + path.string() + " is damaged (" + reason + ")";
    text += movedTo.empty() ? "; it is left where it is and not used."
                            : "; it was moved to " + movedTo.string() + ".";
    return text;
}
