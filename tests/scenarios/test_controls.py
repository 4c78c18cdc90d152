"""The control kinds on a real Wine system: every PNG of the PNG test suite
decodes to the size its header names and broken files give no picture; the
drive box and ListDrives with a CD-ROM drive; what a picture box, a
transparent label and a label paint on screen."""
import shutil
import struct
import subprocess
import time
import unittest
import zlib
from pathlib import Path

import sandbox
import screen

PNG_SUITE = sandbox.ROOT / ".cache" / "pngsuite"


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, rows, colour_type=6, depth=8):
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def header_size(data):
    width, height = struct.unpack(">II", data[16:24])
    return f"{width}x{height}"


def broken_pngs():
    """Files that must give no picture (and must not crash the decoder)."""
    good = png(4, 4, [b"\xff\x00\x00\xff" * 4] * 4)
    bad_crc = bytearray(good)
    bad_crc[29] ^= 0xFF
    return {
        "xtruncated.png": good[:45],
        "xbadcrc.png": bytes(bad_crc),
        "xsignature.png": b"\x89PNG\r\n\x1a\x00" + good[8:],
        "xzerowidth.png": png(0, 4, [b""] * 4),
        "xhuge.png": b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 60000, 60000, 8, 6, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(b"\x00" * 64)) + chunk(b"IEND", b""),
        "xnodata.png": good[:33] + chunk(b"IEND", b""),
        "xgarbage.png": bytes(range(256)) * 4,
        "xempty.png": b"",
    }


class PictureDecoding(unittest.TestCase):
    def test_png_suite_sizes_and_broken_files(self):
        suite = sorted(PNG_SUITE.glob("*.png")) + sorted((PNG_SUITE / "interlaced").glob("*.png"))
        self.assertGreater(len(suite), 40, "scripts/setup copies the PNG test suite into .cache/pngsuite")
        with sandbox.Sandbox(name="pictures") as box:
            folder = box.drives["d"] / "pngsuite"
            folder.mkdir()
            expected = {}
            for path in suite:
                name = ("i-" if path.parent.name == "interlaced" else "") + path.name
                shutil.copyfile(path, folder / name)
                data = path.read_bytes()
                # The suite's own broken files start with "x"; this copy has none.
                expected[name] = "none" if path.name.startswith("x") else header_size(data)
            for name, data in broken_pngs().items():
                (folder / name).write_bytes(data)
                expected[name] = "none"
            code, out, _ = box.run("probe.exe", "DecodePictures", r"D:\pngsuite")
        self.assertEqual(code, 0)
        decoded = dict(line.split(" ", 1) for line in out.decode().splitlines() if line)
        for name, size in sorted(expected.items()):
            self.assertEqual(decoded.get(name), size, name)


class DriveBoxWithCdrom(unittest.TestCase):
    def test_drive_box_and_list_drives_with_e_as_cdrom(self):
        with sandbox.Sandbox(name="drives", fixed_drives=("d",), cdrom_drives=("e",)) as box:
            box.env["VARNESSE_DRIVE_E"] = "cdrom"
            code, out, _ = box.run("system_tests.exe", "--gtest_filter=DriveBox*:ListDrives*", timeout=600)
        text = out.decode("gbk", "replace")
        self.assertEqual(code, 0, text)
        self.assertIn("[  PASSED  ]", text)
        self.assertNotIn("SKIPPED", text)


class Painting(unittest.TestCase):
    def test_picture_box_labels_and_transparent_caption_change(self):
        # 32 x 32 in quadrants: red, green / blue, black at half opacity
        # (blended with the white background to mid grey). Quadrants rather
        # than single pixels, so that halftone smoothing leaves their middles.
        top = b"\xff\x00\x00\xff" * 16 + b"\x00\xff\x00\xff" * 16
        bottom = b"\x00\x00\xff\xff" * 16 + b"\x00\x00\x00\x80" * 16
        picture = png(32, 32, [top] * 16 + [bottom] * 16)
        with sandbox.Sandbox(name="painting") as box:
            (box.drives["d"] / "four.png").write_bytes(picture)
            command, cwd = box._command("probe.exe", ["ShowControls", r"D:\four.png"], r"C:\setup")
            process = subprocess.Popen(command, cwd=cwd, env=box.env, stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            try:
                self.assertEqual(process.stdout.readline().strip(), b"ready")
                time.sleep(0.5)
                shown = screen.capture(box)
                process.stdin.write(b"clear\n")
                process.stdin.flush()
                self.assertEqual(process.stdout.readline().strip(), b"cleared")
                time.sleep(0.5)
                cleared = screen.capture(box)
            finally:
                process.stdin.close()
                process.wait(30)

        # Picture box at (10,10) 64 x 64, the picture stretched over it.
        for name, (x, y), colour in [("red", (26, 26), (255, 0, 0)), ("green", (58, 26), (0, 255, 0)),
                                     ("blue", (26, 58), (0, 0, 255)), ("half black", (58, 58), (127, 127, 127))]:
            self.assertTrue(screen.near(shown.pixel(x, y), colour), f"{name}: {shown.pixel(x, y)}")
        # Transparent label at (100,10) 120 x 40: dark red letters on the
        # window's white, nothing of its own around them.
        box_pixels = shown.pixels(100, 10, 220, 50)
        letters = [p for p in box_pixels if p[0] > 90 and p[1] < 50 and p[2] < 50]
        self.assertGreater(len(letters), 20, "the caption's letters are drawn")
        self.assertTrue(all(p == (255, 255, 255) or p in letters or p[1] == p[2] for p in box_pixels))
        self.assertEqual(shown.pixel(101, 11), (255, 255, 255))
        # Its caption emptied: the window's background, no trace of the letters.
        self.assertEqual(set(cleared.pixels(100, 10, 220, 50)), {(255, 255, 255)})
        # Label at (100,60) 120 x 24: its own light green background, black letters.
        self.assertEqual(shown.pixel(218, 62), (192, 255, 192))
        label_pixels = shown.pixels(100, 60, 220, 84)
        self.assertTrue(any(max(p) < 60 for p in label_pixels), "black letters on the label")
        self.assertEqual(shown.pixel(5, 5), (255, 255, 255))


if __name__ == "__main__":
    unittest.main()
