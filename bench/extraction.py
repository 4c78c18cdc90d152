#!/usr/bin/env python3
"""Extraction benchmark: in one run on the same machine, the client archive is
extracted
  (a) by ExtractArchive (probe.exe BenchExtractArchive) in a Wine sandbox,
  (b) by Info-ZIP unzip natively into a fresh folder,
  (c) by extraction_floor.exe in the same sandbox: zlib inflate and WriteFile
      only, no folders, times or attributes;
each at least 5 times. Prints the medians, the ratios (a)/(c) and (a)/(b),
and the peak working set of (a), also for an archive whose one entry is far
larger than the client archive's largest, to show that memory does not grow
with the entry's size.

Times of (a) and (c) are measured inside the program (Wine's start-up is
left out); (b) is the wall time of the native process.

usage: bench/extraction.py [--runs N] [--archive ZIP]
  VARNESSE_BIN: the x86_64 build's bin folder (default build/x64/bin)."""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
os.environ.setdefault("VARNESSE_BIN", str(ROOT / "build" / "x64" / "bin"))
sys.path.insert(0, str(ROOT / "tests" / "support"))
import sandbox  # noqa: E402

BIN = Path(os.environ["VARNESSE_BIN"])


def large_entry_archive(path, megabytes):
    """One deflated entry of `megabytes` MiB that compresses about 3:1."""
    rng = random.Random(1)
    words = [bytes(rng.choice(b"abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 9))) for _ in range(4096)]
    chunk = b" ".join(rng.choice(words) for _ in range(200000))
    data = (chunk * (megabytes * 1048576 // len(chunk) + 1))[:megabytes * 1048576]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("big/", b"")
        archive.writestr("big/large.bin", data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--archive", default=str(BIN.parent / "payload" / "ClientArchive.zip"))
    options = parser.parse_args()
    runs = max(5, options.runs)
    archive = Path(options.archive)
    if not archive.exists():
        sys.exit(f"no client archive at {archive}: build the payloads first")

    extract_a, floor_c, unzip_b, peaks = [], [], [], []
    with sandbox.Sandbox(name="bench-extraction") as box:
        d = box.drives["d"]
        (d / "bench").mkdir()
        shutil.copy(archive, d / "bench" / "client.zip")
        floor = BIN / "extraction_floor.exe"
        for run in range(runs):
            code, out, _ = box.run("probe.exe", "BenchExtractArchive", r"D:\bench\client.zip", rf"D:\bench\a{run}")
            result, milliseconds, peak = out.split()
            if code != 0 or result != b"1":
                sys.exit(f"ExtractArchive failed: {out!r}")
            extract_a.append(float(milliseconds))
            peaks.append(int(peak))
            code, out, _ = box.run(floor, r"D:\bench\client.zip", rf"D:\bench\c{run}")
            if code != 0:
                sys.exit(f"extraction_floor failed: {out!r}")
            floor_c.append(float(out.split()[0]))
            with tempfile.TemporaryDirectory(prefix="unzip-", dir=box.root) as fresh:
                started = time.perf_counter()
                subprocess.run(["unzip", "-q", "-o", str(archive), "-d", fresh], check=True)
                unzip_b.append((time.perf_counter() - started) * 1000)
            shutil.rmtree(d / "bench" / f"a{run}")
            shutil.rmtree(d / "bench" / f"c{run}")

        large = d / "bench" / "large.zip"
        large_entry_archive(large, 64)
        code, out, _ = box.run("probe.exe", "BenchExtractArchive", r"D:\bench\large.zip", r"D:\bench\large")
        large_result, _, large_peak = out.split()

    a, b, c = (statistics.median(x) for x in (extract_a, unzip_b, floor_c))
    fastest_a, fastest_b, fastest_c = (min(x) for x in (extract_a, unzip_b, floor_c))
    mib = 1048576
    print(f"client archive: {archive} ({archive.stat().st_size} bytes), {runs} runs each")
    print(f"(a) ExtractArchive under Wine     median {a:8.1f} ms   runs {' '.join(f'{x:.0f}' for x in extract_a)}")
    print(f"(b) Info-ZIP unzip, native        median {b:8.1f} ms   runs {' '.join(f'{x:.0f}' for x in unzip_b)}")
    print(f"(c) inflate+WriteFile floor, Wine median {c:8.1f} ms   runs {' '.join(f'{x:.0f}' for x in floor_c)}")
    print(f"(a)/(c) = {a / c:.2f}   (goal <= 1.3; fastest runs: {fastest_a / fastest_c:.2f})")
    print(f"(a)/(b) = {a / b:.2f}   (fastest runs: {fastest_a / fastest_b:.2f})")
    print(f"peak working set of (a): {statistics.median(peaks) / mib:.1f} MiB (largest entry 7.6 MiB)")
    print(f"peak working set of (a) on one 64 MiB entry: {int(large_peak) / mib:.1f} MiB (result {large_result.decode()})")


if __name__ == "__main__":
    main()
