#include "presentation/memory_canvas.h"

#include <algorithm>
#include <utility>

namespace {

size_t Index(PictureId id) {
    return static_cast<size_t>(id);
}

bool Valid(PictureId id) {
    return static_cast<int>(id) >= 0 && id < PictureId::Count;
}

}  // namespace

MemoryCanvas::MemoryCanvas(int32_t width, int32_t height, uint16_t fill, int32_t scale)
    : scale_(std::clamp(scale, 1, kLargestScale)) {
    back_.width = width * scale_;
    back_.height = height * scale_;
    back_.pixels.assign(static_cast<size_t>(back_.width) * static_cast<size_t>(back_.height), fill);
}

void MemoryCanvas::SetPicture(PictureId id, Picture565 picture) {
    if (Valid(id) && picture.pixels.size() == static_cast<size_t>(picture.width * picture.height) &&
        picture.width % scale_ == 0 && picture.height % scale_ == 0) {
        pictures_[Index(id)] = std::move(picture);
    }
}

void MemoryCanvas::SetSolidPicture(PictureId id, int32_t width, int32_t height, uint16_t colour) {
    const int32_t w = width * scale_;
    const int32_t h = height * scale_;
    SetPicture(id, Picture565{w, h, std::vector<uint16_t>(static_cast<size_t>(w * h), colour)});
}

Rect32 MemoryCanvas::PictureRect(PictureId picture) const {
    if (!Valid(picture)) {
        return Rect32{};
    }
    const Picture565& p = pictures_[Index(picture)];
    return Rect32{0, 0, p.width / scale_, p.height / scale_};
}

void MemoryCanvas::CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) {
    if (!Valid(picture)) {
        return;
    }
    const Picture565& from = pictures_[Index(picture)];
    // The caller clips; this only guards the memory on both sides, once for the whole rectangle.
    int32_t left = std::max(source.left, 0);
    int32_t top = std::max(source.top, 0);
    int32_t right = std::min(source.right, from.width);
    int32_t bottom = std::min(source.bottom, from.height);
    const int32_t dx = x - source.left;
    const int32_t dy = y - source.top;
    left = std::max(left, -dx);
    top = std::max(top, -dy);
    right = std::min(right, back_.width - dx);
    bottom = std::min(bottom, back_.height - dy);
    if (right <= left || bottom <= top) {
        return;
    }
    const auto width = static_cast<size_t>(right - left);
    for (int32_t sy = top; sy < bottom; ++sy) {
        const uint16_t* in = from.pixels.data() + static_cast<size_t>(sy * from.width + left);
        uint16_t* out = back_.pixels.data() + static_cast<size_t>((sy + dy) * back_.width + left + dx);
        if (!keyed) {
            std::copy(in, in + width, out);
            continue;
        }
        for (size_t i = 0; i < width; ++i) {
            out[i] = in[i] == kTransparent ? out[i] : in[i];
        }
    }
}
