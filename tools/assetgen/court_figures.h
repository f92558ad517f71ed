#pragma once

#include <QPainter>
#include <QRectF>

#include "deck_styles.h"
#include "suit_shapes.h"

// A double-headed court figure inside `frame`: the jack (11) with a feathered cap and a halberd, the
// queen (12) with long hair, a tiara and a flower, the king (13) with a beard, a crown and a sceptre.
void DrawCourtFigure(QPainter& painter, const QRectF& frame, int rank, PipSuit suit, const DeckStyle& style);
