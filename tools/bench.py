#!/usr/bin/env python3
"""Benchmark: times the programs on large inputs and prints a table.

Usage: bench.py [--runs R] [--bin DIR] [PROGRAM ...]

Every problem folder may hold a bench_inputs.py with a function inputs() that returns a list of
(program, label, text) triples: `text` is the input (bytes or str), or None for a generator,
which then runs with its clock pinned. A row may carry a fourth item, the program's argument
list (float_judge's two files); files among the arguments count as input. Each row is run R
times (default 5) with the input read from a file and the output thrown away; the table gives
the median wall time, the throughput (input bytes, or output bytes for a generator, per second)
and the peak resident memory. An input of 64 KB or more is also run with its cases twice over
(the count doubled, the cases repeated; argument files twice over): the last column is the
ratio of the two times, about 2 (less, by the start-up cost) when the cost grows linearly.
Only the named programs run when names are given.

Then (alone with --pset) the judge's own figures: its overhead per test over the judged
command's own CPU time, on a package of one test, without the sandbox (bench_sandbox.py
compares the two); pset's peak memory while it judges a
command that prints 200 MB (on stdout, then on stderr) or `yes`, and while it stresses with
10^8 rounds asked (stopped by SIGINT after 5 s).
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile
import subprocess
import time

import harness

from psetlib import problems  # noqa: E402
from psetlib.common import human  # noqa: E402


def load_inputs():
    found = []
    for p in problems.all_problems():
        path = os.path.join(p.folder, "bench_inputs.py")
        if os.path.isfile(path):
            found += problems.load_script(path).inputs()
    return found


def run_once(runstat, prog, stdin_path, env, args=()):
    """One run: (seconds, output bytes, peak memory in KiB, status)."""
    with tempfile.NamedTemporaryFile() as fout:
        p = subprocess.run([runstat, stdin_path or os.devnull, fout.name, prog, *args],
                           capture_output=True, text=True, env=env, check=True)
        secs, peak, status = p.stdout.split()
        return float(secs), os.path.getsize(fout.name), int(peak), int(status)


def measure(runstat, exe, data, args, runs):
    """Median seconds, output bytes, peak KiB and status of `runs` runs on one input (None: a
    generator, run with its clock pinned)."""
    with tempfile.NamedTemporaryFile() as tmp:
        env = None
        if data is None:
            env = harness.clock_env(1765000000)
            path = None
        else:
            tmp.write(data)
            tmp.flush()
            path = tmp.name
        got = [run_once(runstat, exe, path, env, args) for _ in range(runs)]
    bad = [r[3] for r in got if r[3] != 0]
    return (statistics.median(r[0] for r in got), got[0][1], max(r[2] for r in got),
            bad[0] if bad else 0)


def doubled(data):
    """A test stream with its cases twice over: the count doubled, the cases repeated. An empty
    input (the program reads files named by its arguments) stays empty; None when the input
    does not start with a case count."""
    if not data.strip():
        return data
    first = data.split(None, 1)[0]
    if not first.isdigit():
        return None
    body = data[data.index(first) + len(first):]
    if not body.endswith(b"\n"):
        body += b"\n"
    return str(2 * int(first)).encode() + body + body


def doubled_file(path):
    """A copy of a file of numbers, twice over; the caller removes it."""
    with open(path, "rb") as fh:
        data = fh.read()
    fd, name = tempfile.mkstemp()
    with os.fdopen(fd, "wb") as fh:
        fh.write(data + (b"" if data.endswith(b"\n") else b"\n") + data)
    return name


def bare_run(argv, stdin_path):
    """(wall, CPU) seconds of one bare spawn-and-wait of a command (no limits, no checks)."""
    t = time.perf_counter()
    with open(stdin_path, "rb") as fin, open(os.devnull, "wb") as fout:
        pid = os.posix_spawn(argv[0], argv, os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, fin.fileno(), 0),
                                           (os.POSIX_SPAWN_DUP2, fout.fileno(), 1)])
        _, _, ru = os.wait4(pid, 0)
    return time.perf_counter() - t, ru.ru_utime + ru.ru_stime


def judged_and_bare(p, progs, tests, solver, limits, folder, n):
    """n turns of judging test 01 with `solver` as pset judge does, each followed by a bare
    spawn-and-wait of it: lists of (judged wall, reported CPU, bare wall, bare CPU) seconds."""
    from psetlib import judging, runner
    walls, cpus, bares, owns = [], [], [], []
    scratch = os.path.join(runner.scratch(), "judge")
    os.makedirs(scratch, exist_ok=True)
    for _ in range(n):
        t = time.perf_counter()
        verdict, cpu, _, _ = judging.judge_test(p, progs, tests, "01", [solver], limits, scratch)
        walls.append(time.perf_counter() - t)
        cpus.append(cpu)
        assert verdict == "OK", verdict
        bare, own = bare_run([solver], os.path.join(folder, "01.in"))
        bares.append(bare)
        owns.append(own)
    return walls, cpus, bares, owns


def bench_pset(runstat, runs):
    """The judge's overhead per test and pset's peak memory under a flood of output."""
    from psetlib import judging, package, programs, runner, sandbox
    pset = os.path.join(harness.ROOT, "pset")
    build_dir = os.path.dirname(os.path.abspath(harness.BIN_DIR))
    tmp = tempfile.mkdtemp(prefix="bench-pset-")
    try:
        out = os.path.join(tmp, "out")
        subprocess.run([sys.executable, pset, "--build-dir", build_dir, "build", "--tests", "0",
                        "--out", out, "rings"], check=True, stdout=subprocess.DEVNULL)
        folder = os.path.join(out, "rings", "tests")
        solver = harness.program("ring_solver")
        progs = programs.Programs(build_dir)
        sandbox.configure("off", build_dir)  # as pset judge --sandbox off runs it
        p = problems.get("rings")
        tests = package.open_tests(package.Place(out), p)
        limits = judging.limits(2.0, 1024, 64)
        n = max(20, 10 * runs)
        walls, cpus, bares, owns = judged_and_bare(p, progs, tests, solver, limits, folder, n)
        runner.cleanup()
        wall, cpu, own, bare = (statistics.median(x) * 1000 for x in (walls, cpus, owns, bares))
        print(f"\npset judge, one test of rings, ring_solver, median of {n}:")
        print(f"  wall per judged test {wall:7.2f} ms   command's own CPU {own:6.2f} ms   "
              f"overhead {wall - own:6.2f} ms (target < 5 ms)")
        print(f"  of which a bare spawn-and-wait of the command costs {bare - own:6.2f} ms; "
              f"pset's own share {wall - bare:6.2f} ms; CPU time it reports {cpu:6.2f} ms")
        rows = [("200 MB on stdout", "head -c 200000000 /dev/zero"),
                ("200 MB on stderr", "head -c 200000000 /dev/zero >&2"),
                ("yes, 64 MB output limit", "yes")]
        print("pset's peak memory, judging a flood of output and stressing without end (the "
              "largest of pset and its commands, from wait4):")
        for label, script in rows:
            limit = ["--output-limit", "64" if script == "yes" else "256"]
            with tempfile.NamedTemporaryFile() as fout:
                r = subprocess.run([runstat, os.devnull, fout.name, sys.executable, pset,
                                    "--build-dir", build_dir, "judge", "rings", "--out", out,
                                    "--time-limit", "6", *limit, "--", "sh", "-c", script],
                                   capture_output=True, text=True, check=True)
                secs, peak, status = r.stdout.split()
                with open(fout.name) as fh:
                    verdict = fh.read().splitlines()[1].split()[1]
            print(f"  {label:<26} peak {int(peak) / 1024:7.1f} MB (target < 100 MB)   "
                  f"verdict {verdict:<4} {float(secs):6.2f} s")
        stopper = shutil.which("timeout")
        if stopper:
            with tempfile.NamedTemporaryFile() as fout:
                r = subprocess.run([runstat, os.devnull, fout.name, stopper, "-s", "INT", "5",
                                    sys.executable, pset, "--build-dir", build_dir, "stress",
                                    "demolition", "--rounds", "100000000", "--out", tmp],
                                   capture_output=True, text=True, check=True)
                secs, peak, _ = r.stdout.split()
            print(f"  {'stress, 10^8 rounds asked':<26} peak {int(peak) / 1024:7.1f} MB (target "
                  f"< 100 MB)   stopped by SIGINT after {float(secs):.1f} s")
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--bin", default=harness.BIN_DIR)
    ap.add_argument("--pset", action="store_true", help="only the judge's own figures")
    ap.add_argument("programs", nargs="*")
    opts = ap.parse_args()
    harness.BIN_DIR = opts.bin
    runstat = os.path.join(os.path.dirname(os.path.abspath(opts.bin)), "tools", "runstat")
    if not os.access(runstat, os.X_OK):
        print(f"bench: {runstat} is not built", file=sys.stderr)
        return 2
    if opts.pset:
        bench_pset(runstat, opts.runs)
        return 0
    failed = False
    print(f"{'program':<22} {'input':<34} {'size':>9} {'median':>9} {'MB/s':>8} {'peak':>8} "
          f"{'x2 input':>9}")
    for row in load_inputs():
        prog, label, text = row[:3]
        args = list(row[3]) if len(row) > 3 else []
        if opts.programs and prog not in opts.programs:
            continue
        try:
            exe = harness.program(prog)
        except FileNotFoundError as exc:
            print(f"bench: {exc}", file=sys.stderr)
            return 2
        data = text.encode() if isinstance(text, str) else text
        secs, out, peak, status = measure(runstat, exe, data, args, opts.runs)
        if status != 0:
            print(f"bench: {prog} on {label} exited with status {status}", file=sys.stderr)
            failed = True
        size = (len(data) if data is not None else out) + sum(
            os.path.getsize(a) for a in args if os.path.isfile(a))
        rate = size / secs / 1e6 if secs > 0 else float("inf")
        # Linear cost: the same input twice over should take about twice as long.
        growth = ""
        if data is not None and size >= 64000:
            twice = doubled(data), [doubled_file(a) for a in args]
            if twice[0] is not None:
                secs2 = measure(runstat, exe, twice[0], twice[1], opts.runs)[0]
                growth = f"{secs2 / secs:.2f}x" if secs > 0 else ""
            for a in twice[1]:
                os.unlink(a)
        print(f"{prog:<22} {label:<34} {human(size):>9} {secs * 1000:>7.1f}ms {rate:>8.1f} "
              f"{peak / 1024:>6.1f}MB {growth:>9}", flush=True)
    if not opts.programs:
        bench_pset(runstat, opts.runs)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
