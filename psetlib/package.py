"""The package folder (`--out`): whose it is, its lock, and the move that puts a freshly built
problem in place; its problems' test data (psetlib/testdata.py) opened for reading.

A package root holds the marker file `.pset-package`, written by `build`; pset replaces files
only inside a marked root and there only `<problem>/tests/`, which holds nothing but what its
manifest lists.
"""

import ctypes
import fcntl
import os
import shutil
import time
from typing import Any, Optional

from . import testdata
from .common import ROOT, Stop, console
from .problems import Problem

MARKER = ".pset-package"
LOCK = ".pset-lock"
PARTIAL = ".partial-"
LOCK_WAIT = 5.0  # seconds a run waits for another to let go of the folder


def lock_wait() -> float:
    """How long a run waits for the lock: LOCK_WAIT, or PSET_LOCK_WAIT seconds from the
    environment (a positive number; a test waits less)."""
    try:
        wait = float(os.environ.get("PSET_LOCK_WAIT", ""))
    except ValueError:
        return LOCK_WAIT
    return wait if 0 < wait <= LOCK_WAIT else LOCK_WAIT
_RENAME_EXCHANGE = 2
_libc = ctypes.CDLL(None, use_errno=True)


class Place:
    """A package folder: `real`, its real path, and `shown`, as messages name it: as the user
    gave it (the default is absolute)."""

    def __init__(self, given: str) -> None:
        if not given:
            raise Stop("--out must name a folder")
        self.shown = given
        self.real = os.path.realpath(given)

    def show(self, *parts: str) -> str:
        """A path inside the folder, as messages name it."""
        return os.path.join(self.shown, *parts)

    def tests(self, name: str) -> str:
        """Where problem `name`'s test data is."""
        return os.path.join(self.real, name, "tests")


def check_not_project(place: Place) -> None:
    root = os.path.realpath(ROOT)
    if place.real == root or root.startswith(place.real.rstrip("/") + "/"):
        raise Stop(f"--out {place.shown} is the project tree itself; name a folder of its own")


def is_package(place: Place) -> bool:
    return os.path.isfile(os.path.join(place.real, MARKER))


_REPRODUCER = {"input", "expected", "got", "got.stderr", "seed", "remake", "expected.stderr"}


def _written_before_markers(out: str, names: list[str]) -> bool:
    """True when `out` holds only what an earlier pset wrote before packages were marked:
    problem folders holding nothing but tests/ as its manifest lists, stress reproducers and
    unfinished .partial-* folders."""
    for entry in os.listdir(out):
        path = os.path.join(out, entry)
        if entry.startswith(PARTIAL) and os.path.isdir(path):
            continue
        if not os.path.isdir(path) or os.path.islink(path):
            return False
        if entry == "stress":
            for r in os.listdir(path):
                kept = os.path.join(path, r)
                if not os.path.isdir(kept) or not set(os.listdir(kept)) <= _REPRODUCER:
                    return False
            continue
        tests = os.path.join(path, "tests")
        if entry not in names or os.listdir(path) != ["tests"] or not os.path.isdir(tests):
            return False
        listed = testdata.listed_names(tests)
        if not listed or not set(os.listdir(tests)) <= testdata.own_files(listed):
            return False
    return True


def prepare(place: Place, names: list[str]) -> None:
    """Makes the folder a package root for `build`, or stops: it must be new, empty or marked
    (or hold only what pset wrote before it marked its packages)."""
    check_not_project(place)
    out = place.real
    if os.path.exists(out) and not os.path.isdir(out):
        raise Stop(f"--out {place.shown} is not a folder")
    if os.path.isdir(out) and os.listdir(out) and not is_package(place) and \
            not _written_before_markers(out, names):
        raise Stop(f"--out {place.shown} is not empty and holds no {MARKER}: pset did not write "
                   "it (empty it or name another folder)")
    try:
        os.makedirs(out, exist_ok=True)
        if not is_package(place):
            with open(os.path.join(out, MARKER), "w") as fh:
                fh.write("A test data package written by pset; pset build replaces only "
                         "<problem>/tests/ here.\n")
    except OSError as exc:
        raise Stop(f"cannot write into --out {place.shown}: {exc.strerror}")


