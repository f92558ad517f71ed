#include "card_backs.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "card_faces.h"
#include "image_io.h"
#include "palette.h"

namespace {

constexpr double kPi = 3.14159265358979;

void DrawLattice(QPainter& p, const QRectF& field, const DeckStyle& style) {
    // A fine diamond lattice, with a darker diamond band around an oval medallion.
    p.setPen(QPen(style.backPattern, 1.0));
    const double step = 7.0;
    for (double d = -field.height(); d < field.width() + field.height(); d += step) {
        p.drawLine(QPointF(field.left() + d, field.top()),
                   QPointF(field.left() + d + field.height(), field.bottom()));
        p.drawLine(QPointF(field.left() + d, field.bottom()),
                   QPointF(field.left() + d + field.height(), field.top()));
    }
    const QPointF centre = field.center();
    p.setPen(QPen(style.backPattern, 1.6));
    p.setBrush(style.backField);
    p.drawEllipse(centre, 22.0, 32.0);
    p.setPen(QPen(style.backPattern, 1.0));
    p.drawEllipse(centre, 18.0, 28.0);
    // A compass star in the medallion.
    QPainterPath star;
    for (int k = 0; k < 16; ++k) {
        const double a = k * kPi / 8.0;
        const double r = (k % 2 == 0) ? 15.0 : 5.5;
        const QPointF point(centre.x() + r * std::sin(a), centre.y() - r * 1.45 * std::cos(a));
        if (k == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(style.backPattern);
    p.drawPath(star);
}

void DrawRosettes(QPainter& p, const QRectF& field, const DeckStyle& style) {
    // Overlapping circles make rows of four-petalled rosettes; a large rosette sits in the middle.
    p.setPen(QPen(style.backPattern, 1.0));
    p.setBrush(Qt::NoBrush);
    const double step = 11.0;
    for (double y = field.top(); y <= field.bottom() + step; y += step) {
        for (double x = field.left(); x <= field.right() + step; x += step) {
            p.drawEllipse(QPointF(x, y), step / 2.0 * std::sqrt(2.0), step / 2.0 * std::sqrt(2.0));
        }
    }
    const QPointF centre = field.center();
    p.setPen(QPen(style.backPattern, 1.8));
    p.setBrush(style.backField);
    p.drawEllipse(centre, 27.0, 27.0);
    p.setPen(Qt::NoPen);
    p.setBrush(style.backPattern);
    for (int k = 0; k < 8; ++k) {
        p.save();
        p.translate(centre);
        p.rotate(k * 45.0);
        QPainterPath petal;
        petal.moveTo(0, 0);
        petal.quadTo(7, -11, 0, -22);
        petal.quadTo(-7, -11, 0, 0);
        p.drawPath(petal);
        p.restore();
    }
    p.setBrush(style.backField);
    p.drawEllipse(centre, 4.5, 4.5);
    p.setBrush(style.backPattern);
    p.drawEllipse(centre, 2.5, 2.5);
}

}  // namespace

QImage DrawCardBack(const DeckStyle& style, int scale) {
    QImage canvas = NewCanvas(kCardWidth * scale, kCardHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCardBlank(p);

    const QRectF field(6.0, 6.0, kCardWidth - 12.0, kCardHeight - 12.0);
    QPainterPath fieldShape;
    fieldShape.addRoundedRect(field, 4.0, 4.0);
    p.fillPath(fieldShape, style.backField);
    p.save();
    p.setClipPath(fieldShape);
    if (style.back == DeckStyle::Back::Lattice) {
        DrawLattice(p, field, style);
    } else {
        DrawRosettes(p, field, style);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.backFrame, 1.0));
    p.drawRoundedRect(field.adjusted(-2.5, -2.5, 2.5, 2.5), 5.0, 5.0);
    p.end();
    return KeyOut(canvas, kFeltColour);
}

QImage DrawCardFrame(const DeckStyle& style, int scale) {
    // Hard edges: the ring may lie on the felt or on a card, so its edges blend toward neither.
    QImage canvas = NewCanvas(kCardWidth * scale, kCardHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    const QColor outer =
        style.back == DeckStyle::Back::Lattice ? QColor(0x20, 0x60, 0xE0) : QColor(0x30, 0x80, 0xF0);
    p.setPen(Qt::NoPen);
    p.setBrush(outer);
    QPainterPath ring;
    ring.addRoundedRect(QRectF(0, 0, kCardWidth, kCardHeight), kCardRadius, kCardRadius);
    ring.addRoundedRect(QRectF(4, 4, kCardWidth - 8, kCardHeight - 8), kCardRadius - 3, kCardRadius - 3);
    ring.setFillRule(Qt::OddEvenFill);
    p.drawPath(ring);
    p.setBrush(QColor(0xA0, 0xC8, 0xFF));
    QPainterPath inner;
    inner.addRoundedRect(QRectF(1.5, 1.5, kCardWidth - 3, kCardHeight - 3), kCardRadius - 1, kCardRadius - 1);
    inner.addRoundedRect(QRectF(2.5, 2.5, kCardWidth - 5, kCardHeight - 5), kCardRadius - 2, kCardRadius - 2);
    inner.setFillRule(Qt::OddEvenFill);
    p.drawPath(inner);
    p.end();
    return KeyOut(canvas, outer);
}
