#!/usr/bin/env python3
"""Draws the hand pointer and writes it as a CUR file: one 32 x 32
monochrome image with its hot spot at the tip of the index finger (6, 1).

Usage: make_hand_cursor.py OUTPUT
"""
import struct
import sys

HOT_SPOT = (6, 1)
# X black outline, o white fill, blank transparent.
HAND = """
      XX
     XooX
     XooX
     XooX
     XooX
     XooXXX
     XooXooXXX
     XooXooXooXX
     XooXooXooXooX
  XX XooXooXooXooX
 XooXXoooooooooooX
 XoooXoooooooooooX
  XooooooooooooooX
   XoooooooooooooX
   XoooooooooooooX
    XooooooooooooX
    XoooooooooooX
     XooooooooooX
     XooooooooooX
      XooooooooX
      XooooooooX
      XXXXXXXXXX
"""


def rows():
    lines = HAND.strip("\n").split("\n")
    grid = [" " * 32] + [line.ljust(32)[:32] for line in lines]  # row 0 stays clear
    return grid + [" " * 32] * (32 - len(grid))


def cursor_bytes():
    grid = rows()
    assert grid[HOT_SPOT[1]][HOT_SPOT[0]] == "X", "hot spot must lie on the fingertip"
    xor = bytearray()
    mask = bytearray()
    for line in reversed(grid):  # bottom-up
        xor_bits = mask_bits = 0
        for x, cell in enumerate(line):
            bit = 1 << (31 - x)
            if cell == " ":
                mask_bits |= bit        # screen shows through
            elif cell == "o":
                xor_bits |= bit         # colour 1: white
        xor += struct.pack(">I", xor_bits)
        mask += struct.pack(">I", mask_bits)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 2)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "wb") as out:
        out.write(cursor_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
