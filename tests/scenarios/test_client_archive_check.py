"""The build's check of a client archive that a vendor supplies: small
archives with one fault each are refused with a message that names the entry
and the rule; a sound one and the generated one pass."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CHECKER = ROOT / "payload" / "check_client_archive.py"
BUILD = Path(os.environ.get("VARNESSE_BIN", ROOT / "build" / "x64" / "bin")).parent

SOUND = ["Trade/Renovix-trade/", "Trade/Renovix-trade/Renovix.exe", "Trade/Mercavo.exe", "Trade/Entrava.exe",
         "Trade/log/", "Orvu/USERS/", "Orvu/USERS/alert.WAV", "Orvu/talvikqarn.exe", "Orvu/Pelvane.ico",
         "Orvu/ICONFIG.ini"]


def zip_bytes(entries):
    """entries: (name bytes, method, flags). Files hold a few bytes each."""
    body, directory = bytearray(), bytearray()
    for name, method, flags in entries:
        data = b"" if name.endswith(b"/") else b"data of " + name
        packed = data if method != 8 else zlib.compress(data)[2:-4]
        crc = zlib.crc32(data)
        offset = len(body)
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, flags, method, 0, 0, crc, len(packed), len(data),
                            len(name), 0) + name + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, flags, method, 0, 0, crc, len(packed),
                                 len(data), len(name), 0, 0, 0, 0, 0x10 if name.endswith(b"/") else 0x20,
                                 offset) + name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    return bytes(body + directory + end)


def sound_entries():
    return [(name.encode(), 0 if name.endswith("/") else 8, 0) for name in SOUND]


def with_entry(position, name, method=8, flags=0):
    entries = sound_entries()
    entries.insert(position, (name, method, flags))
    return entries


def changed(name, method=None, flags=None):
    entries = sound_entries()
    i = [e[0] for e in entries].index(name)
    old = entries[i]
    entries[i] = (old[0], old[1] if method is None else method, old[2] if flags is None else flags)
    return entries


def run_checker(data):
    with tempfile.TemporaryDirectory() as folder:
        archive = Path(folder) / "client.zip"
        archive.write_bytes(data)
        stamp = Path(folder) / "checked"
        result = subprocess.run([sys.executable, str(CHECKER), str(archive), str(stamp)],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return result.returncode, result.stderr.decode(), stamp.exists()


class ClientArchiveCheck(unittest.TestCase):
    def test_faults_are_refused_naming_entry_and_rule(self):
        without_icon = [e for e in sound_entries() if e[0] != b"Orvu/Pelvane.ico"]
        file_first = sound_entries()
        file_first.insert(0, file_first.pop(SOUND.index("Orvu/USERS/alert.WAV")))
        top_file_first = [(b"Orvu/readme.txt", 8, 0)] + sound_entries()
        unlisted_folder = with_entry(3, b"Trade/skin/images/logo.png")
        cases = [
            ("missing named entry", zip_bytes(without_icon), '"Orvu/Pelvane.ico": missing'),
            ("file before its folder", zip_bytes(file_first), '"Orvu/USERS/alert.WAV": comes before the entry of its folder'),
            ("file in top folder first", zip_bytes(top_file_first), '"Orvu/readme.txt": comes before any folder entry'),
            ("folder without entry", zip_bytes(unlisted_folder), '"Trade/skin/images/logo.png": comes before the entry'),
            ("method 12", zip_bytes(changed(b"Trade/Mercavo.exe", method=12)), '"Trade/Mercavo.exe": compression method 12'),
            ("encrypted", zip_bytes(changed(b"Trade/Entrava.exe", flags=1)), '"Trade/Entrava.exe": encrypted'),
            ("absolute", zip_bytes(with_entry(2, b"/Trade/x.dll")), '"/Trade/x.dll": its name is absolute'),
            ("drive", zip_bytes(with_entry(2, b"C:/Trade/x.dll")), '"C:/Trade/x.dll": its name has a drive'),
            ("backslash", zip_bytes(with_entry(2, b"Trade\\x.dll")), "its name has a backslash"),
            ("dot-dot", zip_bytes(with_entry(2, b"Trade/../../x.dll")), '"Trade/../../x.dll": its name has a ".." component'),
            ("260 bytes", zip_bytes(with_entry(1, b"Trade/Renovix-trade/" + b"x" * 240)), "is 260 bytes long"),
            ("not a zip", b"MZ" + b"\0" * 100, "not a ZIP archive"),
        ]
        for label, data, message in cases:
            with self.subTest(label):
                code, errors, stamped = run_checker(data)
                self.assertEqual(code, 1, errors)
                self.assertIn(message, errors)
                self.assertFalse(stamped, "no stamp for a refused archive")

    def test_sound_archives_pass(self):
        longest = with_entry(1, b"Trade/Renovix-trade/" + b"x" * 239)  # 259 bytes
        for label, data in (("sound", zip_bytes(sound_entries())), ("259-byte name", zip_bytes(longest))):
            with self.subTest(label):
                code, errors, stamped = run_checker(data)
                self.assertEqual((code, errors), (0, ""))
                self.assertTrue(stamped)

    def test_generated_archive_passes(self):
        generated = BUILD / "payload" / "ClientArchive.zip"
        if not generated.exists():
            self.skipTest("no generated archive in this build")
        code, errors, _ = run_checker(generated.read_bytes())
        self.assertEqual((code, errors), (0, ""))


if __name__ == "__main__":
    unittest.main()
