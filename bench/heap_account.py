#!/usr/bin/env python3
"""Where the heap goes: the program over the walk through every window, and the bare window,
each under heaptrack, their peak heap by what allocated it (a function, or the library when
it has no symbols). Needs heaptrack (Debian package heaptrack).

    python3 bench/heap_account.py [--build build]
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run  # noqa: E402

PEAK = re.compile(r"^([0-9.]+)([KMG]?)B? peak memory consumed over \d+ calls from$")
UNIT = {"": 1 / 1024, "K": 1, "M": 1024, "G": 1024 * 1024}


def peaks(data):
    """Total peak heap and the peak of each allocating place, in KiB."""
    out = subprocess.run(["heaptrack_print", "-f", data, "--print-peaks", "1", "--print-allocators", "0",
                          "--print-temporary", "0", "--print-leaks", "0", "--print-histogram", "0",
                          "--peak-limit", "1000"], capture_output=True, text=True, check=True).stdout
    lines = out.splitlines()
    total = next(line for line in lines if line.startswith("peak heap memory consumption:"))
    places = {}
    for i, line in enumerate(lines):
        m = PEAK.match(line)
        if m and i + 2 < len(lines):
            place = lines[i + 1].strip()
            if place.startswith("0x"):
                place = lines[i + 2].strip()
            places[place] = places.get(place, 0.0) + float(m.group(1)) * UNIT[m.group(2)]
    return total.split(":", 1)[1].strip(), places


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    args = parser.parse_args()
    if not shutil.which("heaptrack"):
        sys.exit("heap_account: heaptrack is missing (apt-get install heaptrack)")
    out = tempfile.mkdtemp(prefix="vantrel-heap-")
    run.RUNTIME_DIR = tempfile.mkdtemp(prefix="vantrel-bench-")
    os.chmod(run.RUNTIME_DIR, 0o700)
    xvfb = run.Xvfb()
    run.XENV = run.qt_env(xvfb.display)
    bare = os.path.join(args.build, "bench", "bench_bare_window")
    try:
        run.walk(args.build, xvfb.display, ["heaptrack", "-o", os.path.join(out, "program")])
        proc = subprocess.Popen(["heaptrack", "-o", os.path.join(out, "bare"), bare], env=run.qt_env(xvfb.display),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(8)  # up and painted, as slow as it is under heaptrack
        subprocess.run(["pkill", "-TERM", "-f", bare])
        proc.wait(timeout=30)
    finally:
        xvfb.stop()
    time.sleep(1)  # heaptrack finishes its file after the program has gone
    program_total, program = peaks(os.path.join(out, "program.zst"))
    bare_total, base = peaks(os.path.join(out, "bare.zst"))
    print(f"peak heap: program {program_total}, bare window {bare_total}")
    print(f"{'program KiB':>12} {'bare KiB':>9}  allocated by")
    for place, kib in sorted(program.items(), key=lambda item: -item[1])[:20]:
        print(f"{kib:12.0f} {base.get(place, 0.0):9.0f}  {place[:100]}")
    shutil.rmtree(out, ignore_errors=True)
    shutil.rmtree(run.RUNTIME_DIR, ignore_errors=True)


if __name__ == "__main__":
    main()
