"""Input validation: runs a problem's input validator on a file, and derives broken files from a
valid one to check that the validator rejects them.

A validator (`<problem>_input_check`, built into build/validators) reads the input on standard
input and exits 42 when it is valid, writing one line "NAME MIN MAX" per named limit it met (the
smallest and largest value seen); it exits 43 when the input is invalid, with one stderr line
"line L, column C: what". Any other outcome is the validator's failure, not the file's.

check() runs it on one file; check_inputs() on many, gathering what they reach of the limits
and, asked to, the broken copies of each (mutations()) that it wrongly accepts.
"""

import os
import re
from typing import Any, Iterable, Iterator, Optional, Union

from . import limits, runner
from .common import Stop

VALID, INVALID = 42, 43

# A validator reads its input once: a run this long (wall-clock seconds) is a hang; it may use
# half of it in CPU time, MEMORY bytes (the tree's where a cgroup can be made) and write
# OUTPUT bytes. A file to check may hold at most INPUT bytes.
TIMEOUT = 120
MEMORY = 2048 * runner.MB
OUTPUT = 1 * runner.MB
INPUT = 256 * runner.MB

_WHERE = re.compile(rb"line [0-9]+, column [0-9]+: [^\n]*\n")

# What a validator reads: the bytes in hand, or the path of a file (read within INPUT bytes).
Data = Union[bytes, str]


class ValidatorError(Exception):
    """The validator could not judge the file: it would not start, crashed, hung, or answered
    outside its protocol."""


class TooLong(Exception):
    """The file to check holds more than INPUT bytes; str() says so in one line."""


def _number(text: str) -> float:
    try:
        return int(text)
    except ValueError:
        return float(text)


Verdict = tuple[bool, str, limits.Reached]


def _read(path: str) -> bytes:
    try:
        with open(path, "rb") as fh:
            return fh.read(OUTPUT + 1)
    except OSError:
        return b""
    finally:
        try:
            os.unlink(path)
        except OSError:
            pass


def check(validator_path: str, data: Data, timeout: float = TIMEOUT) -> Verdict:
    """Runs the validator on `data` (bytes, or the path of a file, read within INPUT bytes)
    through pset's runner, under time, memory and output limits. Returns (ok, message,
    limits): for a valid file (True, "", {name: (min, max)}), for an invalid one (False,
    "line L, column C: what", {}). Raises ValidatorError when the validator fails to judge,
    TooLong when the file is longer than INPUT."""
    try:
        r = runner.run([validator_path], stdin=data, time_limit=timeout / 2,
                       wall_limit=timeout, memory_limit=MEMORY, output_limit=OUTPUT,
                       input_limit=None if isinstance(data, bytes) else INPUT)
    except runner.InputTooLong:
        raise TooLong(f"too long: more than {INPUT // runner.MB} MB")
    except runner.StartError as exc:
        raise ValidatorError(f"{validator_path}: cannot run: {exc}")
    out, errb = _read(r.stdout), _read(r.stderr)
    err = errb.decode("utf-8", errors="replace").strip()
    if r.verdict in ("TLE", "MLE", "OLE"):
        what = {"TLE": f"no verdict within its time limit ({timeout:g} s)",
                "MLE": f"past its memory limit ({MEMORY // runner.MB} MB)",
                "OLE": f"more than {OUTPUT // runner.MB} MB of output"}[r.verdict]
        raise ValidatorError(f"{validator_path}: {what}")
    if r.status == INVALID:
        if not _WHERE.fullmatch(errb) or out:
            raise ValidatorError(f"{validator_path}: status 43 without a one-line message "
                                 f"'line L, column C: ...' (stderr {err[:200]!r})")
        return False, err, {}
    if r.status != VALID:
        how = f"signal {r.signal}" if r.signal is not None else f"status {r.status}"
        raise ValidatorError(f"{validator_path}: {how}" + (f": {err[:200]}" if err else ""))
    if errb:
        raise ValidatorError(f"{validator_path}: status 42 with a message: {err[:200]}")
    reached: limits.Reached = {}
    for line in out.decode("utf-8", errors="replace").splitlines():
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


def judge(validator_path: str, data: Data, where: str) -> Verdict:
    """check(), where a validator that cannot judge stops the run, naming `where`, and a file
    longer than INPUT is invalid."""
    try:
        return check(validator_path, data)
    except TooLong as exc:
        return False, str(exc), {}
    except ValidatorError as exc:
        raise Stop(f"{where}: {exc}")


def read_file(path: str) -> bytes:
    """A file's bytes, at most INPUT + 1 of them (a longer file is refused by check())."""
    try:
        with open(path, "rb") as fh:
            return fh.read(INPUT + 1)
    except OSError as exc:
        raise Stop(f"cannot read {path}: {exc.strerror}")


def check_inputs(validator_path: str, inputs: Iterable[tuple[str, Data]], mutate: bool,
                 each: Optional[dict[str, limits.Reached]] = None
                 ) -> tuple[list[str], limits.Reached, list[str]]:
    """Validates the (label, data) inputs, read one at a time as the iterable gives them (data:
    bytes, or the path of a file, read within INPUT bytes). Returns (bad, seen, loose): 'label:
    line L, column C: what' for each invalid input, the limits the valid ones reach together,
    and with `mutate` 'label: description' for each broken copy of a valid input that the
    validator accepts. `each`, when given, receives the limits every valid input reaches, by
    its label."""
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
            whole = data if isinstance(data, bytes) else read_file(data)
            for description, broken in mutations(whole):
                if judge(validator_path, broken, f"{label}, mutation {description}")[0]:
                    loose.append(f"{label}: {description}")
    return bad, seen, loose
