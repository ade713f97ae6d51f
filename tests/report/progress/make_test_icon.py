#!/usr/bin/env python3
"""Draws the progress window test's raw icon: a 40-byte bitmap-information
header and 32 x 32 pixels (blue, green, red, opacity), rows bottom-up.

A blue disc with a soft edge and a white clock hand; the corners are fully
transparent, the disc's centre fully opaque, so the test can check both
ends of the blending."""
import math
import struct
import sys

SIDE = 32


def pixel(x, y):
    cx = cy = (SIDE - 1) / 2
    r = math.hypot(x - cx, y - cy)
    alpha = max(0.0, min(1.0, 14.5 - r))  # one pixel of soft edge
    if alpha == 0:
        return (0, 0, 0, 0)
    hand = (abs(x - cx) < 1.5 and cy - 10 < y < cy) or (abs(y - cy) < 1.5 and cx < x < cx + 8)
    blue, green, red = (255, 255, 255) if hand else (200, 90, 20)
    return (blue, green, red, round(alpha * 255))


def main(path):
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 32, 0, SIDE * SIDE * 4, 0, 0, 0, 0)
    rows = []
    for y in range(SIDE):  # top row first, stored last
        rows.append(b"".join(bytes(pixel(x, y)) for x in range(SIDE)))
    with open(path, "wb") as out:
        out.write(header + b"".join(reversed(rows)))


if __name__ == "__main__":
    main(sys.argv[1])
