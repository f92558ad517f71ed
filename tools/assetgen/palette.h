#pragma once

#include <QColor>

// Sizes the game's layout relies on.
inline constexpr int kCardWidth = 99;
inline constexpr int kCardHeight = 153;
inline constexpr double kCardRadius = 7.0;

// The felt's average colour: what lies under card corners, buttons and table texts, so their smoothed
// edges are blended toward it.
inline const QColor kFeltColour(0x1F, 0x6A, 0x3A);

// The score sheet's paper, under the handwriting and the ruling lines.
inline const QColor kPaperColour(0xFB, 0xF6, 0xE6);

// The white of the cards.
inline const QColor kCardPaper(0xFD, 0xFD, 0xFA);
