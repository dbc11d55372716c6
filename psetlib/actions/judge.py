"""pset judge: runs a command on every test of the built package and judges it."""

import argparse
import os
import shutil
from typing import Any

from .. import judging, package, problems, runner, sandbox, workers
from ..common import Stop, console
from ..programs import Programs

ACTION = "judge"
EXAMPLE = "pset judge shuttle --time-limit 1 -- ./my_shuttle"
TAKES_COMMAND = True
SUMMARY = "judge a solution on the built package"
VERDICT_WIDTH = 14  # "RE (SIGSEGV)", "RE (255)"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = ("pset judge PROBLEM [--time-limit S] [--memory-limit MB] [--output-limit MB] "
                "[--jobs J] [--out DIR] [--sandbox MODE] -- COMMAND ...")
    ap.description = (
        "Runs COMMAND on every test of the built package of PROBLEM, the test's input on its "
        "standard input, and judges its standard output against the answer (exact text, or "
        "number by number with the problem's checker where the answers are floating). A test's "
        "time is the CPU time of every process the command started, waited for or not; a "
        "command that sleeps is "
        "stopped at twice the time limit plus one second of wall-clock time. Verdicts: OK, WA "
        "(with the first differing line), TLE, MLE, OLE, RE (exit status or signal). Every "
        "process the command started is killed when its test ends. A test file that is not "
        "as the package's manifest records it stops the run. The command runs in a sandbox "
        "(bubblewrap): no network, the system read-only, the project and the package out of "
        "sight, a private working folder; its memory limit is on its whole process tree where "
        "a cgroup can be made.")
    ap.add_argument("problem", metavar="PROBLEM", type=checks.problem,
                    help="one of: " + ", ".join(problems.names()))
    ap.add_argument("--time-limit", type=checks.seconds(0.001, 600),
                    default=judging.DEFAULT_TIME, metavar="S",
                    help=f"CPU seconds per test (default {judging.DEFAULT_TIME:g})")
    ap.add_argument("--memory-limit", type=checks.int_range(0, 1 << 20),
                    default=judging.DEFAULT_MEMORY, metavar="MB",
                    help=f"MB of memory for the command's whole process tree (a cgroup; else "
                    f"each process's address space), 0 for none, e.g. for a sanitized build "
                    f"(default {judging.DEFAULT_MEMORY})")
    ap.add_argument("--output-limit", type=checks.int_range(1, 1 << 20),
                    default=judging.DEFAULT_OUTPUT, metavar="MB",
                    help=f"MB the command may write to stdout or stderr; more is OLE (default "
                    f"{judging.DEFAULT_OUTPUT})")
    ap.add_argument("--jobs", type=checks.int_range(1, 256), default=1, metavar="J",
                    help="tests judged at once (default 1, so that times stay steady; more "
                    "jobs share the cores and times grow)")
    checks.out(ap)
    sandbox.add_option(ap)
    checks.command_help(ap, "the solution to judge, with its arguments (required)")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    p = problems.get(opts.problem)
    if not opts.command:
        raise Stop("judge needs a command after --, e.g. pset judge "
                   f"{p.name} -- ./my_solution")
    if not p.solver:
        raise Stop(f"{p.name} has no reference answers to judge against")
    if p.floats:
        progs.comparator(p)
    runner.check_startable(opts.command)
    place = package.Place(opts.out)
    sandbox.setup(opts, progs.build_dir, bool(opts.memory_limit), hide=[place.real])
    with package.Lock(place, False, "judge"):
        tests = package.open_tests(place, p)
        lim = judging.limits(opts.time_limit, opts.memory_limit, opts.output_limit)
        scratch = os.path.join(runner.scratch(), "judge")
        os.makedirs(scratch, exist_ok=True)
        width = max(4, max(len(n) for n in tests.names))
        ok = [0]

        def work(name: str) -> judging.Verdict:
            return judging.judge_test(p, progs, tests, name, opts.command, lim, scratch)

        def row(name: str, result: judging.Verdict) -> None:
            verdict, cpu, peak_kb, detail = result
            if name == tests.names[0]:
                console.say(f"{'test':<{width}}  {'verdict':<{VERDICT_WIDTH}} {'time':>9} "
                            f"{'memory':>9}  detail")
            shown = f">{opts.time_limit * 1000:.0f} ms" if verdict == "TLE" and \
                cpu < opts.time_limit else f"{cpu * 1000:.0f} ms"
            console.say(f"{name:<{width}}  {verdict:<{VERDICT_WIDTH}} {shown:>9} "
                        f"{peak_kb / 1024:>6.1f} MB  {detail}".rstrip())
            ok[0] += verdict == "OK"

        workers.each_in_order(opts.jobs, tests.names, work, row,
                              lambda name, k: f"at test {name} ({k} of {len(tests.names)})")
    console.where = ""
    shutil.rmtree(scratch, ignore_errors=True)
    memory = "none" if not opts.memory_limit else f"{opts.memory_limit} MB " + (
        "on the whole tree" if runner.memory_kind() == "tree" else "per process")
    console.say(f"{p.name}: {ok[0]} of {len(tests.names)} tests OK (time limit "
                f"{opts.time_limit:g} s CPU, memory limit {memory}, output limit "
                f"{opts.output_limit} MB{'' if sandbox.active() else ', no sandbox'})")
    return 0 if ok[0] == len(tests.names) else 1
