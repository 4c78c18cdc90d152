"""Reads the few facts of a PE file that the product tests check."""
import struct
from pathlib import Path

MACHINE_I386 = 0x14C
SUBSYSTEM_GUI = 2


def pe_facts(path):
    data = Path(path).read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    machine, sections, timestamp = struct.unpack_from("<HHI", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    section_table = optional + struct.unpack_from("<H", data, pe + 20)[0]

    def offset_of(rva):
        for i in range(sections):
            entry = section_table + 40 * i
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, entry + 8)
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw
        raise ValueError("rva outside every section")

    dlls = []
    if import_rva:
        at = offset_of(import_rva)
        while True:
            name_rva = struct.unpack_from("<I", data, at + 12)[0]
            if name_rva == 0:
                break
            start = offset_of(name_rva)
            dlls.append(data[start:data.index(b"\0", start)].decode("ascii").lower())
            at += 20
    return {"machine": machine, "timestamp": timestamp, "subsystem": subsystem,
            "sections": sections, "dlls": dlls, "size": len(data)}
