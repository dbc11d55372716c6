"""pset timelimit: each problem's time limit, derived from its accepted submissions.

The limit is the slowest accepted CPU time on any test, times 2, rounded up to a whole 0.5 s,
and at least 1 s. It warns where an accepted submission runs within a factor 2 of the limit in
force, and fails where a time_limit_exceeded submission finishes within 1.5 times the limit on
every test."""

import argparse
import math
import os
import re
import shutil
from typing import Any, Optional

from .. import judging, limits, package, problems, runner, sandbox, submissions, validator
from ..common import Stop, console
from ..problems import Problem
from ..programs import Programs
from ..testdata import TestData

ACTION = "timelimit"
EXAMPLE = "pset timelimit demolition --write"
SUMMARY = "derive the time limits from the accepted submissions"
CAP = 60.0  # CPU seconds an accepted submission may take on one test while measured


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = ("pset timelimit [PROBLEM ...] [--write] [--memory-limit MB] [--out DIR] "
                "[--sandbox MODE]")
    ap.description = (
        "Runs every accepted submission (the reference and second solvers among them) on "
        "every test of the built package, one at a time, and derives the time limit: the "
        "slowest CPU time on any test, times 2, rounded up to a whole 0.5 s, at least 1 s. "
        "Warns where an accepted submission runs within a factor 2 of the limit in force; "
        "fails (status 1) where a time_limit_exceeded submission finishes within 1.5 times "
        "the limit on every test. --write puts the derived limit into problem.toml as "
        "time_limit.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems (default: all with a solver); one of: " +
                    ", ".join(problems.names()))
    ap.add_argument("--write", action="store_true",
                    help="write the derived limit into each problem's problem.toml")
    ap.add_argument("--memory-limit", type=checks.int_range(0, 1 << 20),
                    default=judging.DEFAULT_MEMORY, metavar="MB",
                    help=f"memory of a submission in MB (its process tree where a cgroup can "
                    f"be made, else per process), 0 for none, e.g. for a sanitized build "
                    f"(default {judging.DEFAULT_MEMORY})")
    checks.out(ap)
    sandbox.add_option(ap)


def derive(slowest: float) -> float:
    """The limit for a slowest accepted CPU time: 2x, up to a whole 0.5 s, at least 1 s."""
    return max(1.0, math.ceil(slowest * 2 * 2 - 1e-9) / 2)


