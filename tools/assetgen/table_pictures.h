#pragma once

#include <QImage>

#include "font_files.h"
#include "text_paths.h"

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

// Where the score page and its ruling lines are drawn on the screen; the page's own ruling is laid
// out to match the sheet's text lines.
inline constexpr int kScorePageX = 156;
inline constexpr int kScorePageY = 4;
inline constexpr int kScorePageWidth = 488;
inline constexpr int kScorePageHeight = 560;
inline constexpr int kLineWidth = 300;
inline constexpr int kLineHeight = 5;

// Every picture here is drawn at `scale` times its size (the sizes below are those at scale 1).

// The felt table, 800 x 600, opaque (stored as JPEG).
QImage DrawFeltTable(int scale = 1);

// The score pad's paper, keyed, with its spiral binding in the left strip that also peeks in at the
// right edge of the screen during play.
QImage DrawScorePage(const AssetFonts& fonts, int scale = 1, const FitReport& report = {});

// The ink rule drawn under the sheet's header and above its totals, keyed.
QImage DrawRulingLine(int scale = 1);

// The 32 x 32 pointer, keyed, its tip on the centre pixel (16, 16) where the mouse is (at scale k:
// 32k x 32k, the tip on (16k, 16k)).
QImage DrawMouseCursor(int scale = 1);
