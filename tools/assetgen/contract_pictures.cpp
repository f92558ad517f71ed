#include "contract_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>

#include "card_faces.h"
#include "i18n/translation.h"
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

// The words on each contract picture, in the language the generator was set to (English unless it
// draws a language's pictures).
ContractLook LookOf(int contract) {
    switch (contract) {
        case 1:
            // TRANSLATORS: the words on the contract pictures (buttons 256 x 52 pixels): the contract's
            // name in large letters, and under it what it costs. Longer words are drawn smaller.
            return {TrIn("contract", "Tricks"), Tr("10 points a trick")};
        case 2:
            return {TrIn("contract", "Diamonds"), Tr("15 points a diamond")};
        case 3:
            return {TrIn("contract", "Queens"), Tr("25 points a queen")};
        case 4:
            return {TrIn("contract", "King"), Tr("75 for the king of hearts")};
        default:
            return {TrIn("contract", "Zarn"), Tr("lay out from the jacks")};
    }
}

// The room the words have on a contract picture: from the badge to the inside of the gold rim.
constexpr double kWordsLeft = 62.0;
constexpr double kWordsRight = kContractWidth - 12.0;

// A line of words placed with its left edge at `left` and its baseline at `baseline`; narrowed to fit
// the room when wider (only translations are: every English line fits), which `report` is told.
QPainterPath PlaceLine(const QPainterPath& line, double left, double baseline, const FitReport& report,
                       const QString& text) {
    const QRectF bounds = line.boundingRect();
    const double room = kWordsRight - left;
    if (bounds.width() <= room) {
        return line.translated(left - bounds.left(), baseline);
    }
    const double factor = room / bounds.width();
    if (report) {
        report(text, factor);
    }
    QTransform fit;
    fit.translate(left, baseline);
    fit.scale(factor, factor);
    fit.translate(-bounds.left(), 0);
    return fit.map(line);
}

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

QImage DrawContractPicture(int contract, const AssetFonts& fonts, int scale, const FitReport& report) {
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

    const ContractLook look = LookOf(contract);
    const QString titleText = QString::fromUtf8(look.title);
    const QPainterPath placed =
        PlaceLine(TextPath(fonts.serif, true, titleText, 22), kWordsLeft, 26, report, titleText);
    p.setPen(QPen(QColor(0x20, 0x08, 0x04), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(placed);
    p.fillPath(placed, kGold);
    const QString detailText = QString::fromUtf8(look.detail);
    p.fillPath(PlaceLine(TextPath(fonts.sans, true, detailText, 11), kWordsLeft + 1, 41, report, detailText),
               kCream);
    p.end();
    return KeyOut(canvas, kFeltColour);
}

QImage DrawPassPicture(const AssetFonts& fonts, int scale, const FitReport& report) {
    QImage canvas = NewCanvas(110 * scale, 44 * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x10, 0x10), 2.0));
    p.setBrush(kPaperColour);
    p.drawRoundedRect(QRectF(2, 2, 106, 40), 12, 12);
    // TRANSLATORS: the sign beside a player who passes in the Zarn contract (a small paper sign,
    // handwritten); a longer word is written smaller.
    const QString word = QString::fromUtf8(Tr("Pass"));
    const QRectF box(14, 7, 82, 29);
    const QPainterPath written = TextPath(FamilyFor(fonts.handwriting, fonts.serif, word), false, word);
    ReportNarrowFit(written, box, word, report);
    const QPainterPath text = FitPath(written, box, true);
    p.fillPath(text, QColor(0xA0, 0x10, 0x18));
    p.end();
    return KeyOut(canvas, kFeltColour);
}
