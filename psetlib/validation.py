"""Input validation: runs a problem's input validator on a file, and derives broken files from a
valid one to check that the validator rejects them.

A validator (`<problem>_input_check`, built into build/validators) reads the input on standard
input and exits 42 when it is valid, writing one line "NAME MIN MAX" per named limit it met (the
smallest and largest value seen); it exits 43 when the input is invalid, with one stderr line
"line L, column C: what". Any other outcome is the validator's failure, not the file's.
"""

import os
import re

from . import runner

VALID, INVALID = 42, 43

# A validator reads its input once: a run this long (wall-clock seconds) is a hang; it may use
# half of it in CPU time, MEMORY bytes (the tree's where a cgroup can be made) and write
# OUTPUT bytes. A file to check may hold at most INPUT bytes.
TIMEOUT = 120
MEMORY = 2048 * runner.MB
OUTPUT = 1 * runner.MB
INPUT = 256 * runner.MB

_WHERE = re.compile(rb"line [0-9]+, column [0-9]+: [^\n]*\n")


class ValidatorError(Exception):
    """The validator could not judge the file: it would not start, crashed, hung, or answered
    outside its protocol."""


class TooLong(Exception):
    """The file to check holds more than INPUT bytes; str() says so in one line."""


def _number(text):
    try:
        return int(text)
    except ValueError:
        return float(text)


def _read(path):
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


def check(validator_path, data, timeout=TIMEOUT):
    """Runs the validator on `data` (bytes, or the path of a file, read within INPUT bytes)
    through pset's runner, under time, memory and output limits. Returns (ok, message,
    limits): for a valid file (True, "", {name: (min, max)}), for an invalid one (False,
    "line L, column C: what", {}). Raises ValidatorError when the validator fails to judge,
    TooLong when the file is longer than INPUT."""
    try:
        r = runner.run([validator_path], stdin=data, time_limit=timeout / 2,
                       wall_limit=timeout, memory_limit=MEMORY, output_limit=OUTPUT,
                       input_limit=None if isinstance(data, (bytes, bytearray)) else INPUT)
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
    limits = {}
    for line in out.decode("utf-8", errors="replace").splitlines():
        parts = line.split()
        try:
            name, lo, hi = parts
            limits[name] = (_number(lo), _number(hi))
        except ValueError:
            raise ValidatorError(f"{validator_path}: a limits line that is not "
                                 f"'NAME MIN MAX': {line[:200]!r}")
    return True, "", limits


class Mutation(tuple):
    """(description, data): a broken copy of a valid file. `line` and `column` say where the
    file first breaks, which is where a strict validator must point."""

    def __new__(cls, description, data, line, column):
        self = super().__new__(cls, (description, data))
        self.line, self.column = line, column
        return self


def mutations(data):
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
