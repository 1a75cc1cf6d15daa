#!/usr/bin/env python3
"""Draws Tarvisk's icon, a blue shield with a white arrow pointing up, into res/tarvisk.ico.

One 32 x 32 image at 32 bits per pixel: a 40-byte BITMAPINFOHEADER, 4096 bytes of colour
(bottom-up BGRA rows) and a 128-byte AND mask. Run it again to get the same bytes.
"""
import os
import struct

SIZE = 32


def inside_shield(x, y):
    """The shield: straight sides down to the middle, then narrowing to a point at the bottom."""
    cx = 15.5
    if y < 3 or y > 29:
        return False
    half = 12.0 if y < 16 else 12.0 * (29 - y) / 13.0
    return abs(x - cx) <= half


def inside_arrow(x, y):
    """An arrow pointing up: a triangular head over a shaft."""
    cx = 15.5
    if 7 <= y <= 15:
        return abs(x - cx) <= (y - 7) + 0.5
    if 16 <= y <= 24:
        return abs(x - cx) <= 2.5
    return False


def pixel(x, y):
    """BGRA of one pixel, y counted from the top."""
    if not inside_shield(x, y):
        return (0, 0, 0, 0)
    if inside_arrow(x, y):
        return (255, 255, 255, 255)
    # A gentle vertical gradient from light to deep blue.
    shade = y / SIZE
    return (int(230 - 60 * shade), int(120 - 70 * shade), int(30 - 20 * shade), 255)


def image():
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        for x in range(SIZE):
            b, g, r, a = pixel(x, y)
            colour += bytes((b, g, r, a))
            bits = (bits << 1) | (0 if a else 1)
        mask += struct.pack(">I", bits)
    return header + bytes(colour) + bytes(mask)


def main():
    data = image()
    assert len(data) == 4264
    icon = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(data), 22) + data
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tarvisk.ico")
    with open(path, "wb") as out:
        out.write(icon)


if __name__ == "__main__":
    main()
