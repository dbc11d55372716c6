"""pset build: writes the problem set's test data package."""

import argparse
import os
import resource
import shutil
import signal
import tempfile
import time
from typing import Any, Optional

from .. import compare, limits, making, package, problems, runner, sources, testdata, validator
from .. import samples
from ..common import Failure, Stop, console, human
from ..problems import Problem
from ..programs import Programs

ACTION = "build"
EXAMPLE = "pset build --tests 3 --seed 42 demolition mirror"
SUMMARY = "write the problem set's test data package"
DEFAULT_SEED = 1765000000
DEFAULT_TESTS = 10
MAX_SEED = 2**31 - 1
READ_ONLY = 0o444  # the test files: a package proves itself, and nothing writes into it


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset build [--tests N] [--seed S] [--out DIR] [PROBLEM ...]"
    ap.description = (
        "Writes, per problem, its hand-written examples and N files of its generator (the "
        "clock pinned to S, S+1, ...; an unseeded generator gives one file), the reference "
        "solver's answers and a manifest (each file's size and SHA-256, how each test was "
        "made) into DIR/<problem>/tests/, the test files read-only; every second solver "
        "answers every input and must agree. DIR must be new, empty or a package pset wrote "
        f"(it holds {package.MARKER}); only <problem>/tests/ is replaced there, as a whole and "
        "in one step, so a failed or interrupted run leaves the previous package.")
    ap.add_argument("--tests", type=checks.int_range(0, 100000), default=DEFAULT_TESTS,
                    metavar="N", help=f"generated tests per problem (default {DEFAULT_TESTS})")
    ap.add_argument("--seed", type=checks.int_range(0, MAX_SEED), default=DEFAULT_SEED,
                    metavar="S", help=f"clock of the first generated test (default {DEFAULT_SEED})")
    checks.out(ap)
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to build (default: all): " + ", ".join(problems.names()))


class Built:
    """What the build of one problem gives: its summary row."""

    def __init__(self, name: str) -> None:
        self.name = name
        self.tests = 0
        self.largest = 0
        self.slowest: Optional[float] = None
        self.cross_check = "none"
        self.gaps: list[limits.Gap] = []


def build_problem(progs: Programs, p: Problem, place: package.Place, count: int, seed: int,
                  dest: str) -> Built:
    """Writes one problem's tests into `dest` (a folder of `place`); returns its summary."""
    os.makedirs(dest)
    made = making.test_sources(progs, p, count, seed, runner.scratch())
    shown = place.show(os.path.relpath(dest, place.real))
    row = Built(p.name)
    entries = []
    seen: limits.Reached = {}
    covered = {second: 0 for second in p.second}
    for name, how, make in made:
        console.where = f"while building {p.name}, test {name} of {len(made)}"
        inp = os.path.join(dest, name + ".in")
        make(inp)
        files, reached = _valid_input(progs, p, inp, name, how)
        limits.merge(seen, reached)
        row.largest = max(row.largest, files[".in"].size)
        if p.solver:
            r = making.answer(p.solver, progs.exe(p.solver), inp, os.path.join(dest, name + ".ans"),
                              os.path.join(shown, name + ".in"))
            row.slowest = max(row.slowest or 0.0, r.cpu)
            files[".ans"] = testdata.record(os.path.join(dest, name + ".ans"))
            if files[".ans"].size == 0:
                raise Failure(f"test {name} of {p.name} ({how}) has an empty answer, which no "
                              "judge's package may hold: every test needs a case to answer")
            for second in p.second:
                if limits.within(p.capacity.get(second, {}), reached):
                    covered[second] += 1
                    _cross_check(progs, p, second, dest, name, shown)
        samples.check_built(p, name, how, dest)
        for suffix in files:
            os.chmod(os.path.join(dest, name + suffix), READ_ONLY)
        kind, rest = how.split(" ", 1)
        entries.append(testdata.Entry(name, files, kind, rest))
    testdata.write(dest, p.name, entries)
    # what the package was made from, so that export can tell a package older than its sources
    with open(os.path.join(dest, testdata.SOURCES), "w") as fh:
        fh.write(sources.digest(p) + "\n")
    row.tests = len(made)
    if p.second and made:
        row.cross_check = "agrees: " + ", ".join(f"{s} on {covered[s]} of {len(made)}"
                                                 for s in p.second)
    row.gaps = limits.unreached(p, seen)
    return row


def _valid_input(progs: Programs, p: Problem, inp: str, name: str,
                 how: str) -> tuple[dict[str, testdata.Record], limits.Reached]:
    """The record of a test input the validator accepts, and the limits it reaches; an
    invalid input fails the build."""
    with open(inp, "rb") as fh:
        data = fh.read()
    ok, message, reached = validator.judge(progs.validator(p), data,
                                           f"{p.input_check} on test {name} of {p.name}")
    if not ok:
        raise Failure(f"test {name} of {p.name} ({how}) is not a valid input: {message}")
    return {".in": testdata.record_of(data)}, reached


