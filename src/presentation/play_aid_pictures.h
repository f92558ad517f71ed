#pragma once

#include <utility>
#include <vector>

#include "presentation/canvas.h"
#include "presentation/memory_canvas.h"

// The pictures the play aids draw with. They are drawn here, by the program, and handed to the
// canvas at start (and again whenever the pictures are reloaded); the archive does not hold them.

// The focus (cyan) and the hint (gold), RGB565.
inline constexpr uint16_t kFocusColour = 0x07FF;
inline constexpr uint16_t kHintColour = 0xFEA0;

// The colour blocks are this big, so one copy of a part of a block fills any outline's side.
inline constexpr int32_t kColourBlockSize = 256;

// The hint's arrow and the mute indicator's sizes.
inline constexpr int32_t kHintMarkerWidth = 17;
inline constexpr int32_t kHintMarkerHeight = 10;
inline constexpr int32_t kMuteIndicatorWidth = 28;
inline constexpr int32_t kMuteIndicatorHeight = 22;

// Every play-aid picture with its id, drawn at the given scale (1 to 3: k times the sizes above);
// keyed with the transparent colour where they are not square.
std::vector<std::pair<PictureId, Picture565>> PlayAidPictures(int32_t scale = 1);
