#!/usr/bin/env python3
"""What the X server shows, read for the scripts that drive the game in a real window (tests, the
sharpness table). Reads the root window of $DISPLAY, so it sees exactly what a player would see,
whatever window the game has.

    x_screen.py look                    one line about the table on screen:
                                        table=X,Y,W,H   the box of everything that is not black
                                        hand=0101...    13 digits: 1 where a card of the human's hand rests
                                                        in its place (its left edge where the slot says)
                                        menu=1|0        the contract buttons are up
    x_screen.py measure                 the same line, and then (a second or so of Python arithmetic):
                                        sharpness=F     the edge-contrast figure over the hand
                                        digest=HEX      the hand's pixels, for comparing two runs
    x_screen.py save FILE [L T W H]     the screen (or a part in screen pixels) as a PNG
    x_screen.py compare SCREEN.png SHOT.bmp
                                        err=F  how far the hand on a saved screen is from the game's own
                                        drawing of it (its --screenshot, at any scale) shrunk by an
                                        exact area average: the root-mean-square grey difference

The hand and the figures are measured in the table's own units (the 800 x 600 layout) mapped onto the
box the table is shown in, which must have the table's 4:3 shape.

The edge-contrast figure is the spread (standard deviation) of a Laplacian filter's response over the
grey levels of the human's hand: soft, smeared edges give small responses, crisp ones large."""
import ctypes
import hashlib
import math
import re
import struct
import sys
import zlib

# The human's hand: slot 0 at (155, 420), a card every 33 units, cards 99 x 153.
HAND_LEFT, HAND_TOP, HAND_STEP, CARD_WIDTH, CARD_HEIGHT, SLOTS = 155, 420, 33, 99, 153, 13
TABLE_WIDTH, TABLE_HEIGHT = 800, 600


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    """The root window's pixels as rows of 32-bit little-endian BGRX (the 24-bit servers tests start)."""

    def __init__(self):
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(None)
        if not display:
            sys.exit("x_screen: no X display")
        self.width = x11.XDisplayWidth(display, 0)
        self.height = x11.XDisplayHeight(display, 0)
        image = x11.XGetImage(display, x11.XDefaultRootWindow(display), 0, 0, self.width, self.height,
                              0xFFFFFFFF, 2)  # ZPixmap
        if not image or image.contents.bits_per_pixel != 32:
            sys.exit("x_screen: the screen could not be read as 32 bits a pixel")
        stride = image.contents.bytes_per_line
        self.data = ctypes.string_at(image.contents.data, stride * self.height)
        self.stride = stride
        x11.XCloseDisplay(display)

    def row(self, y, left=0, width=None):
        width = self.width - left if width is None else width
        start = y * self.stride + 4 * left
        return self.data[start:start + 4 * width]

    def rgb(self, x, y):
        b, g, r = self.data[y * self.stride + 4 * x:y * self.stride + 4 * x + 3]
        return r, g, b


# A colour byte brighter than black.
BRIGHT = re.compile(rb"[^\x00-\x08]")


def bright_span(row):
    """The first and last pixel of a BGRX row with a colour brighter than black, or None. Each colour
    byte is searched on its own (the fourth byte is padding, whatever its value)."""
    firsts, lasts = [], []
    for channel in range(3):
        plane = row[channel::4]
        found = BRIGHT.search(plane)
        if found:
            firsts.append(found.start())
            lasts.append(len(plane) - 1 - BRIGHT.search(plane[::-1]).start())
    return (min(firsts), max(lasts)) if firsts else None


def table_box(screen):
    """The box of every pixel that is not black (the table; the bars around it are black). Rows are
    searched by the regular-expression engine, not pixel by pixel in Python."""
    top = bottom = None
    left, right = screen.width, -1
    for y in range(screen.height):
        span = bright_span(screen.row(y))
        if span:
            top = y if top is None else top
            bottom = y
            left = min(left, span[0])
            right = max(right, span[1])
    if top is None:
        return 0, 0, 0, 0
    return left, top, right - left + 1, bottom - top + 1


def grey_plane(screen, left, top, width, height):
    plane = []
    for y in range(top, top + height):
        row = screen.row(y, left, width)
        plane.append([(299 * row[i + 2] + 587 * row[i + 1] + 114 * row[i]) / 1000 for i in range(0, len(row), 4)])
    return plane


def laplacian_spread(plane):
    values = []
    for y in range(1, len(plane) - 1):
        above, here, below = plane[y - 1], plane[y], plane[y + 1]
        for x in range(1, len(here) - 1):
            values.append(4 * here[x] - above[x] - below[x] - here[x - 1] - here[x + 1])
    if not values:
        return 0.0
    mean = sum(values) / len(values)
    return math.sqrt(sum((v - mean) ** 2 for v in values) / len(values))


class TableMap:
    """Table units to screen pixels inside the box the table is shown in."""

    def __init__(self, box):
        self.x, self.y, self.w, self.h = box

    def px(self, ux):
        return self.x + ux * self.w / TABLE_WIDTH

    def py(self, uy):
        return self.y + uy * self.h / TABLE_HEIGHT

    def region(self, left, top, width, height):
        x0, y0 = round(self.px(left)), round(self.py(top))
        return x0, y0, round(self.px(left + width)) - x0, round(self.py(top + height)) - y0


