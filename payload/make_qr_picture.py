#!/usr/bin/env python3
"""Makes the QR picture of the main window: a PNG of 400 x 400 pixels,
8-bit RGB, not interlaced, with the chunks IHDR, gAMA, cHRM, bKGD, pHYs, one
IDAT and IEND, showing a QR code of the download address with the brand logo
in its centre. The code uses the highest error correction so that the logo
leaves it readable. The module matrix comes from qrencode.

Usage: make_qr_picture.py OUTPUT [ADDRESS]
"""
import struct
import subprocess
import sys
import zlib

ADDRESS = "https://varnesse.example/app/download"
SIZE = 400
LOGO_SIZE = 64  # pixels: about 3% of the code's area
WHITE = (255, 255, 255)
DARK = (0, 0, 0)
BRAND = (222, 56, 42)


def module_matrix(address):
    out = subprocess.run(["qrencode", "-l", "H", "-m", "0", "-t", "ASCII", address],
                         check=True, stdout=subprocess.PIPE).stdout.decode("ascii")
    rows = [line for line in out.split("\n") if line]
    return [[line[2 * i] == "#" for i in range(len(line) // 2)] for line in rows]


def distance_to_segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return ((x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2) ** 0.5


def logo_colour(u, v):
    """Colour of the logo at (u, v) in 0..1 units: a white frame around a
    rounded red square holding a white "V"."""
    def rounded(x, y, lo, hi, radius):
        cx = min(max(x, lo + radius), hi - radius)
        cy = min(max(y, lo + radius), hi - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    if not rounded(u, v, 0.0, 1.0, 0.18):
        return None
    if not rounded(u, v, 0.08, 0.92, 0.14):
        return WHITE
    if (distance_to_segment(u, v, 0.28, 0.27, 0.5, 0.75) <= 0.075 or
            distance_to_segment(u, v, 0.72, 0.27, 0.5, 0.75) <= 0.075):
        return WHITE
    return BRAND


def pixels(matrix):
    count = len(matrix)
    module = SIZE // (count + 8)        # at least a four-module quiet zone
    margin = (SIZE - module * count) // 2
    logo_left = (SIZE - LOGO_SIZE) // 2
    samples = 3
    image = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if logo_left <= x < logo_left + LOGO_SIZE and logo_left <= y < logo_left + LOGO_SIZE:
                total = [0, 0, 0]
                covered = 0
                for sy in range(samples):
                    for sx in range(samples):
                        c = logo_colour((x - logo_left + (sx + 0.5) / samples) / LOGO_SIZE,
                                        (y - logo_left + (sy + 0.5) / samples) / LOGO_SIZE)
                        if c is not None:
                            covered += 1
                            total = [t + k for t, k in zip(total, c)]
                if covered == samples * samples:
                    row.append(tuple(t // covered for t in total))
                    continue
            mx, my = (x - margin) // module, (y - margin) // module
            dark = 0 <= mx < count and 0 <= my < count and matrix[my][mx]
            row.append(DARK if dark else WHITE)
        image.append(row)
    return image


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png_bytes(image):
    raw = bytearray()
    for row in image:
        raw.append(0)  # filter: none
        for r, g, b in row:
            raw += bytes((r, g, b))
    return b"".join([
        b"\x89PNG\r\n\x1a\n",
        chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)),
        chunk(b"gAMA", struct.pack(">I", 45455)),
        chunk(b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000)),
        chunk(b"bKGD", struct.pack(">HHH", 255, 255, 255)),
        chunk(b"pHYs", struct.pack(">IIB", 3780, 3780, 1)),
        chunk(b"IDAT", zlib.compress(bytes(raw), 9)),
        chunk(b"IEND", b""),
    ])


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    address = argv[2] if len(argv) == 3 else ADDRESS
    with open(argv[1], "wb") as out:
        out.write(png_bytes(pixels(module_matrix(address))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
