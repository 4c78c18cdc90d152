"""The resources linked into VarnesseSetup.exe, read from the file itself:
the manifest, the version resource, the program icon and the hand pointer
(cursor group 1032). Checks the test build and, when it has been built, the
product."""
import os
import struct
import unittest
from pathlib import Path

import pe_resources as pe

ROOT = Path(__file__).resolve().parents[2]
PROGRAMS = [Path(os.environ.get("VARNESSE_BIN", ROOT / "build" / "x64" / "bin")) / "VarnesseSetup.exe",
            Path(os.environ.get("VARNESSE_PRODUCT_BIN", ROOT / "build" / "bin")) / "VarnesseSetup.exe"]


def single(found, kind, name):
    items = found.get((kind, name), [])
    assert len(items) == 1, f"expected one resource {kind}/{name}, found {len(items)}"
    return items[0][1]


class InstallerResources(unittest.TestCase):
    def programs(self):
        present = [p for p in PROGRAMS if p.exists()]
        self.assertTrue(present, "VarnesseSetup.exe has not been built")
        for program in present:
            with self.subTest(program=str(program)):
                yield pe.resources(program)

    def test_manifest(self):
        for found in self.programs():
            self.assertEqual([k for k in found if k[0] == pe.RT_MANIFEST], [(pe.RT_MANIFEST, 1)])
            manifest = single(found, pe.RT_MANIFEST, 1).decode("utf-8")
            self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', " ".join(manifest.split()))
            self.assertNotIn("requestedExecutionLevel", manifest)

    def test_version(self):
        for found in self.programs():
            values = pe.version_strings(single(found, pe.RT_VERSION, 1))
            signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", values.pop("_fixed"))
            self.assertEqual(signature, 0xFEEF04BD)
            self.assertEqual((file_ms, file_ls, product_ms, product_ls), (0x10000, 0x20002, 0x10000, 0x20002))
            self.assertEqual(values["FileDescription"], "Varnesse商城客户端安装程序")
            self.assertEqual((values["FileVersion"], values["ProductVersion"]), ("1.0.2.2", "1.0.2.2"))

    def test_program_icon(self):
        for found in self.programs():
            group = single(found, pe.RT_GROUP_ICON, 1)
            self.assertEqual(struct.unpack_from("<HHH", group), (0, 1, 1))
            width, height, _, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
            self.assertEqual((width, height, bits, size), (32, 32, 32, 4264))
            image = single(found, pe.RT_ICON, icon_id)
            self.assertEqual(len(image), 4264)
            self.assertEqual(struct.unpack_from("<IiiHH", image), (40, 32, 64, 1, 32))

    def test_hand_pointer(self):
        for found in self.programs():
            group = single(found, pe.RT_GROUP_CURSOR, 1032)
            self.assertEqual(struct.unpack_from("<HHH", group), (0, 2, 1))
            width, height, planes, bits, size, cursor_id = struct.unpack_from("<HHHHIH", group, 6)
            self.assertEqual((width, height, planes, bits), (32, 64, 1, 1), "32 x 32, two colours")
            cursor = single(found, pe.RT_CURSOR, cursor_id)
            self.assertEqual(len(cursor), size)
            self.assertEqual(struct.unpack_from("<HH", cursor), (6, 1), "hot spot at the fingertip")
            self.assertEqual(struct.unpack_from("<IiiHH", cursor, 4), (40, 32, 64, 1, 1))
            palette = cursor[44:52]
            self.assertEqual(palette, bytes((0, 0, 0, 0, 255, 255, 255, 0)), "black and white")
            xor, mask = cursor[52:52 + 128], cursor[52 + 128:52 + 256]
            # Row 1 from the top is row 30 from the bottom: the fingertip's
            # pixel (6, 1) is drawn (mask bit clear), the corner is not.
            row = struct.unpack_from(">I", mask, 4 * 30)[0]
            self.assertEqual(row >> (31 - 6) & 1, 0)
            self.assertEqual(struct.unpack_from(">I", mask, 4 * 31)[0], 0xFFFFFFFF, "top row is clear")
            self.assertTrue(any(xor), "the hand has a white fill")


if __name__ == "__main__":
    unittest.main()
