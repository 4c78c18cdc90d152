#!/usr/bin/env python3
"""Installation time against the extraction floor, and the programs' sizes.

In one sandbox, several times over:
  (a) a fresh installation onto D: the time from the click on "安装" to the
      success message being on the screen, minus the procedure's fixed
      two-second wait;
  (b) extraction_floor.exe on the same archive on the same drive: inflate
      every entry with zlib and write it with WriteFile, nothing else
      (its own time, Wine's start-up left out).
Prints the medians and the ratio (a)/(b) (goal: at most 1.5).

Sizes of the product programs (the i686 build, VARNESSE_PRODUCT_BIN or
build/bin): the uninstaller (goal: under 200 KB) and the installer against
the payloads it carries (goal: under their size + 600 KB).

usage: bench/install_time.py [--runs N]
  VARNESSE_BIN: the build whose programs are timed (default build/x64/bin).
"""
import argparse
import os
import shutil
import statistics
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
os.environ.setdefault("VARNESSE_BIN", str(ROOT / "build" / "x64" / "bin"))
sys.path.insert(0, str(ROOT / "tests" / "support"))
import installer_ui as ui  # noqa: E402
import sandbox  # noqa: E402

BIN = Path(os.environ["VARNESSE_BIN"])
PRODUCT_BIN = Path(os.environ.get("VARNESSE_PRODUCT_BIN", ROOT / "build" / "bin"))
WAIT_SECONDS = 2.0
KB = 1024


def clear_installation(box):
    """Back to a machine without the client: folder, key, shortcuts."""
    shutil.rmtree(box.linux_path(r"D:\Varnesse商城"), ignore_errors=True)
    box.wine("reg", "delete", ui.REGISTRY_KEY, "/f")
    for link in box.desktop.glob("*.lnk"):
        link.unlink()
    shutil.rmtree(box.programs / ui.INSTALL_FOLDER, ignore_errors=True)


def time_installation(box):
    """Seconds from the click on "安装" to the result message, and to the
    first desktop shortcut (written right after the extraction); None when
    the installation failed."""
    installer = ui.Installer(box)
    installer.choose_drive("D")
    first_link = box.desktop / "Varnesse行情分析系统.lnk"
    extracted = None
    pressed = time.perf_counter()
    installer.press_install()
    while time.perf_counter() - pressed < 300:
        if extracted is None and first_link.exists():
            extracted = time.perf_counter() - pressed
        message = installer.input.find_windows(ui.MESSAGE_TITLE)
        if message:
            break
        time.sleep(0.005)
    shown = time.perf_counter() - pressed
    if not message:
        installer.stop()
        return None
    installer.keys(message[0], "Return")
    code = installer.wait_exit(60)
    return (shown, extracted or shown) if code == 0 else None


def time_floor(box, run):
    code, out, _ = box.run(BIN / "extraction_floor.exe", r"D:\bench\client.zip", rf"D:\bench\floor{run}")
    shutil.rmtree(box.linux_path(rf"D:\bench\floor{run}"), ignore_errors=True)
    return float(out.split()[0]) / 1000 if code == 0 else None


def payload_size(build):
    """Bytes of the four payloads that the product build carries."""
    files = [ui.generated_archive(build), build / "payload" / "QrPicture.png",
             build / "resources" / "Varnesse.ico", build / "bin" / "qarnUninstall.exe"]
    missing = [str(f) for f in files if not f.exists()]
    if missing:
        return None, missing
    return sum(f.stat().st_size for f in files), []


def print_sizes():
    uninstaller = PRODUCT_BIN / "qarnUninstall.exe"
    installer = PRODUCT_BIN / "VarnesseSetup.exe"
    if not (uninstaller.exists() and installer.exists()):
        print(f"sizes: no product programs in {PRODUCT_BIN}")
        return
    u_size, i_size = uninstaller.stat().st_size, installer.stat().st_size
    print(f"qarnUninstall.exe (i686): {u_size / KB:.1f} KB (goal < 200 KB)"
          f" {'ok' if u_size < 200 * KB else 'OVER'}")
    carried, missing = payload_size(PRODUCT_BIN.parent)
    if carried is None:
        print(f"VarnesseSetup.exe (i686): {i_size / KB:.1f} KB; payload files not found: {missing}")
        return
    overhead = i_size - carried
    print(f"VarnesseSetup.exe (i686): {i_size / KB:.1f} KB = payloads {carried / KB:.1f} KB"
          f" + {overhead / KB:.1f} KB (goal < payloads + 600 KB) {'ok' if overhead < 600 * KB else 'OVER'}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    if not (BIN / "extraction_floor.exe").exists():
        sys.exit(f"no extraction_floor.exe in {BIN}: build the target extraction_floor first")

    installs, untils, floors = [], [], []
    with sandbox.Sandbox(name="bench-install", fixed_drives=("d",)) as box:
        (box.drives["d"] / "bench").mkdir()
        shutil.copy(ui.generated_archive(), box.drives["d"] / "bench" / "client.zip")
        for run in range(options.runs):
            clear_installation(box)
            timed = time_installation(box)
            floor = time_floor(box, run)
            if timed is None or floor is None:
                sys.exit(f"run {run + 1}: installation or floor failed")
            elapsed, extracted = timed
            installs.append(elapsed - WAIT_SECONDS)
            untils.append(extracted - WAIT_SECONDS)
            floors.append(floor)
            print(f"run {run + 1}: installation {elapsed:.3f} s - {WAIT_SECONDS:.0f} s wait ="
                  f" {elapsed - WAIT_SECONDS:.3f} s (first shortcut after {extracted - WAIT_SECONDS:.3f} s),"
                  f" floor {floor:.3f} s", flush=True)

    install, floor = statistics.median(installs), statistics.median(floors)
    ratio = install / floor
    print(f"median installation (without the wait): {install:.3f} s, of which up to the first"
          f" desktop shortcut (right after the extraction) {statistics.median(untils):.3f} s")
    print(f"median extraction floor: {floor:.3f} s")
    print(f"ratio installation / floor: {ratio:.2f} (goal <= 1.5) {'ok' if ratio <= 1.5 else 'OVER'}")
    print_sizes()
    return 0


if __name__ == "__main__":
    sys.exit(main())
