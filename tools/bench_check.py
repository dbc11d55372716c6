#!/usr/bin/env python3
"""Benchmark: what each part of `make check` costs, and make check itself.

Usage: bench_check.py [--jobs J]

Runs, one after the other: the plain CTest run of build/ (labels programs and driver), the
sanitized tree's configure and build from nothing (build-san/ is removed first), and its CTest
run of the tests labelled programs; prints a table of their wall-clock and CPU times (the CPU
time of all their processes), the shared package's build, validate --mutate and verify (the
fixture tests package/build, package/validate and package/verify, inside the plain run) on
lines of their own, and their sum; then times `make check` whole, build-san/ removed again
(make check runs the sanitized tree's build and tests during the plain run, so it takes less
than the sum). The load average at the start is printed, for the figures mean little on a busy
machine. A failing part is shown as failed and the run goes on. Figures to read, never a
verdict.
"""

import argparse
import os
import re
import resource
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


def timed(argv, env=None):
    """(wall seconds, CPU seconds, status, output) of one command run in the project."""
    wall, used = time.monotonic(), cpu()
    p = subprocess.run(argv, cwd=ROOT, capture_output=True, text=True,
                       env=dict(os.environ, **(env or {})))
    return time.monotonic() - wall, cpu() - used, p.returncode, p.stdout + p.stderr


def test_times(output, names):
    """{test: seconds} of the named CTest tests, from a run's output."""
    found = {}
    for name in names:
        m = re.search(rf"Test +#\d+: {re.escape(name)} \.+\s*(\w+)\s+([\d.]+) sec", output)
        if m:
            found[name] = (float(m.group(2)), m.group(1))
    return found


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    opts = ap.parse_args()
    jobs = str(opts.jobs)
    if not os.path.isdir(os.path.join(ROOT, "build")):
        sys.exit("bench_check: build/ is not there (run make programs)")
    load = os.getloadavg()[0]
    print(f"make check, part by part ({jobs} jobs; load average {load:.2f} at the start)",
          flush=True)
    san = os.path.join(ROOT, "build-san")
    if os.path.isdir(san):
        shutil.rmtree(san)
    parts = [
        ("plain CTest run (build/)", ["ctest", "--test-dir", "build", "-LE", "deep",
                                       "--output-on-failure", "-j", jobs], None),
        ("sanitized configure", ["cmake", "-S", ".", "-B", "build-san",
                                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DSANITIZE=ON",
                                 f"-DSUBMISSIONS_FROM={os.path.join(ROOT, 'build')}"], None),
        ("sanitized build", ["cmake", "--build", "build-san", "-j", jobs], None),
        ("sanitized CTest run (programs)", ["ctest", "--test-dir", "build-san", "-L",
                                             "programs", "--output-on-failure", "-j", jobs],
         {"ASAN_OPTIONS": "detect_leaks=0"}),
    ]
    rows, package = [], {}
    for what, argv, env in parts:
        wall, used, status, output = timed(argv, env)
        rows.append((what, wall, used, "ok" if status == 0 else f"FAILED ({status})"))
        print(f"  {what}: {wall:.1f} s", flush=True)
        if what.startswith("plain"):
            package = test_times(output, ["package/build", "package/validate",
                                          "package/verify"])
    print(f"\n{'part':36} {'wall s':>8} {'CPU s':>8}  status")
    for what, wall, used, status in rows:
        print(f"{what:36} {wall:8.1f} {used:8.1f}  {status}")
    for name, (secs, status) in package.items():
        print(f"  {'of which ' + name:34} {secs:8.1f} {'':>8}  {status.lower()}")
    total = sum(r[1] for r in rows)
    print(f"{'the parts one after another':36} {total:8.1f} {sum(r[2] for r in rows):8.1f}")
    # make check itself, which runs the sanitized tree's build and tests during the plain run
    # (build-san/ is rebuilt from nothing, as on a fresh clone)
    shutil.rmtree(san)
    wall, used, status, _ = timed(["make", "check", f"JOBS={jobs}"])
    print(f"{'make check (programs built)':36} {wall:8.1f} {used:8.1f}  "
          f"{'ok' if status == 0 else f'FAILED ({status})'}")


if __name__ == "__main__":
    main()
