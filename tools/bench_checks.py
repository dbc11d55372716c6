#!/usr/bin/env python3
"""Benchmark of pset's checks on the default package: its size and largest file, how long build
takes, how much of it the input validators cost, and how long validate and verify take for the
whole set.

Usage: bench_checks.py [--runs R]

Builds the default package (10 generated tests a problem) in a temporary folder, then times,
median of R runs: `pset validate` (every input through its validator), the validators' own
share of a build (their CPU time, measured by running each one on each input as build does),
and `pset verify` (every submission on every test, stopping at the first rejection, jobs on
every core). Figures to read, never test verdicts.
"""

import argparse
import os
import statistics
import sys
import tempfile
import time

import harness

from psetlib import problems, runner
from psetlib.common import human

BUILD = harness.BUILD


def pset(*args):
    start = time.perf_counter()
    p = harness.pset(*args)
    if p.returncode != 0:
        sys.exit(f"bench_checks: pset {' '.join(args)} failed: {p.stderr.strip()}")
    return time.perf_counter() - start


def validators_cpu(out):
    """CPU seconds of every validator run on every input of the package."""
    total = 0.0
    for p in problems.all_problems():
        exe = os.path.join(BUILD, "validators", p.input_check)
        folder = os.path.join(out, p.name, "tests")
        for f in sorted(os.listdir(folder)):
            if f.endswith(".in"):
                r = runner.run([exe], stdin=os.path.join(folder, f), stdout=os.devnull,
                               stderr=os.devnull)
                total += r.cpu
    return total


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--runs", type=int, default=3)
    opts = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="bench-checks-") as tmp:
        out = os.path.join(tmp, "out")
        build = pset("build", "--out", out)
        files = sum(len([f for f in os.listdir(os.path.join(out, p.name, "tests"))
                         if f.endswith(".in")]) for p in problems.all_problems())
        sizes = [(os.path.getsize(os.path.join(folder, f)), os.path.join(p.name, "tests", f))
                 for p in problems.all_problems()
                 for folder in [os.path.join(out, p.name, "tests")]
                 for f in os.listdir(folder)]
        validate = statistics.median(pset("validate", "--out", out) for _ in range(opts.runs))
        cpu = statistics.median(validators_cpu(out) for _ in range(opts.runs))
        verify = statistics.median(pset("verify", "--out", out) for _ in range(opts.runs))
    largest, where = max(sizes)
    print(f"\npset checks on the default package ({files} inputs), median of {opts.runs}, "
          f"{os.cpu_count()} cores, load average {os.getloadavg()[0]:.2f}:")
    print(f"  the package: {len(sizes)} files, {human(sum(n for n, _ in sizes))} in all; the "
          f"largest {where}, {human(largest)}   (targets: 300 MB, 30 MB)")
    print(f"  pset build (everything, wall)           {build:7.2f} s   (target: under 60 s)")
    print(f"  validators' CPU time within a build     {cpu:7.2f} s")
    print(f"  pset validate (wall, one at a time)     {validate:7.2f} s")
    print(f"  pset verify, whole set (wall)           {verify:7.2f} s   (target: under 120 s)")


if __name__ == "__main__":
    try:
        main()
    finally:
        runner.cleanup()  # the runner's scratch folder goes with the benchmark
