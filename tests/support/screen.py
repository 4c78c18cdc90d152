"""Pixels of a sandbox's X screen, read through ImageMagick's import as raw
RGB (no imaging library needed)."""
import tempfile
from pathlib import Path


class Screen:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def pixels(self, left, top, right, bottom):
        """Every pixel of the rectangle, right and bottom edges excluded."""
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


def capture(box, width=1024, height=768):
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "screen.rgb"
        box.x("import", "-window", "root", "-depth", "8", f"rgb:{path}")
        rgb = path.read_bytes() if path.exists() else b""
    if len(rgb) != width * height * 3:
        raise RuntimeError(f"screen capture gave {len(rgb)} bytes")
    return Screen(width, height, rgb)


def near(colour, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))
