"""pset build: writes the problem set's test data package."""

import filecmp
import os
import shutil
import signal
import tempfile

from . import compare, package, problems, runner
from .common import ROOT, Failure, Stop, console, rel

ACTION = "build"
EXAMPLE = "pset build --tests 3 --seed 42 demolition mirror"
SUMMARY = "write the problem set's test data package"
DEFAULT_SEED = 1765000000
DEFAULT_TESTS = 10
PROGRAM_WALL = 300  # seconds any of our own programs may run before it counts as hung
MAX_SEED = 2**31 - 1


def arguments(ap, checks):
    ap.usage = "pset build [--tests N] [--seed S] [--out DIR] [PROBLEM ...]"
    ap.description = (
        "Writes, per problem, its hand-written examples and N files of its generator (the "
        "clock pinned to S, S+1, ...; an unseeded generator gives one file), the reference "
        "solver's answers and a manifest into DIR/<problem>/tests/; every second solver answers "
        "every input and must agree. DIR must be new, empty or a package pset wrote (it holds "
        f"{package.MARKER}); only <problem>/tests/ is replaced there, as a whole and in one "
        "step, so a failed or interrupted run leaves the previous package.")
    ap.add_argument("--tests", type=checks.int_range(0, 100000), default=DEFAULT_TESTS,
                    metavar="N", help=f"generated tests per problem (default {DEFAULT_TESTS})")
    ap.add_argument("--seed", type=checks.int_range(0, MAX_SEED), default=DEFAULT_SEED,
                    metavar="S", help=f"clock of the first generated test (default {DEFAULT_SEED})")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to build (default: all): " + ", ".join(problems.names()))


def generate(tools, p, seed, dest):
    r = runner.run([tools.exe(p.generator)], stdout=dest, env=tools.clock_env(seed),
                   wall_limit=PROGRAM_WALL)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if "cannot be preloaded" in err:
        raise Stop(f"the pinned clock could not be loaded into {p.generator}: {err}")
    if not r.ok:
        raise Failure(f"{p.generator} under seed {seed} failed: {r.describe()} {err}".rstrip())


def run_solver(name, exe, inp, dest):
    r = runner.run([exe], stdin=inp, stdout=dest, wall_limit=PROGRAM_WALL)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if not r.ok:
        raise Failure(f"{name} failed on {rel(inp)}: {r.describe()}"
                      f"{' (exit status ' + str(r.status) + ')' if r.status else ''} {err}".rstrip())
    return r


def build_problem(tools, p, tests, seed, dest):
    """Writes one problem's tests into `dest`; returns its summary row."""
    made = [(path, f"example {os.path.relpath(path, ROOT)}") for path in p.examples()]
    count = 0 if not p.generator or tests == 0 else (tests if p.seeded else 1)
    total = len(made) + count
    width = max(2, len(str(total)))
    os.makedirs(dest)
    scratch = runner.scratch()
    manifest = []
    largest, slowest = 0, 0.0
    for i in range(1, total + 1):
        name = f"{i:0{width}d}"
        inp = os.path.join(dest, name + ".in")
        console.where = f"while building {p.name}, test {name} of {total}"
        if i <= len(made):
            shutil.copyfile(made[i - 1][0], inp)
            how = made[i - 1][1]
        else:
            s = seed + i - len(made) - 1
            generate(tools, p, s, inp)
            again = os.path.join(scratch, f"{p.name}.again")
            generate(tools, p, s, again)
            same = filecmp.cmp(inp, again, shallow=False)
            os.unlink(again)
            if not same:
                raise Failure(f"{p.generator} is not deterministic: seed {s} gave two files")
            how = f"generator {p.generator} seed {s}" if p.seeded else \
                f"generator {p.generator} (unseeded: the same file on every run)"
        manifest.append(f"{name} {how}")
        largest = max(largest, os.path.getsize(inp))
        if not p.solver:
            continue
        ans = os.path.join(dest, name + ".ans")
        r = run_solver(p.solver, tools.exe(p.solver), inp, ans)
        slowest = max(slowest, r.cpu)
        for second in p.second:
            other = os.path.join(scratch, f"{p.name}.second")
            run_solver(second, tools.exe(second), inp, other)
            same = compare.agree(p, inp, ans, other)
            os.unlink(other)
            if not same:
                raise Failure(f"{second} disagrees with {p.solver} on {rel(inp)}")
    with open(os.path.join(dest, "manifest"), "w") as fh:
        fh.write("".join(line + "\n" for line in manifest))
    verdict = "agrees" if p.second and total else "none"
    return (p.name, total, largest, slowest if p.solver else None, verdict)


