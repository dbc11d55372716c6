#!/usr/bin/env python3
"""Benchmark of stress runs on small made cases, and of shrinking a failing file.

Usage: bench_stress.py [--seconds S] [--jobs J]

1. Cases checked per second: rounds of one file of N made cases each (max_size 8), on J
   workers (default 2); a round makes the file with the problem's maker, runs the reference
   solver and a second program on it (Segment demolition: its second solver; Grade rounding,
   which has none: the reference solver again, as a command under test would run) and compares
   the answers. Printed for a few N, S seconds each (default 3).
2. Shrinking: a file of 1000 made cases against a command that spoils one answer (the
   reference solver with its answer 7 turned into 8, or a rounding answer 10 into 11), shrunk
   by psetlib/shrink.py through real runs; printed: the time, the checks made, the result.

Figures to read, never verdicts.
"""

import argparse
import concurrent.futures
import os
import random
import shlex
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_makers import MAKERS  # noqa: E402

from psetlib import shrink  # noqa: E402

PAIRS = {"demolition": ("demolish_solver", "demolish_solver_dsu"),
         "rounding": ("rounding_solver", "rounding_solver")}
SPOILS = {"demolition": ("demolish_solver", "s/^7$/8/"),
          "rounding": ("rounding_solver", "s/^10$/11/")}


def answer(prog, path):
    with open(path, "rb") as fin, tempfile.TemporaryFile() as fout:
        p = subprocess.run([prog], stdin=fin, stdout=fout, stderr=subprocess.DEVNULL)
        fout.seek(0)
        return p.returncode, fout.read()


def one_round(problem, seed, cases, tmpdir):
    text = MAKERS[problem].make(random.Random(seed), cases, 8)
    path = os.path.join(tmpdir, f"{threading.get_ident()}.in")
    with open(path, "w") as fh:
        fh.write(text)
    ref, other = (harness.program(p) for p in PAIRS[problem])
    a, b = answer(ref, path), answer(other, path)
    if a != b or a[0] != 0:
        raise SystemExit(f"{problem}: seed {seed}: the answers differ")
    return cases


def rate(problem, cases, seconds, jobs):
    done = 0
    seed = 0
    start = time.monotonic()
    with tempfile.TemporaryDirectory() as tmpdir, \
            concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        running = set()
        while time.monotonic() - start < seconds or running:
            while len(running) < 2 * jobs and time.monotonic() - start < seconds:
                running.add(pool.submit(one_round, problem, seed, cases, tmpdir))
                seed += 1
            finished, running = concurrent.futures.wait(
                running, return_when=concurrent.futures.FIRST_COMPLETED)
            done += sum(f.result() for f in finished)
    return done / (time.monotonic() - start), seed


def shrink_time(problem):
    solver, script = SPOILS[problem]
    solver = harness.program(solver)
    spoilt = ["sh", "-c", f"{shlex.quote(solver)} | sed {shlex.quote(script)}"]
    calls = [0]

    def fails(text):
        calls[0] += 1
        data = text.encode()
        want = subprocess.run([solver], input=data, capture_output=True).stdout
        got = subprocess.run(spoilt, input=data, capture_output=True).stdout
        return None if got == want else "WA"

    maker = MAKERS[problem]
    for seed in range(100):  # the first seed whose file the spoiling command fails
        text = maker.make(random.Random(seed), 1000, 8)
        if fails(text):
            break
    calls[0] = 0
    start = time.monotonic()
    small = shrink.shrink(maker, text, fails)
    return time.monotonic() - start, calls[0], small


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--seconds", type=float, default=3.0)
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args()
    load = ", ".join(f"{x:.1f}" for x in os.getloadavg())
    print(f"stress on made cases (max_size 8), {args.jobs} jobs, target 20000 cases/s; "
          f"load average {load}")
    print(f"{'problem':<12} {'cases/file':>10} {'rounds':>7} {'cases/s':>9}")
    for problem in PAIRS:
        for cases in (100, 1000, 4000):
            per_s, rounds = rate(problem, cases, args.seconds, args.jobs)
            print(f"{problem:<12} {cases:>10} {rounds:>7} {per_s:>9.0f}", flush=True)
    print("\nshrinking a failing file of 1000 made cases, target under 5 s")
    for problem in SPOILS:
        secs, calls, small = shrink_time(problem)
        shown = small.replace("\n", " | ")
        print(f"{problem:<12} {secs:6.2f} s {calls:4d} checks  shrunk: {shown}", flush=True)


if __name__ == "__main__":
    main()
