"""Starts VarnesseSetup.exe in a fresh sandbox. With a display the user
drives it; without one it runs under the sandbox's own Xvfb and a screenshot
of its window is saved in the build folder."""
import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sandbox  # noqa: E402

TITLE = "Varnesse商城客户端安装程序"


def main():
    display = os.environ.get("DISPLAY") or None
    with sandbox.Sandbox(name="run", display=display) as box:
        process = box.start("VarnesseSetup.exe")
        if display:
            print(f"VarnesseSetup.exe runs on {display}; close its window to end.")
            return process.wait()
        # 32-bit programs start slowly on the emulated side of Wine.
        window = box.find_window(TITLE, timeout=240)
        time.sleep(2)
        shot = sandbox.BUILD / "screenshots" / "run-installer.png"
        box.screenshot(shot)
        print(("window shown" if window else "no window found") + f"; screenshot: {shot}")
        process.kill()
        return 0 if window else 1


if __name__ == "__main__":
    sys.exit(main())
