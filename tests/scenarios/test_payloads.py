"""The payloads as the installer writes them: the system test writes all four
into D:\\payload of one sandbox through the real file writer, and this test
inspects the files from outside: the archive's layout entry by entry (also
through probe.exe ListArchive, i.e. minizip), its real extraction, a client
program from it started and stopped, the uninstaller image, the QR picture
and the window icon."""
import configparser
import os
import shutil
import struct
import subprocess
import unittest
import zipfile
import zlib
from pathlib import Path

import pe_resources
import sandbox

BIN = Path(os.environ.get("VARNESSE_BIN", sandbox.BIN))
ARCHIVE = "QARN客户端资源.zip"
QR_ADDRESS = "https://varnesse.example/app/download"
NAMED_ENTRIES = ["Orvu/talvikqarn.exe", "Orvu/Pelvane.ico", "Orvu/ICONFIG.ini", "Orvu/USERS/alert.WAV",
                 "Trade/Renovix-trade/", "Trade/Renovix-trade/Renovix.exe", "Trade/Mercavo.exe",
                 "Trade/Entrava.exe"]
CLIENT_PROGRAMS = {"Orvu/talvikqarn.exe": "Talvikqarn", "Trade/Mercavo.exe": "Mercavo",
                   "Trade/Entrava.exe": "Entrava", "Trade/Renovix-trade/Renovix.exe": "Renovix"}


def central_directory(data):
    """Raw central-directory records in order, with their local headers."""
    end = len(data) - 22
    signature, disk, cd_disk, on_disk, total, size, offset, comment = struct.unpack_from("<IHHHHIIH", data, end)
    records = []
    at = offset
    for _ in range(total):
        fields = struct.unpack_from("<IHHHHHHIIIHHHHHII", data, at)
        name = data[at + 46:at + 46 + fields[10]]
        record = dict(zip(("signature", "made_by", "needed", "flags", "method", "time", "date", "crc",
                           "packed", "size", "name_length", "extra", "comment", "disk", "internal",
                           "external", "offset"), fields))
        record["name"] = name
        local = struct.unpack_from("<IHHHHHIIIHH", data, record["offset"])
        record["local"] = dict(zip(("signature", "needed", "flags", "method", "time", "date", "crc", "packed",
                                    "size", "name_length", "extra"), local))
        record["local_name"] = data[record["offset"] + 30:record["offset"] + 30 + local[9]]
        records.append(record)
        at += 46 + fields[10] + fields[11] + fields[12]
    eocd = dict(signature=signature, disk=disk, cd_disk=cd_disk, on_disk=on_disk, total=total, size=size,
                offset=offset, comment=comment, at=end)
    return eocd, records


def png_chunks(data):
    chunks = []
    at = 8
    while at < len(data):
        length = struct.unpack_from(">I", data, at)[0]
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        crc = struct.unpack_from(">I", data, at + 8 + length)[0]
        chunks.append((kind.decode("ascii"), body, crc == zlib.crc32(kind + body)))
        at += 12 + length
    return chunks


