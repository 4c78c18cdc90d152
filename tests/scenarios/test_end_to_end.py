"""Whole installations: the real installer in a fresh sandbox, driven through
its window and message boxes with X input, and the machine read back from
Linux (files byte for byte against the build's archive, the registry, the
.lnk files through lnkinfo, the INI file through configparser)."""
import subprocess
import time
import unittest

import installer_ui as ui
from installer_ui import INSTALL_FOLDER, Installer
from lnk import read_link
from sandbox import BIN, Sandbox

ARCHIVE_NAME = "QARN客户端资源.zip"
UNINSTALLER = "qarnUninstall.exe"
DESKTOP_LINKS = ("Varnesse行情分析系统.lnk", "Varnesse商城.lnk")
MENU_LINKS = ("Varnesse行情分析系统.lnk", "Varnesse商城.lnk", "卸载.lnk")
CLIENTS = (r"Orvu\Talvikqarn.exe", r"Trade\Renovix-trade\Renovix.exe", r"Trade\Mercavo.exe", r"Trade\Entrava.exe")


def folder(drive):
    return f"{drive}:\\{INSTALL_FOLDER}"


def expected_links(drive):
    """Link file (relative to the desktop or programs folder) -> what lnkinfo reads."""
    home = folder(drive)
    quotes, trade = home + r"\Orvu\Talvikqarn.exe", home + r"\Trade\Renovix-trade\Renovix.exe"
    icon = home + r"\Orvu\Pelvane.ico"
    return {
        ("desktop", "Varnesse行情分析系统.lnk"):
            dict(target=quotes, working=home + "\\Orvu\\", description="Lumeno行情", icon=icon),
        ("desktop", "Varnesse商城.lnk"):
            dict(target=trade, working=home + "\\Trade\\Renovix-trade\\", description="Varnesse商城", icon=icon),
        ("programs", "Varnesse商城/Varnesse行情分析系统.lnk"):
            dict(target=quotes, working=home + r"\Orvu", description="Lumeno行情", icon=None),
        ("programs", "Varnesse商城/Varnesse商城.lnk"):
            dict(target=trade, working=home + "\\Trade\\Renovix-trade\\", description="Varnesse商城", icon=None),
        ("programs", "Varnesse商城/卸载.lnk"):
            dict(target=home + "\\" + UNINSTALLER, working=home, description="卸载客户端", icon=None),
    }


class EndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.archive_bytes = ui.generated_archive().read_bytes()
        cls.archive_folders, cls.archive_files = ui.archive_tree(ui.generated_archive())
        cls.uninstaller_bytes = (BIN / UNINSTALLER).read_bytes()
        # The quotes client's settings, found as Windows finds "Orvu\ICONFIG.INI".
        cls.settings = next(name for name in cls.archive_files if name.upper() == "ORVU/ICONFIG.INI")

    def new_box(self, drives=("d", "e")):
        box = Sandbox(name="e2e", fixed_drives=drives)
        self.addCleanup(box.close)
        return box

    def start_installer(self, box, folder=r"C:\setup"):
        installer = Installer(box, folder=folder)
        self.addCleanup(installer.stop)
        return installer

    def install(self, box, drive, folder=r"C:\setup"):
        """One successful installation onto `drive` chosen in the drive box."""
        installer = self.start_installer(box, folder)
        self.assertEqual(installer.install(drive), 0, f"installation onto {drive}: exit code")
        self.assertIn(ui.SUCCESS_MESSAGE, installer.message)
        return installer

    # What an installation leaves ------------------------------------------------
    def assert_installed(self, box, drive, extra=()):
        """The install folder holds the archive's tree byte for byte (the INI
        only changed in its three values), the archive and the uninstaller,
        plus the names in `extra`."""
        root = box.linux_path(folder(drive))
        folders, files = ui.disk_tree(root)
        expected = dict(self.archive_files)
        expected[ARCHIVE_NAME] = self.archive_bytes
        expected[UNINSTALLER] = self.uninstaller_bytes
        leftover = set(files) - set(expected) - set(extra)
        self.assertFalse(leftover, f"unexpected files on {drive}: {sorted(leftover)[:5]}")
        missing = set(expected) - set(files)
        self.assertFalse(missing, f"missing files on {drive}: {sorted(missing)[:5]}")
        self.assertTrue(self.archive_folders <= folders, f"missing folders on {drive}")
        differing = [name for name in expected if name != self.settings and files[name] != expected[name]]
        self.assertFalse(differing, f"files differing from the build's on {drive}: {differing[:5]}")
        self.assert_settings(root, drive)
        for name in expected:
            self.assertTrue((root / name).stat().st_mode & 0o200, f"{name} is left read-only")

    def assert_settings(self, root, drive):
        home = folder(drive)
        original = ui.read_ini_bytes(self.archive_files[self.settings])
        written = ui.read_ini(root / self.settings)
        original.setdefault("ICONFIG", {}).update(
            ORDER=home + r"\Trade\Renovix-trade\Renovix.exe", BASEPATH=home + r"\Orvu",
            ALERT=home + r"\Orvu\USERS\ALERT.WAV")
        self.assertEqual(written, original)

    def assert_links(self, box, drive):
        places = {"desktop": box.desktop, "programs": box.programs}
        for (place, name), expected in expected_links(drive).items():
            with self.subTest(link=f"{place}/{name}"):
                facts = read_link(places[place] / name)
                self.assertEqual(facts.get("target"), expected["target"])
                self.assertEqual(facts.get("working"), expected["working"])
                self.assertEqual(facts.get("description"), expected["description"])
                # Wine's script host refuses an icon location without ",index"
                # (Windows reads it as index 0): where the link carries one, it
                # must be the quotes client's icon; the menu links carry none.
                if expected["icon"] and "icon" in facts["present"]:
                    self.assertEqual(facts.get("icon"), expected["icon"])
                if not expected["icon"]:
                    self.assertNotIn("icon", facts["present"])

    def assert_machine_installed(self, box, drive, extra=()):
        self.assert_installed(box, drive, extra)
        self.assert_links(box, drive)
        self.assertEqual(ui.installed_drive(box), drive)

    # Scenarios -------------------------------------------------------------------
    def test_first_installation_then_uninstallation(self):
        box = self.new_box(drives=("d",))
        # Started from D, so without the first-run choice the box would start on D.
        self.install(box, "D", folder=r"D:\setup")
        self.assert_machine_installed(box, "D")
        self.assertFalse(box.linux_path(folder("C")).exists())

        # No: nothing is removed. Only the question shows, never the
        # uninstaller's own window.
        uninstaller = ui.start_uninstaller(box, folder("D"))
        self.assertTrue(uninstaller.wait_window(ui.CONFIRM_TITLE), "no confirmation question")
        self.assertEqual(uninstaller.input.find_windows(ui.UNINSTALLER_TITLE), [])
        self.assertIn(ui.CONFIRM_QUESTION, uninstaller.answer(ui.CONFIRM_TITLE, "n") or "no question")
        self.assertEqual(uninstaller.wait_exit(), 0)
        self.assert_machine_installed(box, "D")

        # Yes: the key, the shortcuts, the client folders and the archive go.
        uninstaller = ui.start_uninstaller(box, folder("D"))
        self.assertIn(ui.CONFIRM_QUESTION, uninstaller.answer(ui.CONFIRM_TITLE, "y") or "no question")
        self.assertEqual(uninstaller.wait_exit(), 0)
        box.wait()
        self.assertFalse(ui.registry_key_exists(box, ui.REGISTRY_KEY))
        for name in DESKTOP_LINKS:
            self.assertFalse((box.desktop / name).exists(), name)
        for name in MENU_LINKS:
            self.assertFalse((box.programs / INSTALL_FOLDER / name).exists(), name)
        self.assertTrue((box.programs / INSTALL_FOLDER).is_dir(), "the empty menu folder stays")
        root = box.linux_path(folder("D"))
        left = {p.name for p in root.iterdir()}
        self.assertFalse(left - {UNINSTALLER}, f"left in the install folder: {left}")

        # No registry value: the error, and nothing of the folder is touched.
        marker = root / "Trade" / "keep.txt"
        marker.parent.mkdir()
        marker.write_text("keep")
        box.install_program(BIN / UNINSTALLER, folder("D"))
        uninstaller = ui.start_uninstaller(box, folder("D"))
        self.assertIn(ui.NOT_INSTALLED_MESSAGE, uninstaller.answer(ui.ERROR_TITLE) or "no message")
        self.assertEqual(uninstaller.wait_exit(), 0)
        self.assertEqual(marker.read_text(), "keep")

        # Not installed any more: a first installation again, started from D,
        # goes to C, the first fixed disk that the drive box starts on.
        self.install(box, None, folder=r"D:\setup")
        self.assert_machine_installed(box, "C")

    def test_running_clients_are_stopped(self):
        box = self.new_box()
        self.install(box, "D")
        clients = []
        for client in CLIENTS:
            clients.append(box.start(folder("D") + "\\" + client, folder=None))
            title = client.rsplit("\\", 1)[1][:-4]
            self.assertTrue(box.find_window(title, timeout=60), f"{client} did not start")
        installer = self.start_installer(box)
        code = installer.install("D")
        for client, process in zip(CLIENTS, clients):
            self.assertTrue(ui.wait_until(lambda: process.poll() is not None, 30), f"{client} still runs")
        if code is None:
            # The stop commands are not waited for; under Wine eight of them
            # can outlast the two-second wait, and a client program still
            # running keeps its file. Once they have ended, a second press
            # succeeds.
            code = installer.install()
        self.assertEqual(code, 0)
        self.assertIn(ui.SUCCESS_MESSAGE, installer.message)
        self.assert_machine_installed(box, "D")

    def test_reinstallation_edge_cases(self):
        box = self.new_box()
        self.install(box, "D")
        marker = box.linux_path(folder("D")) / "Trade" / "marker.txt"
        marker.write_text("old")
        # Onto the remembered drive: the old folder is removed and made afresh.
        self.install(box, "D")
        self.assertFalse(marker.exists())
        self.assert_machine_installed(box, "D")

        # Onto E where the folder exists: D's installation goes, E's folder stays.
        e_marker = box.linux_path(folder("E")) / "mine.txt"
        e_marker.parent.mkdir()
        e_marker.write_text("E")
        self.install(box, "E")
        self.assertFalse(box.linux_path(folder("D")).exists(), "the installation on D stays")
        self.assert_machine_installed(box, "E", extra={"mine.txt"})

        # Onto D where no folder exists: E's installation stays as it was.
        self.install(box, "D")
        self.assert_machine_installed(box, "D")
        self.assert_installed(box, "E", extra={"mine.txt"})

    def test_full_drive_fails_then_another_drive_succeeds(self):
        box = self.new_box(drives=("d",))
        if not box.add_small_drive("f", "2m"):
            self.skipTest("cannot mount a small file system here (needs root)")
        installer = self.start_installer(box)
        self.assertIsNone(installer.install("F"), "a full drive must not end the installer")
        self.assertIn(ui.FAILURE_MESSAGE, installer.message)
        self.assertTrue(installer.running(), "the window stays after the failure")
        self.assertIsNone(ui.installed_drive(box))
        self.assertEqual(installer.install("D"), 0)
        self.assertIn(ui.SUCCESS_MESSAGE, installer.message)
        self.assert_machine_installed(box, "D")

    def test_read_only_and_open_files_in_the_old_installation(self):
        box = self.new_box()
        self.install(box, "D")
        root = box.linux_path(folder("D"))
        read_only = sorted(name for name in self.archive_files if name.startswith("Trade/"))[0]
        (root / read_only).write_bytes(b"stale")
        (root / read_only).chmod(0o444)
        extra_read_only = root / "Orvu" / "notes.txt"
        extra_read_only.write_text("mine")
        extra_read_only.chmod(0o444)
        held = "Trade/session.log"
        holder = self.hold_open(box, folder("D") + "\\" + held.replace("/", "\\"))
        # Both stay, everything else is replaced and the installation succeeds.
        self.install(box, "D")
        self.assert_machine_installed(box, "D", extra={held, "Orvu/notes.txt"})
        self.release(box, holder)

        # A file of the archive that is held open cannot be replaced: failure,
        # the window stays, and a retry once it is free succeeds.
        held = sorted(name for name in self.archive_files if name.startswith("Orvu/"))[0]
        holder = self.hold_open(box, folder("D") + "\\" + held.replace("/", "\\"))
        installer = self.start_installer(box)
        self.assertIsNone(installer.install("D"), "a held archive file must fail the installation")
        self.assertIn(ui.FAILURE_MESSAGE, installer.message)
        self.release(box, holder)
        self.assertEqual(installer.install("D"), 0)
        self.assertIn(ui.SUCCESS_MESSAGE, installer.message)
        self.assert_machine_installed(box, "D", extra={"Trade/session.log", "Orvu/notes.txt"})

    def hold_open(self, box, windows_path):
        """A Windows process that keeps the file open for writing without
        delete sharing: cmd's output redirection around a slow ping (the
        path must hold no blank)."""
        holder = subprocess.Popen([ui.sandbox.WINE, "cmd", "/c", f"ping -n 300 127.0.0.1 > {windows_path}"],
                                  env=box.env, cwd=box.drives["c"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.addCleanup(self.release, box, holder)
        # The redirection creates the file or truncates it (ping writes
        # nothing until it ends), then ping starts.
        linux = box.linux_path(windows_path)
        opened = ui.wait_until(lambda: linux.exists() and linux.stat().st_size == 0, 60)
        self.assertTrue(opened, "the holder did not open the file")
        return holder

    def release(self, box, holder):
        if holder.poll() is None:
            box.wine("taskkill", "/im", "ping.exe", "/f")
            holder.wait(30)

    def test_closing_the_window_during_the_wait(self):
        box = self.new_box()
        installer = self.start_installer(box)
        installer.choose_drive("D")
        started = time.time()
        installer.press_install()
        installer.keys(installer.window, "Escape")
        self.assertLess(time.time() - started, 2, "the close came after the wait")
        self.assertEqual(installer.wait_exit(30), 0)
        box.wait()
        for drive in "CDE":
            self.assertFalse(box.linux_path(folder(drive)).exists(), f"install folder on {drive}")
        self.assertIsNone(ui.installed_drive(box))
        self.assertEqual([p.name for p in box.desktop.iterdir()], [])
        self.assertFalse((box.programs / INSTALL_FOLDER).exists())


if __name__ == "__main__":
    unittest.main()
