"""A Wine sandbox of the project's own: its own prefix and HOME inside the
build folder, no Z: drive (nothing reaches the Linux file system), code page
936 backed by a compiled zh_CN.UTF-8 locale, drives D: (label DATA) and E:
mapped to folders of the sandbox, an Xvfb of its own unless a display is given.

A template prefix is made once per build folder and copied for each sandbox.
Every test, the run command and the benchmarks go through this module.
"""
import contextlib
import fcntl
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VARNESSE_BUILD", ROOT / "build"))
BIN = Path(os.environ.get("VARNESSE_BIN", BUILD / "bin"))
# 64-bit Wine: the tests' x86_64 programs run natively; 32-bit programs (the
# product itself) run on its 32-bit side, which goes through qemu-i386 on
# machines whose kernel runs no 32-bit ELF program (slow to start: ~1 min).
WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
SANDBOXES = BUILD / "sandbox"
TEMPLATE = SANDBOXES / "template"
LOCPATH = ROOT / ".cache" / "locale"
USER = "varnesse"
SHELL_FOLDERS = ["Desktop", "Documents", "Music", "Pictures", "Videos", "Downloads", "Templates"]


def base_environment(prefix, home):
    env = {
        "PATH": "/usr/bin:/bin:/usr/sbin:/sbin",
        "HOME": str(home),
        "USER": USER,
        "LOGNAME": USER,
        "WINEPREFIX": str(prefix),
        "WINEARCH": "win64",
        "WINESERVER": WINESERVER,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree,mshtml=",
        "LC_ALL": "zh_CN.UTF-8",
        "LANG": "zh_CN.UTF-8",
        "LOCPATH": str(LOCPATH),
        "TZ": os.environ.get("TZ", "UTC"),
        "XDG_CONFIG_HOME": str(Path(home) / ".config"),
        "XDG_DATA_HOME": str(Path(home) / ".local/share"),
        "XDG_CACHE_HOME": str(Path(home) / ".cache"),
        "XDG_RUNTIME_DIR": str(Path(home) / ".run"),
    }
    return env


def _wine(env, *args, **kwargs):
    return subprocess.run([WINE, *args], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, **kwargs)


