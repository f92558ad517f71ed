#pragma once

#include <cstddef>
#include <string_view>

#include "presentation/bitmap_font.h"
#include "presentation/canvas.h"
#include "presentation/draw_layout.h"
#include "presentation/drawn_text_log.h"

// A notice stands at the top of the table, at least this far from its left and right edges.
inline constexpr int16_t kNoticeMargin = 5;
inline constexpr int16_t kNoticeY = 4;
// The characters of a notice that fit the table's width; the rest is cut.
inline constexpr size_t kNoticeMaxChars = static_cast<size_t>(
    (kScreenClipRect.right - 2 * kNoticeMargin - kFontCellWidth) / (kFontCellWidth - 2) + 1);

// One line of notice at the top of the table, such as "Match not saved: the disk is full": in the
// banner's font, centred, cut to the characters that fit the table's width, and clipped to `clipRect`
// like every other drawing. An empty text draws nothing. Drawn last, over the table.
void DrawNotice(Canvas& canvas, const Rect32& clipRect, GameFonts& fonts, std::string_view text,
                DrawnTextLog* log = nullptr);
