"""pset judge: runs a command on every test of the built package and judges it."""

import concurrent.futures
import os
import shutil

import tempfile

from . import compare, package, problems, runner, sandbox
from .common import ROOT, Stop, console

ACTION = "judge"
EXAMPLE = "pset judge shuttle --time-limit 1 -- ./my_shuttle"
TAKES_COMMAND = True
SUMMARY = "judge a solution on the built package"
DEFAULT_TIME = 2.0
DEFAULT_MEMORY = 1024
DEFAULT_OUTPUT = 64
VERDICT_WIDTH = 14  # "RE (SIGSEGV)", "RE (255)"


def arguments(ap, checks):
    ap.usage = ("pset judge PROBLEM [--time-limit S] [--memory-limit MB] [--output-limit MB] "
                "[--jobs J] [--out DIR] [--sandbox MODE] -- COMMAND ...")
    ap.description = (
        "Runs COMMAND on every test of the built package of PROBLEM, the test's input on its "
        "standard input, and judges its standard output against the answer (exact text, or "
        "number by number with float_judge where the answers are floating). A test's time is "
        "the CPU time of the command and its children; a command that sleeps is stopped at "
        "twice the time limit plus one second of wall-clock time. Verdicts: OK, WA (with the "
        "first differing line), TLE, MLE, OLE, RE (exit status or signal). Every process the "
        "command started is killed when its test ends. The command runs in a sandbox "
        "(bubblewrap): no network, the system read-only, the project and the package out of "
        "sight, a private working folder; its memory limit is on its whole process tree where "
        "a cgroup can be made.")
    ap.add_argument("problem", metavar="PROBLEM", type=checks.problem,
                    help="one of: " + ", ".join(problems.names()))
    ap.add_argument("--time-limit", type=checks.seconds(0.001, 600), default=DEFAULT_TIME,
                    metavar="S", help=f"CPU seconds per test (default {DEFAULT_TIME:g})")
    ap.add_argument("--memory-limit", type=checks.int_range(0, 1 << 20), default=DEFAULT_MEMORY,
                    metavar="MB", help=f"MB of memory for the command's whole process tree (a "
                    f"cgroup; else each process's address space), 0 for none, e.g. for a "
                    f"sanitized build (default {DEFAULT_MEMORY})")
    ap.add_argument("--output-limit", type=checks.int_range(1, 1 << 20), default=DEFAULT_OUTPUT,
                    metavar="MB", help=f"MB the command may write to stdout or stderr; more is "
                    f"OLE (default {DEFAULT_OUTPUT})")
    ap.add_argument("--jobs", type=checks.int_range(1, 256), default=1, metavar="J",
                    help="tests judged at once (default 1, so that times stay steady; more "
                    "jobs share the cores and times grow)")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    sandbox.add_option(ap)
    checks.command_help(ap, "the solution to judge, with its arguments (required)")


def judge_test(p, tools, folder, name, command, limits, scratch):
    """Runs the command on one test: (verdict, cpu seconds, peak memory KiB, detail)."""
    fd, out = tempfile.mkstemp(dir=scratch, suffix=".out")  # names that tell nothing
    os.close(fd)
    fd, err = tempfile.mkstemp(dir=scratch, suffix=".err")
    os.close(fd)
    try:
        r = runner.run(command, stdin=os.path.join(folder, name + ".in"), stdout=out,
                       stderr=err, judged=True, **limits)
        if r.verdict != "OK":
            return r.describe(), r.cpu, r.peak_kb, "" if r.verdict != "RE" else \
                r.stderr_line(60)
        ans = os.path.join(folder, name + ".ans")
        if not p.floats:
            diff = compare.first_difference(ans, out)
            return ("WA", r.cpu, r.peak_kb, diff) if diff else ("OK", r.cpu, r.peak_kb, "")
        j = runner.run([tools.exe("float_judge"), ans, out], stdout=os.devnull, stderr=err,
                       wall_limit=60)
        if j.status == 0:
            return "OK", r.cpu, r.peak_kb, ""
        if j.status == 1:
            return "WA", r.cpu, r.peak_kb, runner.first_line(err, 100)
        raise Stop(f"float_judge could not judge test {name}: {j.describe()} "
                   f"{runner.first_line(err)}")
    finally:
        for f in (out, err):
            if os.path.exists(f):
                os.unlink(f)


