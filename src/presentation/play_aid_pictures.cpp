#include "presentation/play_aid_pictures.h"

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

// A gold arrow pointing down, outlined in black so it reads on the felt and on a card.
Picture565 HintMarkerPicture() {
    Picture565 p = Blank(kHintMarkerWidth, kHintMarkerHeight, kKey);
    const int32_t middle = kHintMarkerWidth / 2;
    for (int32_t y = 0; y < kHintMarkerHeight; ++y) {
        const int32_t half = middle - y * middle / (kHintMarkerHeight - 1);
        for (int32_t x = middle - half; x <= middle + half; ++x) {
            const bool edge = x == middle - half || x == middle + half || y == 0;
            Put(p, x, y, edge ? kInk : kHintColour);
        }
    }
    return p;
}

// A speaker on a dark panel, crossed out in red.
Picture565 MuteIndicatorPicture() {
    Picture565 p = Blank(kMuteIndicatorWidth, kMuteIndicatorHeight, kPanel);
    // Cut corners, so the panel reads as a small badge.
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{kMuteIndicatorWidth - 1, 0}, std::pair{0, kMuteIndicatorHeight - 1},
          std::pair{kMuteIndicatorWidth - 1, kMuteIndicatorHeight - 1}}) {
        Put(p, x, y, kKey);
    }
    // The speaker's box and its cone, widening to the right.
    for (int32_t y = 8; y <= 13; ++y) {
        for (int32_t x = 4; x <= 7; ++x) {
            Put(p, x, y, kSpeaker);
        }
    }
    for (int32_t x = 8; x <= 13; ++x) {
        const int32_t spread = x - 7;
        for (int32_t y = 8 - spread; y <= 13 + spread; ++y) {
            Put(p, x, y, kSpeaker);
        }
    }
    // The cross, two pixels thick.
    for (int32_t i = 0; i <= 8; ++i) {
        for (int32_t t = 0; t < 2; ++t) {
            Put(p, 16 + i + t, 6 + i, kCross);
            Put(p, 16 + i + t, 14 - i, kCross);
        }
    }
    return p;
}

}  // namespace

std::vector<std::pair<PictureId, Picture565>> PlayAidPictures() {
    std::vector<std::pair<PictureId, Picture565>> pictures;
    pictures.emplace_back(PictureId::FocusColour, Blank(kColourBlockSize, kColourBlockSize, kFocusColour));
    pictures.emplace_back(PictureId::HintColour, Blank(kColourBlockSize, kColourBlockSize, kHintColour));
    pictures.emplace_back(PictureId::HintMarker, HintMarkerPicture());
    pictures.emplace_back(PictureId::MuteIndicator, MuteIndicatorPicture());
    return pictures;
}
