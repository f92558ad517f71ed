#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "presentation/canvas.h"

// A 16-bit RGB565 picture held in memory.
struct Picture565 {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> pixels;  // row by row

    uint16_t At(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A back buffer in memory with pictures in memory: draws the table headless, for tests, the
// simulator or a screenshot. Keyed copies leave out the transparent colour, like the SDL colour key.
class MemoryCanvas final : public Canvas {
public:
    static constexpr uint16_t kTransparent = 0xF81F;  // magenta

    // A back buffer of width x height units, each `scale` pixels square.
    explicit MemoryCanvas(int32_t width = 800, int32_t height = 600, uint16_t fill = 0, int32_t scale = 1);

    // Pictures come in pixels, at the canvas's scale: their sizes are whole multiples of it, or they
    // are refused.
    void SetPicture(PictureId id, Picture565 picture);
    // A picture of one colour, handy for tests; the size in units.
    void SetSolidPicture(PictureId id, int32_t width, int32_t height, uint16_t colour);

    int32_t Scale() const override { return scale_; }
    Rect32 PictureRect(PictureId picture) const override;
    void CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) override;

    const Picture565& BackBuffer() const { return back_; }
    uint16_t Pixel(int32_t x, int32_t y) const { return back_.At(x, y); }

private:
    Picture565 back_;
    int32_t scale_ = 1;
    std::array<Picture565, static_cast<std::size_t>(PictureId::Count)> pictures_{};
};
