#!/usr/bin/env python3
"""Draws Tarnwick's icon, a magnifying glass over a line of text, as a 32x32
16-colour .ico (one image). Run it to regenerate src/dll/tarnwick.ico."""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, NAVY, GREY, YELLOW, WHITE, CYAN = 0, 1, 8, 14, 15, 11


def draw():
    px = [[None] * 32 for _ in range(32)]  # None: transparent
    # A page with three lines of text.
    for y in range(3, 29):
        for x in range(2, 24):
            px[y][x] = WHITE
    for y, (x0, x1) in ((8, (5, 20)), (13, (5, 16)), (18, (5, 19)), (23, (5, 12))):
        for x in range(x0, x1):
            px[y][x] = GREY
    # The lens: a yellow ring around a cyan glass, centred on the second line.
    cx, cy = 13, 13
    for y in range(32):
        for x in range(32):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= 36:
                px[y][x] = CYAN if px[y][x] != GREY else NAVY
            elif d2 <= 64:
                px[y][x] = YELLOW
    # The handle.
    for i in range(9):
        for w in range(3):
            x, y = 18 + i + w, 19 + i
            if x < 32 and y < 32:
                px[y][x] = BLACK
    return px


def ico(px):
    rows = []
    masks = []
    for y in reversed(range(32)):  # bottom-up
        row = bytearray()
        for x in range(0, 32, 2):
            a, b = (px[y][x] or 0), (px[y][x + 1] or 0)
            row.append((a << 4) | b)
        rows.append(bytes(row))
        bits = 0
        for x in range(32):
            if px[y][x] is None:
                bits |= 1 << (31 - x)
        masks.append(struct.pack(">I", bits))
    xor, mask = b"".join(rows), b"".join(masks)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    return directory + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "src/dll/tarnwick.ico"
    with open(out, "wb") as f:
        f.write(ico(draw()))
