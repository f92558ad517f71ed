#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// A 16-bit picture in memory: its first pixel, its size and the bytes from one row to the next.
struct PixelPlane {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
};

// Copies the part of `source` at (left, top) of width x height to (x, y) of `target`, both clipped to
// their pictures as SDL's blit clips them. With a key, source pixels of that value are left out and
// the target shows through. The copy the table is drawn with: SDL's own keyed blit goes pixel by pixel,
// this one eight pixels at a time.
void CopyPixels(const PixelPlane& source, int32_t left, int32_t top, int32_t width, int32_t height,
                const PixelPlane& target, int32_t x, int32_t y, std::optional<uint16_t> key);
