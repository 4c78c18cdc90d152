#!/usr/bin/env python3
"""Draws the program's icon and writes it as an ICO of one 32 x 32 image at
32 bits per pixel (4,286 bytes: directory at 0, image data at 22).

The same file is the executable's icon resource, the main window's icon and
the quotes client's "Pelvane.ico". Usage: make_window_icon.py OUTPUT
"""
import struct
import sys

SIZE = 32
SAMPLES = 4  # supersampling per axis, for smooth edges


def inside_rounded_square(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return ((x - px) ** 2 + (y - py) ** 2) ** 0.5


def shade(x, y):
    """Colour (r, g, b, a) of one sample point; y grows downwards."""
    if not inside_rounded_square(x, y, 1, 1, 31, 31, 6):
        return (0, 0, 0, 0)
    # The "V" of the brand in white over a red-to-orange gradient.
    stroke = 2.6
    if (distance_to_segment(x, y, 8.5, 8, 16, 24) <= stroke or
            distance_to_segment(x, y, 23.5, 8, 16, 24) <= stroke):
        return (255, 255, 255, 255)
    t = (x + y) / 64.0
    return (int(214 + 30 * t), int(32 + 110 * t), int(40 + 10 * t), 255)


def pixel(px, py):
    total = [0, 0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            r, g, b, a = shade(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            total[0] += r * a
            total[1] += g * a
            total[2] += b * a
            total[3] += a
    if total[3] == 0:
        return (0, 0, 0, 0)
    alpha = total[3] // (SAMPLES * SAMPLES)
    return (total[0] // total[3], total[1] // total[3], total[2] // total[3], alpha)


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        bits = 0
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)  # 32 pixels: one 4-byte row, no padding
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    data = directory + entry + image
    assert len(image) == 4264 and len(data) == 4286
    return data


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "wb") as out:
        out.write(icon_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
