#include "dialog/startup_dialog_preview.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "dialog/dialog_text.h"

namespace {

// The pictures key out magenta; after a round trip through 16-bit colour it may have lost its low bits.
bool IsKeyColour(QRgb pixel) {
    return qRed(pixel) >= 0xF0 && qGreen(pixel) <= 0x0F && qBlue(pixel) >= 0xF0;
}

}  // namespace

const std::vector<std::string>& PreviewCardNames() {
    static const std::vector<std::string> kNames = {"10D.BMP", "JC.BMP", "QH.BMP", "KS.BMP", "AH.BMP"};
    return kNames;
}

QImage LoadKeyedPicture(const std::vector<uint8_t>& bytes) {
    QImage picture;
    if (bytes.empty() || !picture.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP")) {
        return {};
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (IsKeyColour(line[x])) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return picture;
}

QImage DrawDeckPreview(const CardPictureLookup& lookup) {
    QImage preview(kPreviewWidth, kPreviewHeight, QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QRectF felt(1, 1, kPreviewWidth - 2, kPreviewHeight - 2);
    QRadialGradient cloth(felt.center(), kPreviewWidth * 0.7);
    cloth.setColorAt(0.0, QColor(0x2E, 0x8B, 0x4A));
    cloth.setColorAt(1.0, QColor(0x14, 0x4D, 0x27));
    painter.setPen(QPen(QColor(0x5A, 0x3A, 0x1A), 2));
    painter.setBrush(cloth);
    painter.drawRoundedRect(felt, 12, 12);

    std::vector<QImage> cards;
    for (const std::string& name : PreviewCardNames()) {
        const std::vector<uint8_t>* bytes = lookup ? lookup(name) : nullptr;
        if (bytes != nullptr) {
            QImage card = LoadKeyedPicture(*bytes);
            if (!card.isNull()) {
                cards.push_back(std::move(card));
            }
        }
    }

    if (cards.empty()) {
        painter.setPen(QColor(0xE8, 0xF0, 0xE0));
        // TRANSLATORS: drawn in the middle of a deck's picture (about 300 pixels wide) when the game's
        // archive holds none of its cards.
        painter.drawText(felt, Qt::AlignCenter, TrQ("No preview"));
        return preview;
    }

    // Fan the cards around a point below the felt, as a hand is held.
    const double scale = 0.85;
    const double spread = 11.0;  // degrees between neighbouring cards
    const QPointF pivot(kPreviewWidth / 2.0, kPreviewHeight + 120.0);
    const double first = -spread * (static_cast<double>(cards.size()) - 1.0) / 2.0;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const QImage& card = cards[i];
        const double w = card.width() * scale;
        const double h = card.height() * scale;
        painter.save();
        painter.translate(pivot);
        painter.rotate(first + spread * static_cast<double>(i));
        const QRectF place(-w / 2.0, -(120.0 + kPreviewHeight / 2.0 + h / 2.0) + 8.0, w, h);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(place.translated(3, 3), 5, 5);
        painter.drawImage(place, card);
        painter.restore();
    }
    return preview;
}
