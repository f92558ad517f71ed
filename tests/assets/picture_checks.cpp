#include "picture_checks.h"

#include <cstdlib>

QImage DecodePicture(const std::vector<uint8_t>& bytes) {
    QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
    if (image.isNull()) {
        return image;
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

uint16_t To565(QRgb colour) {
    return static_cast<uint16_t>(((qRed(colour) >> 3) << 11) | ((qGreen(colour) >> 2) << 5) |
                                 (qBlue(colour) >> 3));
}

bool IsKey(QRgb colour) {
    return To565(colour) == 0xF81F;
}

bool IsPinkish(QRgb colour) {
    return !IsKey(colour) && qRed(colour) > qGreen(colour) + 48 && qBlue(colour) > qGreen(colour) + 48;
}

std::vector<QPoint> EdgePixels(const QImage& picture) {
    std::vector<QPoint> edges;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (IsKey(picture.pixel(x, y))) {
                continue;
            }
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy) {
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    const QPoint q(x + dx, y + dy);
                    touches = picture.rect().contains(q) && IsKey(picture.pixel(q));
                }
            }
            if (touches) {
                edges.emplace_back(x, y);
            }
        }
    }
    return edges;
}

double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}
