#pragma once

#include <QImage>

#include "deck_styles.h"

// The deck's card back ("S_cardback.bmp"), 99 x 153 times `scale`, keyed.
QImage DrawCardBack(const DeckStyle& style, int scale = 1);

// The deck's frame picture ("FrameBlue.bmp"): a blue ring the size of a card, open in the middle.
QImage DrawCardFrame(const DeckStyle& style, int scale = 1);