class Lock:
    """One build at a time per package; readers read it together (a shared lock)."""

    def __init__(self, place: Place, exclusive: bool, what: str) -> None:
        self.place = place
        self.path = os.path.join(place.real, LOCK)
        self.exclusive = exclusive
        self.what = what
        self.fh: Any = None

    def __enter__(self) -> "Lock":
        if not self.exclusive and not is_package(self.place):
            # a reader never leaves a lock file in a folder that holds no package
            raise Stop(f"the package is not built in {self.place.shown} (run make or pset "
                       "build)")
        try:
            self.fh = open(self.path, "a+")
        except OSError as exc:
            raise Stop(f"cannot lock {self.place.show(LOCK)}: {exc.strerror}")
        mode = fcntl.LOCK_EX if self.exclusive else fcntl.LOCK_SH
        deadline = time.monotonic() + lock_wait()
        said = False
        while True:
            try:
                fcntl.flock(self.fh, mode | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > deadline:
                    self.fh.seek(0)
                    holder = self.fh.read().strip() or "another pset run reading it"
                    self.fh.close()
                    raise Stop(f"{self.place.shown} is in use by {holder}; try again when it "
                               "is done")
                if not said:
                    console.say(f"waiting for {self.place.shown}, in use by another pset "
                                "run ...")
                    said = True
                time.sleep(0.1)
        if self.exclusive:
            self.fh.seek(0)
            self.fh.truncate()
            self.fh.write(f"pset {self.what} (pid {os.getpid()})\n")
            self.fh.flush()
        return self

    def __exit__(self, *exc: object) -> None:
        if self.exclusive:
            self.fh.seek(0)
            self.fh.truncate()
            self.fh.flush()
        self.fh.close()


def remove_leftovers(place: Place) -> None:
    """Removes the unfinished folders of an interrupted earlier build (we hold the lock)."""
    for name in sorted(os.listdir(place.real)):
        if name.startswith(PARTIAL) and os.path.isdir(os.path.join(place.real, name)):
            shutil.rmtree(os.path.join(place.real, name))
            console.say(f"removed {name}, left in {place.shown} by an interrupted run")


def check_replaceable(place: Place, p: Problem) -> None:
    """Stops when `<out>/<problem>/tests/` holds files pset did not write."""
    top, folder = os.path.join(place.real, p.name), place.tests(p.name)
    if os.path.lexists(top) and not os.path.isdir(top):
        raise Stop(f"{place.show(p.name)} is not a folder; pset will not replace it")
    if not os.path.lexists(folder):
        return
    if not os.path.isdir(folder) or os.path.islink(folder):
        raise Stop(f"{place.show(p.name, 'tests')} is not a folder pset wrote; move it away")
    # an old package may hold answers or not (a solver added since): either is pset's own
    extra = sorted(set(os.listdir(folder)) - testdata.own_files(testdata.listed_names(folder)))
    if extra:
        raise Stop(f"{place.show(p.name, 'tests')} holds files pset did not write "
                   f"({', '.join(extra[:3])}); move them away first")


def open_tests(place: Place, p: Problem) -> testdata.TestData:
    """The built test data of problem p, checked as a whole (see testdata.TestData); stops when
    it is not built."""
    folder = place.tests(p.name)
    if not is_package(place) or not os.path.isfile(os.path.join(folder, testdata.MANIFEST)):
        raise Stop(f"the package of {p.name} is not built in {place.shown} (run make or pset "
                   "build)")
    return testdata.TestData(folder, place.show(p.name, "tests"), p.name, bool(p.solver))


def put_in_place(new: str, final: str) -> Optional[str]:
    """Puts the folder `new` at `final` in one step; returns the old folder's new path (now
    where `new` was), or None when there was none. A kill at any moment leaves either the
    old or the new folder at `final`."""
    os.makedirs(os.path.dirname(final), exist_ok=True)
    if not os.path.lexists(final):
        os.rename(new, final)
        return None
    r = _libc.renameat2(-100, os.fsencode(new), -100, os.fsencode(final), _RENAME_EXCHANGE)
    if r == 0:
        return new
    # a file system without the exchange: two renames, the old folder first kept aside
    aside = new + ".old"
    os.rename(final, aside)
    os.rename(new, final)
    return aside
