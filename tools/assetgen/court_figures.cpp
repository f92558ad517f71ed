#include "court_figures.h"

#include <QPainterPath>
#include <cmath>

#include "text_paths.h"

namespace {

const QColor kSkin(0xF6, 0xD5, 0xB0);
const QColor kInk(0x20, 0x18, 0x14);
const QColor kErmine(0xFF, 0xFF, 0xFF);
const QColor kBeard(0x8A, 0x8A, 0x90);
const QColor kSteel(0x9C, 0xA6, 0xB4);

struct Half {
    double w;   // width of the frame
    double h;   // height of one half (down to the middle line)
    double cx;  // centre line of the figure
};

QPen Outline(double width = 0.9) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawRobe(QPainter& p, const Half& g, int rank, const QColor& robe, const DeckStyle& style) {
    const double cx = g.cx;
    QPainterPath body;
    body.moveTo(cx - 22, g.h + 1);
    body.lineTo(cx - 22, 47);
    body.quadTo(cx - 21, 37, cx - 9, 35.5);
    body.lineTo(cx + 9, 35.5);
    body.quadTo(cx + 21, 37, cx + 22, 47);
    body.lineTo(cx + 22, g.h + 1);
    body.closeSubpath();
    p.setPen(Outline());
    p.setBrush(robe);
    p.drawPath(body);

    // Sleeves in the second colour, a gold band down the front.
    p.setBrush(style.robeSecond);
    p.drawRoundedRect(QRectF(cx - 22, 44, 7, g.h - 43), 2, 2);
    p.drawRoundedRect(QRectF(cx + 15, 44, 7, g.h - 43), 2, 2);
    p.setBrush(style.trim);
    p.drawRect(QRectF(cx - 3.5, 38, 7, g.h - 37));
    p.setPen(Qt::NoPen);
    p.setBrush(robe);
    for (double y = 42; y < g.h - 2; y += 6) {
        p.drawEllipse(QPointF(cx, y), 1.5, 1.5);
    }

    // Kings and queens wear an ermine collar; the jack a plain one.
    p.setPen(Outline());
    p.setBrush(rank == 11 ? style.trim : kErmine);
    QPainterPath collar;
    collar.moveTo(cx - 13, 36);
    collar.quadTo(cx, 46, cx + 13, 36);
    collar.quadTo(cx, 40, cx - 13, 36);
    p.drawPath(collar);
    if (rank != 11) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (int i = -2; i <= 2; ++i) {
            p.drawEllipse(QPointF(cx + i * 4.5, 39.5 + (i == 0 ? 2.0 : 0.0)), 0.7, 1.0);
        }
    }
}

void DrawFace(QPainter& p, const Half& g) {
    const double cx = g.cx;
    p.setPen(Outline());
    p.setBrush(kSkin);
    p.drawRect(QRectF(cx - 3, 31, 6, 5));  // neck
    p.drawEllipse(QPointF(cx, 24), 7.5, 9.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(cx - 3, 23), 0.9, 1.1);
    p.drawEllipse(QPointF(cx + 3, 23), 0.9, 1.1);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(cx, 24), QPointF(cx - 0.8, 27));
    p.setPen(QPen(QColor(0xB0, 0x30, 0x30), 1.0));
    p.drawLine(QPointF(cx - 1.8, 29.5), QPointF(cx + 1.8, 29.5));
}

