#!/usr/bin/env python3
"""Writes the program's icon (32 x 32 and 16 x 16, 32-bit colour) from code:
a sheet of paper with a folded corner, ruled lines and a blue quill mark.
Run from anywhere; vellumo.ico is written next to this script."""
import os
import struct


def pixel(x, y, size):
    s = size / 32.0
    X, Y = x / s, y / s
    # sheet 5..26 wide, 2..30 high, folded corner of 7
    inside = 5 <= X < 27 and 2 <= Y < 30 and not (X - 20 > Y - 2)
    if not inside:
        return (0, 0, 0, 0)
    edge = X < 6 or X >= 26 or Y < 3 or Y >= 29 or abs((X - 20) - (Y - 2)) < 1
    if edge:
        return (60, 60, 60, 255)
    if 20 <= X and Y < 9 and X - 20 <= Y - 2:
        return (215, 215, 200, 255)  # the fold
    # the mark: a slanted stroke from bottom left to top right
    if abs((X - 9) - (25 - Y) * 0.6) < 1.6 and 9 <= Y <= 25:
        return (40, 90, 200, 255)
    if int(Y) % 4 == 0 and 8 <= X < 24 and Y > 10:
        return (170, 190, 220, 255)
    return (252, 250, 240, 255)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            r, g, b, a = pixel(x + 0.5, y + 0.5, size)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "vellumo.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
