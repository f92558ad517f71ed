#include "contract_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "card_faces.h"
#include "image_io.h"
#include "palette.h"
#include "suit_shapes.h"
#include "text_paths.h"

namespace {

const QColor kGold(0xF0, 0xC8, 0x50);
const QColor kCream(0xFF, 0xF6, 0xDC);

struct ContractLook {
    const char* title;
    const char* detail;
};

constexpr std::array<ContractLook, 5> kLooks = {{
    {"Tricks", "10 points a trick"},
    {"Diamonds", "15 points a diamond"},
    {"Queens", "25 points a queen"},
    {"King", "75 for the king of hearts"},
    {"Zarn", "lay out from the jacks"},
}};

// A small card standing in the button's badge, with a letter or a pip on it.
void DrawMiniCard(QPainter& p, const QRectF& r, double angle, const QString& letter, PipSuit suit,
                  const AssetFonts& fonts) {
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF local(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 0.8));
    p.setBrush(kCardPaper);
    p.drawRoundedRect(local, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    if (letter.isEmpty()) {
        p.fillPath(SuitPath(suit, local.adjusted(3.5, 6, -3.5, -6)), SuitInk(suit));
    } else {
        p.fillPath(FitPath(TextPath(fonts.serif, true, letter), local.adjusted(3, 3, -3, -14), true),
                   SuitInk(suit));
        p.fillPath(SuitPath(suit, QRectF(-4.5, local.bottom() - 12, 9, 10)), SuitInk(suit));
    }
    p.restore();
}

void DrawBadge(QPainter& p, int contract, const AssetFonts& fonts) {
    const QRectF card(17, 8, 22, 32);
    switch (contract) {
        case 1:
            DrawMiniCard(p, card.translated(-6, 2), -18, QString(), PipSuit::Clubs, fonts);
            DrawMiniCard(p, card.translated(0, 0), 0, QString(), PipSuit::Hearts, fonts);
            DrawMiniCard(p, card.translated(6, 2), 18, QString(), PipSuit::Spades, fonts);
            break;
        case 2:
            p.fillPath(SuitPath(PipSuit::Diamonds, QRectF(12, 6, 32, 40)), SuitInk(PipSuit::Diamonds));
            break;
        case 3:
            DrawMiniCard(p, card.translated(-5, 1), -12, QStringLiteral("Q"), PipSuit::Spades, fonts);
            DrawMiniCard(p, card.translated(5, 1), 12, QStringLiteral("Q"), PipSuit::Hearts, fonts);
            break;
        case 4:
            DrawMiniCard(p, card.adjusted(-2, -2, 2, 2), 0, QStringLiteral("K"), PipSuit::Hearts, fonts);
            break;
        default: {
            const std::array<PipSuit, 4> suits = {PipSuit::Clubs, PipSuit::Hearts, PipSuit::Spades,
                                                  PipSuit::Diamonds};
            for (int k = 0; k < 4; ++k) {
                const QRectF cell(12 + (k % 2) * 17, 8 + (k / 2) * 19, 15, 17);
                p.setPen(Qt::NoPen);
                p.setBrush(kCardPaper);
                p.drawRoundedRect(cell.adjusted(-1, -1, 1, 1), 2, 2);
                p.fillPath(SuitPath(suits[k], cell.adjusted(2, 2, -2, -2)), SuitInk(suits[k]));
            }
            break;
        }
    }
}

}  // namespace

QImage DrawContractPicture(int contract, const AssetFonts& fonts, int scale) {
    QImage canvas = NewCanvas(kContractWidth * scale, kContractHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);

    // A lacquered button with a gold rim; two pixels of felt keep stacked buttons apart.
    const QRectF body(2, 2, kContractWidth - 4, kContractHeight - 4);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0.0, QColor(0x3A, 0x2A, 0x22));
    shade.setColorAt(0.5, QColor(0x5A, 0x1E, 0x1A));
    shade.setColorAt(1.0, QColor(0x30, 0x12, 0x10));
    p.setPen(QPen(kGold, 2.0));
    p.setBrush(shade);
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 11, 11);
    p.setPen(QPen(QColor(0xFF, 0xE8, 0xA0, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(4, 4, -4, -4), 8, 8);

    DrawBadge(p, contract, fonts);

    const ContractLook& look = kLooks[static_cast<size_t>(contract - 1)];
    const QPainterPath title = TextPath(fonts.serif, true, QString::fromLatin1(look.title), 22);
    const QRectF titleBounds = title.boundingRect();
    QPainterPath placed = title.translated(62 - titleBounds.left(), 26);
    p.setPen(QPen(QColor(0x20, 0x08, 0x04), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(placed);
    p.fillPath(placed, kGold);
    const QPainterPath detail = TextPath(fonts.sans, true, QString::fromLatin1(look.detail), 11);
    p.fillPath(detail.translated(63 - detail.boundingRect().left(), 41), kCream);
    p.end();
    return KeyOut(canvas, kFeltColour);
}

QImage DrawPassPicture(const AssetFonts& fonts, int scale) {
    QImage canvas = NewCanvas(110 * scale, 44 * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x10, 0x10), 2.0));
    p.setBrush(kPaperColour);
    p.drawRoundedRect(QRectF(2, 2, 106, 40), 12, 12);
    const QPainterPath text =
        FitPath(TextPath(fonts.handwriting, false, QStringLiteral("Pass")), QRectF(14, 7, 82, 29), true);
    p.fillPath(text, QColor(0xA0, 0x10, 0x18));
    p.end();
    return KeyOut(canvas, kFeltColour);
}
