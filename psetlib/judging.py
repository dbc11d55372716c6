"""Judging a command on one test of the built package, as a contest judge does: the input on
its standard input, its output against the answer (exact text, or through the problem's
checker for floating answers), its time and memory within the limits."""

import os
import tempfile
from typing import Any, Optional

from . import compare, runner
from .problems import Problem
from .programs import Programs
from .testdata import TestData

DEFAULT_TIME = 2.0    # CPU seconds
DEFAULT_MEMORY = 1024  # MB of the command's process tree (a cgroup; else per process)
DEFAULT_OUTPUT = 64   # MB of standard output or standard error

# verdict ("OK", "WA", "RE (3)", ...), CPU seconds, peak memory (KiB), detail
Verdict = tuple[str, float, int, str]


def limits(time_limit: float, memory_mb: int = DEFAULT_MEMORY,
           output_mb: int = DEFAULT_OUTPUT) -> dict[str, Any]:
    """The runner's limits of a judged run; a memory limit of 0 is none."""
    return {"time_limit": time_limit, "memory_limit": memory_mb * runner.MB or None,
            "output_limit": output_mb * runner.MB}


def judge_test(p: Problem, progs: Programs, tests: TestData, name: str, command: list[str],
               lim: dict[str, Any], scratch: str) -> Verdict:
    """Runs the command on one test, judged (in the sandbox where it can start): (verdict, CPU
    seconds, peak memory KiB, detail). The test's files are checked against the package's
    manifest before the verdict counts."""
    fd, out = tempfile.mkstemp(dir=scratch, suffix=".out")  # names that tell nothing
    os.close(fd)
    fd, err = tempfile.mkstemp(dir=scratch, suffix=".err")
    os.close(fd)
    try:
        r = runner.run(command, stdin=tests.path(name, ".in"), stdout=out, stderr=err,
                       judged=True, **lim)
        if r.verdict == "TLE" and r.cpu < lim["time_limit"]:
            # the wall-clock backstop stopped it within its CPU time: a busy machine can do
            # that to a program that computes, so it runs once more before it is TLE
            r = runner.run(command, stdin=tests.path(name, ".in"), stdout=out, stderr=err,
                           judged=True, **lim)
        ans = tests.path(name, ".ans")
        if r.verdict != "OK":
            return r.describe(), r.cpu, r.peak_kb, "" if r.verdict != "RE" else \
                r.stderr_line(60)
        diff: Optional[str]
        if p.floats:
            diff = compare.by_checker(progs.comparator(p), ans, out, err, f"test {name}")
        else:
            diff = compare.first_difference(ans, out)
        return ("WA", r.cpu, r.peak_kb, diff) if diff else ("OK", r.cpu, r.peak_kb, "")
    finally:
        for f in (out, err):
            if os.path.exists(f):
                os.unlink(f)
