#include "suit_shapes.h"

#include <QTransform>

namespace {

// Shapes are drawn in a unit box from (-0.5, -0.5) to (0.5, 0.5) and then fitted into the target box.
QPainterPath Heart() {
    QPainterPath p;
    p.moveTo(0.0, 0.5);
    p.cubicTo(-0.12, 0.32, -0.5, 0.1, -0.5, -0.2);
    p.cubicTo(-0.5, -0.46, -0.22, -0.58, 0.0, -0.3);
    p.cubicTo(0.22, -0.58, 0.5, -0.46, 0.5, -0.2);
    p.cubicTo(0.5, 0.1, 0.12, 0.32, 0.0, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath Diamond() {
    QPainterPath p;
    p.moveTo(0.0, -0.5);
    p.quadTo(0.14, -0.2, 0.4, 0.0);
    p.quadTo(0.14, 0.2, 0.0, 0.5);
    p.quadTo(-0.14, 0.2, -0.4, 0.0);
    p.quadTo(-0.14, -0.2, 0.0, -0.5);
    p.closeSubpath();
    return p;
}

QPainterPath Stem() {
    QPainterPath p;
    p.moveTo(-0.04, 0.05);
    p.quadTo(-0.06, 0.38, -0.22, 0.5);
    p.lineTo(0.22, 0.5);
    p.quadTo(0.06, 0.38, 0.04, 0.05);
    p.closeSubpath();
    return p;
}

QPainterPath Spade() {
    QPainterPath p;
    p.moveTo(0.0, -0.5);
    p.cubicTo(0.12, -0.3, 0.5, -0.12, 0.5, 0.14);
    p.cubicTo(0.5, 0.38, 0.2, 0.44, 0.0, 0.22);
    p.cubicTo(-0.2, 0.44, -0.5, 0.38, -0.5, 0.14);
    p.cubicTo(-0.5, -0.12, -0.12, -0.3, 0.0, -0.5);
    p.closeSubpath();
    return p.united(Stem());
}

QPainterPath Club() {
    QPainterPath p;
    const double r = 0.215;
    p.addEllipse(QPointF(0.0, -0.27), r, r);
    p.addEllipse(QPointF(-0.265, 0.08), r, r);
    p.addEllipse(QPointF(0.265, 0.08), r, r);
    p.addEllipse(QPointF(0.0, 0.0), 0.12, 0.14);
    p.setFillRule(Qt::WindingFill);
    return p.simplified().united(Stem());
}

}  // namespace

QPainterPath SuitPath(PipSuit suit, const QRectF& box) {
    QPainterPath unit;
    switch (suit) {
        case PipSuit::Clubs:
            unit = Club();
            break;
        case PipSuit::Diamonds:
            unit = Diamond();
            break;
        case PipSuit::Hearts:
            unit = Heart();
            break;
        case PipSuit::Spades:
            unit = Spade();
            break;
    }
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(box.width(), box.height());
    return fit.map(unit);
}

QColor SuitInk(PipSuit suit) {
    return IsRed(suit) ? QColor(0xC8, 0x10, 0x1E) : QColor(0x14, 0x14, 0x18);
}
