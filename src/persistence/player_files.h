#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "i18n/translation.h"

// Where the player's files live and how they are written: the XDG base directories, whole-file
// writes that never leave half a file behind, and damaged files moved aside instead of deleted.

// $XDG_STATE_HOME/zarn, $XDG_DATA_HOME/zarn and $XDG_CONFIG_HOME/zarn, each falling back to its
// default under $HOME (~/.local/state, ~/.local/share, ~/.config) when the variable is unset or not
// an absolute path. Empty when neither the variable nor HOME gives a place. Nothing is created.
std::filesystem::path StateFolder();
std::filesystem::path DataFolder();
std::filesystem::path ConfigFolder();

// The system calls every write of a player's file goes through. The game uses the system's own
// (`SystemDiskWrites`); a test puts short writes, interrupted calls and a full disk in their place.
// Each returns what the system call returns and leaves errno as it would.
class DiskWrites {
public:
    virtual ~DiskWrites() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    // mkstemp: makes a new file from the template (which ends in XXXXXX) and puts its name there.
    virtual int MakeTemporary(char* pathTemplate);
    virtual ssize_t Write(int fd, const void* data, size_t size);
    virtual int Sync(int fd);
    virtual int Truncate(int fd, off_t length);
    virtual int Rename(const char* from, const char* to);
    virtual int Close(int fd);
};

// The real system calls.
DiskWrites& SystemDiskWrites();

// A write or folder that failed: the message names the file and the system's reason, `Code` is the
// errno value (ENOSPC, EROFS, ...), so a caller can tell one cause from another.
class DiskWriteError : public std::runtime_error {
public:
    DiskWriteError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// Writes the whole file or nothing: the bytes go to a temporary file in the same folder (created when
// missing), are flushed to the disk, then the temporary file is renamed over `path`, so a reader or a
// crash sees either the old file or the new one. Throws DiskWriteError.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                         DiskWrites& disk = SystemDiskWrites());

// Appends one record whole or not at all: the bytes are written at the end of the file (an interrupted
// write is retried, a short one continued) and flushed; when that fails, the file is cut back to the
// length it had, so no torn record stays behind. The caller holds the file's lock, so no other game
// appends in between. Creates the file (and folder) when missing. Throws DiskWriteError.
void AppendToFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                  DiskWrites& disk = SystemDiskWrites());

// The whole file; nullopt when it does not exist. A file larger than `maxBytes` throws FileFormatError,
// a file that exists but cannot be read (no permission, an I/O error, a folder in its place)
// std::runtime_error.
std::optional<std::vector<uint8_t>> ReadPlayerFile(const std::filesystem::path& path, size_t maxBytes);

// Renames a damaged file to NAME.bad (NAME.bad.2, NAME.bad.3, ... when that is taken) so nothing the
// player had is lost; gives the new name, or the empty path when it could not be moved.
std::filesystem::path MoveAside(const std::filesystem::path& path);

// The one-line message a damaged file gives the player.
std::string DamagedFileMessage(const std::string& what, const std::filesystem::path& path,
                               const std::string& reason, const std::filesystem::path& movedTo);

// The one-line message a file made by a newer version of the game gives the player: it is left in place;
// `consequence` says what this run does instead ("this match will not be saved").
std::string NewerFileMessage(const std::string& what, const std::filesystem::path& path,
                             const std::string& consequence);
