"""X input from outside a program, as a user would give it: find a window by
its title in the sandbox's X display with xdotool, then press keys or click.

Without a window manager windows have no title bar, but `xdotool search
--name` still finds them by the title Windows gives them.
"""
import subprocess
import time


class XInput:
    def __init__(self, display):
        self.display = display

    def _run(self, *args):
        env = {"DISPLAY": self.display, "PATH": "/usr/bin:/bin"}
        return subprocess.run(["xdotool", *[str(a) for a in args]], env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout.decode("utf-8", "replace")

    def find_windows(self, title, visible=True):
        """X ids of the windows whose title is exactly `title`."""
        args = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{title}$"]
        return self._run(*args).split()

    def wait_for_window(self, title, timeout=30, visible=True):
        """The first window titled `title`, waiting up to `timeout` s; None if none came."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            ids = self.find_windows(title, visible)
            if ids:
                return ids[0]
            time.sleep(0.2)
        return None

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        values = {}
        for line in self._run("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values.get("X", 0), values.get("Y", 0), values.get("WIDTH", 0), values.get("HEIGHT", 0)

    def focus(self, window):
        self._run("windowfocus", "--sync", window)

    def press(self, window, *keys):
        """Gives the window the keyboard focus and presses keys (xdotool key names)."""
        self.focus(window)
        time.sleep(0.2)
        self._run("key", "--clearmodifiers", *keys)

    def click(self, window, x, y, button=1):
        """Clicks at (x, y) relative to the window's top-left corner."""
        self._run("mousemove", "--window", window, x, y)
        time.sleep(0.1)
        self._run("click", button)

    def answer(self, title, *keys, timeout=30):
        """Waits for the window titled `title` and presses keys in it; the
        window's X id, or None when no such window came."""
        window = self.wait_for_window(title, timeout)
        if window:
            self.press(window, *keys)
        return window
