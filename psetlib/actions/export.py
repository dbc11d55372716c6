"""pset export: each problem's built package as a directory and a zip that contest judges
import (see psetlib/exporting.py for what a package holds)."""

import argparse
from typing import Any

from .. import exporting, package, problems
from ..common import console
from ..programs import Programs

ACTION = "export"
EXAMPLE = "pset export demolition --out out"
SUMMARY = "write each problem's package for contest judges (directory and zip)"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset export [PROBLEM ...] [--out DIR]"
    ap.description = (
        "Writes, for each problem with a reference solver, DIR/export/<problem>/ and "
        "DIR/export/<problem>.zip in the problem package format that contest judges import "
        "(problem.yaml, .timelimit, the statement, data/sample and data/secret, the input "
        "validator's source, the submissions), and the zip's SHA-256 beside it. The package "
        "in DIR must be built from today's sources (pset build), every test file as its "
        "manifest records it. Two exports of one package give the same bytes.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to export (default: all with a solver)")
    checks.out(ap, "where the built package is and where export/ goes (default: out/ at the "
               "top of the project)")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    exporting.export(problems.the_set(), problems.choose(opts.problems),
                     package.Place(opts.out), console.say)
    return 0
