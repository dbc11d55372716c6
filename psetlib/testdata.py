"""One problem's test data in a built package, `<out>/<problem>/tests/`: the tests `NN.in` and
`NN.ans` (inputs only for a problem without a solver), `sources` (the digest of what the
package was made from, psetlib/sources.py) and `manifest`, which lists every test:

    # pset test data of demolition: per test its name, per file its size in bytes and ...
    01 in 20 3f0c...e1 ans 12 9a1b...07 example demolition/examples/01-worked.in
    11 in 5123 77d2...c4 ans 904 01fe...9d generator demolish_cases seed 1765000000

A test line: the test's name (digits), then for its input (`in`) and its answer (`ans`) the
size in bytes and the SHA-256 in hex, then how the test was made: `example PATH`, `maker PATH
NAME` (a problem's extra_tests.py) or `generator PROGRAM seed S` (`generator PROGRAM (unseeded:
...)`). Lines starting with # are comments.

The package proves itself: TestData stops a reader before it starts when a file is missing,
one is there that the manifest does not list, or a size differs, and checks each file's digest
as the run first reads it, before its verdict counts (each file is hashed once per run).
"""

import hashlib
import os
import re
import threading
from dataclasses import dataclass
from typing import Optional

from .common import Stop

MANIFEST = "manifest"
SOURCES = "sources"
SUFFIXES = (".in", ".ans")
KINDS = ("example", "maker", "generator")
_HEX = "[0-9a-f]{64}"
_LINE = re.compile(rf"(\d+) in (\d+) ({_HEX})(?: ans (\d+) ({_HEX}))? ({'|'.join(KINDS)}) (\S.*)")
_NAME = re.compile(r"(\d+) \S.*")
CHUNK = 1 << 20


@dataclass(frozen=True)
class Record:
    """What a test file holds: its size and SHA-256."""

    size: int
    sha256: str


@dataclass(frozen=True)
class Entry:
    """One test of a manifest."""

    name: str
    files: dict[str, Record]  # ".in" and, with answers, ".ans"
    kind: str                 # one of KINDS
    how: str                  # the rest of how it was made

    def line(self) -> str:
        files = " ".join(f"{suffix[1:]} {r.size} {r.sha256}" for suffix, r in self.files.items())
        return f"{self.name} {files} {self.kind} {self.how}"


def record(path: str) -> Record:
    """The size and digest of a file."""
    h = hashlib.sha256()
    size = 0
    with open(path, "rb") as fh:
        for block in iter(lambda: fh.read(CHUNK), b""):
            h.update(block)
            size += len(block)
    return Record(size, h.hexdigest())


def record_of(data: bytes) -> Record:
    """The size and digest of bytes in hand."""
    return Record(len(data), hashlib.sha256(data).hexdigest())


def write(folder: str, problem: str, entries: list[Entry]) -> None:
    """Writes the manifest of `entries` into `folder`."""
    head = (f"# pset test data of {problem}: per test its name, per file (in, ans) its size in "
            "bytes and SHA-256, then how it was made\n")
    with open(os.path.join(folder, MANIFEST), "w", encoding="utf-8") as fh:
        fh.write(head + "".join(e.line() + "\n" for e in entries))


def parse(text: str) -> tuple[list[Entry], Optional[int]]:
    """The entries of a manifest's text, and the number of its first line that is not a test
    line (None when every line is one)."""
    entries: list[Entry] = []
    seen = set()
    for k, line in enumerate(text.split("\n"), 1):
        if not line or line.startswith("#"):
            continue
        m = _LINE.fullmatch(line)
        if not m or m.group(1) in seen:
            return entries, k
        seen.add(m.group(1))
        files = {".in": Record(int(m.group(2)), m.group(3))}
        if m.group(4):
            files[".ans"] = Record(int(m.group(4)), m.group(5))
        entries.append(Entry(m.group(1), files, m.group(6), m.group(7)))
    return entries, None


def listed_names(folder: str) -> list[str]:
    """The test names a manifest lists, read leniently: also from the manifest of an older pset
    (`NAME how-it-was-made`), for `build` to tell a folder it may replace; [] when there is
    none."""
    try:
        with open(os.path.join(folder, MANIFEST), encoding="utf-8") as fh:
            lines = fh.read().splitlines()
    except (OSError, UnicodeDecodeError):
        return []
    return [line.split()[0] for line in lines if _NAME.fullmatch(line)]


def own_files(names: list[str]) -> set[str]:
    """Every file pset may write into a tests/ folder of these tests."""
    return {MANIFEST, SOURCES} | {n + s for n in names for s in SUFFIXES}


class TestData:
    """The tests of one problem in a package, checked as a whole when opened and file by file
    as they are read.

    `folder` is where they are; `shown` the same folder as messages name it (under the --out
    the user gave, or absolute); `answers` whether the problem's tests have answers."""

    def __init__(self, folder: str, shown: str, problem: str, answers: bool) -> None:
        self.folder = folder
        self.shown = shown
        try:
            with open(os.path.join(folder, MANIFEST), encoding="utf-8") as fh:
                text = fh.read()
        except UnicodeDecodeError:
            text = "\0"
        entries, bad = parse(text)
        if bad is not None or not entries:
            where = f" (line {bad})" if bad is not None else ": it lists no test"
            raise self.changed(MANIFEST, f"is damaged{where}")
        suffixes = set(SUFFIXES) if answers else {".in"}
        for e in entries:
            if set(e.files) != suffixes:
                raise self.changed(MANIFEST, f"lists test {e.name} with "
                                   f"{'no' if answers else 'an'} answer, though {problem} has "
                                   f"{'a' if answers else 'no'} solver")
        self.entries = {e.name: e for e in entries}
        self.names = [e.name for e in entries]
        have = set(os.listdir(folder))
        want = own_files(self.names) - ({n + ".ans" for n in self.names} if not answers
                                        else set())
        for f in sorted(have - want):
            raise self.changed(f, "is not in its manifest")
        for f in sorted(want - have):
            raise self.changed(f, "is missing")
        for e in entries:
            for suffix, r in e.files.items():
                if os.path.getsize(os.path.join(folder, e.name + suffix)) != r.size:
                    raise self.changed(e.name + suffix, "differs from its manifest")
        self._checked: set[str] = set()
        self._lock = threading.Lock()

    def changed(self, f: str, how: str) -> Stop:
        """The stop for a file of the package that is not as pset wrote it."""
        return Stop(f"package changed: {os.path.join(self.shown, f)} {how}: run pset build")

    def path(self, name: str, suffix: str) -> str:
        """The path of a test file, its digest checked the first time the run asks for it."""
        f = name + suffix
        path = os.path.join(self.folder, f)
        with self._lock:
            if f not in self._checked:
                if record(path) != self.entries[name].files[suffix]:
                    raise self.changed(f, "differs from its manifest")
                self._checked.add(f)
        return path

    def read(self, name: str, suffix: str) -> bytes:
        """A test file's bytes, checked against its digest as they are read."""
        f = name + suffix
        with open(os.path.join(self.folder, f), "rb") as fh:
            data = fh.read()
        if record_of(data) != self.entries[name].files[suffix]:
            raise self.changed(f, "differs from its manifest")
        with self._lock:
            self._checked.add(f)
        return data

    def check_all(self) -> None:
        """Checks every file's digest (each once per run)."""
        for name in self.names:
            for suffix in self.entries[name].files:
                self.path(name, suffix)

    def sources(self) -> str:
        """The digest of the sources the package was made from, as recorded."""
        with open(os.path.join(self.folder, SOURCES), encoding="ascii", errors="replace") as fh:
            return fh.read().strip()
