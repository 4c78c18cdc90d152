"""Drives the installer and the uninstaller through their windows with real X
input (pointer clicks and key presses in the sandbox's X server), and reads
back what they left on the machine: folders and files, the registry value,
the INI settings. Coordinates are client coordinates of the main window.
"""
import configparser
import subprocess
import time
import zipfile
from pathlib import Path

import sandbox
from xinput import XInput

MAIN_TITLE = "Varnesse商城客户端安装程序"
UNINSTALLER_TITLE = "Varnesse商城客户端卸载程序"
MESSAGE_TITLE = "提示："
CONFIRM_TITLE = "重要提示："
ERROR_TITLE = "错误："
SUCCESS_MESSAGE = "恭喜，安装成功！"
FAILURE_MESSAGE = "抱歉，安装失败！请重新安装！"
CONFIRM_QUESTION = "您确定要卸载 Varnesse商城客户端 吗？"
NOT_INSTALLED_MESSAGE = "卸载失败！尚未安装Varnesse商城客户端！"
INSTALL_FOLDER = "Varnesse商城"
REGISTRY_KEY = r"HKCU\Varnesse商城"
REGISTRY_VALUE = "安装目录"

INSTALL_LABEL = (312, 206)   # centre of "安装", box (288, 192) 48 x 28
DRIVE_BOX = (95, 208)        # centre of the drive box, (75, 198) 40 x 20


def generated_archive(build=None):
    """The client archive that a build carries (the generated one, or the
    vendor's archive that the build was configured with); by default the
    build of the programs under test."""
    build = Path(build) if build else sandbox.BIN.parent
    cache = build / "CMakeCache.txt"
    if cache.exists():
        for line in cache.read_text(errors="replace").splitlines():
            if line.startswith("VARNESSE_CLIENT_ARCHIVE:") and line.split("=", 1)[1].strip():
                return Path(line.split("=", 1)[1].strip())
    return build / "payload" / "ClientArchive.zip"


def _entry_name(info):
    # Names are GBK bytes without the UTF-8 flag; zipfile decoded them as cp437.
    if info.flag_bits & 0x800:
        return info.filename
    return info.filename.encode("cp437").decode("gbk")


def archive_tree(path):
    """(folders, files) of a ZIP: relative folder names and name -> bytes,
    with "/" separators."""
    folders, files = set(), {}
    with zipfile.ZipFile(path) as archive:
        for info in archive.infolist():
            name = _entry_name(info)
            if name.endswith("/"):
                folders.add(name.rstrip("/"))
            else:
                files[name] = archive.read(info)
    for name in list(files) + list(folders):
        parts = name.split("/")[:-1]
        for depth in range(1, len(parts) + 1):
            folders.add("/".join(parts[:depth]))
    return folders, files


def disk_tree(root):
    """(folders, files) below a Linux folder, in the form of archive_tree."""
    root = Path(root)
    folders, files = set(), {}
    for path in sorted(root.rglob("*")):
        name = path.relative_to(root).as_posix()
        if path.is_dir():
            folders.add(name)
        else:
            files[name] = path.read_bytes()
    return folders, files


def read_ini_bytes(data):
    """INI text (GBK) as {section: {key: value}}, keys as written."""
    parser = configparser.RawConfigParser(strict=False)
    parser.optionxform = str
    parser.read_string(data.decode("gbk"))
    return {section: dict(parser[section]) for section in parser.sections()}


def read_ini(path):
    return read_ini_bytes(Path(path).read_bytes())


def registry_key_exists(box, key):
    completed = subprocess.run([sandbox.WINE, "reg", "query", key], env=box.env, cwd=box.drives["c"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    return completed.returncode == 0


def installed_drive(box):
    return box.reg_query(REGISTRY_KEY, REGISTRY_VALUE)


def wait_until(condition, timeout, step=0.1):
    """Polls `condition` until it is true or the time is up; returns its last value."""
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value or time.time() >= deadline:
            return value
        time.sleep(step)


class ProgramWindows:
    """A program of the sandbox started from a Windows path, with its message
    boxes and (for the installer) its main window."""

    def __init__(self, box, process):
        self.box = box
        self.process = process
        self.input = XInput(box.display)

    # Processes ------------------------------------------------------------
    def wait_exit(self, timeout=60):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def running(self):
        return self.process.poll() is None

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait(10)

    # X input --------------------------------------------------------------
    def click(self, window, x, y):
        """A left click at client coordinates (x, y) of a window: without a
        window manager an X top-level window is the window's client area."""
        self.input.click(window, x, y)

    def keys(self, window, *keys):
        self.input.press(window, *keys)

    def wait_window(self, title, timeout=60):
        """The X id of a visible window titled exactly `title`, or None if the
        program ended or the time ran out."""
        def found():
            if not self.running():
                return "ended"
            ids = self.input.find_windows(title)
            return ids[0] if ids else None
        window = wait_until(found, timeout, step=0.1)
        if window == "ended":
            # The window may have come and gone with the program.
            ids = self.input.find_windows(title)
            return ids[0] if ids else None
        return window

    def window_gone(self, window, timeout=30):
        def gone():
            return window not in self.box.x("xdotool", "search", "--onlyvisible", "--name", ".").split()
        return wait_until(gone, timeout)

    def window_text(self, title):
        """The texts inside the window titled `title` (a message box: its
        message and its buttons), one a line, as the program shows them;
        read by probe.exe inside the sandbox."""
        code, out, _ = self.box.run("probe.exe", "DialogText", title, timeout=120)
        return out.decode("gbk", "replace") if code == 0 else ""

    def answer(self, title, key="Return", timeout=60):
        """Waits for a message box titled `title`, reads its texts and answers
        it with a key; returns the texts, or None when no box came."""
        window = self.wait_window(title, timeout)
        if not window:
            return None
        text = self.window_text(title)
        self.keys(window, key)
        self.window_gone(window)
        return text


class Installer(ProgramWindows):
    """VarnesseSetup.exe started in a sandbox, its main window shown."""

    def __init__(self, box, folder=r"C:\setup", program="VarnesseSetup.exe", timeout=60):
        super().__init__(box, box.start(program, folder=folder))
        self.window = self.wait_window(MAIN_TITLE, timeout)
        if not self.window:
            self.stop()
            raise AssertionError(f"the installer's main window did not appear within {timeout} s")

    def choose_drive(self, letter, settle=0.3):
        """Opens the drive box, picks the drive by its letter and confirms it;
        `settle` seconds for the list to open and the choice to land (more
        for the slow 32-bit side of Wine)."""
        self.click(self.window, *DRIVE_BOX)
        time.sleep(settle)
        # The opened list selects the item that begins with the typed letter.
        self.box.x("xdotool", "key", letter.lower(), "Return")
        time.sleep(settle)

    def press_install(self):
        self.click(self.window, *INSTALL_LABEL)

    def install(self, drive=None, timeout=120):
        """Chooses a drive (or keeps the box's choice), presses "安装" and
        answers the result message (kept in `message`); returns the exit
        code, None while the window stays (failure)."""
        if drive:
            self.choose_drive(drive)
        self.press_install()
        self.message = self.answer(MESSAGE_TITLE, timeout=timeout)
        if self.message is None:
            raise AssertionError("no result message after pressing 安装")
        # After success the program ends at once; after failure the window stays.
        if wait_until(lambda: not self.running(), 5):
            return self.wait_exit()
        return None


def start_uninstaller(box, folder):
    """The installed uninstaller started from its own folder, as the start-menu
    shortcut does."""
    return ProgramWindows(box, box.start(folder + "\\qarnUninstall.exe", folder=None))
