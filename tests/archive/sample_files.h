#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/pak_writer.h"

// Small, well-formed files of each kind the archive carries, made in memory for the tests and for the
// fuzzer's seeds. The JPEG has real headers but no real picture data: only header checks read it.

std::vector<uint8_t> SampleBmp(int32_t width, int32_t height, uint16_t bitsPerPixel = 24);
std::vector<uint8_t> SampleJpeg(uint16_t width, uint16_t height);

// The chunks of an 8-bit RGB PNG of the given size: signature, IHDR, one IDAT (a few bytes, not a real
// image), IEND. Enough for the header checks; the CRCs are left zero.
std::vector<uint8_t> SamplePng(uint32_t width, uint32_t height);
std::vector<uint8_t> SampleWav(uint16_t channels = 2, uint32_t sampleRate = 22050,
                               uint16_t bitsPerSample = 16, uint32_t frames = 8);

// A small archive of this game's shape: one file in each folder, both kinds of marker, an entry
// without a prefix.
std::vector<PakInput> SampleGameEntries();

// Little-endian field access for patching archives and headers in place.
void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void PutLe16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
uint32_t GetLe32(const std::vector<uint8_t>& bytes, size_t at);

// Where entry `index` of a PACK archive's directory starts.
size_t DirectoryEntryAt(const std::vector<uint8_t>& pak, int index);