def write_limit(manifest: str, limit: float) -> None:
    """Sets `time_limit = <limit>` at the top of a problem.toml, keeping the rest of the file
    as it is."""
    with open(manifest, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    text = f"time_limit = {limit:g}"
    text = f"{text:<38} # CPU seconds per test (pset timelimit)"
    top = next((i for i, line in enumerate(lines) if line.startswith("[")), len(lines))
    at = next((i for i in range(top) if re.match(r"time_limit\s*=", lines[i])), None)
    if at is not None:
        lines[at] = text
    else:
        at = next((i + 1 for i in range(top) if re.match(r"(title|order)\s*=", lines[i])), 0)
        while at < top and re.match(r"(title|order)\s*=", lines[at]):
            at += 1
        lines.insert(at, text)
    tmp = manifest + ".pset-new"
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("\n".join(lines))
    os.replace(tmp, manifest)


def run(opts: argparse.Namespace, progs: Programs) -> int:
    chosen = [p for p in problems.choose(opts.problems) if p.solver]
    if not chosen:
        raise Stop("none of the named problems has a solver")
    subs = {p.name: submissions.of(p, progs) for p in chosen}
    for p in chosen:
        if p.floats:
            progs.comparator(p)
    place = package.Place(opts.out)
    sandbox.setup(opts, progs.build_dir, bool(opts.memory_limit), hide=[place.real])
    status = 0
    scratch = os.path.join(runner.scratch(), "timelimit")
    os.makedirs(scratch, exist_ok=True)
    with package.Lock(place, False, "timelimit"):
        opened = [(p, package.open_tests(place, p)) for p in chosen]  # all whole, to begin
        for p, tests in opened:
            status = max(status, one_problem(opts, progs, p, tests, subs[p.name], scratch))
    shutil.rmtree(scratch, ignore_errors=True)
    return status


def held(p: Problem, progs: Programs, tests: TestData,
         s: submissions.Submission) -> list[str]:
    """The tests a submission runs on: all of them, or for a second solver that holds less
    than the problem's limits, those within its capacity (as the validator reports them)."""
    if not s.capacity:
        return tests.names
    inputs = ((n, tests.read(n, ".in")) for n in tests.names)
    each: dict[str, limits.Reached] = {}
    validator.check_inputs(progs.validator(p), inputs, False, each)
    return [n for n in tests.names if n in each and limits.within(s.capacity, each[n])]


def measure(p: Problem, progs: Programs, tests: TestData, s: submissions.Submission,
            limit: float, memory: int, scratch: str) -> tuple[list[str], float, Optional[str]]:
    """Runs one submission on the tests up to its first rejection, under `limit` CPU seconds
    and `memory` MB: (verdicts, slowest cpu, test of the slowest)."""
    lim = judging.limits(limit, memory)
    verdicts: list[str] = []
    slowest, where = 0.0, None
    names = held(p, progs, tests, s)
    for k, name in enumerate(names, 1):
        console.where = f"at {p.name}: {s.name} on test {name}"
        console.status(f"{p.name}: {s.name} test {k} of {len(names)}")
        verdict, cpu, _, _ = judging.judge_test(p, progs, tests, name, [s.path], lim, scratch)
        verdicts.append(verdict)
        if cpu > slowest:
            slowest, where = cpu, name
        if verdict != "OK":
            break
    return verdicts, slowest, where


def one_problem(opts: argparse.Namespace, progs: Programs, p: Problem, tests: TestData,
                subs: list[submissions.Submission], scratch: str) -> int:
    accepted = [s for s in subs if s.expected == "accepted"]
    slowest, who, where = 0.0, "", None
    times = {}
    for s in accepted:
        verdicts, cpu, test = measure(p, progs, tests, s, CAP, opts.memory_limit, scratch)
        bad = next((v for v in verdicts if v != "OK"), None)
        if bad:
            console.say(f"{p.name}: accepted submission {s.name} gets {bad} on test "
                        f"{held(p, progs, tests, s)[len(verdicts) - 1]}: no limit derived")
            return 1
        times[s.name] = (cpu, test)
        if cpu >= slowest:
            slowest, who, where = cpu, s.name, test
    derived = derive(slowest)
    current = p.time_limit
    in_force = derived if opts.write or current is None else current
    shown = "none" if current is None else f"{current:g} s"
    console.say(f"{p.name}: slowest accepted {slowest * 1000:.0f} ms ({who} on test {where}); "
                f"derived limit {derived:g} s; problem.toml has {shown}")
    status = 0
    for s in accepted:
        cpu, test = times[s.name]
        if cpu * 2 > in_force:
            console.say(f"{p.name}: warning: accepted {s.name} takes {cpu * 1000:.0f} ms on "
                        f"test {test}, within a factor 2 of the limit {in_force:g} s")
    for s in (s for s in subs if s.expected == "time_limit_exceeded"):
        verdicts, cpu, test = measure(p, progs, tests, s, 1.5 * in_force, opts.memory_limit,
                                      scratch)
        if "TLE" not in verdicts:
            console.say(f"{p.name}: {s.name} (time_limit_exceeded) finishes within 1.5 x "
                        f"{in_force:g} s on every test (slowest {cpu * 1000:.0f} ms on test "
                        f"{test}): the tests do not show it is too slow")
            status = 1
        else:
            console.say(f"{p.name}: {s.name} exceeds 1.5 x {in_force:g} s on test "
                        f"{held(p, progs, tests, s)[verdicts.index('TLE')]}, as it should")
    if opts.write and current != derived:
        write_limit(p.manifest, derived)
        console.say(f"{p.name}: time_limit = {derived:g} written to {p.manifest}")
    return status
