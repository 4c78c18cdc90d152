#!/usr/bin/env python3
"""Makes the client archive that the installer carries: the trading client
in "Trade/" and the quotes client in "Orvu/", as a ZIP of 154 entries.

The four client programs are the stand-in programs of the build; every other
file is made here from a fixed seed, so that the same inputs always give the
same bytes (fixed DOS times, fixed content, zlib at a fixed level).

The archive keeps the layout that the installer and its extraction rely on:
folder entries (name ending in "/", stored, attributes 0x10) before the files
inside them, a folder entry as the first entry under each top folder (which
has no entry of its own), file entries with attributes 0x20, deflate for all
but six small stored files, flags 0, version 2.0 (MS-DOS), no extra fields or
comments. Two files per top folder have sizes computed so that the folder's
compressed and expanded totals come out at fixed figures, whatever the size
of the client programs.

Usage: make_client_archive.py OUTPUT --icon ICO --talvikqarn EXE --mercavo EXE
                              --entrava EXE --renovix EXE
"""
import argparse
import random
import struct
import sys
import zlib

SEED = "varnesse-client-archive-1.0.2.2"
LEVEL = 6
DOS_TIME = (10 << 11) | (26 << 5) | (0 // 2)       # 10:26:00
DOS_DATE = ((2023 - 1980) << 9) | (6 << 5) | 18    # 2023-06-18
VERSION = 20
ATTR_FOLDER = 0x10
ATTR_FILE = 0x20

# Per top folder: (compressed bytes, expanded bytes) of all its files.
TOTALS = {"Trade/": (4_677_040, 19_718_284), "Orvu/": (3_612_949, 28_653_599)}
# Per top folder: the incompressible file and the mostly-empty file whose
# sizes are solved for so that the totals above come out exactly.
TUNED = {"Trade/": ("Trade/skin/images/login_bg.jpg", "Trade/config/sysparam.dat"),
         "Orvu/": ("Orvu/help/Orvu.chm", "Orvu/data/cache/minute.dat")}

WORDS = ("account order price volume market limit stop quote symbol session broker position "
         "margin balance trade cancel confirm window refresh server login password level depth "
         "history chart minute daily weekly index sector alert sound update version config "
         "display column layout theme color font size left right top bottom enable disable "
         "timeout retry connect address port proxy cache buffer report export import filter").split()


# Content makers: each returns exactly `size` bytes from its own generator.

def text_lines(rng, size, line):
    out = bytearray()
    number = 0
    while len(out) < size:
        number += 1
        out += line(rng, number).encode("ascii") + b"\r\n"
    return bytes(out[:size])


def ini_text(rng, size):
    def line(rng, n):
        if n % 12 == 1:
            return f"[{rng.choice(WORDS).capitalize()}{rng.choice(WORDS).capitalize()}]"
        return f"{rng.choice(WORDS).capitalize()}{rng.choice(WORDS).capitalize()}={rng.randint(0, 9999)}"
    return text_lines(rng, size, line)


def xml_text(rng, size):
    def line(rng, n):
        return (f'  <item id="{n}" name="{rng.choice(WORDS)}_{rng.choice(WORDS)}" '
                f'value="{rng.randint(0, 65535)}" enabled="{rng.choice(("true", "false"))}"/>')
    body = text_lines(rng, max(0, size - 60), line)
    data = b'<?xml version="1.0" encoding="utf-8"?>\r\n<items>\r\n' + body
    return (data + b"\r\n</items>\r\n" + b" " * size)[:size]


def prose_text(rng, size):
    def line(rng, n):
        return " ".join(rng.choice(WORDS) for _ in range(rng.randint(6, 14))).capitalize() + "."
    return text_lines(rng, size, line)


def lang_text(rng, size):
    def line(rng, n):
        return f"IDS_{rng.choice(WORDS).upper()}_{n:04d}=\"{rng.choice(WORDS).capitalize()} {rng.choice(WORDS)}\""
    return text_lines(rng, size, line)


def program_image(rng, size):
    """A library-like image: header, code built from recurring instruction
    sequences, string tables, packed data and section padding."""
    header = (b"MZ\x90\x00\x03\x00\x00\x00\x04\x00\x00\x00\xff\xff\x00\x00" + b"\x00" * 48 +
              b"This program cannot be run in DOS mode.\r\r\n$" + b"\x00" * 20)
    out = bytearray(header)
    sequences = [rng.randbytes(rng.randint(3, 14)) for _ in range(160)]
    while len(out) < size:
        kind = rng.random()
        length = rng.randint(2048, 16384)
        if kind < 0.03:
            out += rng.randbytes(length)                                  # packed data
        elif kind < 0.62:
            code = bytearray()
            while len(code) < length:
                code += rng.choice(sequences)
                if rng.random() < 0.2:
                    code += rng.randbytes(rng.randint(1, 4))              # addresses
            out += code
        elif kind < 0.80:
            out += prose_text(rng, length).replace(b"\r\n", b"\x00")     # strings
        else:
            out += b"\x00" * length                                       # section padding
    return bytes(out[:size])


def wave_sound(rng, size):
    frequency = rng.choice((440, 660, 880, 1320))
    samples = (size - 44) // 2
    pcm = bytearray()
    level = 0
    for i in range(samples):
        phase = (i * frequency * 4 // 22050) % 4                       # triangle wave
        level = (phase * 4096 - 8192) if phase < 2 else ((4 - phase) * 4096 - 8192)
        pcm += struct.pack("<h", level + rng.randint(-3, 3))
    header = (b"RIFF" + struct.pack("<I", size - 8) + b"WAVEfmt " +
              struct.pack("<IHHIIHH", 16, 1, 1, 22050, 44100, 2, 16) + b"data" + struct.pack("<I", samples * 2))
    return (header + bytes(pcm) + b"\x00")[:size]


def compressed_picture(rng, size):
    """A JPEG or PNG: a short header, then data that no longer compresses."""
    return (b"\xff\xd8\xff\xe0\x00\x10JFIF\x00" + rng.randbytes(size))[:size]


def bitmap_picture(rng, size):
    width = 256
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, 54) + struct.pack(
        "<IiiHHIIiiII", 40, width, (size - 54) // (width * 3), 1, 24, 0, 0, 2835, 2835, 0, 0)
    out = bytearray(header)
    row = 0
    while len(out) < size:
        shade = row % 256
        out += bytes((shade, (shade + row // 7) % 256, 200)) * width
        row += 1
    return bytes(out[:size])


def quote_records(rng, size):
    """Daily bars: 32-byte records of date, prices in cents, volume, amount;
    quiet days repeat the day before."""
    out = bytearray(b"OQD1" + struct.pack("<I", 32))
    price = 1000
    day = 20000101
    volume = 1000
    while len(out) < size:
        if rng.random() < 0.0005:
            price = rng.randint(300, 9000)
            day = 20000101
        day += 1
        if rng.random() < 0.15:
            price = max(100, price + rng.choice((-2, -1, 1, 2)))
            volume = rng.choice((1, 2, 3, 5)) * 1000
        out += struct.pack("<IIIIIIQ", day, price, price + 1, price - 1, price, volume, volume * price)
    return bytes(out[:size])


def preallocated_store(rng, size):
    """A store of fixed records, allocated ahead and mostly still empty."""
    out = bytearray(b"OSTR" + struct.pack("<II", 1, 256))
    for _ in range(4):
        out += rng.randbytes(64)
    return (bytes(out) + b"\x00" * size)[:size]


def binary_table(rng, size):
    out = bytearray()
    code = 600000
    while len(out) < size:
        code += rng.randint(1, 3)
        name = f"{rng.choice(WORDS)[:6]:<8}".encode("ascii")
        out += struct.pack("<I", code) + name + struct.pack("<HH", rng.randint(0, 40), 0)
    return bytes(out[:size])


def fixed(data):
    return lambda rng, size: data


def iconfig_ini(rng, size):
    return (b"[ICONFIG]\r\nVERSION=1.0.2.2\r\nSKIN=default\r\nAUTOCONNECT=1\r\nFONTSIZE=12\r\n"
            b"ORDER=\r\nBASEPATH=\r\nALERT=\r\n\r\n[SERVER]\r\nHOST0=hq1.varnesse.example:7709\r\n"
            b"HOST1=hq2.varnesse.example:7709\r\nTIMEOUT=15\r\n\r\n[WINDOW]\r\nLEFT=0\r\nTOP=0\r\n"
            b"WIDTH=1280\r\nHEIGHT=800\r\nMAXIMIZED=1\r\n")


# The entries, in archive order: (name, content maker or "program:KEY", size).
# A folder entry is a name ending in "/". Stored files are the six named in
# STORED; the others are deflated. No stand-in library bears the name of one
# that the system's own DLLs import (Wine's user32 imports zlib1.dll): the
# loader would take the stand-in from the program's folder and the client
# programs could not start from the installation.
TRADE = [
    ("Trade/Renovix-trade/", None, 0),
    ("Trade/Renovix-trade/Renovix.exe", "program:renovix", 0),
    ("Trade/Renovix-trade/Renovix.ini", ini_text, 2_150),
    ("Trade/Renovix-trade/update.ver", fixed(b"[Version]\r\nRenovix=1.0.2.2\r\nBuild=20230618\r\n"), 0),
    ("Trade/Renovix-trade/UpdateList.xml", xml_text, 18_400),
    ("Trade/Renovix-trade/libcurl.dll", program_image, 412_160),
    ("Trade/Renovix-trade/libcrypto-1_1.dll", program_image, 1_203_712),
    ("Trade/Renovix-trade/libssl-1_1.dll", program_image, 258_048),
    ("Trade/Renovix-trade/zpack.dll", program_image, 86_016),
    ("Trade/Renovix-trade/msvcp140.dll", program_image, 440_320),
    ("Trade/Renovix-trade/vcruntime140.dll", program_image, 98_304),
    ("Trade/Renovix-trade/temp/", None, 0),
    ("Trade/Renovix-trade/backup/", None, 0),
    ("Trade/Mercavo.exe", "program:mercavo", 0),
    ("Trade/Entrava.exe", "program:entrava", 0),
    ("Trade/Mercavo.ini", ini_text, 6_820),
    ("Trade/Entrava.ini", ini_text, 3_310),
    ("Trade/TradeCore.dll", program_image, 1_966_080),
    ("Trade/TradeUI.dll", program_image, 1_474_560),
    ("Trade/QuoteLink.dll", program_image, 614_400),
    ("Trade/libcurl.dll", program_image, 412_160),
    ("Trade/libcrypto-1_1.dll", program_image, 1_203_712),
    ("Trade/libssl-1_1.dll", program_image, 258_048),
    ("Trade/zpack.dll", program_image, 86_016),
    ("Trade/msvcp140.dll", program_image, 440_320),
    ("Trade/vcruntime140.dll", program_image, 98_304),
    ("Trade/sqlite3.dll", program_image, 1_062_400),
    ("Trade/libprotobuf.dll", program_image, 1_179_648),
    ("Trade/DuiLib.dll", program_image, 901_120),
    ("Trade/servers.xml", xml_text, 9_740),
    ("Trade/brokers.dat", binary_table, 120_000),
    ("Trade/version.txt", fixed(b"Varnesse Trade 1.0.2.2 build 20230618 release\r\n"), 0),
    ("Trade/license.txt", prose_text, 14_800),
    ("Trade/en-US/", None, 0),
    ("Trade/en-US/Mercavo.lang", lang_text, 96_000),
    ("Trade/en-US/Entrava.lang", lang_text, 21_000),
    ("Trade/en-US/TradeUI.resources.dll", program_image, 184_320),
    ("Trade/zh-CN/", None, 0),
    ("Trade/zh-CN/Mercavo.lang", lang_text, 88_000),
    ("Trade/zh-CN/Entrava.lang", lang_text, 19_000),
    ("Trade/zh-CN/TradeUI.resources.dll", program_image, 176_128),
    ("Trade/zh-CN/lang.id", fixed(b"LANGID=2052\r\nNAME=zh-CN\r\nCODEPAGE=936\r\n"), 0),
    ("Trade/zh-TW/", None, 0),
    ("Trade/zh-TW/Mercavo.lang", lang_text, 89_000),
    ("Trade/zh-TW/Entrava.lang", lang_text, 19_500),
    ("Trade/zh-TW/TradeUI.resources.dll", program_image, 177_152),
    ("Trade/log/", None, 0),
    ("Trade/sounds/", None, 0),
    ("Trade/sounds/order_filled.wav", wave_sound, 88_244),
    ("Trade/sounds/order_cancel.wav", wave_sound, 66_194),
    ("Trade/sounds/price_alert.wav", wave_sound, 110_294),
    ("Trade/sounds/connect_lost.wav", wave_sound, 132_344),
    ("Trade/sounds/login.wav", wave_sound, 44_144),
    ("Trade/skin/", None, 0),
    ("Trade/skin/skin.xml", xml_text, 12_300),
    ("Trade/skin/theme.dat", binary_table, 48_000),
    ("Trade/skin/images/", None, 0),
    ("Trade/skin/images/logo.png", compressed_picture, 18_230),
    ("Trade/skin/images/toolbar.png", compressed_picture, 42_118),
    ("Trade/skin/images/buttons.png", compressed_picture, 36_907),
    ("Trade/skin/images/toolbar_icons_16.png", compressed_picture, 24_551),
    ("Trade/skin/images/toolbar_icons_24.png", compressed_picture, 39_870),
    ("Trade/skin/images/login_bg.jpg", compressed_picture, None),
    ("Trade/skin/images/splash.jpg", compressed_picture, 96_512),
    ("Trade/skin/images/tabs.png", compressed_picture, 8_940),
    ("Trade/skin/images/menu.png", compressed_picture, 6_215),
    ("Trade/skin/images/checkbox_states.png", compressed_picture, 2_874),
    ("Trade/cache/", None, 0),
    ("Trade/plugins/", None, 0),
    ("Trade/plugins/RiskMonitorPlugin.dll", program_image, 327_680),
    ("Trade/plugins/AlgoOrderPlugin.dll", program_image, 405_504),
    ("Trade/plugins/ExcelExportPlugin.dll", program_image, 229_376),
    ("Trade/plugins/plugins.ini", ini_text, 640),
    ("Trade/config/", None, 0),
    ("Trade/config/layout.xml", xml_text, 22_600),
    ("Trade/config/trade_hotkeys.ini", ini_text, 3_900),
    ("Trade/config/order_columns.ini", ini_text, 5_400),
    ("Trade/config/default.ini", ini_text, 7_800),
    ("Trade/config/accounts.dat", binary_table, 16_000),
    ("Trade/config/sysparam.dat", preallocated_store, None),
]

ORVU = [
    ("Orvu/USERS/", None, 0),
    ("Orvu/USERS/alert.WAV", wave_sound, 154_394),
    ("Orvu/USERS/lastuser.dat", fixed(b"USER=guest\r\nSERVER=0\r\nSAVEPASS=0\r\nLASTLOGIN=20230618\r\n"), 0),
    ("Orvu/USERS/user.ini", ini_text, 1_280),
    ("Orvu/USERS/favorites.blk", binary_table, 3_600),
    ("Orvu/USERS/Default/", None, 0),
    ("Orvu/talvikqarn.exe", "program:talvikqarn", 0),
    ("Orvu/Pelvane.ico", "icon", 0),
    ("Orvu/ICONFIG.ini", iconfig_ini, 0),
    ("Orvu/splash.jpg", compressed_picture, 74_862),
    ("Orvu/version.dat", fixed(b"ORVU 1.0.2.2\r\nBUILD=20230618\r\nCHANNEL=release\r\n"), 0),
    ("Orvu/OrvuBase.dll", program_image, 352_256),
    ("Orvu/OrvuCore.dll", program_image, 1_024_000),
    ("Orvu/OrvuChart.dll", program_image, 819_200),
    ("Orvu/OrvuData.dll", program_image, 573_440),
    ("Orvu/OrvuNet.dll", program_image, 491_520),
    ("Orvu/OrvuFormula.dll", program_image, 409_600),
    ("Orvu/libcurl.dll", program_image, 412_160),
    ("Orvu/zpack.dll", program_image, 86_016),
    ("Orvu/sqlite3.dll", program_image, 860_160),
    ("Orvu/msvcp140.dll", program_image, 440_320),
    ("Orvu/vcruntime140.dll", program_image, 98_304),
    ("Orvu/mfc140u.dll", program_image, 983_040),
    ("Orvu/connect.cfg", ini_text, 2_760),
    ("Orvu/servers.ini", ini_text, 4_120),
    ("Orvu/Orvu.cfg", binary_table, 9_600),
    ("Orvu/readme.txt", prose_text, 5_200),
    ("Orvu/data/", None, 0),
    ("Orvu/data/market.dat", quote_records, 8_013_664),
    ("Orvu/data/stocks.lst", binary_table, 320_000),
    ("Orvu/data/sh/", None, 0),
    ("Orvu/data/sh/security_codes.dat", binary_table, 212_000),
    ("Orvu/data/sh/day/", None, 0),
    ("Orvu/data/sz/", None, 0),
    ("Orvu/data/sz/security_codes.dat", binary_table, 236_000),
    ("Orvu/data/sz/day/", None, 0),
    ("Orvu/data/cache/", None, 0),
    ("Orvu/data/cache/quotes.idx", preallocated_store, 2_097_152),
    ("Orvu/data/cache/minute.dat", preallocated_store, None),
    ("Orvu/data/export/", None, 0),
    ("Orvu/data/blocks/", None, 0),
    ("Orvu/data/blocks/industry_sectors.blk", binary_table, 88_000),
    ("Orvu/data/blocks/concept_themes.blk", binary_table, 132_000),
    ("Orvu/data/blocks/region_provinces.blk", binary_table, 44_000),
    ("Orvu/data/news/", None, 0),
    ("Orvu/data/news/headlines_today.dat", prose_text, 600_000),
    ("Orvu/data/news/news.idx", binary_table, 96_000),
    ("Orvu/formula/", None, 0),
    ("Orvu/formula/system.fml", prose_text, 186_000),
    ("Orvu/formula/technical_indicators.fml", prose_text, 94_000),
    ("Orvu/formula/custom/", None, 0),
    ("Orvu/syscfg/", None, 0),
    ("Orvu/syscfg/scheme.dat", binary_table, 24_000),
    ("Orvu/syscfg/color_scheme.ini", ini_text, 3_600),
    ("Orvu/syscfg/hotkeys.ini", ini_text, 4_400),
    ("Orvu/syscfg/layout.dat", preallocated_store, 65_536),
    ("Orvu/syscfg/flag.dat", fixed(b"FIRSTRUN=1\r\nAGREEMENT=1\r\nTIPS=1\r\nGUIDE=0\r\nREPORT=0\r\nSYNC=1\r\n"), 0),
    ("Orvu/help/", None, 0),
    ("Orvu/help/Orvu.chm", compressed_picture, None),
    ("Orvu/help/keyboard_shortcuts.txt", prose_text, 6_400),
    ("Orvu/skin/", None, 0),
    ("Orvu/skin/toolbar.bmp", bitmap_picture, 393_270),
    ("Orvu/skin/icons.bmp", bitmap_picture, 196_662),
    ("Orvu/skin/background.jpg", compressed_picture, 61_440),
    ("Orvu/skin/skin.ini", ini_text, 2_100),
    ("Orvu/update/", None, 0),
    ("Orvu/update/OrvuUpdate.exe", program_image, 524_288),
    ("Orvu/update/update.ini", ini_text, 980),
    ("Orvu/update/update_filelist.xml", xml_text, 14_200),
    ("Orvu/uninst/", None, 0),
    ("Orvu/uninst/uninst.exe", program_image, 143_360),
    ("Orvu/uninst/uninst.dat", binary_table, 12_800),
    ("Orvu/plugins/", None, 0),
    ("Orvu/temp/", None, 0),
]

STORED = {"Trade/Renovix-trade/update.ver", "Trade/version.txt", "Trade/zh-CN/lang.id",
          "Orvu/USERS/lastuser.dat", "Orvu/version.dat", "Orvu/syscfg/flag.dat"}


def deflate(data):
    compressor = zlib.compressobj(LEVEL, zlib.DEFLATED, -15, 8, zlib.Z_DEFAULT_STRATEGY)
    return compressor.compress(data) + compressor.flush()


class Entry:
    def __init__(self, name, data):
        self.name = name
        self.data = data
        self.folder = name.endswith("/")
        self.method = 0 if self.folder or name in STORED else 8
        self.packed = data if self.method == 0 else deflate(data)


def make_entry(name, maker, size, inputs):
    if maker is None:
        return Entry(name, b"")
    if isinstance(maker, str):
        key = maker.split(":")[-1]
        return Entry(name, inputs[key])
    return Entry(name, maker(random.Random(f"{SEED}:{name}"), size))


def solve_tuned(top, table, inputs):
    """Makes the top folder's entries, sizing its two tuned files so that the
    folder's files add up to the fixed compressed and expanded totals."""
    dense_name, sparse_name = TUNED[top]
    entries = {}
    for name, maker, size in table:
        if size is not None:
            entries[name] = make_entry(name, maker, size, inputs)
    fixed_packed = sum(len(e.packed) for e in entries.values())
    fixed_size = sum(len(e.data) for e in entries.values())
    packed_target, size_target = TOTALS[top]
    makers = {name: maker for name, maker, _ in table}
    # The dense file adds about one compressed byte per byte, the sparse file
    # almost none: the sparse file takes what the dense file leaves of the
    # expanded total; find a dense size whose compressed total fits exactly,
    # starting from the estimate that a first trial gives.
    def trial(dense_size):
        sparse_size = size_target - fixed_size - dense_size
        dense = make_entry(dense_name, makers[dense_name], dense_size, inputs)
        sparse = make_entry(sparse_name, makers[sparse_name], sparse_size, inputs)
        return dense, sparse, fixed_packed + len(dense.packed) + len(sparse.packed)

    first = packed_target - fixed_packed
    if first <= 0:
        raise SystemExit(f"make_client_archive: the files of {top} already exceed its compressed total")
    estimate = first + packed_target - trial(first)[2]
    for step in range(4_000):
        dense_size = estimate + (step + 1) // 2 * (1 if step % 2 else -1)
        if dense_size <= 0 or dense_size >= size_target - fixed_size:
            continue
        dense, sparse, packed = trial(dense_size)
        if packed == packed_target:
            entries[dense_name] = dense
            entries[sparse_name] = sparse
            return [entries[name] for name, _, _ in table]
    raise SystemExit(f"make_client_archive: no sizes fit the totals of {top}")


def local_header(entry, crc):
    return struct.pack("<IHHHHHIIIHH", 0x04034B50, VERSION, 0, entry.method, DOS_TIME, DOS_DATE, crc,
                       len(entry.packed), len(entry.data), len(entry.name), 0)


def central_header(entry, crc, offset):
    return struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, VERSION, VERSION, 0, entry.method, DOS_TIME,
                       DOS_DATE, crc, len(entry.packed), len(entry.data), len(entry.name), 0, 0, 0, 0,
                       ATTR_FOLDER if entry.folder else ATTR_FILE, offset)


def archive_bytes(entries):
    body = bytearray()
    directory = bytearray()
    for entry in entries:
        name = entry.name.encode("ascii")
        crc = zlib.crc32(entry.data)
        offset = len(body)
        body += local_header(entry, crc) + name + entry.packed
        directory += central_header(entry, crc, offset) + name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    return bytes(body + directory + end)


def main(argv):
    parser = argparse.ArgumentParser(description="Makes the client archive.")
    parser.add_argument("output")
    parser.add_argument("--icon", required=True)
    for key in ("talvikqarn", "mercavo", "entrava", "renovix"):
        parser.add_argument(f"--{key}", required=True)
    args = parser.parse_args(argv[1:])
    inputs = {}
    with open(args.icon, "rb") as source:
        inputs["icon"] = source.read()
    for key in ("talvikqarn", "mercavo", "entrava", "renovix"):
        with open(getattr(args, key), "rb") as source:
            inputs[key] = source.read()
    entries = solve_tuned("Trade/", TRADE, inputs) + solve_tuned("Orvu/", ORVU, inputs)
    data = archive_bytes(entries)
    with open(args.output, "wb") as out:
        out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
