"""pset verify: the package is valid, and every submission gets the verdict its folder says.

Each submission runs on the tests in the package's order under the problem's time limit, with
the judge's runner; a rejected submission stops at its first rejected test unless --all."""

import argparse
import os
import shutil
import threading
from typing import Any

from .. import (judging, limits, package, problems, runner, sandbox, submissions, validator,
               workers)
from ..common import Stop, console
from ..problems import Problem
from ..programs import Programs
from ..testdata import TestData

ACTION = "verify"
EXAMPLE = "pset verify demolition rounding --jobs 2"
SUMMARY = "check that every submission gets its expected verdict"

Job = tuple[Problem, submissions.Submission]


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = ("pset verify [PROBLEM ...] [--all] [--jobs J] [--memory-limit MB] "
                "[--out DIR] [--sandbox MODE]")
    ap.description = (
        "Validates the built package, then runs every submission of each problem (the "
        "reference and second solvers as accepted, and <problem>/submissions/<verdict>/*.cpp "
        "as built into build/submissions/) on every test with the problem's time limit "
        "(time_limit in problem.toml, CPU seconds). One row per submission: its name, its "
        "expected verdict, one letter per test (A accepted, W wrong answer, T time limit, "
        "M memory limit, O output limit, R run-time error, - not run: after its first "
        "rejection, or past what a second solver holds) and its slowest time; "
        "'!' marks a submission whose verdict is not its folder's. A wrong submission must "
        "get its folder's verdict at its first rejected test. Exit status 1 when any "
        "submission is not as expected.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to verify (default: all with a solver); one of: " +
                    ", ".join(problems.names()))
    ap.add_argument("--all", action="store_true",
                    help="run every submission on every test (default: a rejected one stops "
                    "at its first rejected test)")
    ap.add_argument("--jobs", type=checks.int_range(1, 256), default=os.cpu_count() or 1,
                    metavar="J", help="submissions run at once (default: the cores, "
                    f"{os.cpu_count() or 1} here)")
    ap.add_argument("--memory-limit", type=checks.int_range(0, 1 << 20),
                    default=judging.DEFAULT_MEMORY, metavar="MB",
                    help=f"memory of a submission in MB (its process tree where a cgroup can "
                    f"be made, else per process), 0 for none (default "
                    f"{judging.DEFAULT_MEMORY})")
    checks.out(ap)
    sandbox.add_option(ap)


def run(opts: argparse.Namespace, progs: Programs) -> int:
    chosen = [p for p in problems.choose(opts.problems) if p.solver]
    if not chosen:
        raise Stop("none of the named problems has a solver, so none has submissions")
    subs = {}
    for p in chosen:
        if p.time_limit is None:
            raise Stop(f"{p.name} has no time_limit in its problem.toml (pset timelimit "
                       f"{p.name} --write derives one)")
        subs[p.name] = submissions.of(p, progs)
        if p.floats:
            progs.comparator(p)
    place = package.Place(opts.out)
    sandbox.setup(opts, progs.build_dir, bool(opts.memory_limit), hide=[place.real])
    with package.Lock(place, False, "verify"):
        tests = {p.name: package.open_tests(place, p) for p in chosen}
        reached: dict[str, dict[str, limits.Reached]] = {}
        for p in chosen:
            t = tests[p.name]
            inputs = ((f"{t.shown}/{n}.in", t.read(n, ".in")) for n in t.names)
            each: dict[str, limits.Reached] = {}
            bad, _, _ = validator.check_inputs(progs.validator(p), inputs, False, each)
            reached[p.name] = {n: each.get(f"{t.shown}/{n}.in", {}) for n in t.names}
            if bad:
                for line in bad:
                    console.say(f"{p.name}: invalid: {line}")
                console.say("the package is not valid: nothing verified")
                return 1
        console.say(f"package valid: {sum(len(t.names) for t in tests.values())} tests of "
                    f"{len(chosen)} problems")
        results = _verify(opts, progs, chosen, tests, subs, reached)
    return report(chosen, subs, results)


def _verify(opts: argparse.Namespace, progs: Programs, chosen: list[Problem],
            tests: dict[str, TestData], subs: dict[str, list[submissions.Submission]],
            reached: dict[str, dict[str, limits.Reached]]
            ) -> dict[tuple[str, str, str], tuple[str, float]]:
    scratch = os.path.join(runner.scratch(), "verify")
    os.makedirs(scratch, exist_ok=True)
    jobs = [(p, s) for p in chosen for s in subs[p.name]]
    lock = threading.Lock()
    done = [0]

    def one(job: Job) -> tuple[str, float]:
        """Runs one submission; returns (letters, slowest cpu seconds)."""
        p, s = job
        assert p.time_limit is not None
        t = tests[p.name]
        own = os.path.join(scratch, f"{p.name}.{s.expected}.{s.name}")
        os.makedirs(own, exist_ok=True)
        lim = judging.limits(p.time_limit, opts.memory_limit)
        letters, slowest = "", 0.0
        for name in t.names:
            if not limits.within(s.capacity, reached[p.name][name]):
                letters += "-"  # past what this second solver holds
                continue
            verdict, cpu, _, _ = judging.judge_test(p, progs, t, name, [s.path], lim, own)
            c = submissions.letter(verdict)
            letters += c
            slowest = max(slowest, min(cpu, p.time_limit) if c == "T" else cpu)
            if c != "A" and not opts.all:
                break
        shutil.rmtree(own, ignore_errors=True)
        with lock:
            done[0] += 1
            console.status(f"verify: {done[0]} of {len(jobs)} submissions")
        return letters.ljust(len(t.names), "-"), slowest

    results = {}

    def keep(job: Job, result: tuple[str, float]) -> None:
        results[job[0].name, job[1].expected, job[1].name] = result

    workers.each_in_order(opts.jobs, jobs, one, keep,
                          lambda job, k: f"verifying {job[0].name}: {job[1].name}")
    console.where = ""
    shutil.rmtree(scratch, ignore_errors=True)
    return results


def report(chosen: list[Problem], subs: dict[str, list[submissions.Submission]],
           results: dict[tuple[str, str, str], tuple[str, float]]) -> int:
    wrong = 0
    width = max(len(s.name) for p in chosen for s in subs[p.name])
    vwidth = max(len(v) for v in submissions.VERDICTS)
    for p in chosen:
        console.say(f"{p.name} (time limit {p.time_limit:g} s):")
        for line in limits.waived(p):
            console.say(f"  waived: {line}")
        for s in subs[p.name]:
            if s.capacity:
                held = ", ".join(f"{k} <= {limits.number_text(v)}" for k, v in s.capacity.items())
                console.say(f"  {s.name} runs only on the tests within {held}")
        bad = 0
        for s in subs[p.name]:
            letters, slowest = results[p.name, s.expected, s.name]
            good = submissions.as_expected(s.expected, letters)
            bad += not good
            mark = "" if good else "  ! not " + s.expected.replace("_", " ")
            console.say(f"  {s.name:<{width}}  {s.expected:<{vwidth}}  {letters}  "
                        f"{slowest * 1000:6.0f} ms{mark}")
        wrong += bad
        n = len(subs[p.name])
        console.say(f"{p.name}: {n - bad} of {n} submissions as expected" +
                    ("" if not bad else f", {bad} not"))
    console.say("verify: " + ("every submission as expected" if not wrong
                              else f"{wrong} submissions not as expected"))
    return 1 if wrong else 0
