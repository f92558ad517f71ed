#include "image_io.h"

#include <QBuffer>
#include <QImageWriter>
#include <stdexcept>

namespace {

// A drawn pixel that would collide with the key after the 16-bit conversion gets one step of green.
QRgb AvoidKey(QRgb colour) {
    if (ToRgb565(colour) == kKey565) {
        return qRgb(qRed(colour), 4, qBlue(colour));
    }
    return colour;
}

std::vector<uint8_t> ToBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()),
            reinterpret_cast<const uint8_t*>(bytes.constData()) + bytes.size()};
}

}  // namespace

uint16_t ToRgb565(QRgb colour) {
    const auto r = static_cast<uint16_t>(qRed(colour) >> 3);
    const auto g = static_cast<uint16_t>(qGreen(colour) >> 2);
    const auto b = static_cast<uint16_t>(qBlue(colour) >> 3);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

QImage NewCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage KeyOut(const QImage& drawn, QColor underlay, int threshold) {
    const QImage source = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGB888);
    const int ur = underlay.red();
    const int ug = underlay.green();
    const int ub = underlay.blue();
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = row[x];
            const int a = qAlpha(p);
            if (a < threshold) {
                out.setPixel(x, y, kKeyRgb);
                continue;
            }
            // Premultiplied source over the underlay.
            const int r = qRed(p) + (ur * (255 - a) + 127) / 255;
            const int g = qGreen(p) + (ug * (255 - a) + 127) / 255;
            const int b = qBlue(p) + (ub * (255 - a) + 127) / 255;
            out.setPixel(x, y, AvoidKey(qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255))));
        }
    }
    return out;
}

QImage Opaque(const QImage& drawn) {
    QImage out = drawn.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.setPixel(x, y, AvoidKey(out.pixel(x, y)));
        }
    }
    return out;
}

std::vector<uint8_t> BmpBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
        throw std::runtime_error("could not encode a BMP picture");
    }
    return ToBytes(bytes);
}

std::vector<uint8_t> JpegBytes(const QImage& picture, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        throw std::runtime_error("could not encode the JPEG background: " +
                                 writer.errorString().toStdString());
    }
    return ToBytes(bytes);
}
