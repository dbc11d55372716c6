"""The samples of a problem: the examples its manifest names in `samples`, shown with the
statement (an exported package's data/sample/, the HTML and PDF statements). A sample is set
in a table that does not break across a page, so it must fit one: at most SAMPLE_LINES lines
of at most SAMPLE_COLUMNS columns, its input and its answer alike. `pset build` refuses a
sample that does not fit, and so does `pset export`.
"""

import os
from typing import Optional

from .common import Failure
from .problems import Problem

SAMPLE_LINES, SAMPLE_COLUMNS = 40, 80


def misfit(data: bytes) -> Optional[str]:
    """Why a sample file does not fit ("line 3 has 542 columns", "line 41 is one too many
    (1001 lines)"), or None. A column is a byte: the inputs and answers of the set are ASCII."""
    lines = data.split(b"\n")
    if lines[-1] == b"":
        lines.pop()
    for k, line in enumerate(lines, 1):
        if len(line) > SAMPLE_COLUMNS:
            return f"line {k} has {len(line)} columns"
    if len(lines) > SAMPLE_LINES:
        return f"line {SAMPLE_LINES + 1} is one too many ({len(lines)} lines)"
    return None


def misfit_file(path: str) -> Optional[str]:
    with open(path, "rb") as fh:
        return misfit(fh.read())


def limit_text() -> str:
    return f"at most {SAMPLE_LINES} lines of {SAMPLE_COLUMNS} columns"


def sample_of(p: Problem, how: str) -> Optional[int]:
    """The place (0, 1, ...) in `samples` of the test made as `how` (the manifest's words after
    the kind, for an example: its path), or None when it is no sample."""
    stem = os.path.basename(how.split(" ", 1)[0])
    if not stem.endswith(".in"):
        return None
    stem = stem[:-len(".in")]
    return p.samples.index(stem) if stem in p.samples else None


def check_built(p: Problem, name: str, how: str, folder: str) -> None:
    """Fails the build when test `name` of p (made as `how`, "example PATH" for an example),
    written into `folder`, is a sample whose input or answer does not fit."""
    kind, _, rest = how.partition(" ")
    if kind != "example" or sample_of(p, rest) is None:
        return
    for suffix, what in ((".in", "input"), (".ans", "answer")):
        path = os.path.join(folder, name + suffix)
        why = misfit_file(path) if os.path.exists(path) else None
        if why:
            raise Failure(f"sample {rest} of {p.name} (test {name}) does not fit: its "
                          f"{what}: {why}; a sample holds {limit_text()} (make it smaller, or take it "
                          "out of samples in problem.toml: it is then a secret test)")
