#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

// Suits in the order the card pictures are numbered: clubs, diamonds, hearts, spades.
enum class PipSuit { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

inline bool IsRed(PipSuit suit) {
    return suit == PipSuit::Diamonds || suit == PipSuit::Hearts;
}

// The outline of a suit symbol filling `box` (upright; turn the painter for the lower half of a card).
QPainterPath SuitPath(PipSuit suit, const QRectF& box);

// The printed ink of the two suit colours.
QColor SuitInk(PipSuit suit);
