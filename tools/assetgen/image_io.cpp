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

namespace {

void PutLe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

}  // namespace

std::vector<uint8_t> Bmp565Bytes(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<uint32_t>(rgb.width());
    const auto height = static_cast<uint32_t>(rgb.height());
    const uint32_t stride = (width * 2 + 3) / 4 * 4;
    constexpr uint32_t kHeaders = 14 + 40 + 12;  // file header, info header, the three colour masks
    std::vector<uint8_t> out;
    out.reserve(kHeaders + stride * height);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, kHeaders + stride * height);
    PutLe32(out, 0);
    PutLe32(out, kHeaders);
    PutLe32(out, 40);
    PutLe32(out, width);
    PutLe32(out, height);  // bottom row first
    PutLe16(out, 1);
    PutLe16(out, 16);
    PutLe32(out, 3);  // the pixels are laid out by the colour masks
    PutLe32(out, stride * height);
    PutLe32(out, 2835);  // 72 dots an inch
    PutLe32(out, 2835);
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0xF800);
    PutLe32(out, 0x07E0);
    PutLe32(out, 0x001F);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const uint16_t value = ToRgb565(row[x]);
            // The key must stay where the picture is keyed: a drawn pixel that reads as the key after the
            // conversion is a fault of the drawing, never silently made transparent.
            if (value == kKey565 && (row[x] & 0xFFFFFFu) != (kKeyRgb & 0xFFFFFFu)) {
                throw std::runtime_error("a drawn pixel would turn into the key colour in a 16-bit picture");
            }
            PutLe16(out, value);
        }
        out.resize(out.size() + (stride - width * 2), 0);
    }
    return out;
}

std::vector<uint8_t> Png565Bytes(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.width(), rgb.height(), QImage::Format_RGB888);
    const auto widen5 = [](uint16_t v) { return (v << 3) | (v >> 2); };
    const auto widen6 = [](uint16_t v) { return (v << 2) | (v >> 4); };
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const uint16_t value = ToRgb565(row[x]);
            if (value == kKey565 && (row[x] & 0xFFFFFFu) != (kKeyRgb & 0xFFFFFFu)) {
                throw std::runtime_error("a drawn pixel would turn into the key colour in a 16-bit picture");
            }
            to[3 * x] = static_cast<uchar>(widen5(value >> 11));
            to[3 * x + 1] = static_cast<uchar>(widen6((value >> 5) & 0x3F));
            to[3 * x + 2] = static_cast<uchar>(widen5(value & 0x1F));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0);  // the strongest compression: the file is written once and read often
    if (!writer.write(out)) {
        throw std::runtime_error("could not encode a PNG picture: " + writer.errorString().toStdString());
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