void DrawKing(QPainter& p, const Half& g, const DeckStyle& style) {
    const double cx = g.cx;
    // Sceptre at his side.
    p.setPen(Outline());
    p.setBrush(style.trim);
    p.drawRect(QRectF(cx + 15, 12, 2.5, g.h - 12));
    p.drawEllipse(QPointF(cx + 16.25, 10), 3.2, 3.2);
    DrawFace(p, g);
    // Beard and moustache.
    QPainterPath beard;
    beard.moveTo(cx - 7.5, 25);
    beard.quadTo(cx - 7, 36, cx, 40);
    beard.quadTo(cx + 7, 36, cx + 7.5, 25);
    beard.quadTo(cx + 4, 31, cx, 30.5);
    beard.quadTo(cx - 4, 31, cx - 7.5, 25);
    p.setPen(Outline(0.7));
    p.setBrush(kBeard);
    p.drawPath(beard);
    p.drawEllipse(QPointF(cx - 2.2, 28), 2.4, 1.1);
    p.drawEllipse(QPointF(cx + 2.2, 28), 2.4, 1.1);
    // Crown: a band with five points, pearls on the points and jewels in the band.
    QPainterPath crown;
    crown.moveTo(cx - 9.5, 17);
    crown.lineTo(cx - 10.5, 5);
    crown.lineTo(cx - 6, 11);
    crown.lineTo(cx - 3, 3);
    crown.lineTo(cx, 10);
    crown.lineTo(cx + 3, 3);
    crown.lineTo(cx + 6, 11);
    crown.lineTo(cx + 10.5, 5);
    crown.lineTo(cx + 9.5, 17);
    crown.closeSubpath();
    p.setPen(Outline());
    p.setBrush(style.trim);
    p.drawPath(crown);
    p.setBrush(kErmine);
    for (double x : {-10.5, -3.0, 3.0, 10.5}) {
        p.drawEllipse(QPointF(cx + x, x == -3.0 || x == 3.0 ? 3 : 5), 1.4, 1.4);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x10, 0x20));
    p.drawEllipse(QPointF(cx, 14), 1.6, 1.6);
    p.setBrush(QColor(0x20, 0x50, 0xC0));
    p.drawEllipse(QPointF(cx - 5.5, 14.3), 1.3, 1.3);
    p.drawEllipse(QPointF(cx + 5.5, 14.3), 1.3, 1.3);
}

void DrawQueen(QPainter& p, const Half& g, const DeckStyle& style) {
    const double cx = g.cx;
    // Long hair falling to the shoulders, behind the face.
    QPainterPath hair;
    hair.moveTo(cx - 9, 40);
    hair.quadTo(cx - 13, 26, cx - 8, 15);
    hair.quadTo(cx, 10, cx + 8, 15);
    hair.quadTo(cx + 13, 26, cx + 9, 40);
    hair.quadTo(cx + 6, 34, cx + 5, 28);
    hair.lineTo(cx - 5, 28);
    hair.quadTo(cx - 6, 34, cx - 9, 40);
    p.setPen(Outline());
    p.setBrush(style.hair);
    p.drawPath(hair);
    DrawFace(p, g);
    // Fringe.
    QPainterPath fringe;
    fringe.moveTo(cx - 7.5, 22);
    fringe.quadTo(cx - 6, 14, cx, 15);
    fringe.quadTo(cx + 6, 14, cx + 7.5, 22);
    fringe.quadTo(cx + 3, 17.5, cx, 18.5);
    fringe.quadTo(cx - 3, 17.5, cx - 7.5, 22);
    p.setPen(Outline(0.6));
    p.setBrush(style.hair);
    p.drawPath(fringe);
    // Tiara: rounded arches with a jewel.
    QPainterPath tiara;
    tiara.moveTo(cx - 7, 15);
    tiara.quadTo(cx - 6, 8, cx - 3.5, 11);
    tiara.quadTo(cx, 4, cx + 3.5, 11);
    tiara.quadTo(cx + 6, 8, cx + 7, 15);
    tiara.closeSubpath();
    p.setPen(Outline());
    p.setBrush(style.trim);
    p.drawPath(tiara);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x10, 0x20));
    p.drawEllipse(QPointF(cx, 11.5), 1.5, 1.5);
    // A flower held up at her side.
    p.setPen(QPen(QColor(0x2A, 0x7A, 0x2A), 1.2));
    p.drawLine(QPointF(cx + 15, g.h), QPointF(cx + 17, 14));
    p.setPen(Outline(0.6));
    p.setBrush(QColor(0xD8, 0x20, 0x30));
    for (int k = 0; k < 5; ++k) {
        const double a = k * 72.0 * 3.14159265358979 / 180.0;
        p.drawEllipse(QPointF(cx + 17 + 2.6 * std::sin(a), 12 - 2.6 * std::cos(a)), 1.9, 1.9);
    }
    p.setBrush(style.trim);
    p.drawEllipse(QPointF(cx + 17, 12), 1.3, 1.3);
}

