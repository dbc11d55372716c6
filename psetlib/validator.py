"""Input validation: runs a problem's input validator on a file, and derives broken files from a
valid one to check that the validator rejects them.

A validator (`<problem>_input_check`, built into build/validators) reads the input on standard
input and exits 42 when it is valid, writing one line "NAME MIN MAX" per named limit it met (the
smallest and largest value seen); it exits 43 when the input is invalid, with one stderr line
"line L, column C: what". Any other outcome is the validator's failure, not the file's.

check() runs it on one file; check_inputs() on many, gathering what they reach of the limits
and, asked to, the broken copies of each (mutations()) that it wrongly accepts.
"""

import re
import subprocess
from typing import Any, Iterable, Iterator, Optional

from . import limits
from .common import Stop

VALID, INVALID = 42, 43

# A validator reads its input once; a run this long is a hang.
TIMEOUT = 120

_WHERE = re.compile(rb"line [0-9]+, column [0-9]+: [^\n]*\n")


class ValidatorError(Exception):
    """The validator could not judge the file: it would not start, crashed, hung, or answered
    outside its protocol."""


def _number(text: str) -> float:
    try:
        return int(text)
    except ValueError:
        return float(text)


Verdict = tuple[bool, str, limits.Reached]


def check(validator_path: str, data: bytes, timeout: float = TIMEOUT) -> Verdict:
    """Runs the validator on `data` (bytes). Returns (ok, message, limits): for a valid file
    (True, "", {name: (min, max)}), for an invalid one (False, "line L, column C: what", {}).
    Raises ValidatorError when the validator fails to judge."""
    try:
        p = subprocess.run([validator_path], input=data, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise ValidatorError(f"{validator_path}: no verdict within {timeout} s")
    except OSError as exc:
        raise ValidatorError(f"{validator_path}: cannot run: {exc.strerror}")
    err = p.stderr.decode("utf-8", errors="replace").strip()
    if p.returncode == INVALID:
        if not _WHERE.fullmatch(p.stderr) or p.stdout:
            raise ValidatorError(f"{validator_path}: status 43 without a one-line message "
                                 f"'line L, column C: ...' (stderr {err[:200]!r})")
        return False, err, {}
    if p.returncode != VALID:
        how = (f"signal {-p.returncode}" if p.returncode < 0 else f"status {p.returncode}")
        raise ValidatorError(f"{validator_path}: {how}" + (f": {err[:200]}" if err else ""))
    if p.stderr:
        raise ValidatorError(f"{validator_path}: status 42 with a message: {err[:200]}")
    reached: limits.Reached = {}
    for line in p.stdout.decode("utf-8", errors="replace").splitlines():
        parts = line.split()
        try:
            name, lo, hi = parts
            reached[name] = (_number(lo), _number(hi))
        except ValueError:
            raise ValidatorError(f"{validator_path}: a limits line that is not "
                                 f"'NAME MIN MAX': {line[:200]!r}")
    return True, "", reached


class Mutation:
    """A broken copy of a valid file, read as the pair (description, data). `line` and
    `column` say where the file first breaks, which is where a strict validator must point."""

    def __init__(self, description: str, data: bytes, line: int, column: int) -> None:
        self.description, self.data = description, data
        self.line, self.column = line, column

    def __iter__(self) -> Iterator[Any]:
        return iter((self.description, self.data))


def mutations(data: bytes) -> Iterator[Mutation]:
    """Broken copies of a valid input file (bytes), as Mutations.

    Every one breaks a rule that every problem's format here keeps, whatever the problem:
    a blank at a line's end, CR LF line ends, a doubled blank, a file not ending in a line end,
    something after the last case, a case cut short by removing the last line (a file starts
    with its case count, and every case ends with a line it needs), a leading zero on the case
    count (the first item; it is left alone when the file does not start with a digit). The
    leading zero goes nowhere else: some formats hold digit strings in which leading zeros
    are digits. A valid empty file (no case count) gets the extra token alone."""
    if not data:
        yield Mutation("an extra token in the empty file", b"0\n", 1, 1)
        return
    lines = data.split(b"\n")[:-1] if data.endswith(b"\n") else data.split(b"\n")
    count = len(lines)
    for k in sorted({0, count // 2, count - 1}):
        at = sum(len(l) + 1 for l in lines[:k]) + len(lines[k])
        yield Mutation(f"a blank added at the end of line {k + 1}",
                       data[:at] + b" " + data[at:], k + 1, len(lines[k]) + 1)
    yield Mutation("CR LF line ends", data.replace(b"\n", b"\r\n"), 1, len(lines[0]) + 1)
    yield Mutation("the last line removed", b"".join(l + b"\n" for l in lines[:-1]), count, 1)
    yield Mutation("an extra token after the last line", data + b"0\n", count + 1, 1)
    blank = data.find(b" ")
    if blank >= 0:
        k = data.count(b"\n", 0, blank)
        col = blank - (data.rfind(b"\n", 0, blank) + 1) + 1
        yield Mutation(f"a doubled blank on line {k + 1}", data[:blank] + b" " + data[blank:],
                       k + 1, col + 1)
    if data.endswith(b"\n"):
        yield Mutation("the final line end removed", data[:-1], count, len(lines[-1]) + 1)
    if data[:1].isdigit():
        yield Mutation("a leading zero on the case count", b"0" + data, 1, 1)


def judge(validator_path: str, data: bytes, where: str) -> Verdict:
    """check(), where a validator that cannot judge stops the run, naming `where`."""
    try:
        return check(validator_path, data)
    except ValidatorError as exc:
        raise Stop(f"{where}: {exc}")


def check_inputs(validator_path: str, inputs: Iterable[tuple[str, bytes]], mutate: bool,
                 each: Optional[dict[str, limits.Reached]] = None
                 ) -> tuple[list[str], limits.Reached, list[str]]:
    """Validates the (label, data) inputs, read one at a time as the iterable gives them.
    Returns (bad, seen, loose): 'label: line L, column C: what' for each invalid input, the
    limits the valid ones reach together, and with `mutate` 'label: description' for each
    broken copy of a valid input that the validator accepts. `each`, when given, receives the
    limits every valid input reaches, by its label."""
    bad: list[str] = []
    seen: limits.Reached = {}
    loose: list[str] = []
    for label, data in inputs:
        ok, message, reached = judge(validator_path, data, label)
        if not ok:
            bad.append(f"{label}: {message}")
            continue
        limits.merge(seen, reached)
        if each is not None:
            each[label] = reached
        if mutate:
            for description, broken in mutations(data):
                if judge(validator_path, broken, f"{label}, mutation {description}")[0]:
                    loose.append(f"{label}: {description}")
    return bad, seen, loose
