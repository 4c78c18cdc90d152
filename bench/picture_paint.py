#!/usr/bin/env python3
"""Cost of painting the QR picture box against decoding its PNG, in a Wine
sandbox: the picture is decoded once when it is loaded, so each paint pays
only for blending and stretching. Prints the microseconds per decode (the
reference, measured in the same run) and per paint of the 128 x 128 box in
display mode 1, and paint/decode: what a paint costs as a share of one
decode. Decoding at every paint would cost (1 + decode/paint) times as much.

usage: bench/picture_paint.py [--count N] [--picture PNG]
  VARNESSE_BIN: the x86_64 build's bin folder (default build/x64/bin)."""
import argparse
import os
import shutil
import statistics
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
os.environ.setdefault("VARNESSE_BIN", str(ROOT / "build" / "x64" / "bin"))
sys.path.insert(0, str(ROOT / "tests" / "support"))
import sandbox  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--picture", default=str(ROOT / "build" / "x64" / "payload" / "QrPicture.png"))
    options = parser.parse_args()
    decodes, paints = [], []
    with sandbox.Sandbox(name="bench-picture") as box:
        shutil.copyfile(options.picture, box.drives["d"] / "picture.png")
        for _ in range(options.runs):
            code, out, _ = box.run("probe.exe", "TimePicturePaint", r"D:\picture.png", options.count)
            if code != 0:
                print("probe failed", code)
                return 1
            decode, paint = (float(v) for v in out.split())
            decodes.append(decode)
            paints.append(paint)
    decode, paint = statistics.median(decodes), statistics.median(paints)
    print(f"decode {decode:.0f} us, paint {paint:.0f} us (median of {options.runs} runs of {options.count})")
    print(f"paint/decode {paint / decode:.3f}; decoding at every paint would cost {1 + decode / paint:.1f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
