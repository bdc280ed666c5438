#!/usr/bin/env python3
"""Writes the program's cursor files (32 x 32, two colours) from text art.

Art: 'X' black, 'o' white, '.' or ' ' transparent, '*' black at the hot spot
(each picture has exactly one). Run from anywhere; the .cur files are written
next to this script and committed with it.
"""
import os
import struct

SIZE = 32

ARROW = [
    "*",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX.XooX",
    "XX..XooX",
    "X....XooX",
    ".....XooX",
    "......XX",
]

def mirror(rows):
    width = max(len(r) for r in rows)
    return [r.ljust(width, ".")[::-1] for r in rows]

# A pointer that points up and to the right (the left margin).
RIGHT_ARROW = mirror(ARROW)

# A magnifying glass; the hot spot is the centre of the lens.
PRINT_VIEW = [
    "....XXXXX",
    "..XXoooooXX",
    ".XoooooooooX",
    ".XoooooooooX",
    "XoooooooooooX",
    "XoooooooooooX",
    "Xooooo*oooooX",
    "XoooooooooooX",
    "XoooooooooooX",
    ".XoooooooooX",
    ".XoooooooooXX",
    "..XXoooooXXooX",
    "....XXXXX.XoooX",
    "...........XoooX",
    "............XoooX",
    ".............XoooX",
    "..............XooX",
    "...............XX",
]

# The arrow with a dashed box below it: the selection goes along.
DROP_BOX = [
    "..........X.X.X.X.X.X",
    "..........o.........o",
    "..........X.........X",
    "..........o.........o",
    "..........X.........X",
    "..........o.........o",
    "..........X.X.X.X.X.X",
]

MOVE_DROP = ARROW + DROP_BOX

# The same with a plus sign: a copy goes along.
COPY_DROP = ARROW + [
    "..........X.X.X.X.X.X",
    "..........o.........o",
    "..........X...XXX...X",
    "..........o...XoX...o",
    "..........X.XXXoXXX.X",
    "..........o.XoooooX.o",
    "..........X.XXXoXXX.X",
    "..........o...XoX...o",
    "..........X...XXX...X",
    "..........o.........o",
    "..........X.X.X.X.X.X",
]

CURSORS = {
    "rightarrow.cur": RIGHT_ARROW,
    "printview.cur": PRINT_VIEW,
    "movedrop.cur": MOVE_DROP,
    "copydrop.cur": COPY_DROP,
}


def encode(rows):
    if len(rows) > SIZE or any(len(r) > SIZE for r in rows):
        raise ValueError("art larger than 32 x 32")
    grid = [r.ljust(SIZE, ".") for r in rows] + ["." * SIZE] * (SIZE - len(rows))
    hot = [(x, y) for y, r in enumerate(grid) for x, c in enumerate(r) if c == "*"]
    if len(hot) != 1:
        raise ValueError("art needs exactly one hot spot")
    # Colour index 1 (white) in the XOR mask; transparent pixels have AND 1.
    xor_rows, and_rows = [], []
    for r in grid:
        xor_bits = and_bits = 0
        for x, c in enumerate(r):
            bit = 1 << (31 - x)
            if c in ". ":
                and_bits |= bit
            elif c == "o":
                xor_bits |= bit
            elif c not in "X*":
                raise ValueError("unknown art character %r" % c)
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # Device-independent bitmaps run bottom-up.
    xor_data = b"".join(reversed(xor_rows))
    and_data = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor_data) + len(and_data), 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor_data + and_data
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot[0][0], hot[0][1], len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, art in CURSORS.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(encode(art))


if __name__ == "__main__":
    main()