void DrawJack(QPainter& p, const Half& g, const DeckStyle& style, const QColor& robe) {
    const double cx = g.cx;
    // Halberd at his side.
    p.setPen(Outline());
    p.setBrush(QColor(0x8A, 0x5A, 0x2A));
    p.drawRect(QRectF(cx + 16, 8, 2, g.h - 8));
    QPainterPath blade;
    blade.moveTo(cx + 18, 8);
    blade.quadTo(cx + 25, 10, cx + 24, 17);
    blade.lineTo(cx + 18, 15);
    blade.closeSubpath();
    blade.moveTo(cx + 17, 1.5);
    blade.lineTo(cx + 19, 8);
    blade.lineTo(cx + 15, 8);
    blade.closeSubpath();
    p.setBrush(kSteel);
    p.drawPath(blade);
    // Short hair showing under the cap.
    p.setBrush(style.hair);
    p.drawEllipse(QPointF(cx, 21), 8.8, 7.5);
    DrawFace(p, g);
    // Cap with a feather.
    QPainterPath feather;
    feather.moveTo(cx + 4, 12);
    feather.quadTo(cx + 14, 4, cx + 12, 0.5);
    feather.quadTo(cx + 9, 7, cx + 2, 11);
    feather.closeSubpath();
    p.setBrush(kErmine);
    p.drawPath(feather);
    QPainterPath cap;
    cap.moveTo(cx - 10, 16);
    cap.quadTo(cx - 9, 6, cx, 6.5);
    cap.quadTo(cx + 9, 6, cx + 10, 16);
    cap.quadTo(cx, 13, cx - 10, 16);
    p.setBrush(robe);
    p.drawPath(cap);
    p.setBrush(style.trim);
    p.drawRoundedRect(QRectF(cx - 10.5, 14, 21, 3.2), 1.5, 1.5);
}

void DrawHalf(QPainter& p, const Half& g, int rank, PipSuit suit, const DeckStyle& style) {
    const QColor robe = IsRed(suit) ? style.robeRed : style.robeBlack;
    DrawRobe(p, g, rank, robe, style);
    switch (rank) {
        case 13:
            DrawKing(p, g, style);
            break;
        case 12:
            DrawQueen(p, g, style);
            break;
        default:
            DrawJack(p, g, style, robe);
            break;
    }
    // The suit beside the figure's head and the rank letter under it.
    p.setPen(Qt::NoPen);
    p.fillPath(SuitPath(suit, QRectF(2.5, 3.0, 10.0, 11.0)), SuitInk(suit));
}

}  // namespace

void DrawCourtFigure(QPainter& painter, const QRectF& frame, int rank, PipSuit suit, const DeckStyle& style) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.courtTint);
    painter.drawRect(frame);

    const Half g{frame.width(), frame.height() / 2.0, frame.width() / 2.0};
    for (int half = 0; half < 2; ++half) {
        painter.save();
        if (half == 0) {
            painter.translate(frame.topLeft());
        } else {
            painter.translate(frame.bottomRight());
            painter.rotate(180.0);
        }
        painter.setClipRect(QRectF(0, 0, g.w, g.h));
        DrawHalf(painter, g, rank, suit, style);
        painter.restore();
    }

    // The line where the two halves meet and the frame around the figure.
    painter.setPen(QPen(style.courtFrame, 1.0));
    painter.drawLine(QPointF(frame.left(), frame.center().y()), QPointF(frame.right(), frame.center().y()));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(style.courtFrame, 1.2));
    painter.drawRect(frame);
    painter.restore();
}
