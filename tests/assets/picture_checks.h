#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

// Small pixel tools for judging the generated pictures.

// Decodes BMP or JPEG bytes to 24-bit RGB; a null image when they do not decode.
QImage DecodePicture(const std::vector<uint8_t>& bytes);

// RGB565 as the display converts a 24-bit pixel: the top bits of each channel.
uint16_t To565(QRgb colour);

bool IsKey(QRgb colour);

// A colour drawn toward the magenta key: red and blue both well above green. Such a pixel at the edge
// of a keyed picture shows as a pink fringe on the table.
bool IsPinkish(QRgb colour);

// Visible (non-key) pixels that touch a key pixel.
std::vector<QPoint> EdgePixels(const QImage& picture);

// Number of 8-connected blobs of pixels inside `area` for which `ink` holds; blobs smaller than
// `minPixels` (stray smoothing pixels) are not counted.
template <typename Ink>
int CountBlobs(const QImage& picture, const QRect& area, Ink ink, int minPixels = 6) {
    std::vector<uint8_t> seen(static_cast<size_t>(area.width() * area.height()), 0);
    auto index = [&](int x, int y) {
        return static_cast<size_t>((y - area.top()) * area.width() + (x - area.left()));
    };
    int blobs = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen[index(x, y)] || !ink(picture.pixel(x, y))) {
                continue;
            }
            int size = 0;
            std::vector<QPoint> stack{QPoint(x, y)};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(p.x() + dx, p.y() + dy);
                        if (area.contains(q) && !seen[index(q.x(), q.y())] && ink(picture.pixel(q))) {
                            seen[index(q.x(), q.y())] = 1;
                            stack.push_back(q);
                        }
                    }
                }
            }
            if (size >= minPixels) {
                ++blobs;
            }
        }
    }
    return blobs;
}

// Mean absolute difference of two same-sized pictures, over all channels (0..255).
double MeanDifference(const QImage& a, const QImage& b);
