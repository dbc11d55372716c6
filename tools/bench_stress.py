#!/usr/bin/env python3
"""Benchmark of `pset stress` on small made cases, and of shrinking a failing file.

Usage: bench_stress.py [--rounds R] [--jobs J]

1. Cases checked per second: `pset stress PROBLEM --rounds R --jobs J` (default 100 rounds of
   1000 made cases, 2 jobs), timed from its start to its end, pset's own start included; once
   with --max-size 8 and once with the default sizes (rounds cycling through max sizes 8, 30,
   300). Segment demolition checks its second solver; Grade rounding, which has none, the
   reference solver again as a command under test (`-- rounding_solver`).
2. Shrinking: `pset stress PROBLEM --cases 1000 --max-size 8 --jobs 1` against a command that
   spoils one answer (the reference solver with its answer 7 turned into 8, or a rounding
   answer 10 into 11); printed: the time pset reports for shrinking the first failing file,
   its checks and the shrunk input.

Figures to read, never verdicts.
"""

import argparse
import os
import re
import shlex
import tempfile
import time

import harness

CASES = 1000
CHECKED = {"demolition": [], "rounding": ["--", "rounding_solver"]}
SPOILS = {"demolition": ("demolish_solver", "s/^7$/8/"),
          "rounding": ("rounding_solver", "s/^10$/11/")}


def stress(out, *args):
    return harness.pset("stress", *args, "--out", out)


def command(extra):
    return [harness.program(a) if a != "--" else a for a in extra]


def rate(problem, rounds, jobs, sizes, out):
    extra = command(CHECKED[problem])
    start = time.monotonic()
    p = stress(out, problem, "--rounds", str(rounds), "--jobs", str(jobs), "--seed", "1",
               *sizes, *extra)
    took = time.monotonic() - start
    if p.returncode != 0:
        raise SystemExit(f"{problem}: pset stress failed: {p.stdout}{p.stderr}")
    return rounds * CASES / took, took


def shrink_time(problem, out):
    solver, script = SPOILS[problem]
    spoilt = f"{shlex.quote(harness.program(solver))} | sed {shlex.quote(script)}"
    p = stress(out, problem, "--cases", str(CASES), "--max-size", "8", "--jobs", "1",
               "--seed", "0", "--rounds", "100", "--", "sh", "-c", spoilt)
    m = re.search(r"^shrunk from (.*) in ([0-9.]+) s \(([0-9]+) checks\)", p.stdout, re.M)
    if p.returncode != 1 or not m:
        raise SystemExit(f"{problem}: no shrunk failure: {p.stdout}{p.stderr}")
    shown = p.stdout.split("shrunk input:\n", 1)[1].split("reproducer kept")[0]
    shown = " | ".join(l.strip() for l in shown.splitlines())
    seed = re.search(r"^mismatch under seed ([0-9]+)", p.stdout, re.M).group(1)
    return float(m.group(2)), int(m.group(3)), m.group(1), seed, shown


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--rounds", type=int, default=100)
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args()
    load = ", ".join(f"{x:.1f}" for x in os.getloadavg())
    print(f"pset stress on made cases ({CASES} a file, {args.rounds} rounds), {args.jobs} jobs, "
          f"target 20000 cases/s; load average {load}")
    print(f"{'problem':<12} {'max sizes':>10} {'seconds':>8} {'cases/s':>9}")
    with tempfile.TemporaryDirectory() as out:
        for problem in CHECKED:
            for label, sizes in (("8", ["--max-size", "8"]), ("8/30/300", [])):
                per_s, took = rate(problem, args.rounds, args.jobs, sizes, out)
                print(f"{problem:<12} {label:>10} {took:>8.2f} {per_s:>9.0f}", flush=True)
        print(f"\nshrinking the first failing file of {CASES} made cases (max size 8), "
              "target under 5 s")
        for problem in SPOILS:
            secs, checks, count, seed, shown = shrink_time(problem, out)
            print(f"{problem:<12} seed {seed:>3} {secs:5.1f} s {checks:4d} checks, {count}: "
                  f"{shown}", flush=True)


if __name__ == "__main__":
    main()