def _cross_check(progs: Programs, p: Problem, second: str, dest: str, name: str,
                 shown: str) -> None:
    """The second solver answers test `name` as the reference did, by the problem's rule."""
    assert p.solver
    inp, ans = (os.path.join(dest, name + suffix) for suffix in (".in", ".ans"))
    other = os.path.join(runner.scratch(), f"{p.name}.second")
    making.answer(second, progs.exe(second), inp, other, os.path.join(shown, name + ".in"))
    same = compare.agree(p, inp, ans, other)
    os.unlink(other)
    if not same:
        raise Failure(f"{second} disagrees with {p.solver} on {os.path.join(shown, name + '.in')}")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    chosen = problems.choose(opts.problems)
    progs.check(chosen)
    for p in chosen:
        progs.validator(p)
    last = opts.seed + opts.tests - 1
    if opts.tests and last > MAX_SEED:
        raise Stop(f"--seed {opts.seed} with --tests {opts.tests} runs past the last clock "
                   f"{MAX_SEED}; take a seed of at most {MAX_SEED - opts.tests + 1}")
    empty = [p.name for p in chosen if not p.examples() and not (p.generator and opts.tests)]
    if empty:
        raise Stop(f"nothing to write for {', '.join(empty)}: no examples and no generated tests")
    place = package.Place(opts.out)
    package.prepare(place, problems.names())
    with package.Lock(place, True, "build"):
        package.remove_leftovers(place)
        for p in chosen:
            package.check_replaceable(place, p)
        partial = tempfile.mkdtemp(prefix=package.PARTIAL, dir=place.real)
        try:
            return _build(opts, progs, chosen, place, partial)
        except Failure:
            raise  # the partial package stays for a look at the failing file
        except BaseException:
            shutil.rmtree(partial, ignore_errors=True)
            raise
        finally:
            if os.path.isdir(partial) and not os.listdir(partial):
                os.rmdir(partial)


def _build(opts: argparse.Namespace, progs: Programs, chosen: list[Problem],
           place: package.Place, partial: str) -> int:
    started = time.monotonic()
    plural = "" if len(chosen) == 1 else "s"
    console.say(f"building {len(chosen)} problem{plural} into {place.shown} (seed {opts.seed}, "
                f"{opts.tests} generated test{'' if opts.tests == 1 else 's'} each)")
    rows = []
    for p in chosen:
        console.progress(f"  {p.name:<11} ...")
        try:
            row = build_problem(progs, p, place, opts.tests, opts.seed,
                                os.path.join(partial, p.name))
        except Failure as exc:
            console.finish(" FAILED")
            console.where = ""
            raise Failure(f"{exc}\npset: the unfinished package stays in "
                          f"{place.show(os.path.basename(partial))} (the next build removes "
                          f"it); the package in {place.shown} is unchanged") from None
        rows.append(row)
        console.finish(f" {row.tests} test{'' if row.tests == 1 else 's'}, cross-check: "
                       f"{row.cross_check}")
    console.where = ""
    gaps = [gap.failure(p) for p, row in zip(chosen, rows) for gap in row.gaps]
    if gaps:
        _table(rows)
        console.say("")
        for line in gaps:
            console.say(line)
        raise Failure(f"{len(gaps)} limit end{'s are' if len(gaps) > 1 else ' is'} not reached "
                      f"by any test (listed above); the package in {place.shown} is unchanged "
                      f"and the unfinished one stays in "
                      f"{place.show(os.path.basename(partial))}")
    console.where = f"while putting the new package in place in {place.shown}"
    # A signal waits until every problem's folder is swapped: each one is old or new.
    old = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
    try:
        for p in chosen:
            gone = package.put_in_place(os.path.join(partial, p.name), place.tests(p.name))
            if gone:
                shutil.rmtree(gone)
    finally:
        signal.pthread_sigmask(signal.SIG_SETMASK, old)
    console.where = ""
    _summary(rows, chosen, place, started)
    return 0


def _table(rows: list[Built]) -> None:
    console.say("")
    console.say(f"{'problem':<11} {'tests':>5} {'largest input':>14} {'slowest ref':>12}  "
                "cross-check")
    for row in rows:
        ms = f"{row.slowest * 1000:.0f} ms" if row.slowest is not None else "-"
        console.say(f"{row.name:<11} {row.tests:>5} {human(row.largest):>14} {ms:>12}  "
                    f"{row.cross_check}")


def _summary(rows: list[Built], chosen: list[Problem], place: package.Place,
             started: float) -> None:
    """The table of the problems built, the limit ends their manifests waive, and what the
    whole package now holds: its size, its largest file, and how long the build took."""
    _table(rows)
    waived = [(p.name, line) for p in chosen for line in limits.waived(p)]
    if waived:
        console.say("")
        console.say("limit ends waived (no test needs to reach them):")
        for name, line in waived:
            console.say(f"  {name}: {line}")
    total, files, largest, where = 0, 0, 0, ""
    for name in problems.names():
        folder = place.tests(name)
        if not os.path.isdir(folder):
            continue
        for f in os.listdir(folder):
            size = os.path.getsize(os.path.join(folder, f))
            total, files = total + size, files + 1
            if size > largest:
                largest, where = size, place.show(name, "tests", f)
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    own = resource.getrusage(resource.RUSAGE_SELF)
    cpu = children.ru_utime + children.ru_stime + own.ru_utime + own.ru_stime
    console.say("")
    console.say(f"package written to {place.show('<problem>', 'tests')}: {files} files, "
                f"{human(total)} in all; the largest {where} ({human(largest)})")
    console.say(f"built in {time.monotonic() - started:.1f} s ({cpu:.1f} s of CPU)")