def hand_slots(screen, table):
    """Which slots show a card resting in place. A card's left edge is a column that differs from the
    table or card to its left along the card's lower part, a row where no pip or index lies; a slot whose
    card has gone shows the card below it there."""
    y = round(table.py(HAND_TOP + CARD_HEIGHT - 8))
    digits = []
    for slot in range(SLOTS):
        edge = table.px(HAND_LEFT + slot * HAND_STEP)
        # Two units inside the edge the card is white paper; an edge is a darker column right at the
        # slot's left (the card below shows unbroken paper there).
        paper = sum(screen.rgb(round(edge + 2 * table.w / TABLE_WIDTH), y))
        at_edge = min(sum(screen.rgb(round(edge) + d, y)) for d in (-1, 0, 1))
        digits.append("1" if paper > 600 and at_edge < paper - 60 else "0")
    return "".join(digits)


def look(measure):
    screen = Screen()
    box = table_box(screen)
    line = ["table=%d,%d,%d,%d" % box]
    if box[2] > 0 and abs(box[2] * TABLE_HEIGHT - box[3] * TABLE_WIDTH) <= TABLE_WIDTH:
        table = TableMap(box)
        line.append("hand=" + hand_slots(screen, table))
        # The lowest contract button's dark red face, 15 units in from its right edge; felt without it.
        r, g, _ = screen.rgb(round(table.px(545)), round(table.py(400)))
        line.append("menu=%d" % (1 if r > g + 40 else 0))
    if measure and len(line) > 1:
        hand = table.region(HAND_LEFT, HAND_TOP, (SLOTS - 1) * HAND_STEP + CARD_WIDTH, CARD_HEIGHT)
        line.append("sharpness=%.1f" % laplacian_spread(grey_plane(screen, *hand)))
        digest = hashlib.sha1()
        for y in range(hand[1], hand[1] + hand[3]):
            digest.update(screen.row(y, hand[0], hand[2]))
        line.append("digest=" + digest.hexdigest())
    print(" ".join(line))


def save(path, left=0, top=0, width=None, height=None):
    screen = Screen()
    width = screen.width if width is None else width
    height = screen.height if height is None else height
    raw = bytearray()
    for y in range(top, top + height):
        row = screen.row(y, left, width)
        raw.append(0)
        for i in range(0, len(row), 4):
            raw += bytes((row[i + 2], row[i + 1], row[i]))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def read_png(path):
    """A PNG as save() writes it (8-bit RGB, every row unfiltered) as a Screen-like object."""
    data = open(path, "rb").read()
    pos, width, height, idat = 8, 0, 0, b""
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = struct.unpack_from(">II", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    screen = Screen.__new__(Screen)
    screen.width, screen.height, screen.stride = width, height, 4 * width
    bgrx = bytearray(4 * width * height)
    for y in range(height):
        line = raw[y * (3 * width + 1) + 1:(y + 1) * (3 * width + 1)]
        out = bgrx[4 * width * y:4 * width * (y + 1)]
        out[0::4], out[1::4], out[2::4] = line[2::3], line[1::3], line[0::3]
        bgrx[4 * width * y:4 * width * (y + 1)] = out
    screen.data = bytes(bgrx)
    return screen


def read_bmp_grey(path):
    """A 24-bit BMP (the game's screenshot) as rows of grey levels, top row first."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        line = data[offset + y * stride:offset + y * stride + 3 * width]
        rows.append([(299 * line[i + 2] + 587 * line[i + 1] + 114 * line[i]) / 1000 for i in range(0, 3 * width, 3)])
    return width, rows if height < 0 else rows[::-1]


def area_taps(first, count, scale):
    """For target pixels first..first+count-1 of an axis where a target pixel is `scale` source pixels
    wide: each one's source pixels and the share of each inside it."""
    taps = []
    for t in range(first, first + count):
        begin, end = t * scale, (t + 1) * scale
        row = []
        for i in range(int(begin), min(math.ceil(end), 1 << 30)):
            overlap = min(end, i + 1) - max(begin, i)
            if overlap > 0:
                row.append((i, overlap / scale))
        taps.append(row)
    return taps


def compare(screen_path, shot_path):
    screen = read_png(screen_path)
    box = table_box(screen)
    table = TableMap(box)
    left, top, width, height = table.region(HAND_LEFT, HAND_TOP, (SLOTS - 1) * HAND_STEP + CARD_WIDTH, CARD_HEIGHT)
    shot_width, shot = read_bmp_grey(shot_path)
    k = shot_width / TABLE_WIDTH
    # Screen pixel x covers table units from (x - box left) 800 / box width: that times k in the shot.
    across = area_taps(left - box[0], width, k * TABLE_WIDTH / box[2])
    down = area_taps(top - box[1], height, k * TABLE_HEIGHT / box[3])
    if k * TABLE_WIDTH < box[2]:
        print("err=n/a (the drawing is stretched, not shrunk)")
        return
    shown = grey_plane(screen, left, top, width, height)
    # Across first, each source row once, then down.
    needed = sorted({i for row_taps in down for i, _ in row_taps})
    narrowed = {i: [sum(shot[i][j] * w for j, w in col_taps) for col_taps in across] for i in needed}
    total = 0.0
    for y, row_taps in enumerate(down):
        for x in range(width):
            total += (shown[y][x] - sum(narrowed[i][x] * w for i, w in row_taps)) ** 2
    print("err=%.2f" % math.sqrt(total / (width * height)))


def main():
    if len(sys.argv) == 2 and sys.argv[1] in ("look", "measure"):
        look(sys.argv[1] == "measure")
    elif len(sys.argv) == 4 and sys.argv[1] == "compare":
        compare(sys.argv[2], sys.argv[3])
    elif len(sys.argv) in (3, 7) and sys.argv[1] == "save":
        save(sys.argv[2], *(int(v) for v in sys.argv[3:]))
    else:
        sys.exit(__doc__)


main()
