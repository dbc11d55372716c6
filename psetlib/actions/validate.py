"""pset validate: every input of the built package (or given files) through the problem's
input validator; the limits no test reaches; with --mutate, the validator's self-check."""

import argparse
from typing import Any, Iterator

from .. import limits, package, problems, validator
from ..common import Stop, console
from ..problems import Problem
from ..programs import Programs
from ..testdata import TestData

ACTION = "validate"
EXAMPLE = "pset validate demolition -- my_test.in"
TAKES_COMMAND = True
SUMMARY = "check test inputs with the problems' input validators"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset validate [PROBLEM ...] [--mutate] [--out DIR] [-- FILE ...]"
    ap.description = (
        "Runs each problem's input validator (exit 42 valid, 43 invalid) on every input of its "
        "built package, or on the FILEs given after -- (then name exactly one problem). Prints "
        "per problem the limits that no test reaches. With --mutate it also derives broken "
        "files from every valid test (a blank at a line's end, CR LF line ends, the last line "
        "removed, an extra token, a doubled blank, no final line end, a leading zero) and "
        "reports each one the validator accepts.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to check (default: all); one of: " +
                    ", ".join(problems.names()))
    ap.add_argument("--mutate", action="store_true",
                    help="also check that the validator rejects broken copies of every test")
    checks.out(ap)
    checks.command_help(ap, "input files to check against the one PROBLEM named")


def _files(paths: list[str]) -> Iterator[tuple[str, validator.Data]]:
    """The FILEs given, by path: the validator reads each within its input limit."""
    for path in paths:
        try:
            with open(path, "rb"):
                pass
        except OSError as exc:
            raise Stop(f"cannot read {path}: {exc.strerror}")
        yield path, path


def _inputs(tests: TestData) -> Iterator[tuple[str, bytes]]:
    """The package's inputs, each read once and checked against its digest, and its answers
    checked too: a package whose answers changed is not a valid package."""
    for name in tests.names:
        data = tests.read(name, ".in")
        if ".ans" in tests.entries[name].files:
            tests.path(name, ".ans")
        yield f"{tests.shown}/{name}.in", data


def run(opts: argparse.Namespace, progs: Programs) -> int:
    chosen = problems.choose(opts.problems)
    if opts.command:
        if len(opts.problems) != 1:
            raise Stop(f"name exactly one problem to check files against, e.g. {EXAMPLE}")
        return report(chosen[0], progs, _files(opts.command), len(opts.command), opts.mutate)
    place = package.Place(opts.out)
    status = 0
    with package.Lock(place, False, "validate"):
        opened = [(p, package.open_tests(place, p)) for p in chosen]  # all whole, to begin
        for p, tests in opened:
            status = max(status, report(p, progs, _inputs(tests), len(tests.names),
                                        opts.mutate))
    return status


def report(p: Problem, progs: Programs, inputs: Iterator[tuple[str, validator.Data]],
           count: int, mutate: bool) -> int:
    console.where = f"validating {p.name}"
    bad, seen, loose = validator.check_inputs(progs.validator(p), inputs, mutate)
    for line in bad:
        console.say(f"{p.name}: invalid: {line}")
    for line in loose:
        console.say(f"{p.name}: the validator accepts a broken file: {line}")
    gaps = limits.missing(p, seen)
    text = f"{p.name}: {count - len(bad)} of {count} inputs valid"
    if mutate:
        text += f", {len(loose)} broken copies accepted"
    console.say(text + (f"; {'; '.join(gaps)}" if gaps else ""))
    console.where = ""
    return 1 if bad or loose else 0
