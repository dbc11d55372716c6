#!/usr/bin/env python3
"""Benchmark: what the sandbox of judged commands costs.

Usage: bench_sandbox.py [--runs R] [--tests N]

- The judge's overhead per test over the command's own CPU time: one small test of Ring
  count judged again and again with ring_solver (as pset judge does it, one box serving test
  after test), with the sandbox and without (targets: under 10 ms with, under 5 ms without);
  beside it the wall time of a bare spawn-and-wait of the same command, and the first test's
  time, which starts the box.
- pset verify of the default package (N generated tests a problem, default 10, built into a
  temporary folder), with the sandbox and without, R runs each (default 3) taken in turns,
  their medians and ratio (target: within 1.3x).
Figures to read, never test verdicts; the machine's other work moves them, so each comes with
the load average (1, 5 and 15 minutes) when it was taken.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import harness
from bench import judged_and_bare
from psetlib import cgroup, judging, package, problems, programs, runner, sandbox

PSET = os.path.join(harness.ROOT, "pset")
BUILD = os.path.dirname(os.path.abspath(harness.BIN_DIR))


def load():
    return "load average " + " ".join(f"{x:.2f}" for x in os.getloadavg())


def per_test(out, count):
    """{mode: (median wall of a judged test, median CPU it reports, wall of the first)} and the
    bare figures."""
    progs = programs.Programs(BUILD)
    p = problems.get("rings")
    folder = os.path.join(out, "rings", "tests")
    tests = package.open_tests(package.Place(out), p)
    solver = harness.program("ring_solver")
    limits = judging.limits(2.0, 1024, 64)
    found = {}
    bares, owns = [], []
    for mode in ("require", "off"):
        sandbox.configure(mode, BUILD)
        walls, cpus, b, o = judged_and_bare(p, progs, tests, solver, limits, folder, count)
        bares += b
        owns += o
        found[mode] = statistics.median(walls[1:]), statistics.median(cpus), walls[0]
    runner.cleanup()
    return found, statistics.median(bares), statistics.median(owns)


def verify(out, runs):
    """{mode: (median, min, max seconds)} of `runs` runs of pset verify in each mode, taken
    in turns so that a change of the machine's load touches both alike."""
    times = {"require": [], "off": []}
    for _ in range(runs):
        for mode in times:
            start = time.perf_counter()
            p = subprocess.run([sys.executable, PSET, "--build-dir", BUILD, "verify", "--out",
                                out, "--sandbox", mode], capture_output=True, text=True)
            times[mode].append(time.perf_counter() - start)
            if p.returncode != 0:
                raise SystemExit(f"bench_sandbox: verify --sandbox {mode} failed: "
                                 f"{(p.stderr or p.stdout).strip()[-300:]}")
    return {m: (statistics.median(t), min(t), max(t)) for m, t in times.items()}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--tests", type=int, default=10)
    opts = ap.parse_args()
    sandbox.configure("off", BUILD)
    ok, why = sandbox.usable()
    if not ok:
        print(f"bench_sandbox: no sandbox here ({why}): nothing to compare")
        return 0
    kind, why = cgroup.probe()
    memory = f"cgroup {kind}, the whole tree" if kind else f"per process ({why})"
    print(f"sandbox: bubblewrap; memory: {memory}")
    with tempfile.TemporaryDirectory(prefix="bench-sandbox-") as tmp:
        out = os.path.join(tmp, "out")
        p = subprocess.run([sys.executable, PSET, "--build-dir", BUILD, "build", "--tests",
                            str(opts.tests), "--out", out], capture_output=True, text=True)
        if p.returncode != 0:
            print(f"bench_sandbox: pset build failed: {p.stderr.strip()}", file=sys.stderr)
            return 2
        count = max(30, 20 * opts.runs)
        before = load()
        found, bare, own = per_test(out, count)
        print(f"pset judge, one test of rings, ring_solver, median of {count} ({before}; "
              f"after: {load()}); the command's own CPU {own * 1000:.2f} ms, a bare "
              f"spawn-and-wait {bare * 1000:.2f} ms wall:")
        for mode, target in (("require", 10), ("off", 5)):
            wall, cpu, first = found[mode]
            label = "with the sandbox" if mode == "require" else "without the sandbox"
            print(f"  {label:<20} wall per test {wall * 1000:6.2f} ms   overhead "
                  f"{(wall - own) * 1000:6.2f} ms (target < {target} ms)   CPU reported "
                  f"{cpu * 1000:5.2f} ms   first test {first * 1000:6.2f} ms")
        before = load()
        times = verify(out, opts.runs)
        boxed, plain = times["require"], times["off"]
        print(f"pset verify of the default package ({opts.tests} generated tests a problem), "
              f"median of {opts.runs} ({before}; after: {load()}):")
        for label, (med, lo, hi) in (("with the sandbox", boxed), ("without", plain)):
            print(f"  {label:<20} {med:6.2f} s (min {lo:.2f}, max {hi:.2f})")
        print(f"  ratio {boxed[0] / plain[0]:.2f}x (target within 1.3x)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