def run(opts, tools):
    p = problems.get(opts.problem)
    if not opts.command:
        raise Stop("judge needs a command after --, e.g. pset judge "
                   f"{p.name} -- ./my_solution")
    if not p.solver:
        raise Stop(f"{p.name} has no reference answers to judge against")
    if p.floats:
        tools.exe("float_judge")
    startable(opts.command)
    out = package.resolve(opts.out)
    sandbox.setup(opts, tools.build_dir, bool(opts.memory_limit), hide=[out])
    with package.Lock(out, False, "judge"):
        names = package.check_package(out, p)
        return _judge(opts, tools, p, package.tests_dir(out, p.name), names)


def _judge(opts, tools, p, folder, names):
    limits = {"time_limit": opts.time_limit,
              "memory_limit": opts.memory_limit * runner.MB or None,
              "output_limit": opts.output_limit * runner.MB}
    scratch = os.path.join(runner.scratch(), "judge")
    os.makedirs(scratch, exist_ok=True)
    width = max(4, max(len(n) for n in names))
    header = [False]
    ok = [0]

    def row(name, verdict, cpu, peak_kb, detail):
        if not header[0]:
            console.say(f"{'test':<{width}}  {'verdict':<{VERDICT_WIDTH}} {'time':>9} "
                        f"{'memory':>9}  detail")
            header[0] = True
        shown = f">{opts.time_limit * 1000:.0f} ms" if verdict == "TLE" and cpu < opts.time_limit \
            else f"{cpu * 1000:.0f} ms"
        console.say(f"{name:<{width}}  {verdict:<{VERDICT_WIDTH}} {shown:>9} "
                    f"{peak_kb / 1024:>6.1f} MB  {detail}".rstrip())
        ok[0] += verdict == "OK"

    if opts.jobs == 1:
        for k, name in enumerate(names, 1):
            console.where = f"at test {name} ({k} of {len(names)})"
            row(name, *judge_test(p, tools, folder, name, opts.command, limits, scratch))
    else:
        with concurrent.futures.ThreadPoolExecutor(opts.jobs) as pool:
            try:
                futures = [pool.submit(judge_test, p, tools, folder, n, opts.command, limits,
                                       scratch) for n in names]
                for k, (name, f) in enumerate(zip(names, futures), 1):
                    console.where = f"at test {name} ({k} of {len(names)})"
                    while True:
                        try:
                            result = f.result(timeout=0.1)
                            break
                        except concurrent.futures.TimeoutError:
                            continue
                    row(name, *result)
            except BaseException:
                for f in futures:
                    f.cancel()
                runner.kill_all(refuse_new=True)  # no worker starts another test
                raise
    console.where = ""
    shutil.rmtree(scratch, ignore_errors=True)
    memory = "none" if not opts.memory_limit else f"{opts.memory_limit} MB " + (
        "on the whole tree" if runner.memory_kind() == "tree" else "per process")
    console.say(f"{p.name}: {ok[0]} of {len(names)} tests OK (time limit {opts.time_limit:g} s "
                f"CPU, memory limit {memory}, output limit {opts.output_limit} MB"
                f"{'' if sandbox.active() else ', no sandbox'})")
    return 0 if ok[0] == len(names) else 1


def startable(command):
    """Stops before any work when the command's program cannot be found or run."""
    prog = command[0]
    if "/" in prog:
        path = prog
    else:
        path = shutil.which(prog)
        if path is None:
            # on PATH but without the run bit?
            for d in os.environ.get("PATH", "").split(os.pathsep):
                if os.path.isfile(os.path.join(d or ".", prog)):
                    raise Stop(f"cannot start {prog}: {os.path.join(d, prog)} is not executable")
            raise Stop(f"cannot start {prog}: no such program")
    if os.path.isdir(path):
        raise Stop(f"cannot start {prog}: it is a folder")
    if not os.path.exists(path):
        raise Stop(f"cannot start {prog}: no such program")
    if not os.access(path, os.X_OK):
        raise Stop(f"cannot start {prog}: it is not executable")
