#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

// The game copies pictures into a 16-bit RGB565 back buffer and treats one colour as transparent.
// Every keyed picture uses exactly that colour where it is transparent and nowhere else.
inline constexpr QRgb kKeyRgb = 0xFFFF00FFu;  // magenta
inline constexpr uint16_t kKey565 = 0xF81F;

// RGB565 as the display converts 24-bit pictures: the top bits of each channel.
uint16_t ToRgb565(QRgb colour);

// A transparent ARGB canvas to draw a picture on.
QImage NewCanvas(int width, int height);

// Turns a drawn picture into its keyed, opaque form. Pixels covered less than `threshold` (0..255)
// become the key colour; the others are laid over `underlay`, the colour the picture will stand on in
// the game, so anti-aliased edges fade toward the table and never toward the key colour.
QImage KeyOut(const QImage& drawn, QColor underlay, int threshold = 128);

// An opaque picture (no key at all), with any pixel that would read as the key nudged off it.
QImage Opaque(const QImage& drawn);

// 24-bit BMP bytes (no time stamps in the format, so the bytes depend only on the pixels).
std::vector<uint8_t> BmpBytes(const QImage& picture);

// 16-bit RGB565 BMP bytes (bit fields), each pixel converted as the display converts a 24-bit one, so
// the game shows exactly what it would from the 24-bit picture and reads half as much. Throws when a
// drawn pixel would turn into the key.
std::vector<uint8_t> Bmp565Bytes(const QImage& picture);

// PNG bytes of the same 16-bit colours as Bmp565Bytes (each channel's top bits, widened again so a
// viewer shows them right): the display converts them back to exactly those pixels, and the file is a
// small fraction of the bitmap's size. Throws when a drawn pixel would turn into the key.
std::vector<uint8_t> Png565Bytes(const QImage& picture);

// Baseline JPEG bytes at a fixed quality.
std::vector<uint8_t> JpegBytes(const QImage& picture, int quality);
