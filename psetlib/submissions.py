"""A problem's submissions: the programs kept to prove its tests, each with the verdict it
must get. The reference and second solvers count as accepted; every other submission is a
source `<problem>/submissions/<verdict>/<name>.cpp`, built by CMake into
`build/submissions/<problem>/<verdict>/<name>`."""

import os

from .common import Stop

VERDICTS = ("accepted", "wrong_answer", "time_limit_exceeded", "run_time_error")

# One character per test in a verdict row, and the judge's verdict each stands for.
LETTER = {"OK": "A", "WA": "W", "TLE": "T", "MLE": "M", "OLE": "O", "RE": "R"}
# The first rejection a submission of each folder must get ("accepted": none).
EXPECTED_LETTER = {"accepted": None, "wrong_answer": "W", "time_limit_exceeded": "T",
                   "run_time_error": "R"}


class Submission:
    def __init__(self, name, expected, path, source):
        self.name = name            # as shown: the program or source name
        self.expected = expected    # one of VERDICTS
        self.path = path            # the built program
        self.source = source        # its source file


def of(p, tools):
    """Every submission of problem p, accepted ones first, in name order within a folder;
    stops when one is not built."""
    found = []
    for prog in ([p.solver] if p.solver else []) + p.second:
        found.append(Submission(prog, "accepted", tools.exe(prog),
                                os.path.join(p.folder, prog + ".cpp")))
    top = os.path.join(p.folder, "submissions")
    for verdict in VERDICTS:
        folder = os.path.join(top, verdict)
        if not os.path.isdir(folder):
            continue
        for src in sorted(f for f in os.listdir(folder) if f.endswith(".cpp")):
            name = src[:-4]
            exe = os.path.join(tools.build_dir, "submissions", p.name, verdict, name)
            if not os.access(exe, os.X_OK):
                raise Stop(f"submission {p.name}/{verdict}/{name} is not built: {exe} is "
                           "missing (run make)")
            found.append(Submission(name, verdict, exe, os.path.join(folder, src)))
    if top and os.path.isdir(top):
        odd = sorted(set(os.listdir(top)) - set(VERDICTS))
        if odd:
            raise Stop(f"{os.path.join(p.name, 'submissions', odd[0])} is not a verdict folder; "
                       f"they are {', '.join(VERDICTS)}")
    return found


def letter(verdict):
    """'RE (SIGSEGV)' -> 'R', 'OK' -> 'A', ..."""
    return LETTER[verdict.split(" ")[0]]


def as_expected(expected, letters):
    """True when a row of letters is what a submission of folder `expected` must get: all
    accepted, or its first rejection of the folder's kind."""
    first = next((c for c in letters if c not in "A-"), None)
    return first == EXPECTED_LETTER[expected]


def time_limit(p):
    """The problem's time limit in seconds from its manifest, or None."""
    value = p.data.get("time_limit")
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, (int, float)) or not 0 < value <= 600:
        raise Stop(f"{p.name}/problem.toml: time_limit = {value!r} is not a number of seconds "
                   "in 0 .. 600")
    return float(value)
