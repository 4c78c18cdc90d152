"""File, folder and extraction operations through probe.exe in a sandbox,
checked from Linux: links inside a tree that is removed, and the client
archive extracted into the install folder (folders, files, bytes, times,
attributes, a second extraction over read-only files)."""
import calendar
import os
import stat
import unittest
import zipfile
from pathlib import Path

import sandbox

BIN = Path(os.environ.get("VARNESSE_BIN", sandbox.BIN))
CLIENT_ARCHIVE = BIN.parent / "payload" / "ClientArchive.zip"
INSTALL = "D:\\Varnesse商城"
ARCHIVE = INSTALL + "\\QARN客户端资源.zip"


class DiskOperations(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.box = sandbox.Sandbox(name="disk")
        cls.d = cls.box.drives["d"]

    @classmethod
    def tearDownClass(cls):
        cls.box.close()

    def probe(self, *args):
        code, out, _ = self.box.run("probe.exe", *args)
        self.assertEqual(code, 0, args)
        return out.decode("gbk").strip()

    def test_remove_directory_tree_does_not_follow_links(self):
        outside = self.d / "outside"
        (outside / "deep").mkdir(parents=True)
        (outside / "keep.txt").write_text("keep")
        (outside / "deep" / "also.txt").write_text("also")
        tree = self.d / "tree"
        (tree / "sub").mkdir(parents=True)
        (tree / "sub" / "a.txt").write_text("a")
        (self.d / "empty-outside").mkdir()
        os.symlink(outside, tree / "sub" / "folder-link")
        os.symlink(self.d / "empty-outside", tree / "empty-link")

        # The links keep their folders, like read-only files do.
        self.assertEqual(self.probe("RemoveDirectoryTree", "D:\\tree"), "0")
        self.assertEqual((outside / "keep.txt").read_text(), "keep")
        self.assertEqual((outside / "deep" / "also.txt").read_text(), "also")
        self.assertTrue((self.d / "empty-outside").is_dir())
        self.assertFalse((tree / "sub" / "a.txt").exists())
        self.assertEqual(self.probe("RemoveDirectoryTree", "D:\\tree\\sub\\folder-link"), "0")
        self.assertEqual((outside / "keep.txt").read_text(), "keep")

    @unittest.skipUnless(CLIENT_ARCHIVE.exists(), "the client archive is built with the payloads")
    def test_client_archive_extracts_into_the_install_folder(self):
        install = self.d / "Varnesse商城"
        install.mkdir()
        archive_bytes = CLIENT_ARCHIVE.read_bytes()
        (install / "QARN客户端资源.zip").write_bytes(archive_bytes)
        with zipfile.ZipFile(CLIENT_ARCHIVE) as archive:
            entries = archive.infolist()
            contents = {e.filename: archive.read(e) for e in entries if not e.is_dir()}

        self.assertEqual(self.probe("ExtractArchive", ARCHIVE, INSTALL), "1")
        folders = [p for p in install.rglob("*") if p.is_dir()]
        files = [p for p in install.rglob("*") if p.is_file() and p.name != "QARN客户端资源.zip"]
        self.assertEqual(len(folders), 35)
        self.assertEqual(len(files), 121)
        for entry in entries:
            path = install.joinpath(*entry.filename.rstrip("/").split("/"))
            if entry.is_dir():
                self.assertTrue(path.is_dir(), entry.filename)
                continue
            self.assertEqual(path.read_bytes(), contents[entry.filename], entry.filename)
            # The MS-DOS time is taken as UTC.
            self.assertEqual(int(path.stat().st_mtime), calendar.timegm(entry.date_time + (0, 0, 0)),
                             entry.filename)
            # Created read-only from the archive's attributes, then set back to normal.
            self.assertTrue(path.stat().st_mode & stat.S_IWUSR, entry.filename)

        # A second extraction over read-only files replaces them.
        program = install / "Trade" / "Mercavo.exe"
        program.write_bytes(b"old")
        for path in (program, install / "Orvu" / "ICONFIG.ini"):
            path.chmod(0o444)
        self.assertEqual(self.probe("ExtractArchive", ARCHIVE, INSTALL + "\\"), "1")
        self.assertEqual(program.read_bytes(), contents["Trade/Mercavo.exe"])
        self.assertTrue(program.stat().st_mode & stat.S_IWUSR)
        self.assertTrue((install / "Orvu" / "ICONFIG.ini").stat().st_mode & stat.S_IWUSR)
        self.assertEqual((install / "QARN客户端资源.zip").read_bytes(), archive_bytes)


if __name__ == "__main__":
    unittest.main()
