#!/usr/bin/env python3
"""Start-up time of the installer: from the start of VarnesseSetup.exe to its
main window visible on the X server, against MinimalWindow.exe, a program that
only shows a window of the same size, both in the same Wine sandbox (one
warm-up run each, then runs alternating). Prints the medians and their ratio;
the goal is a ratio of at most 1.3.

usage: bench/startup.py [--runs N]
  VARNESSE_BIN: the x86_64 build's bin folder (default build/x64/bin)."""
import argparse
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
os.environ.setdefault("VARNESSE_BIN", str(ROOT / "build" / "x64" / "bin"))
sys.path.insert(0, str(ROOT / "tests" / "support"))
import sandbox  # noqa: E402
from xwindows import XWindows  # noqa: E402

# 392 x 250 outer; without a window manager the X window is the client area.
CLIENT_SIZE = (386, 225)

PROGRAMS = {
    "installer": ("VarnesseSetup.exe", "Varnesse商城客户端安装程序"),
    "minimal": ("MinimalWindow.exe", "MinimalWindow"),
}


def time_to_window(box, windows, program, title, timeout=60):
    """Seconds from the process start to its window shown (a top-level X
    window of the window's client size; checked afterwards by its title)."""
    started = time.perf_counter()
    process = box.start(program, folder=None)
    try:
        while time.perf_counter() - started < timeout:
            if CLIENT_SIZE in windows.viewable_sizes():
                elapsed = time.perf_counter() - started
                if not box.x("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split():
                    raise SystemExit(f"{program}: a window of the size but not the title {title}")
                return elapsed
            time.sleep(0.002)
        raise SystemExit(f"{program}: no window within {timeout} s")
    finally:
        process.kill()
        process.wait()
        # Wine's services and the server stay up between runs, as they do
        # between two starts on a desktop: only the program's own start counts.
        time.sleep(0.5)


def keep_server(box):
    """A program that keeps the sandbox's Wine session up for the whole run."""
    return subprocess.Popen([sandbox.WINE, "cmd", "/c", "ping -n 600 127.0.0.1 >nul"], env=box.env,
                            cwd=box.drives["c"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=10)
    runs = parser.parse_args().runs
    times = {name: [] for name in PROGRAMS}
    with sandbox.Sandbox(name="bench-startup") as box:
        for name, (program, _) in PROGRAMS.items():
            box.install_program(program)
        keeper = keep_server(box)
        windows = XWindows(box.display)
        for name, (program, title) in PROGRAMS.items():
            time_to_window(box, windows, rf"C:\setup\{program}", title)  # warm-up
        for _ in range(runs):
            for name, (program, title) in PROGRAMS.items():
                times[name].append(time_to_window(box, windows, rf"C:\setup\{program}", title))
        keeper.kill()
        windows.close()
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print(f"{name}: median {medians[name] * 1000:.0f} ms of {len(values)} runs "
              f"({', '.join(f'{v * 1000:.0f}' for v in values)})")
    print(f"ratio installer/minimal: {medians['installer'] / medians['minimal']:.2f} (goal <= 1.3)")


if __name__ == "__main__":
    main()
