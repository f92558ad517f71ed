#!/usr/bin/env python3
"""The README's side-by-side picture: one part of the same frame drawn at scale 1 and shown twice as
large (smoothly, as the window scales it), next to the same part drawn at scale 2, both at full size.

    scale_comparison.py SHOT_1X.bmp SHOT_2X.bmp OUT.png LEFT TOP WIDTH HEIGHT

The shots are the game's own 24-bit BMP screenshots (--screenshot) of the same frame; the part is
given in table units (the 800 x 600 layout)."""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    if bits != 24:
        sys.exit(f"{path}: {bits} bits per pixel, 24 expected")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        line = data[offset + y * stride: offset + y * stride + width * 3]
        rows.append([(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]) for x in range(width)])
    return width, rows if height < 0 else rows[::-1]


def crop(rows, left, top, width, height):
    return [row[left:left + width] for row in rows[top:top + height]]


def upscale_linear(rows, k):
    """Each output pixel samples the source at its centre, weighting the four nearest pixels."""
    h, w = len(rows), len(rows[0])
    out = []
    for oy in range(h * k):
        sy = min(max((oy + 0.5) / k - 0.5, 0), h - 1)
        y0 = int(sy)
        y1 = min(y0 + 1, h - 1)
        fy = sy - y0
        line = []
        for ox in range(w * k):
            sx = min(max((ox + 0.5) / k - 0.5, 0), w - 1)
            x0 = int(sx)
            x1 = min(x0 + 1, w - 1)
            fx = sx - x0
            pixel = []
            for c in range(3):
                top = rows[y0][x0][c] * (1 - fx) + rows[y0][x1][c] * fx
                bottom = rows[y1][x0][c] * (1 - fx) + rows[y1][x1][c] * fx
                pixel.append(int(top * (1 - fy) + bottom * fy + 0.5))
            line.append(tuple(pixel))
        out.append(line)
    return out


def write_png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def main():
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    one_path, two_path, out_path = sys.argv[1:4]
    left, top, width, height = (int(v) for v in sys.argv[4:8])
    w1, one = read_bmp(one_path)
    w2, two = read_bmp(two_path)
    if w1 != 800 or w2 != 1600:
        sys.exit("the first shot must be drawn at scale 1 (800 wide), the second at scale 2 (1600 wide)")
    blurred = upscale_linear(crop(one, left, top, width, height), 2)
    sharp = crop(two, 2 * left, 2 * top, 2 * width, 2 * height)
    gap = [(255, 255, 255)] * 8
    write_png(out_path, [a + gap + b for a, b in zip(blurred, sharp)])


main()
