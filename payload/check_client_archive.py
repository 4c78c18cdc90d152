#!/usr/bin/env python3
"""Checks a client archive before the build carries it: the installer writes
it unchanged and extracts it entry by entry, creating folders only for folder
entries, so an archive that breaks these rules would install wrongly.

Refuses (exit code 1, one line per fault naming the entry and the rule):
- a named entry that the installer relies on is missing;
- a file comes before the entry of its folder (a file directly in a top
  folder needs a folder entry under that top folder before it);
- a method other than 0 (stored) and 8 (deflate), or an encrypted entry;
- a name that is absolute, has a drive, a backslash or a ".." component, or
  is 260 bytes or longer.

Usage: check_client_archive.py ARCHIVE [STAMP]  (STAMP is written on success)
"""
import struct
import sys

REQUIRED = ("Orvu/talvikqarn.exe", "Orvu/Pelvane.ico", "Orvu/ICONFIG.ini", "Orvu/USERS/alert.WAV",
            "Trade/Renovix-trade/", "Trade/Renovix-trade/Renovix.exe", "Trade/Mercavo.exe",
            "Trade/Entrava.exe")
MAX_NAME = 260


class Entry:
    def __init__(self, name, flags, method):
        self.name = name
        self.flags = flags
        self.method = method


def read_entries(data):
    """The entries in central-directory order, which is the order in which
    the extraction walks them."""
    end = data.rfind(b"PK\x05\x06", max(0, len(data) - 22 - 65535))
    if end < 0 or end + 22 > len(data):
        raise ValueError("no end-of-central-directory record: not a ZIP archive")
    disk, _, _, count, size, offset, _ = struct.unpack_from("<HHHHIIH", data, end + 4)
    if disk != 0:
        raise ValueError("a multi-disk archive")
    entries = []
    at = offset
    for index in range(count):
        if data[at:at + 4] != b"PK\x01\x02":
            raise ValueError(f"central directory entry {index + 1} is damaged")
        flags, method = struct.unpack_from("<HH", data, at + 8)
        name_length, extra_length, comment_length = struct.unpack_from("<HHH", data, at + 28)
        name = data[at + 46:at + 46 + name_length]
        entries.append(Entry(name, flags, method))
        at += 46 + name_length + extra_length + comment_length
    return entries


def name_faults(name):
    faults = []
    if len(name) >= MAX_NAME:
        faults.append(f"its name is {len(name)} bytes long (at most {MAX_NAME - 1})")
    if name.startswith((b"/", b"\\")):
        faults.append("its name is absolute")
    if len(name) >= 2 and name[1:2] == b":":
        faults.append("its name has a drive")
    if b"\\" in name:
        faults.append("its name has a backslash (the separator is /)")
    if b".." in name.rstrip(b"/").split(b"/"):
        faults.append('its name has a ".." component')
    return faults


def faults_of(entries):
    faults = []
    names = {entry.name for entry in entries}
    for required in REQUIRED:
        if required.encode("ascii") not in names:
            faults.append(f'"{required}": missing (the installer relies on this entry)')
    seen_folders = set()
    tops_with_folder = set()
    for entry in entries:
        shown = entry.name.decode("ascii", "backslashreplace")
        for fault in name_faults(entry.name):
            faults.append(f'"{shown}": {fault}')
        if entry.method not in (0, 8):
            faults.append(f'"{shown}": compression method {entry.method} (only 0 stored and 8 deflate)')
        if entry.flags & 0x41:
            faults.append(f'"{shown}": encrypted')
        parts = entry.name.split(b"/")
        if entry.name.endswith(b"/"):
            seen_folders.add(entry.name)
            tops_with_folder.add(parts[0])
            continue
        if len(parts) == 2 and parts[0] not in tops_with_folder:
            faults.append(f'"{shown}": comes before any folder entry under "{parts[0].decode("ascii", "replace")}/" '
                          "(a file directly in a top folder needs one before it)")
        elif len(parts) > 2:
            folder = b"/".join(parts[:-1]) + b"/"
            if folder not in seen_folders:
                faults.append(f'"{shown}": comes before the entry of its folder '
                              f'"{folder.decode("ascii", "replace")}" (or that folder has no entry)')
    return faults


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as source:
        data = source.read()
    try:
        faults = faults_of(read_entries(data))
    except (ValueError, struct.error) as error:
        faults = [str(error)]
    if faults:
        for fault in faults:
            print(f"client archive {argv[1]}: {fault}", file=sys.stderr)
        return 1
    if len(argv) == 3:
        with open(argv[2], "w") as stamp:
            stamp.write("checked\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