def _ensure_template():
    SANDBOXES.mkdir(parents=True, exist_ok=True)
    ready = TEMPLATE / ".ready"
    with open(SANDBOXES / "template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if ready.exists():
            return
        shutil.rmtree(TEMPLATE, ignore_errors=True)
        home = TEMPLATE / "home"
        prefix = TEMPLATE / "prefix"
        for sub in ("", ".config", ".local/share", ".cache", ".run"):
            (home / sub).mkdir(parents=True, exist_ok=True)
        os.chmod(home / ".run", 0o700)
        env = base_environment(prefix, home)
        env.pop("DISPLAY", None)
        subprocess.run([WINE, "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        subprocess.run([WINESERVER, "-w"], env=env, check=False)
        # Fonts: the Chinese faces the programs ask for come from WenQuanYi.
        for face in ("宋体", "SimSun", "新宋体", "NSimSun", "微软雅黑", "Microsoft YaHei"):
            _wine(env, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face,
                  "/t", "REG_SZ", "/d", "WenQuanYi Zen Hei", "/f")
        subprocess.run([WINESERVER, "-w"], env=env, check=False)
        # Nothing of the Linux file system stays reachable: no Z: drive, and
        # the user's shell folders are real folders of the prefix, not links
        # to $HOME.
        dosdevices = prefix / "dosdevices"
        for entry in dosdevices.iterdir():
            if entry.name not in ("c:", "com1"):
                entry.unlink()
        profile = prefix / "drive_c" / "users" / USER
        for name in SHELL_FOLDERS:
            folder = profile / name
            if folder.is_symlink():
                folder.unlink()
            folder.mkdir(parents=True, exist_ok=True)
        ready.write_text("ok\n")


def _copy_prefix(source, target):
    """Copies the template prefix: the system files as hard links (Wine only
    reads them), everything a program may change as real copies."""
    subprocess.run(["cp", "-al", str(source), str(target)], check=True)
    private = [p for p in target.glob("*.reg")]
    private += list((target / "drive_c" / "windows").glob("*.ini"))
    for path in private:
        data = path.read_bytes()
        path.unlink()
        path.write_bytes(data)
    for folder in ("users", "ProgramData"):
        copy = target / "drive_c" / folder
        if copy.exists():
            shutil.rmtree(copy)
            subprocess.run(["cp", "-a", str(source / "drive_c" / folder), str(copy)], check=True)


def _start_xvfb():
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        number = reader.readline().strip()
    return process, f":{number}"


class Sandbox:
    """One fresh copy of the template prefix, with its own HOME and drives.

    fixed_drives: letters mapped to folders of the sandbox as fixed disks
    (D: labelled DATA). cdrom_drives: letters mapped as CD-ROM drives.
    display: an X display to use; None starts an Xvfb of the sandbox's own.
    """

    def __init__(self, name="run", fixed_drives=("d", "e"), cdrom_drives=(), display=None,
                 keep=None):
        _ensure_template()
        SANDBOXES.mkdir(parents=True, exist_ok=True)
        self.root = Path(tempfile.mkdtemp(prefix=f"{name}-", dir=SANDBOXES))
        self.keep = keep if keep is not None else bool(os.environ.get("SANDBOX_KEEP"))
        self.prefix = self.root / "prefix"
        self.home = self.root / "home"
        _copy_prefix(TEMPLATE / "prefix", self.prefix)
        subprocess.run(["cp", "-a", str(TEMPLATE / "home"), str(self.home)], check=True)
        self.drives = {"c": self.prefix / "drive_c"}
        for letter in fixed_drives:
            self.add_drive(letter)
        for letter in cdrom_drives:
            self.add_drive(letter, kind="cdrom")
        self._xvfb = None
        if display is None:
            self._xvfb, display = _start_xvfb()
        self.display = display
        self.env = base_environment(self.prefix, self.home)
        self.env["DISPLAY"] = display

    # Drives ---------------------------------------------------------------
    def add_drive(self, letter, folder=None, label=None, kind="fixed"):
        letter = letter.lower()
        folder = Path(folder) if folder else self.root / "drives" / letter
        folder.mkdir(parents=True, exist_ok=True)
        if label is None and letter == "d":
            label = "DATA"
        if label:
            (folder / ".windows-label").write_text(label + "\n")
        link = self.prefix / "dosdevices" / f"{letter}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(folder)
        self.drives[letter] = folder
        if kind != "fixed":
            self._pending_drive_types = getattr(self, "_pending_drive_types", [])
            self._pending_drive_types.append((letter, kind))
        return folder

    def add_small_drive(self, letter, size="2m"):
        """Maps a drive letter to a tmpfs of `size` bytes (mount's notation), a
        fixed disk that runs full. Needs the right to mount (root); returns
        the folder, or None when the mount is refused. close() unmounts it."""
        folder = self.root / "drives" / letter.lower()
        folder.mkdir(parents=True, exist_ok=True)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", str(folder)],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        if mounted.returncode != 0:
            return None
        self._mounts = getattr(self, "_mounts", []) + [folder]
        return self.add_drive(letter, folder)

    def _apply_drive_types(self):
        for letter, kind in getattr(self, "_pending_drive_types", []):
            self.wine("reg", "add", r"HKLM\Software\Wine\Drives", "/v", f"{letter}:", "/t", "REG_SZ",
                      "/d", kind, "/f")
        if getattr(self, "_pending_drive_types", None):
            self.wait()
        self._pending_drive_types = []

    # Paths ----------------------------------------------------------------
    def linux_path(self, windows_path):
        """The Linux path behind a Windows path such as 'D:\\Varnesse商城'."""
        drive, rest = windows_path[0].lower(), windows_path[2:].lstrip("\\")
        base = self.drives[drive]
        return base.joinpath(*[p for p in rest.split("\\") if p]) if rest else base

    @property
    def desktop(self):
        return self.linux_path(rf"C:\users\{USER}\Desktop")

    @property
    def programs(self):
        return self.linux_path(rf"C:\users\{USER}\AppData\Roaming\Microsoft\Windows\Start Menu\Programs")

    # Running ----------------------------------------------------------------
    def install_program(self, program, folder=r"C:\setup"):
        """Copies a program of build/bin (or a path) into a Windows folder."""
        source = Path(program)
        if not source.is_absolute() and not source.exists():
            source = BIN / program
        target = self.linux_path(folder)
        target.mkdir(parents=True, exist_ok=True)
        shutil.copy2(source, target / source.name)
        return folder + "\\" + source.name

    def _command(self, program, args, folder):
        self._apply_drive_types()
        windows_program = self.install_program(program, folder) if folder else program
        cwd = self.linux_path(windows_program.rsplit("\\", 1)[0] + "\\")
        return [WINE, windows_program, *[str(a) for a in args]], cwd

    def run(self, program, *args, folder=r"C:\setup", timeout=300, input_bytes=None):
        """Runs a program to its end; returns (exit code, stdout bytes, stderr bytes).

        Standard error goes through a file: Wine's background processes keep
        an inherited pipe open for seconds.
        """
        command, cwd = self._command(program, args, folder)
        with tempfile.TemporaryFile() as errors:
            completed = subprocess.run(command, cwd=cwd, env=self.env, stdout=subprocess.PIPE,
                                       stderr=errors, timeout=timeout,
                                       input=input_bytes)
            errors.seek(0)
            return completed.returncode, completed.stdout.replace(b"\r\n", b"\n"), errors.read()

    def start(self, program, *args, folder=r"C:\setup", stdout=subprocess.DEVNULL):
        """Starts a program and returns its Popen (for windows driven from outside)."""
        command, cwd = self._command(program, args, folder)
        return subprocess.Popen(command, cwd=cwd, env=self.env, stdout=stdout,
                                stderr=subprocess.DEVNULL)

    def wine(self, *args, timeout=120):
        """Runs a Wine built-in (reg, cmd, ...) in the sandbox; returns stdout bytes."""
        return subprocess.run([WINE, *args], env=self.env, cwd=self.drives["c"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              timeout=timeout).stdout

    def wait(self):
        subprocess.run([WINESERVER, "-w"], env=self.env, check=False)

    def reg_query(self, key, value):
        """The data of a registry value as `reg query` prints it, or None."""
        out = self.wine("reg", "query", key, "/v", value).decode("gbk", "replace")
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0] == value and parts[1].startswith("REG_"):
                return parts[2] if len(parts) == 3 else ""
        return None

    # X input and screenshots --------------------------------------------------
    def x(self, *args, check=False):
        env = {"DISPLAY": self.display, "PATH": "/usr/bin:/bin"}
        return subprocess.run(list(args), env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, check=check).stdout.decode("utf-8", "replace")

    def screenshot(self, path):
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        self.x("import", "-window", "root", str(path))
        return Path(path)

    def find_window(self, title, timeout=30):
        """Waits for a visible window whose name is exactly `title`; returns its X id."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            ids = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()
            if ids:
                return ids[0]
            time.sleep(0.2)
        return None

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for folder in getattr(self, "_mounts", []):
            subprocess.run(["umount", "-l", str(folder)], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)
        if self._xvfb:
            self._xvfb.send_signal(signal.SIGTERM)
            with contextlib.suppress(subprocess.TimeoutExpired):
                self._xvfb.wait(5)
        if not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def main(argv):
    """scripts/sandbox PROGRAM [ARG...]: runs one program of build/bin in a
    fresh sandbox with its folder (C:\\setup) as current directory; passes on
    its standard output and exit code."""
    if not argv:
        print("usage: scripts/sandbox PROGRAM [ARG...]", file=sys.stderr)
        return 2
    with Sandbox(name=Path(argv[0]).stem, display=os.environ.get("SANDBOX_DISPLAY")) as box:
        command, cwd = box._command(argv[0], argv[1:], r"C:\setup")
        with tempfile.TemporaryFile() as errors:
            completed = subprocess.run(command, cwd=cwd, env=box.env, stdout=subprocess.PIPE,
                                       stderr=errors)
            sys.stdout.buffer.write(completed.stdout.replace(b"\r\n", b"\n"))
            sys.stdout.buffer.flush()
            errors.seek(0)
            sys.stderr.buffer.write(errors.read())
        return completed.returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
