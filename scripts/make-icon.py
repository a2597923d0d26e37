#!/usr/bin/env python3
"""Draws Korvath's 32 x 32 application icon and writes it as an .ico file.

The picture: a white sheet with a folded corner, three text lines on it and a
blue badge with an arrow, the program's "files in a row get new names".
Usage: make-icon.py <output.ico>
"""
import struct
import sys

W = H = 32
px = [[(0, 0, 0, 0) for _ in range(W)] for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        px[y][x] = c


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            put(x, y, c)


outline = (60, 60, 70, 255)
paper = (250, 250, 250, 255)
fold = (200, 200, 210, 255)
ink = (120, 120, 130, 255)
blue = (30, 100, 200, 255)
white = (255, 255, 255, 255)

# Sheet with a folded top-right corner.
rect(5, 2, 24, 30, outline)
rect(6, 3, 23, 29, paper)
for i in range(7):
    for j in range(7 - i):
        put(23 - j, 2 + i, (0, 0, 0, 0))
for i in range(7):
    put(17 + i, 2 + i, outline)
    for j in range(i):
        put(17 + j, 2 + i, fold)
rect(17, 2, 18, 9, outline)
rect(17, 8, 24, 9, outline)
# Lines of names.
for y in (11, 15, 19):
    rect(8, y, 20, y + 2, ink)
# Badge with a right-pointing arrow.
cx, cy, r = 23, 23, 8
for y in range(H):
    for x in range(W):
        d = (x - cx + 0.5) ** 2 + (y - cy + 0.5) ** 2
        if d <= r * r:
            put(x, y, blue if d <= (r - 1) ** 2 else outline)
rect(18, 22, 25, 25, white)
for i in range(5):
    rect(24 + i, 19 + i, 25 + i, 28 - i, white)

# BMP-in-ICO: BITMAPINFOHEADER with doubled height, bottom-up BGRA, AND mask.
xor = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
mask_row = 4  # 32 bits, already a multiple of 4 bytes
andmask = b""
for row in reversed(px):
    bits = 0
    for x, (_, _, _, a) in enumerate(row):
        if a == 0:
            bits |= 1 << (31 - x)
    andmask += bits.to_bytes(mask_row, "big")
header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
image = header + xor + andmask
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 22) + image
with open(sys.argv[1], "wb") as f:
    f.write(ico)