class WrittenPayloads(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.box = sandbox.Sandbox(name="payloads")
        code, out, _ = cls.box.run(BIN / "system_tests.exe", "--gtest_filter=Payloads.*", timeout=600)
        assert code == 0, "the system test that writes the payloads failed:\n" + out.decode("utf-8", "replace")
        cls.folder = cls.box.drives["d"] / "payload"
        cls.archive = (cls.folder / ARCHIVE).read_bytes()
        cls.eocd, cls.records = central_directory(cls.archive)
        cls.names = [r["name"].decode("ascii") for r in cls.records]

    @classmethod
    def tearDownClass(cls):
        cls.box.close()

    def probe(self, *args):
        code, out, _ = self.box.run(BIN / "probe.exe", *args)
        return code, out.decode("gbk")

    # The archive ------------------------------------------------------------
    def test_archive_framing(self):
        data, eocd = self.archive, self.eocd
        self.assertEqual(data[:4], b"PK\x03\x04")
        self.assertEqual(len(data), 8_308_463)
        self.assertEqual(eocd["signature"], 0x06054B50)
        self.assertEqual(eocd["at"], 8_308_441, "the end record is the last 22 bytes")
        self.assertEqual((eocd["disk"], eocd["cd_disk"], eocd["comment"]), (0, 0, 0))
        self.assertEqual((eocd["on_disk"], eocd["total"]), (154, 154))
        self.assertEqual((eocd["offset"], eocd["size"]), (8_297_983, 10_458))
        self.assertEqual(eocd["offset"] + eocd["size"], eocd["at"])
        # Local headers follow the directory order, back to back from offset 0.
        at = 0
        for r in self.records:
            self.assertEqual(r["offset"], at, r["name"])
            at += 30 + r["local"]["name_length"] + r["local"]["extra"] + r["packed"]
        self.assertEqual(at, eocd["offset"])
        with zipfile.ZipFile(self.folder / ARCHIVE) as archive:
            self.assertIsNone(archive.testzip(), "every CRC-32 matches its data")

    def test_every_entry_follows_the_rules(self):
        for r in self.records:
            name = r["name"]
            with self.subTest(name=name):
                self.assertEqual(r["signature"], 0x02014B50)
                self.assertEqual(r["made_by"], 20, "version 2.0, MS-DOS host")
                self.assertEqual(r["needed"], 20)
                self.assertEqual(r["flags"], 0)
                self.assertEqual((r["extra"], r["comment"], r["disk"], r["internal"]), (0, 0, 0, 0))
                self.assertTrue(all(32 <= b < 127 for b in name) and b"\\" not in name)
                self.assertLessEqual(len(name), 57)
                self.assertTrue(name.startswith((b"Trade/", b"Orvu/")) and name not in (b"Trade/", b"Orvu/"))
                local = r["local"]
                self.assertEqual((local["signature"], local["needed"], local["flags"], local["extra"]),
                                 (0x04034B50, 20, 0, 0))
                self.assertEqual((local["method"], local["crc"], local["packed"], local["size"], r["local_name"]),
                                 (r["method"], r["crc"], r["packed"], r["size"], name),
                                 "local header agrees with the directory")
                if name.endswith(b"/"):
                    self.assertEqual((r["method"], r["packed"], r["size"], r["external"]), (0, 0, 0, 0x10))
                else:
                    self.assertEqual(r["external"], 0x20)
                    self.assertIn(r["method"], (0, 8))
                    if r["method"] == 0:
                        self.assertTrue(32 <= r["size"] <= 72, "stored files are small")

    def test_counts_and_sizes(self):
        folders = [r for r in self.records if r["name"].endswith(b"/")]
        files = [r for r in self.records if not r["name"].endswith(b"/")]
        self.assertEqual((len(self.records), len(folders), len(files)), (154, 33, 121))
        self.assertEqual(sum(r["method"] == 8 for r in self.records), 115)
        self.assertEqual(sum(r["method"] == 0 for r in self.records), 39)
        empty = [f["name"] for f in folders
                 if not any(n != f["name"] and n.startswith(f["name"]) for n in (r["name"] for r in self.records))]
        self.assertEqual(len(empty), 11, empty)
        self.assertIn(b"Trade/log/", empty)
        for top, entries, packed, size in (("Trade/", 80, 4_677_040, 19_718_284),
                                           ("Orvu/", 74, 3_612_949, 28_653_599)):
            mine = [r for r in self.records if r["name"].startswith(top.encode())]
            self.assertEqual(len(mine), entries, top)
            self.assertEqual(sum(r["packed"] for r in mine), packed, top)
            self.assertEqual(sum(r["size"] for r in mine), size, top)
        largest = max(files, key=lambda r: r["size"])
        self.assertEqual(largest["size"], 8_013_664)

    def test_every_file_comes_after_its_folder(self):
        for top in ("Trade/", "Orvu/"):
            first = next(n for n in self.names if n.startswith(top))
            self.assertTrue(first.endswith("/"), f"the first entry under {top} is a folder entry")
        seen = set()
        for position, name in enumerate(self.names):
            parts = name.split("/")
            if name.endswith("/"):
                seen.add(name)
                continue
            with self.subTest(name=name):
                if len(parts) == 2:
                    self.assertTrue(any(n.startswith(parts[0] + "/") for n in self.names[:position]),
                                    "a file in a top folder comes after that folder's first entry")
                else:
                    self.assertIn("/".join(parts[:-1]) + "/", seen)

    def test_named_entries_and_contents(self):
        with zipfile.ZipFile(self.folder / ARCHIVE) as archive:
            for name in NAMED_ENTRIES:
                self.assertIn(name, self.names)
            for folder in ("Trade/en-US/", "Trade/zh-CN/", "Trade/zh-TW/", "Trade/log/"):
                self.assertIn(folder, self.names)
            self.assertEqual(archive.read("Orvu/Pelvane.ico"), (self.folder / "WindowIcon.ico").read_bytes())
            ini = configparser.ConfigParser()
            ini.read_string(archive.read("Orvu/ICONFIG.ini").decode("ascii"))
            self.assertIn("ICONFIG", ini.sections())
            self.assertGreater(len(ini["ICONFIG"]), 3, "the section holds keys of its own too")
            self.assertEqual(archive.read("Orvu/USERS/alert.WAV")[:4], b"RIFF")
            machine = struct.unpack_from("<H", (BIN / "probe.exe").read_bytes(),
                                         struct.unpack_from("<I", (BIN / "probe.exe").read_bytes(), 0x3C)[0] + 4)[0]
            for name, caption in CLIENT_PROGRAMS.items():
                program = archive.read(name)
                pe = struct.unpack_from("<I", program, 0x3C)[0]
                self.assertEqual(program[pe:pe + 4], b"PE\0\0", name)
                self.assertEqual(struct.unpack_from("<H", program, pe + 4)[0], machine, name)
                self.assertIn(caption.encode("ascii") + b"\0", program, name)

    def test_probe_lists_what_the_directory_holds(self):
        code, out = self.probe("ListArchive", r"D:\payload" + "\\" + ARCHIVE)
        self.assertEqual(code, 0)
        listed = [line.split("\t") for line in out.splitlines()]
        expected = [[r["name"].decode(), str(r["method"]), str(r["flags"]), str(r["packed"]), str(r["size"]),
                     f"{r['crc']:08x}", hex(r["external"]), "20", "20", "0", "0"] for r in self.records]
        self.assertEqual(listed, expected)

    def test_extraction_creates_the_folders_and_files(self):
        code, out = self.probe("ExtractArchive", r"D:\payload" + "\\" + ARCHIVE, r"D:\installed")
        self.assertEqual(out.strip(), "1")
        root = self.box.drives["d"] / "installed"
        folders = [p for p in root.rglob("*") if p.is_dir()]
        files = [p for p in root.rglob("*") if p.is_file()]
        self.assertEqual((len(folders), len(files)), (35, 121))

    def test_client_program_runs_and_is_stopped(self):
        target = self.box.drives["e"] / "client"
        with zipfile.ZipFile(self.folder / ARCHIVE) as archive:
            target.mkdir(parents=True, exist_ok=True)
            (target / "Talvikqarn.exe").write_bytes(archive.read("Orvu/talvikqarn.exe"))
        process = self.box.start(r"E:\client\Talvikqarn.exe", folder=None)
        try:
            self.assertIsNotNone(self.box.find_window("Talvikqarn", timeout=60), "its window shows its name")
            self.box.wine("cmd", "/c", "taskkill /im Talvikqarn.exe /f")
            process.wait(timeout=60)
        finally:
            if process.poll() is None:
                process.kill()

    # The other payloads --------------------------------------------------------
    def test_uninstaller_image_is_the_built_uninstaller(self):
        written = (self.folder / "qarnUninstall.exe").read_bytes()
        self.assertEqual(written[:2], b"MZ")
        self.assertEqual(written, (BIN / "qarnUninstall.exe").read_bytes())

    def test_qr_picture(self):
        data = (self.folder / "QrPicture.png").read_bytes()
        self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
        chunks = png_chunks(data)
        self.assertEqual([kind for kind, _, _ in chunks], ["IHDR", "gAMA", "cHRM", "bKGD", "pHYs", "IDAT", "IEND"])
        self.assertTrue(all(good for _, _, good in chunks), "every chunk CRC matches")
        self.assertEqual(struct.unpack(">IIBBBBB", chunks[0][1]), (400, 400, 8, 2, 0, 0, 0))
        if shutil.which("zbarimg"):
            scanned = subprocess.run(["zbarimg", "-q", "--raw", str(self.folder / "QrPicture.png")],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            self.assertEqual(scanned.stdout.decode().strip(), QR_ADDRESS)

    def test_window_icon(self):
        data = (self.folder / "WindowIcon.ico").read_bytes()
        self.assertEqual(len(data), 4286)
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 1, 1))
        width, height, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
        self.assertEqual((width, height, bits, size, offset), (32, 32, 32, 4264, 22))
        header = struct.unpack_from("<IiiHH", data, 22)
        self.assertEqual(header, (40, 32, 64, 1, 32))
        # The program's own icon resource is the same image.
        icons = pe_resources.resources(BIN / "VarnesseSetup.exe")
        self.assertEqual(icons[(pe_resources.RT_ICON, 1)][0][1], data[22:])


if __name__ == "__main__":
    unittest.main()
