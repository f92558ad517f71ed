#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes archives in the PACK layout: a 12-byte header, the entries' data with every byte stored one
// greater (modulo 256), then a directory of 64-byte entries whose names are padded with blanks.

struct PakInput {
    std::string name;  // at most 56 characters, e.g. "Xitmaps_mouse.bmp"
    std::vector<uint8_t> data;
};

// The whole archive as bytes. Throws std::invalid_argument for a name longer than 56 characters.
std::vector<uint8_t> BuildPak(const std::vector<PakInput>& entries);

// Writes the archive to a file, replacing it whole (through a temporary file and a rename), so a
// failed write never leaves a half archive behind. Throws std::runtime_error on an I/O error.
void WritePak(const std::string& path, const std::vector<PakInput>& entries);
