"""pset statements: each problem's statement as a page a person reads (HTML), and as a PDF
where pdflatex is installed (see psetlib/rendering.py)."""

import argparse
import os
from typing import Any, Optional

from .. import exporting, package, problems, rendering, samples, sources
from ..common import Stop, console
from ..problems import Problem
from ..programs import Programs
from ..statement import statement_tex

ACTION = "statements"
EXAMPLE = "pset statements rounding mirror"
SUMMARY = "write each problem's statement as HTML, and PDF with pdflatex"
FOLDER = "statements"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset statements [PROBLEM ...] [--out DIR]"
    ap.description = (
        f"Writes DIR/{FOLDER}/<problem>.html for each problem: the title, the time and memory "
        "limits, the statement (<problem>/statement.md, its limits filled in) and the samples "
        "of the built package in DIR, each in a table; a plain stylesheet is inline. Where "
        f"pdflatex is installed, also DIR/{FOLDER}/<problem>.pdf, set from the statement "
        "that pset export writes into the package. Open the HTML in any browser.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to write (default: all)")
    checks.out(ap, "where the built package is; the statements go into its "
               f"{FOLDER}/ (default: out/ at the top of the project)")


def sample_data(p: Problem, place: package.Place) -> list[rendering.Sample]:
    """The problem's samples from its built package, in the order of samples: (input, answer,
    None without a solver); stops when the package is not built, not as its manifest records
    it, older than its sources, or a sample is missing or does not fit."""
    tests = package.open_tests(place, p)
    if tests.sources() != sources.digest(p):
        raise Stop(f"the package of {p.name} in {place.shown} is older than its sources (run "
                   "pset build)")
    found: dict[int, rendering.Sample] = {}
    for name in tests.names:
        e = tests.entries[name]
        at = samples.sample_of(p, e.how) if e.kind == "example" else None
        if at is None:
            continue
        inp = tests.read(name, ".in")
        ans: Optional[bytes] = tests.read(name, ".ans") if ".ans" in e.files else None
        for data, what in ((inp, "input"), (ans, "answer")):
            why = samples.misfit(data) if data is not None else None
            if why:
                raise Stop(f"sample {e.how} of {p.name} does not fit: its {what}: {why}; a "
                           f"sample holds {samples.limit_text()} (run pset build: it refuses "
                           "one)")
        found[at] = (inp, ans)
    missing = [p.samples[k] for k in range(len(p.samples)) if k not in found]
    if missing:
        raise Stop(f"the package of {p.name} in {place.shown} holds no test of the sample "
                   f"{missing[0]} (run pset build)")
    return [found[k] for k in range(len(p.samples))]


def _write(path: str, text: str) -> None:
    with open(path + ".new", "w", encoding="utf-8") as fh:
        fh.write(text)
    os.replace(path + ".new", path)


def run(opts: argparse.Namespace, progs: Programs) -> int:
    the_set = problems.the_set()
    chosen = problems.choose(opts.problems)
    place = package.Place(opts.out)
    engine = rendering.pdflatex()
    with package.Lock(place, False, "statements"):
        made = []
        for p in chosen:
            data = sample_data(p, place)
            text = exporting.statement_text(p)
            memory = {**the_set.package, **p.package}.get("memory")
            made.append((p, data, text, memory))
        folder = os.path.join(place.real, FOLDER)
        os.makedirs(folder, exist_ok=True)
        for p, data, text, memory in made:
            where = f"{p.name}/{exporting.STATEMENT}"
            page = os.path.join(folder, p.name + ".html")
            _write(page, rendering.html_page(p.title, text, data, p.time_limit, memory, where))
            written = [place.show(FOLDER, p.name + ".html")]
            if engine:
                shown = place.show(FOLDER, p.name + ".pdf")
                rendering.pdf(statement_tex(p.title, text, where), data, p.time_limit, memory,
                              os.path.join(folder, p.name + ".pdf"), shown)
                written.append(shown)
            console.say(f"{p.name:<11} {len(data)} sample{'' if len(data) == 1 else 's'}: "
                        + ", ".join(written))
    if not engine:
        console.say("no pdflatex on PATH: HTML only (install a LaTeX engine for the PDFs)")
    return 0
