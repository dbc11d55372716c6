"""pset timelimit: each problem's time limit, derived from its accepted submissions.

The limit is the slowest accepted CPU time on any test, times 2, rounded up to a whole 0.5 s,
and at least 1 s. It warns where an accepted submission runs within a factor 2 of the limit in
force, and fails where a time_limit_exceeded submission finishes within 1.5 times the limit on
every test."""

import math
import os
import re
import shutil

from . import judge, package, problems, runner, sandbox, submissions
from .common import ROOT, Stop, console

ACTION = "timelimit"
EXAMPLE = "pset timelimit demolition --write"
SUMMARY = "derive the time limits from the accepted submissions"
CAP = 60.0  # CPU seconds an accepted submission may take on one test while measured


def arguments(ap, checks):
    ap.usage = "pset timelimit [PROBLEM ...] [--write] [--out DIR] [--sandbox MODE]"
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
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    sandbox.add_option(ap)


def derive(slowest):
    """The limit for a slowest accepted CPU time: 2x, up to a whole 0.5 s, at least 1 s."""
    return max(1.0, math.ceil(slowest * 2 * 2 - 1e-9) / 2)


def write_limit(p, limit):
    """Sets `time_limit = <limit>` at the top of the problem's problem.toml, keeping the rest
    of the file as it is."""
    path = os.path.join(p.folder, "problem.toml")
    with open(path, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    text = f"time_limit = {limit:g}"
    text = f"{text:<38} # CPU seconds per test (pset timelimit)"
    top = next((i for i, l in enumerate(lines) if l.startswith("[")), len(lines))
    at = next((i for i in range(top) if re.match(r"time_limit\s*=", lines[i])), None)
    if at is not None:
        lines[at] = text
    else:
        at = next((i + 1 for i in range(top) if re.match(r"(title|order)\s*=", lines[i])), 0)
        while at < top and re.match(r"(title|order)\s*=", lines[at]):
            at += 1
        lines.insert(at, text)
    tmp = path + ".pset-new"
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("\n".join(lines))
    os.replace(tmp, path)


def run(opts, tools):
    chosen = [p for p in problems.choose(opts.problems) if p.solver]
    if not chosen:
        raise Stop("none of the named problems has a solver")
    subs = {p.name: submissions.of(p, tools) for p in chosen}
    for p in chosen:
        if p.floats:
            tools.exe("float_judge")
    out = package.resolve(opts.out)
    sandbox.setup(opts, tools.build_dir, hide=[out])
    status = 0
    scratch = os.path.join(runner.scratch(), "timelimit")
    os.makedirs(scratch, exist_ok=True)
    with package.Lock(out, False, "timelimit"):
        for p in chosen:
            names = package.check_package(out, p)
            status = max(status, one_problem(opts, tools, out, p, names, subs[p.name],
                                             scratch))
    shutil.rmtree(scratch, ignore_errors=True)
    return status


def measure(p, tools, folder, names, s, limit, scratch, stop_at_rejection=True):
    """Runs one submission on the tests: (verdicts, slowest cpu, test of the slowest)."""
    lim = {"time_limit": limit, "memory_limit": judge.DEFAULT_MEMORY * runner.MB,
           "output_limit": judge.DEFAULT_OUTPUT * runner.MB}
    verdicts, slowest, where = [], 0.0, None
    for k, name in enumerate(names, 1):
        console.where = f"at {p.name}: {s.name} on test {name}"
        console.status(f"{p.name}: {s.name} test {k} of {len(names)}")
        verdict, cpu, _, _ = judge.judge_test(p, tools, folder, name, [s.path], lim, scratch)
        verdicts.append(verdict)
        if cpu > slowest:
            slowest, where = cpu, name
        if verdict != "OK" and stop_at_rejection:
            break
    return verdicts, slowest, where


def one_problem(opts, tools, out, p, names, subs, scratch):
    folder = package.tests_dir(out, p.name)
    accepted = [s for s in subs if s.expected == "accepted"]
    slowest, who, where = 0.0, None, None
    times = {}
    for s in accepted:
        verdicts, cpu, test = measure(p, tools, folder, names, s, CAP, scratch)
        bad = next((v for v in verdicts if v != "OK"), None)
        if bad:
            console.say(f"{p.name}: accepted submission {s.name} gets {bad} on test "
                        f"{names[len(verdicts) - 1]}: no limit derived")
            return 1
        times[s.name] = (cpu, test)
        if cpu >= slowest:
            slowest, who, where = cpu, s.name, test
    derived = derive(slowest)
    current = submissions.time_limit(p)
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
        verdicts, cpu, test = measure(p, tools, folder, names, s, 1.5 * in_force, scratch)
        if "TLE" not in verdicts:
            console.say(f"{p.name}: {s.name} (time_limit_exceeded) finishes within 1.5 x "
                        f"{in_force:g} s on every test (slowest {cpu * 1000:.0f} ms on test "
                        f"{test}): the tests do not show it is too slow")
            status = 1
        else:
            console.say(f"{p.name}: {s.name} exceeds 1.5 x {in_force:g} s on test "
                        f"{names[verdicts.index('TLE')]}, as it should")
    if opts.write and current != derived:
        write_limit(p, derived)
        console.say(f"{p.name}: time_limit = {derived:g} written to {p.name}/problem.toml")
    return status
