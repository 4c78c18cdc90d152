#!/usr/bin/env python3
"""Processor time of DelayWithEvents against its wall time, in a Wine sandbox.

Runs, each several times, inside probe.exe (times measured in the program:
GetProcessTimes user + kernel, and GetTickCount64; plus the time the
sandbox's wineserver spends for it, read from /proc, less what a run of
DelayWithEvents(0) costs it: under Wine every look at the message queue is a
request to the server):
  (a) DelayWithEvents(MS) with an empty queue,
  (b) DelayWithEvents(MS) with WM_QUIT waiting at the head of the queue,
  (r) the reference: a loop that polls the queue until the deadline.
Prints the median processor/wall ratio of each and (a)/(r), (b)/(r).
A polling delay is near 1; the goal for (a) and (b) is below 0.05.

usage: bench/delay_cpu.py [--runs N] [--ms MS]
  VARNESSE_BIN: the x86_64 build's bin folder (default build/x64/bin)."""
import argparse
import os
import statistics
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
os.environ.setdefault("VARNESSE_BIN", str(ROOT / "build" / "x64" / "bin"))
sys.path.insert(0, str(ROOT / "tests" / "support"))
import sandbox  # noqa: E402


TICK_MS = 1000 / os.sysconf("SC_CLK_TCK")


def server_milliseconds(box):
    """Processor time so far of the sandbox's wineserver (user + system)."""
    total = 0
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            if not (proc / "comm").read_text().startswith("wineserver"):
                continue
            if f"WINEPREFIX={box.prefix}".encode() not in (proc / "environ").read_bytes().split(b"\0"):
                continue
            fields = (proc / "stat").read_text().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) * TICK_MS
        except OSError:
            continue
    return total


def measure(box, *args):
    """(probe processor ms, wineserver processor ms, wall ms) of one run."""
    server_before = server_milliseconds(box)
    code, out, _ = box.run("probe.exe", *args)
    server = server_milliseconds(box) - server_before
    if code != 0:
        raise SystemExit(f"probe.exe {' '.join(args)} failed with {code}")
    facts = dict(part.split("=") for part in out.decode().split())
    return int(facts["cpu"]), server, int(facts["elapsed"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--ms", type=int, default=2000)
    options = parser.parse_args()
    ms = str(options.ms)
    cases = [
        ("(a) DelayWithEvents, empty queue", ("DelayWithEvents", ms)),
        ("(b) DelayWithEvents, WM_QUIT queued", ("DelayWithEvents", ms, "quit")),
        ("(r) polling reference", ("PollingDelay", ms)),
    ]
    ratios = {}
    with sandbox.Sandbox(name="bench-delay") as box:
        # Keeps one wineserver alive for the whole benchmark.
        keeper = box.start("probe.exe", "DelayWithEvents", "3600000", folder=r"C:\keeper")
        try:
            box.run("probe.exe", "DelayWithEvents", "0")
            baseline = statistics.median(measure(box, "DelayWithEvents", "0")[1] for _ in range(options.runs))
            print(f"wineserver time of a run without delay: {baseline:.0f} ms (subtracted below)")
            for label, args in cases:
                runs = [measure(box, *args) for _ in range(options.runs)]
                ratios[label] = statistics.median(
                    (cpu + max(server - baseline, 0)) / wall for cpu, server, wall in runs)
                detail = ", ".join(f"{cpu}+{max(server - baseline, 0):.0f}/{wall}" for cpu, server, wall in runs)
                print(f"{label:40s} processor/wall = {ratios[label]:.3f}   "
                      f"(probe ms + server ms / wall ms: {detail})")
        finally:
            keeper.kill()
    reference = ratios["(r) polling reference"] or 1e-9
    for label in list(ratios)[:2]:
        print(f"{label[:3]}/(r) = {ratios[label] / reference:.4f}")
    worst = max(list(ratios.values())[:2])
    print(f"goal below 0.05: {'met' if worst < 0.05 else 'NOT met'} (worst {worst:.3f})")


if __name__ == "__main__":
    main()