def human(n):
    for unit in ("B", "KB", "MB"):
        if n < 1000:
            return f"{n:.0f} {unit}" if unit == "B" else f"{n:.1f} {unit}"
        n /= 1000
    return f"{n:.1f} GB"


def run(opts, tools):
    chosen = problems.choose(opts.problems)
    tools.check(chosen)
    last = opts.seed + opts.tests - 1
    if opts.tests and last > MAX_SEED:
        raise Stop(f"--seed {opts.seed} with --tests {opts.tests} runs past the last clock "
                   f"{MAX_SEED}; take a seed of at most {MAX_SEED - opts.tests + 1}")
    empty = [p.name for p in chosen if not p.examples() and not (p.generator and opts.tests)]
    if empty:
        raise Stop(f"nothing to write for {', '.join(empty)}: no examples and no generated tests")
    out = package.resolve(opts.out)
    package.prepare(out, problems.names())
    with package.Lock(out, True, "build"):
        package.remove_leftovers(out)
        for p in chosen:
            package.check_replaceable(out, p)
        partial = tempfile.mkdtemp(prefix=package.PARTIAL, dir=out)
        try:
            return _build(opts, tools, chosen, out, partial)
        except Failure:
            raise  # the partial package stays for a look at the failing file
        except BaseException:
            shutil.rmtree(partial, ignore_errors=True)
            raise
        finally:
            if os.path.isdir(partial) and not os.listdir(partial):
                os.rmdir(partial)


def _build(opts, tools, chosen, out, partial):
    plural = "" if len(chosen) == 1 else "s"
    console.say(f"building {len(chosen)} problem{plural} into {rel(out)} (seed {opts.seed}, "
                f"{opts.tests} generated test{'' if opts.tests == 1 else 's'} each)")
    rows = []
    for p in chosen:
        console.progress(f"  {p.name:<11} ...")
        try:
            row = build_problem(tools, p, opts.tests, opts.seed, os.path.join(partial, p.name))
        except Failure as exc:
            console.finish(" FAILED")
            console.where = ""
            raise Failure(f"{exc}\npset: the unfinished package stays in {rel(partial)} (the next "
                          f"build removes it); the package in {rel(out)} is unchanged") from None
        rows.append(row)
        console.finish(f" {row[1]} test{'' if row[1] == 1 else 's'}, cross-check: {row[4]}")
    console.where = f"while putting the new package in place in {rel(out)}"
    # A signal waits until every problem's folder is swapped: each one is old or new.
    old = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
    try:
        for p in chosen:
            gone = package.put_in_place(os.path.join(partial, p.name),
                                        package.tests_dir(out, p.name))
            if gone:
                shutil.rmtree(gone)
    finally:
        signal.pthread_sigmask(signal.SIG_SETMASK, old)
    console.where = ""
    console.say("")
    console.say(f"{'problem':<11} {'tests':>5} {'largest input':>14} {'slowest ref':>12}  "
                "cross-check")
    for name, n, largest, slowest, verdict in rows:
        ms = f"{slowest * 1000:.0f} ms" if slowest is not None else "-"
        console.say(f"{name:<11} {n:>5} {human(largest):>14} {ms:>12}  {verdict}")
    console.say(f"package written to {rel(out)}/<problem>/tests")
    return 0
