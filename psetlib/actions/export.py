"""pset export: each problem's built package as a directory and a zip that contest judges
import, in the legacy version of the problem package format or the current one (see
psetlib/exporting.py for what a package holds)."""

import argparse
from typing import Any

from .. import exporting, package, problems
from ..common import console
from ..programs import Programs

ACTION = "export"
EXAMPLE = "pset export demolition --format 2023-07 --out out"
SUMMARY = "write each problem's package for contest judges (directory and zip)"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset export [PROBLEM ...] [--format legacy|2023-07] [--out DIR]"
    ap.description = (
        "Writes, for each problem with a reference solver, a package in the problem package "
        "format that contest judges import (problem.yaml, the statement, data/sample and "
        "data/secret, the input validator's source, the submissions) as a folder and a zip, "
        "and the zip's SHA-256 beside it: in the legacy version of the format (the default) "
        f"DIR/{exporting.FOLDER[exporting.LEGACY]}/<problem>/ and <problem>.zip, in the "
        f"current one (--format 2023-07) DIR/{exporting.FOLDER[exporting.CURRENT]}/<problem>/ "
        "and <problem>.zip. The package in DIR must be built from today's sources (pset "
        "build), every test file as its manifest records it, no answer empty, every sample "
        "within 40 lines of 80 columns and some test secret. Two exports of one package give "
        "the same bytes.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to export (default: all with a solver)")
    ap.add_argument("--format", choices=exporting.FORMATS, default=exporting.LEGACY,
                    help="the version of the package format (default: legacy; 2023-07 is the "
                         "current one)")
    checks.out(ap, "where the built package is and where the export's folder goes (default: "
               "out/ at the top of the project)")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    exporting.export(problems.the_set(), problems.choose(opts.problems),
                     package.Place(opts.out), console.say, opts.format)
    return 0
