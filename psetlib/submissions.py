"""A problem's submissions: the programs kept to prove its tests, each with the verdict it
must get. The reference and second solvers count as accepted; every other submission is a
source `<problem>/submissions/<verdict>/<name>.cpp`, built by CMake into
`build/submissions/<problem>/<verdict>/<name>`."""

import os
from typing import Optional

from .common import Stop
from .problems import Problem
from .programs import Programs

VERDICTS = ("accepted", "wrong_answer", "time_limit_exceeded", "run_time_error")

# One character per test in a verdict row, and the judge's verdict each stands for.
LETTER = {"OK": "A", "WA": "W", "TLE": "T", "MLE": "M", "OLE": "O", "RE": "R"}
# The first rejection a submission of each folder must get ("accepted": none).
EXPECTED_LETTER: dict[str, Optional[str]] = {
    "accepted": None, "wrong_answer": "W", "time_limit_exceeded": "T", "run_time_error": "R"}


class Submission:
    def __init__(self, name: str, expected: str, path: str, source: str,
                 capacity: Optional[dict[str, float]] = None) -> None:
        self.name = name            # as shown: the program or source name
        self.expected = expected    # one of VERDICTS
        self.path = path            # the built program
        self.source = source        # its source file
        # a second solver that holds less than the problem's limits: {limit: most}; it runs
        # only on the tests within
        self.capacity = capacity or {}


def sources(p: Problem) -> list[tuple[str, str]]:
    """(verdict, source path) of every kept submission of p, in verdict then name order;
    stops at a folder that is not a verdict."""
    top = os.path.join(p.folder, "submissions")
    if not os.path.isdir(top):
        return []
    odd = sorted(set(os.listdir(top)) - set(VERDICTS))
    if odd:
        raise Stop(f"{p.name}/submissions/{odd[0]} is not a verdict folder; they are "
                   f"{', '.join(VERDICTS)}")
    found = []
    for verdict in VERDICTS:
        folder = os.path.join(top, verdict)
        if os.path.isdir(folder):
            found += [(verdict, os.path.join(folder, f)) for f in sorted(os.listdir(folder))
                      if os.path.isfile(os.path.join(folder, f))]
    return found


def of(p: Problem, progs: Programs) -> list[Submission]:
    """Every submission of problem p, accepted ones first, in name order within a folder;
    stops when one is not built."""
    found = []
    for prog in ([p.solver] if p.solver else []) + p.second:
        found.append(Submission(prog, "accepted", progs.exe(prog),
                                os.path.join(p.folder, prog + ".cpp"), p.capacity.get(prog)))
    for verdict, source in sources(p):
        if source.endswith(".cpp"):
            name = os.path.basename(source)[:-len(".cpp")]
            found.append(Submission(name, verdict, progs.submission(p, verdict, name), source))
    return found


def letter(verdict: str) -> str:
    """'RE (SIGSEGV)' -> 'R', 'OK' -> 'A', ..."""
    return LETTER[verdict.split(" ")[0]]


def as_expected(expected: str, letters: str) -> bool:
    """True when a row of letters is what a submission of folder `expected` must get: all
    accepted, or its first rejection of the folder's kind."""
    first = next((c for c in letters if c not in "A-"), None)
    return first == EXPECTED_LETTER[expected]
