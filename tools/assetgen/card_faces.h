#pragma once

#include <QImage>
#include <QPainter>

#include "deck_styles.h"
#include "suit_shapes.h"

// The white rounded blank every card face and back is printed on.
void DrawCardBlank(QPainter& painter);

// One card face, 99 x 153 times `scale`, keyed: rank 1 (ace) .. 13 (king).
QImage DrawCardFace(int rank, PipSuit suit, const DeckStyle& style, int scale = 1);
