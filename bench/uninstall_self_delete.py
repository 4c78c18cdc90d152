#!/usr/bin/env python3
"""How often the uninstaller's file is gone once every process has ended.

The uninstaller starts "cmd.exe /c del /f /a qarnUninstall.exe" just before
it ends; the deletion races with the end of its own process. Each run sets
up an installation on D (the build's archive extracted, the build's
uninstaller, the registry value), starts the uninstaller from the install
folder as the start-menu shortcut does, answers Yes, waits until every
process of the sandbox has ended and looks whether the file is still there.
Reports only; nothing here fails on a lost race.

Usage: bench/uninstall_self_delete.py [RUNS]   (VARNESSE_BIN picks the build)
"""
import shutil
import sys
import time
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "support"))
import installer_ui as ui  # noqa: E402
from sandbox import BIN, Sandbox  # noqa: E402

FOLDER = r"D:\Varnesse商城"


def set_up_installation(box, archive):
    root = box.linux_path(FOLDER)
    shutil.rmtree(root, ignore_errors=True)
    root.mkdir(parents=True)
    folders, files = ui.archive_tree(archive)
    for name in sorted(folders):
        (root / name).mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (root / name).write_bytes(data)
    shutil.copy(archive, root / "QARN客户端资源.zip")
    shutil.copy(BIN / "qarnUninstall.exe", root / "qarnUninstall.exe")
    box.wine("reg", "add", ui.REGISTRY_KEY, "/v", ui.REGISTRY_VALUE, "/t", "REG_SZ", "/d", "D", "/f")


def main(argv):
    runs = int(argv[0]) if argv else 10
    archive = ui.generated_archive()
    deleted = 0
    with Sandbox(name="bench-selfdelete", fixed_drives=("d",)) as box:
        for run in range(1, runs + 1):
            set_up_installation(box, archive)
            started = time.time()
            uninstaller = ui.start_uninstaller(box, FOLDER)
            if uninstaller.answer(ui.CONFIRM_TITLE, "y") is None:
                print(f"run {run}: no confirmation question")
                uninstaller.stop()
                continue
            code = uninstaller.wait_exit(60)
            box.wait()  # every process of the sandbox, the command interpreter included
            gone = not box.linux_path(FOLDER + r"\qarnUninstall.exe").exists()
            deleted += gone
            print(f"run {run}: exit code {code}, qarnUninstall.exe {'deleted' if gone else 'stays'}"
                  f" ({time.time() - started:.1f} s)", flush=True)
    print(f"self-deletion: {deleted} of {runs} runs deleted qarnUninstall.exe")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
