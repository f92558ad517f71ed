#include "card_faces.h"

#include <array>
#include <vector>

#include "court_figures.h"
#include "image_io.h"
#include "palette.h"
#include "text_paths.h"

namespace {

// Pip columns and rows of the number cards, in card pixels.
constexpr double kLeft = 29.0;
constexpr double kCentre = kCardWidth / 2.0;
constexpr double kRight = kCardWidth - kLeft;
constexpr double kTop = 27.0;
constexpr double kBottom = kCardHeight - kTop;
constexpr double kMiddle = kCardHeight / 2.0;
constexpr double kRowStep = (kBottom - kTop) / 3.0;  // four rows of the 9 and 10
constexpr double kPipWidth = 17.0;
constexpr double kPipHeight = 19.5;

struct Pip {
    double x;
    double y;
};

// The usual places of the pips on the number cards 2..10.
std::vector<Pip> PipLayout(int rank) {
    const double upperMid = (kTop + kMiddle) / 2.0;
    const double lowerMid = (kBottom + kMiddle) / 2.0;
    const std::vector<Pip> sixPips = {{kLeft, kTop},     {kRight, kTop},   {kLeft, kMiddle},
                                      {kRight, kMiddle}, {kLeft, kBottom}, {kRight, kBottom}};
    std::vector<Pip> fourRows;
    for (int row = 0; row < 4; ++row) {
        fourRows.push_back({kLeft, kTop + row * kRowStep});
        fourRows.push_back({kRight, kTop + row * kRowStep});
    }
    switch (rank) {
        case 2:
            return {{kCentre, kTop}, {kCentre, kBottom}};
        case 3:
            return {{kCentre, kTop}, {kCentre, kMiddle}, {kCentre, kBottom}};
        case 4:
            return {{kLeft, kTop}, {kRight, kTop}, {kLeft, kBottom}, {kRight, kBottom}};
        case 5:
            return {{kLeft, kTop}, {kRight, kTop}, {kCentre, kMiddle}, {kLeft, kBottom}, {kRight, kBottom}};
        case 6:
            return sixPips;
        case 7: {
            auto pips = sixPips;
            pips.push_back({kCentre, upperMid});
            return pips;
        }
        case 8: {
            auto pips = sixPips;
            pips.push_back({kCentre, upperMid});
            pips.push_back({kCentre, lowerMid});
            return pips;
        }
        case 9: {
            auto pips = fourRows;
            pips.push_back({kCentre, kMiddle});
            return pips;
        }
        case 10: {
            auto pips = fourRows;
            pips.push_back({kCentre, kTop + kRowStep / 2.0});
            pips.push_back({kCentre, kBottom - kRowStep / 2.0});
            return pips;
        }
        default:
            return {};
    }
}

QString RankText(int rank) {
    switch (rank) {
        case 1:
            return QStringLiteral("A");
        case 11:
            return QStringLiteral("J");
        case 12:
            return QStringLiteral("Q");
        case 13:
            return QStringLiteral("K");
        default:
            return QString::number(rank);
    }
}

// Pips below the middle of the card are printed upside down, as on a real card.
void DrawPip(QPainter& painter, PipSuit suit, const QPointF& centre, double width, double height) {
    painter.save();
    painter.translate(centre);
    if (centre.y() > kMiddle + 0.5) {
        painter.rotate(180.0);
    }
    painter.fillPath(SuitPath(suit, QRectF(-width / 2, -height / 2, width, height)), SuitInk(suit));
    painter.restore();
}

// The rank and a small pip in the top left corner; the caller turns the painter for the other corner.
void DrawIndex(QPainter& painter, int rank, PipSuit suit, const DeckStyle& style) {
    const QString text = RankText(rank);
    const QPainterPath glyphs = TextPath(style.indexFamily, true, text);
    const double width = rank == 10 ? 16.0 : 11.5;
    painter.fillPath(FitPath(glyphs, QRectF(11.0 - width / 2, 5.0, width, 15.0), rank != 10), SuitInk(suit));
    painter.fillPath(SuitPath(suit, QRectF(5.5, 23.5, 11.0, 12.0)), SuitInk(suit));
}

void DrawAce(QPainter& painter, PipSuit suit, const DeckStyle& style) {
    const QPointF centre(kCentre, kMiddle);
    if (suit == PipSuit::Spades) {
        // The ace of spades carries the deck's ornament: a ring in the deck's colour around a large pip.
        painter.setPen(QPen(style.robeBlack, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 34.0, 34.0);
        painter.setPen(QPen(style.trim, 1.5));
        painter.drawEllipse(centre, 30.5, 30.5);
        painter.setPen(Qt::NoPen);
        painter.fillPath(SuitPath(suit, QRectF(centre.x() - 23, centre.y() - 26, 46, 52)), SuitInk(suit));
        return;
    }
    painter.fillPath(SuitPath(suit, QRectF(centre.x() - 24, centre.y() - 28, 48, 56)), SuitInk(suit));
}

}  // namespace

void DrawCardBlank(QPainter& painter) {
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
    painter.setBrush(kCardPaper);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1.0, kCardHeight - 1.0), kCardRadius, kCardRadius);
    painter.setPen(Qt::NoPen);
}

QImage DrawCardFace(int rank, PipSuit suit, const DeckStyle& style, int scale) {
    QImage canvas = NewCanvas(kCardWidth * scale, kCardHeight * scale);
    QPainter painter(&canvas);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawCardBlank(painter);

    if (rank == 1) {
        DrawAce(painter, suit, style);
    } else if (rank >= 11) {
        DrawCourtFigure(painter, QRectF(21.0, 13.0, 57.0, 127.0), rank, suit, style);
    } else {
        for (const Pip& pip : PipLayout(rank)) {
            DrawPip(painter, suit, QPointF(pip.x, pip.y), kPipWidth, kPipHeight);
        }
    }

    DrawIndex(painter, rank, suit, style);
    painter.translate(kCardWidth, kCardHeight);
    painter.rotate(180.0);
    DrawIndex(painter, rank, suit, style);
    painter.end();
    return KeyOut(canvas, kFeltColour);
}
