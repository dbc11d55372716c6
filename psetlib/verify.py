"""pset verify: the package is valid, and every submission gets the verdict its folder says.

Each submission runs on the tests in the package's order under the problem's time limit, with
the judge's runner; a rejected submission stops at its first rejected test unless --all."""

import concurrent.futures
import os
import shutil
import threading

from . import judge, package, problems, runner, sandbox, submissions, validate
from .common import ROOT, Stop, console

ACTION = "verify"
EXAMPLE = "pset verify demolition rounding --jobs 2"
SUMMARY = "check that every submission gets its expected verdict"


def arguments(ap, checks):
    ap.usage = ("pset verify [PROBLEM ...] [--all] [--jobs J] [--memory-limit MB] "
                "[--out DIR] [--sandbox MODE]")
    ap.description = (
        "Validates the built package, then runs every submission of each problem (the "
        "reference and second solvers as accepted, and <problem>/submissions/<verdict>/*.cpp "
        "as built into build/submissions/) on every test with the problem's time limit "
        "(time_limit in problem.toml, CPU seconds). One row per submission: its name, its "
        "expected verdict, one letter per test (A accepted, W wrong answer, T time limit, "
        "M memory limit, O output limit, R run-time error, - not run) and its slowest time; "
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
                    default=judge.DEFAULT_MEMORY, metavar="MB",
                    help=f"memory of a submission in MB (its process tree where a cgroup can "
                    f"be made, else per process), 0 for none (default {judge.DEFAULT_MEMORY})")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    sandbox.add_option(ap)


def run(opts, tools):
    chosen = [p for p in problems.choose(opts.problems) if p.solver]
    if not chosen:
        raise Stop("none of the named problems has a solver, so none has submissions")
    limits = {}
    subs = {}
    for p in chosen:
        limits[p.name] = submissions.time_limit(p)
        if limits[p.name] is None:
            raise Stop(f"{p.name} has no time_limit in its problem.toml (pset timelimit "
                       f"{p.name} --write derives one)")
        subs[p.name] = submissions.of(p, tools)
        if p.floats:
            tools.exe("float_judge")
    out = package.resolve(opts.out)
    sandbox.setup(opts, tools.build_dir, bool(opts.memory_limit), hide=[out])
    with package.Lock(out, False, "verify"):
        tests = {}
        for p in chosen:
            tests[p.name] = package.check_package(out, p)
            folder = package.tests_dir(out, p.name)
            files = [(f"{p.name}/tests/{n}.in", os.path.join(folder, n + ".in"))
                     for n in tests[p.name]]
            bad, _, _ = validate.check_files(p, tools, files, False)
            if bad:
                for line in bad:
                    console.say(f"{p.name}: invalid: {line}")
                console.say("the package is not valid: nothing verified")
                return 1
        console.say(f"package valid: {sum(len(t) for t in tests.values())} tests of "
                    f"{len(chosen)} problems")
        return _verify(opts, tools, out, chosen, tests, limits, subs)


def _verify(opts, tools, out, chosen, tests, limits, subs):
    scratch = os.path.join(runner.scratch(), "verify")
    os.makedirs(scratch, exist_ok=True)
    mem = opts.memory_limit * runner.MB or None
    jobs = [(p, s) for p in chosen for s in subs[p.name]]
    lock = threading.Lock()
    done = [0]

    def one(p, s):
        """Runs one submission; returns (letters, slowest cpu seconds)."""
        folder = package.tests_dir(out, p.name)
        names = tests[p.name]
        own = os.path.join(scratch, f"{p.name}.{s.expected}.{s.name}")
        os.makedirs(own, exist_ok=True)
        lim = {"time_limit": limits[p.name], "memory_limit": mem,
               "output_limit": judge.DEFAULT_OUTPUT * runner.MB}
        letters, slowest = "", 0.0
        for name in names:
            verdict, cpu, _, _ = judge.judge_test(p, tools, folder, name, [s.path], lim, own)
            c = submissions.letter(verdict)
            letters += c
            slowest = max(slowest, min(cpu, limits[p.name]) if c == "T" else cpu)
            if c != "A" and not opts.all:
                break
        shutil.rmtree(own, ignore_errors=True)
        with lock:
            done[0] += 1
            console.status(f"verify: {done[0]} of {len(jobs)} submissions")
        return letters.ljust(len(names), "-"), slowest

    results = {}
    with concurrent.futures.ThreadPoolExecutor(opts.jobs) as pool:
        futures = {}
        try:
            for p, s in jobs:
                futures[p.name, s.expected, s.name] = pool.submit(one, p, s)
            for key, f in futures.items():
                console.where = f"verifying {key[0]}: {key[2]}"
                while True:
                    try:
                        results[key] = f.result(timeout=0.1)
                        break
                    except concurrent.futures.TimeoutError:
                        continue
        except BaseException:
            for f in futures.values():
                f.cancel()
            runner.kill_all(refuse_new=True)  # no worker starts another test
            raise
    console.where = ""
    shutil.rmtree(scratch, ignore_errors=True)
    return report(chosen, subs, results, limits)


def report(chosen, subs, results, limits):
    wrong = 0
    width = max(len(s.name) for p in chosen for s in subs[p.name])
    vwidth = max(len(v) for v in submissions.VERDICTS)
    for p in chosen:
        console.say(f"{p.name} (time limit {limits[p.name]:g} s):")
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
    console.say(f"verify: {'every submission as expected' if not wrong else f'{wrong} submissions not as expected'}")
    return 1 if wrong else 0
