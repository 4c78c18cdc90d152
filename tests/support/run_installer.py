"""Starts VarnesseSetup.exe in a fresh sandbox. With a display the user
drives it. Without one it performs a scripted installation under the
sandbox's own Xvfb (drive D chosen in the drive box, "安装" pressed, the
result message confirmed), prints what was installed and saves screenshots
before and after in the build folder."""
import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import installer_ui as ui  # noqa: E402
import sandbox  # noqa: E402

# 32-bit programs start slowly on the emulated side of Wine (about a minute).
START_TIMEOUT = 300
INSTALL_TIMEOUT = 600


def run_for_user(display):
    with sandbox.Sandbox(name="run", display=display) as box:
        process = box.start("VarnesseSetup.exe")
        print(f"VarnesseSetup.exe runs on {display}; close its window to end.")
        return process.wait()


def describe_links(box, folder):
    from lnk import read_link
    for path in sorted(folder.glob("*.lnk")):
        facts = read_link(path)
        print(f"  {path.name} -> {facts.get('target')} (in {facts.get('working')})")


def scripted_installation():
    shots = sandbox.BUILD / "screenshots"
    with sandbox.Sandbox(name="run") as box:
        print("starting VarnesseSetup.exe under Xvfb (the 32-bit program takes about a minute) ...",
              flush=True)
        try:
            installer = ui.Installer(box, timeout=START_TIMEOUT)
        except AssertionError as error:
            box.screenshot(shots / "run-installer-failed.png")
            print(f"{error}; screenshot: {shots / 'run-installer-failed.png'}")
            return 1
        installer.choose_drive("D", settle=10)
        before = box.screenshot(shots / "run-installer-before.png")
        installer.press_install()
        message = installer.wait_window(ui.MESSAGE_TITLE, INSTALL_TIMEOUT)
        time.sleep(5)  # the message box paints
        after = box.screenshot(shots / "run-installer-after.png")
        if not message:
            print(f"no result message appeared; screenshots: {before}, {after}")
            installer.stop()
            return 1
        installer.keys(message, "Return")
        ended = ui.wait_until(lambda: not installer.running(), 60)
        code = installer.wait_exit(5) if ended else None
        print("installer " + (f"ended with exit code {code}" if ended else "still open: installation failed"))

        root = box.linux_path(r"D:\Varnesse商城")
        if root.is_dir():
            folders, files = ui.disk_tree(root)
            size = sum(len(data) for data in files.values())
            print(f"D:\\Varnesse商城: {len(folders)} folders, {len(files)} files, {size:,} bytes")
        else:
            print("D:\\Varnesse商城 does not exist")
        print("desktop shortcuts:")
        describe_links(box, box.desktop)
        print("programs-menu shortcuts (Varnesse商城):")
        describe_links(box, box.programs / "Varnesse商城")
        print(f"registry HKCU\\Varnesse商城 安装目录 = {ui.installed_drive(box)!r}")
        print(f"screenshots: before {before}, with the result message {after}")
        if not ended:
            installer.stop()
        return 0 if code == 0 else 1


def main():
    display = os.environ.get("DISPLAY") or None
    if display:
        return run_for_user(display)
    return scripted_installation()


if __name__ == "__main__":
    sys.exit(main())
