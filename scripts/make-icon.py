#!/usr/bin/env python3
"""Draws Korvath's application icon and writes it as an .ico file.

The picture: a white sheet with a folded corner, lines of names on it and a
blue badge with an arrow, the program's "files in a row get new names".
It is drawn from shapes at every size the system asks for at 100 to 200 %
and beyond (16, 20, 24, 32, 40, 48, 64 and 256 pixels), each sampled 4 x 4
times a pixel, so that no size is another one stretched. 16 to 64 are
stored as bitmaps, 256 as PNG.
Usage: make-icon.py <output.ico>
"""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SAMPLES = 4  # per axis

OUTLINE = (60, 60, 70)
PAPER = (250, 250, 250)
FOLD = (200, 200, 210)
INK = (120, 120, 130)
BLUE = (30, 100, 200)
WHITE = (255, 255, 255)


def colour_at(x, y, lines):
    """The colour at (x, y) in the 32-unit design square, or None (clear)."""
    # Badge with a right-pointing arrow, over everything else.
    d2 = (x - 23) ** 2 + (y - 23) ** 2
    if d2 <= 8 * 8:
        arrow = (18 <= x < 24.5 and 22 <= y < 25) or (24 <= x < 29 and abs(y - 23.5) <= 4.5 - (x - 24))
        if arrow:
            return WHITE
        return BLUE if d2 <= 7 * 7 else OUTLINE
    # Sheet from (5, 2) to (24, 30), its top-right corner folded over.
    if not (5 <= x < 24 and 2 <= y < 30):
        return None
    corner = x - 17 + 2 - y  # > 0 above the fold's diagonal
    if x >= 17 and y < 9:
        if corner > 0.5:
            return None
        if corner > -0.5 or x < 18 or y >= 8:
            return OUTLINE
        return FOLD
    if x < 6 or x >= 23 or y < 3 or y >= 29:
        return OUTLINE
    for top in lines:
        if 8 <= x < 20 and top <= y < top + 2:
            return INK
    return PAPER


def draw(size):
    scale = 32.0 / size
    # Fewer, thicker lines where three would merge into grey.
    lines = (11, 17) if size < 24 else (11, 15, 19)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) * scale,
                                  (py + (sy + 0.5) / SAMPLES) * scale, lines)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = SAMPLES * SAMPLES
            row.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        pixels.append(row)
    return pixels


def bitmap(pixels):
    """BITMAPINFOHEADER with doubled height, bottom-up BGRA, AND mask."""
    size = len(pixels)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    row_bytes = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(row_bytes, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def png(pixels):
    size = len(pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    images = [(size, png(draw(size)) if size >= 256 else bitmap(draw(size))) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = b""
    for size, data in images:
        side = size if size < 256 else 0  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + directory + b"".join(d for _, d in images))


if __name__ == "__main__":
    main()
