"""Reads a .lnk file written under Wine from Linux, independently of Wine:
the strings and flags through `lnkinfo` (Debian's liblnk-utils), the show
command and hot key straight from the fixed header (lnkinfo 20181227 prints
0 for the show command whatever the file holds).
"""
import struct
import subprocess
from pathlib import Path

# lnkinfo's labels and the names the tests use for them.
FIELDS = {
    "Local path": "target",
    "Working directory": "working",
    "Description": "description",
    "Command line arguments": "arguments",
    "Icon location": "icon",
    "Icon index": "icon_index",
}
# "Contains a ... string" lines: which strings the file carries at all.
PRESENCE = {
    "Contains a description string": "description",
    "Contains a working directory string": "working",
    "Contains a command line arguments string": "arguments",
    "Contains an icon location string": "icon",
}


def read_link(path, codepage="windows-936"):
    """A dict of the link's fields (absent strings are absent keys), plus
    'show_command', 'hot_key' and 'present' (the set of strings it carries)."""
    path = Path(path)
    out = subprocess.run(["lnkinfo", "-c", codepage, str(path)], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, check=True).stdout.decode("utf-8", "replace")
    fields = {"present": set()}
    for line in out.splitlines():
        stripped = line.strip()
        if stripped in PRESENCE:
            fields["present"].add(PRESENCE[stripped])
            continue
        label, sep, value = stripped.partition(":")
        label = label.strip()
        if sep and label in FIELDS and FIELDS[label] not in fields:
            fields[FIELDS[label]] = value[1:] if value.startswith(" ") else value
    header = path.read_bytes()[:0x4C]
    if len(header) == 0x4C and header[:4] == b"L\0\0\0":
        fields["show_command"], fields["hot_key"] = struct.unpack_from("<IH", header, 0x3C)
    return fields
