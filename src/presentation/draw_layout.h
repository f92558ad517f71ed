#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "presentation/canvas.h"

// Where the table drawing and the score sheet put things on the 800 x 600 back buffer.

inline constexpr Rect32 kScreenClipRect{0, 0, 800, 600};

// The chosen contract's announcement picture.
inline constexpr int16_t ContractPicX = 294;
inline constexpr int16_t ContractPicY = 250;

// The score page at the end of a contract, and the strip of it that peeks in at the right screen
// edge during play (the frame draws that one).
inline constexpr int16_t ScorePageX = 156;
inline constexpr int16_t ScorePageY = 4;
inline constexpr int16_t kScorePageEdgeX = 780;
inline constexpr int16_t kScorePageEdgeY = 5;

// The score sheet: every line starts at SheetLeft - 65; line r stands at SheetTop + r x SheetLinePitch.
inline constexpr int16_t SheetLeft = 273;
inline constexpr int16_t SheetTop = 94;
inline constexpr int16_t SheetLinePitch = 31;
inline constexpr int16_t TotalsY = 438;
inline constexpr int16_t ResultY = 469;
inline constexpr int16_t kSheetTextX = SheetLeft - 65;

// The two ruling lines: under the header, and between the last sheet line and the totals.
inline constexpr int16_t kRuleX = SheetLeft - 50;
inline constexpr int16_t kUpperRuleY = SheetTop + 23;
inline constexpr int16_t kLowerRuleY = 430;  // just above the totals

// The clock at the bottom right and the banner at the bottom left, on one text line.
inline constexpr int16_t ClockX = 700;
inline constexpr int16_t ClockY = 572;
inline constexpr int16_t BannerX = 5;
inline constexpr int16_t BannerY = ClockY;
