#!/usr/bin/env python3
"""Benchmark: the time `pset export` takes for the whole set after `pset build`.

Usage: bench_export.py [--runs R] [--tests N]

Builds the package (N generated tests a problem, default 10 as `pset build` has it) into a
temporary folder, then exports every problem R times (default 3) and prints the median wall
time of the whole command with the number of problems, tests and bytes of zips written.
A figure to read, never a test verdict.
"""

import argparse
import os
import statistics
import sys
import tempfile
import time

import harness


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--tests", type=int, default=10)
    opts = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="bench-export-") as tmp:
        out = os.path.join(tmp, "out")
        p = harness.pset("build", "--tests", str(opts.tests), "--out", out)
        if p.returncode != 0:
            print(f"bench_export: pset build failed: {p.stderr.strip()}", file=sys.stderr)
            return 2
        times = []
        for _ in range(opts.runs):
            start = time.perf_counter()
            p = harness.pset("export", "--out", out)
            times.append(time.perf_counter() - start)
            if p.returncode != 0:
                print(f"bench_export: export failed: {p.stderr.strip()}", file=sys.stderr)
                return 1
        folder = os.path.join(out, "export")
        zips = [f for f in os.listdir(folder) if f.endswith(".zip")]
        size = sum(os.path.getsize(os.path.join(folder, f)) for f in zips)
        tests = sum(len([f for f in files if f.endswith(".in")])
                    for top, _, files in os.walk(folder)
                    if os.sep + "data" + os.sep in top + os.sep)
        print(f"export of the whole set: {len(zips)} problems, {tests} tests, "
              f"{size / 1e6:.1f} MB of zips: median {statistics.median(times):.2f} s "
              f"over {opts.runs} runs (min {min(times):.2f} s, max {max(times):.2f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
