"""Reads the resources of a PE file (any of PE32 and PE32+) from its bytes:
what a test needs to check the manifest, version, icon and cursor
resources of a program without running it."""
import struct
from pathlib import Path

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 1, 3, 12, 14, 16, 24


def resources(path):
    """{(type, name): [(language, bytes)]} for every resource with a numeric
    type; names are numbers or strings."""
    data = Path(path).read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    section_table = optional + struct.unpack_from("<H", data, pe + 20)[0]

    def offset_of(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, section_table + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw
        raise ValueError("rva outside every section")

    if not resource_rva:
        return {}
    root = offset_of(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            if name & 0x80000000:
                at = root + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                name = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for kind, kind_target in entries(root):
        for name, name_target in entries(root + (kind_target & 0x7FFFFFFF)):
            for language, leaf in entries(root + (name_target & 0x7FFFFFFF)):
                rva, size = struct.unpack_from("<II", data, root + leaf)
                start = offset_of(rva)
                found.setdefault((kind, name), []).append((language, data[start:start + size]))
    return found


def version_strings(block):
    """The string values of a VS_VERSIONINFO block: {key: value}."""
    values = {}

    def walk(at, end):
        while at + 6 <= end:
            length, value_length, kind = struct.unpack_from("<HHH", block, at)
            if length == 0:
                break
            key_end = at + 6
            while block[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = block[at + 6:key_end].decode("utf-16-le")
            value_at = (key_end + 2 + 3) & ~3
            if kind == 1 and value_length and key not in ("StringFileInfo", "VarFileInfo"):
                text = block[value_at:value_at + 2 * value_length].decode("utf-16-le")
                values[key] = text.rstrip("\0")
            elif key in ("StringFileInfo",) or (len(key) == 8 and kind == 1 and value_length == 0):
                walk(value_at, at + length)
            at = (at + length + 3) & ~3

    length, value_length = struct.unpack_from("<HH", block, 0)
    fixed_at = (6 + len("VS_VERSION_INFO\0".encode("utf-16-le")) + 3) & ~3
    values["_fixed"] = block[fixed_at:fixed_at + value_length]
    walk((fixed_at + value_length + 3) & ~3, length)
    return values
