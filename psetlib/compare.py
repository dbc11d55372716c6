"""Comparing answer files without reading them whole: pset's memory stays small however
much a command prints. Exact text (first_difference), a second solver's answers under the
problem's rule (agree), floating answers through the problem's checker (by_checker)."""

import os
from typing import Any, Iterator, Optional

from . import runner
from .common import Stop
from .problems import Problem

CHUNK = 1 << 20
SHOW = 60  # characters of a line shown on a difference


def _cut(raw: bytes) -> str:
    text = raw.decode(errors="replace")
    text = text[:SHOW] + "..." if len(text) > SHOW else text
    return repr(text)[1:-1].replace('"', '\\"')


def _line_at(path: str, start: int) -> bytes:
    with open(path, "rb") as fh:
        fh.seek(start)
        return fh.read(SHOW * 4 + 4).split(b"\n", 1)[0]


def first_difference(expected: str, got: str) -> Optional[str]:
    """None when the two files are equal byte for byte, else one line saying where they
    first differ: the line number, the expected and the received line, each cut short."""
    line, line_start = 1, 0
    offset = 0
    with open(expected, "rb") as a, open(got, "rb") as b:
        while True:
            x, y = a.read(CHUNK), b.read(CHUNK)
            if x == y:
                if not x:
                    return None
                line += x.count(b"\n")
                nl = x.rfind(b"\n")
                if nl >= 0:
                    line_start = offset + nl + 1
                offset += len(x)
                continue
            n = min(len(x), len(y))
            i = next((k for k in range(n) if x[k] != y[k]), n)
            line += x.count(b"\n", 0, i)
            nl = x.rfind(b"\n", 0, i)
            if nl >= 0:
                line_start = offset + nl + 1
            break
    at = offset + i
    size_e, size_g = os.path.getsize(expected), os.path.getsize(got)
    if at >= size_g:
        return (f"line {line}: the output ends early; expected "
                f"\"{_cut(_line_at(expected, line_start))}\"")
    if at >= size_e:
        return f"line {line}: more output than expected: \"{_cut(_line_at(got, line_start))}\""
    return (f"line {line}: expected \"{_cut(_line_at(expected, line_start))}\", "
            f"got \"{_cut(_line_at(got, line_start))}\"")


def _tokens(path: str) -> Iterator[bytes]:
    """The whitespace-separated tokens of a file, read a chunk at a time."""
    rest = b""
    with open(path, "rb") as fh:
        while True:
            chunk = fh.read(CHUNK)
            if not chunk:
                break
            parts = (rest + chunk).split()
            ends_blank = chunk[-1:].isspace()
            rest = b"" if ends_blank or not parts else parts.pop()
            yield from parts
    if rest:
        yield rest


def _lines(path: str) -> Iterator[bytes]:
    with open(path, "rb") as fh:
        while True:
            line = fh.readline(CHUNK)
            if not line:
                return
            yield line


def agree(p: Problem, inp: str, ref: str, other: str) -> bool:
    """True when a second answer file agrees with the reference under the problem's rule:
    byte for byte, or (even-words) on the answers of the input's even-length words."""
    if p.compare != "even-words":
        return first_difference(ref, other) is None
    words = _tokens(inp)
    try:
        count = int(next(words, b"0"))
    except ValueError:
        return first_difference(ref, other) is None
    a, b = _lines(ref), _lines(other)
    k = 0
    while True:
        x, y = next(a, None), next(b, None)
        if x is None or y is None:
            return x is None and y is None
        word = next(words, None) if k < count else None
        if word is not None and len(word) % 2 == 0 and x != y:
            return False
        k += 1


def by_checker(checker: str, expected: str, got: str, err: str, what: str,
               tag: Any = None) -> Optional[str]:
    """None when the checker (`checker EXPECTED GOT`: 0 accepted, 1 rejected) accepts the
    answers in `got`, else its one line on why (its stderr goes to the file `err`); a checker
    that cannot judge stops the run, naming `what` it compared. `tag`: the run's (see
    runner.kill_tagged)."""
    j = runner.run([checker, expected, got], stdout=os.devnull, stderr=err, wall_limit=60,
                   tag=tag)
    if j.status == 0:
        return None
    if j.status == 1:
        return runner.first_line(err, 100) or f"{os.path.basename(checker)}: the answers differ"
    raise Stop(f"{os.path.basename(checker)} could not compare the answers of {what}: "
               f"{j.describe()} {runner.first_line(err)}".rstrip())
