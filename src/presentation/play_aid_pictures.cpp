#include "presentation/play_aid_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr uint16_t kKey = MemoryCanvas::kTransparent;
constexpr uint16_t kInk = 0x0000;
constexpr uint16_t kPanel = 0x2965;    // dark slate behind the speaker
constexpr uint16_t kSpeaker = 0xEF7D;  // off-white
constexpr uint16_t kCross = 0xF8A2;    // red

Picture565 Blank(int32_t width, int32_t height, uint16_t colour) {
    return Picture565{width, height, std::vector<uint16_t>(static_cast<size_t>(width * height), colour)};
}

void Put(Picture565& p, int32_t x, int32_t y, uint16_t colour) {
    if (x >= 0 && x < p.width && y >= 0 && y < p.height) {
        p.pixels[static_cast<size_t>(y * p.width + x)] = colour;
    }
}

// One unit of the drawing: a k x k square of pixels.
void PutUnit(Picture565& p, int32_t x, int32_t y, int32_t k, uint16_t colour) {
    for (int32_t dy = 0; dy < k; ++dy) {
        for (int32_t dx = 0; dx < k; ++dx) {
            Put(p, x * k + dx, y * k + dy, colour);
        }
    }
}

// A gold arrow pointing down, outlined in black so it reads on the felt and on a card. Each pixel row
// of the arrow is as wide as the triangle at that height, so larger scales get smooth sides with an
// outline one unit thick.
Picture565 HintMarkerPicture(int32_t k) {
    const int32_t width = kHintMarkerWidth * k;
    const int32_t height = kHintMarkerHeight * k;
    Picture565 p = Blank(width, height, kKey);
    const int32_t middle = kHintMarkerWidth / 2;
    for (int32_t y = 0; y < height; ++y) {
        int32_t left = 0;
        int32_t right = 0;
        if (k == 1) {
            const int32_t half = middle - y * middle / (kHintMarkerHeight - 1);
            left = middle - half;
            right = middle + half;
        } else {
            // The triangle's width at the middle of this pixel row, measured in units as the unit
            // drawing measures it, then laid on the finer grid.
            const double row = (y + 0.5) / k - 0.5;
            const double half = std::max(middle - row * middle / (kHintMarkerHeight - 1), 0.0);
            left = static_cast<int32_t>(std::lround((middle - half) * k));
            right = static_cast<int32_t>(std::lround((middle + half + 1) * k)) - 1;
        }
        for (int32_t x = left; x <= right; ++x) {
            const bool edge = x < left + k || x > right - k || y < k;
            Put(p, x, y, edge ? kInk : kHintColour);
        }
    }
    return p;
}

// A speaker on a dark panel, crossed out in red.
Picture565 MuteIndicatorPicture(int32_t k) {
    Picture565 p = Blank(kMuteIndicatorWidth * k, kMuteIndicatorHeight * k, kPanel);
    // Cut corners, so the panel reads as a small badge.
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{kMuteIndicatorWidth - 1, 0}, std::pair{0, kMuteIndicatorHeight - 1},
          std::pair{kMuteIndicatorWidth - 1, kMuteIndicatorHeight - 1}}) {
        PutUnit(p, x, y, k, kKey);
    }
    // The speaker's box.
    for (int32_t y = 8 * k; y < 14 * k; ++y) {
        for (int32_t x = 4 * k; x < 8 * k; ++x) {
            Put(p, x, y, kSpeaker);
        }
    }
    // Its cone, widening to the right: one pixel column at a time, so it is a smooth wedge when large.
    for (int32_t x = 8 * k; x < 14 * k; ++x) {
        const int32_t spread = x - 7 * k;
        for (int32_t y = 8 * k - spread; y < 14 * k + spread; ++y) {
            Put(p, x, y, kSpeaker);
        }
    }
    // The cross, two units thick, drawn along its diagonals pixel by pixel.
    for (int32_t i = 0; i < 9 * k; ++i) {
        for (int32_t t = 0; t < 2 * k; ++t) {
            Put(p, 16 * k + i + t, 6 * k + i, kCross);
            Put(p, 16 * k + i + t, 15 * k - 1 - i, kCross);
        }
    }
    return p;
}

}  // namespace

std::vector<std::pair<PictureId, Picture565>> PlayAidPictures(int32_t scale) {
    const int32_t k = std::clamp(scale, 1, kLargestScale);
    const int32_t block = kColourBlockSize * k;
    std::vector<std::pair<PictureId, Picture565>> pictures;
    pictures.emplace_back(PictureId::FocusColour, Blank(block, block, kFocusColour));
    pictures.emplace_back(PictureId::HintColour, Blank(block, block, kHintColour));
    pictures.emplace_back(PictureId::HintMarker, HintMarkerPicture(k));
    pictures.emplace_back(PictureId::MuteIndicator, MuteIndicatorPicture(k));
    return pictures;
}
