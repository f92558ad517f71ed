#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Where the player's files live and how they are written: the XDG base directories, whole-file
// writes that never leave half a file behind, and damaged files moved aside instead of deleted.

// $XDG_STATE_HOME/zarn, $XDG_DATA_HOME/zarn and $XDG_CONFIG_HOME/zarn, each falling back to its
// default under $HOME (~/.local/state, ~/.local/share, ~/.config) when the variable is unset or not
// an absolute path. Empty when neither the variable nor HOME gives a place. Nothing is created.
std::filesystem::path StateFolder();
std::filesystem::path DataFolder();
std::filesystem::path ConfigFolder();

// Writes the whole file or nothing: the bytes go to a temporary file in the same folder (created when
// missing), are flushed to the disk, then the temporary file is renamed over `path`, so a reader or a
// crash sees either the old file or the new one. Throws std::runtime_error with the system's reason.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// Appends one record to a file with a single write on a descriptor opened for appending, then flushes
// it: two games appending at once both keep their records. Creates the file (and folder) when missing.
// Throws std::runtime_error.
void AppendToFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// The whole file; nullopt when it does not exist. A file larger than `maxBytes` throws FileFormatError,
// a file that cannot be read std::runtime_error.
std::optional<std::vector<uint8_t>> ReadPlayerFile(const std::filesystem::path& path, size_t maxBytes);

// Renames a damaged file to NAME.bad (NAME.bad.2, NAME.bad.3, ... when that is taken) so nothing the
// player had is lost; gives the new name, or the empty path when it could not be moved.
std::filesystem::path MoveAside(const std::filesystem::path& path);

// The one-line message a damaged file gives the player.
std::string DamagedFileMessage(const std::string& what, const std::filesystem::path& path,
                               const std::string& reason, const std::filesystem::path& movedTo);
