#include "table_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "i18n/translation.h"
#include "image_io.h"
#include "palette.h"
#include "text_paths.h"

namespace {

// A small fixed-seed generator, so the felt's grain is the same on every build.
class Grain {
public:
    explicit Grain(uint32_t seed) : state_(seed) {}
    double Next() {  // uniform in [-1, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_;
};

int Clamp(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

}  // namespace

QImage DrawFeltTable(int scale) {
    QImage felt(kScreenWidth * scale, kScreenHeight * scale, QImage::Format_RGB888);
    Grain grain(0x5EED1234u);
    const double cx = kScreenWidth / 2.0;
    const double cy = kScreenHeight / 2.0 - 20.0;
    const double reach = std::hypot(cx, cy + 20.0);
    // A horizontal weave: each row gets a slight offset of its own.
    std::vector<double> rowTone(kScreenHeight);
    for (double& tone : rowTone) {
        tone = grain.Next() * 2.0;
    }
    // At a larger scale every pixel gets a grain of its own; the light, the weave's rows and its
    // diagonal stay in screen units.
    for (int y = 0; y < kScreenHeight * scale; ++y) {
        const int screenY = y / scale;
        const double fy = (y + 0.5) / scale - 0.5;
        for (int x = 0; x < kScreenWidth * scale; ++x) {
            const int screenX = x / scale;
            const double fx = (x + 0.5) / scale - 0.5;
            const double d = std::hypot(fx - cx, (fy - cy) * 1.15) / reach;
            const double light = 1.13 - 0.42 * d * d;
            const double fibre = grain.Next() * 5.0 + rowTone[static_cast<size_t>(screenY)] +
                                 ((screenX + screenY) % 3 == 0 ? 1.5 : 0.0);
            felt.setPixel(x, y,
                          qRgb(Clamp(kFeltColour.red() * light + fibre * 0.6),
                               Clamp(kFeltColour.green() * light + fibre),
                               Clamp(kFeltColour.blue() * light + fibre * 0.7)));
        }
    }
    // A worn ring where the tricks are played, a little lighter than the cloth around it.
    QPainter p(&felt);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 14), 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx, 268), 175.0, 128.0);
    p.setPen(QPen(QColor(0x00, 0x20, 0x00, 40), 1.0));
    p.drawEllipse(QPointF(cx, 268), 178.0, 131.0);
    p.end();
    return felt;
}

QImage DrawScorePage(const AssetFonts& fonts, int scale, const FitReport& report) {
    QImage canvas = NewCanvas(kScorePageWidth * scale, kScorePageHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF paper(0.5, 0.5, kScorePageWidth - 1.0, kScorePageHeight - 1.0);
    QLinearGradient tone(paper.topLeft(), paper.bottomRight());
    tone.setColorAt(0.0, kPaperColour);
    tone.setColorAt(1.0, QColor(0xF2, 0xEA, 0xD2));
    p.setPen(QPen(QColor(0xB8, 0xAE, 0x94), 1.0));
    p.setBrush(tone);
    p.drawRoundedRect(paper, 6, 6);

    // Blue ruling under every text line of the sheet, a red margin before the first column.
    const double pageTop = kScorePageY;
    p.setPen(QPen(QColor(0x9C, 0xB8, 0xE0), 1.0));
    auto rule = [&](double screenTextTop) {
        const double y = std::floor(screenTextTop - pageTop + 21.0) + 0.5;
        p.drawLine(QPointF(30, y), QPointF(kScorePageWidth - 14, y));
    };
    for (int row = 1; row <= 10; ++row) {
        rule(94.0 + 31.0 * row);
    }
    rule(438.0);
    rule(469.0);
    p.setPen(QPen(QColor(0xE0, 0x80, 0x80), 1.2));
    p.drawLine(QPointF(45.5, 74), QPointF(45.5, kScorePageHeight - 12));

    // The title across the head of the page.
    // TRANSLATORS: the title printed across the head of the score page; a long title is printed smaller.
    const QString titleText = QString::fromUtf8(Tr("Zarn  \xC2\xB7  Score"));
    const QRectF titleBox(60, 28, kScorePageWidth - 120, 26);
    const QPainterPath titleWords = TextPath(fonts.serif, true, titleText);
    ReportNarrowFit(titleWords, titleBox, titleText, report);
    const QPainterPath title = FitPath(titleWords, titleBox, true);
    p.fillPath(title, QColor(0x7A, 0x1A, 0x14));
    p.setPen(QPen(QColor(0x7A, 0x1A, 0x14), 1.0));
    p.drawLine(QPointF(60, 64.5), QPointF(kScorePageWidth - 60, 64.5));

    // Spiral binding: punched holes (the felt shows through) with the wire looping over the edge.
    for (double y = 22; y < kScorePageHeight - 16; y += 22) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0x38, 0x30));
        p.drawEllipse(QPointF(13, y), 3.6, 3.6);
        QPainterPath wire;
        wire.moveTo(13.5, y - 1);
        wire.cubicTo(9, y - 9, -1, y - 7, -1, y - 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x50, 0x50, 0x58), 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wire);
        p.setPen(QPen(QColor(0xD8, 0xD8, 0xE0), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wire);
    }
    p.end();
    QImage page = KeyOut(canvas, kFeltColour);
    // The punched holes are open: make their dark centres transparent. A pixel is open when its centre,
    // in page units, lies within the hole's disc around the middle of page pixel (13, y).
    for (int y = 22; y < kScorePageHeight - 16; y += 22) {
        for (int py = (y - 2) * scale; py < (y + 3) * scale; ++py) {
            for (int px = 11 * scale; px < 16 * scale; ++px) {
                const double dx = (px + 0.5) / scale - 13.5;
                const double dy = (py + 0.5) / scale - (y + 0.5);
                if (dx * dx + dy * dy <= 5.5) {
                    page.setPixel(px, py, kKeyRgb);
                }
            }
        }
    }
    return page;
}

QImage DrawRulingLine(int scale) {
    QImage canvas = NewCanvas(kLineWidth * scale, kLineHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    // A pen stroke: thin at its ends, fuller in the middle.
    QPainterPath stroke;
    stroke.moveTo(1, 2.5);
    stroke.quadTo(kLineWidth / 2.0, 0.6, kLineWidth - 1.0, 2.3);
    stroke.quadTo(kLineWidth / 2.0, 4.6, 1, 2.5);
    p.setPen(QPen(QColor(0x1C, 0x2A, 0x6E), 1.2));
    p.setBrush(QColor(0x1C, 0x2A, 0x6E));
    p.drawPath(stroke);
    p.end();
    return KeyOut(canvas, kPaperColour, 96);
}

QImage DrawMouseCursor(int scale) {
    // Hard edges: the pointer passes over cards, felt and paper alike.
    QImage canvas = NewCanvas(32 * scale, 32 * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    const QPolygonF arrow({QPointF(16, 16), QPointF(16, 31), QPointF(19.5, 27.5), QPointF(22.5, 31.5),
                           QPointF(25, 30.5), QPointF(22.2, 26), QPointF(27, 26)});
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.0));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawPolygon(arrow);
    p.end();
    QImage cursor = KeyOut(canvas, QColor(0x10, 0x10, 0x10));
    cursor.setPixel(16 * scale, 16 * scale, qRgb(0x10, 0x10, 0x10));
    return cursor;
}
