"""The package folder (`--out`): whose it is, its lock, its manifests, and the move that puts a
freshly built problem in place.

A package root holds the marker file `.pset-package`, written by `build`; pset replaces files
only inside a marked root and there only `<problem>/tests/`, which holds nothing but what its
manifest lists. Every test line of a manifest reads `NAME how-it-was-made`.
"""

import ctypes
import fcntl
import os
import re
import shutil
import time

from .common import ROOT, Stop, console, rel

MARKER = ".pset-package"
LOCK = ".pset-lock"
PARTIAL = ".partial-"
LOCK_WAIT = 5.0  # seconds a run waits for another to let go of the folder
_RENAME_EXCHANGE = 2
_libc = ctypes.CDLL(None, use_errno=True)


def resolve(out):
    if not out:
        raise Stop("--out must name a folder")
    return os.path.realpath(out)


def check_not_project(out):
    root = os.path.realpath(ROOT)
    if out == root or root.startswith(out.rstrip("/") + "/"):
        raise Stop(f"--out {out} is the project tree itself; name a folder of its own")


def is_package(out):
    return os.path.isfile(os.path.join(out, MARKER))


_REPRODUCER = {"input", "expected", "got", "got.stderr", "seed", "remake", "expected.stderr"}


def _written_before_markers(out, names):
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
        listed = read_manifest(tests)
        if listed is None or not set(os.listdir(tests)) <= wanted_files(listed, True):
            return False
    return True


def prepare(out, names):
    """Makes `out` a package root for `build`, or stops: it must be new, empty or marked (or
    hold only what pset wrote before it marked its packages)."""
    check_not_project(out)
    if os.path.exists(out) and not os.path.isdir(out):
        raise Stop(f"--out {out} is not a folder")
    if os.path.isdir(out) and os.listdir(out) and not is_package(out) and \
            not _written_before_markers(out, names):
        raise Stop(f"--out {out} is not empty and holds no {MARKER}: pset did not write it "
                   "(empty it or name another folder)")
    try:
        os.makedirs(out, exist_ok=True)
        if not is_package(out):
            with open(os.path.join(out, MARKER), "w") as fh:
                fh.write("A test data package written by pset; pset build replaces only "
                         "<problem>/tests/ here.\n")
    except OSError as exc:
        raise Stop(f"cannot write into --out {out}: {exc.strerror}")


class Lock:
    """One build at a time per package; judges read it together (a shared lock)."""

    def __init__(self, out, exclusive, what):
        self.path = os.path.join(out, LOCK)
        self.exclusive = exclusive
        self.what = what
        self.fh = None

    def __enter__(self):
        out = os.path.dirname(self.path)
        if not self.exclusive and not is_package(out):
            # a reader never leaves a lock file in a folder that holds no package
            raise Stop(f"the package is not built in {rel(out)} (run make or pset build)")
        try:
            self.fh = open(self.path, "a+")
        except OSError as exc:
            raise Stop(f"cannot lock {rel(self.path)}: {exc.strerror}")
        mode = fcntl.LOCK_EX if self.exclusive else fcntl.LOCK_SH
        deadline = time.monotonic() + LOCK_WAIT
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
                    raise Stop(f"{rel(os.path.dirname(self.path))} is in use by {holder}; "
                               "try again when it is done")
                if not said:
                    console.say(f"waiting for {rel(os.path.dirname(self.path))}, in use by "
                                "another pset run ...")
                    said = True
                time.sleep(0.1)
        if self.exclusive:
            self.fh.seek(0)
            self.fh.truncate()
            self.fh.write(f"pset {self.what} (pid {os.getpid()})\n")
            self.fh.flush()
        return self

    def __exit__(self, *exc):
        if self.exclusive:
            self.fh.seek(0)
            self.fh.truncate()
            self.fh.flush()
        self.fh.close()


def remove_leftovers(out):
    """Removes the unfinished folders of an interrupted earlier build (we hold the lock)."""
    for name in sorted(os.listdir(out)):
        if name.startswith(PARTIAL) and os.path.isdir(os.path.join(out, name)):
            shutil.rmtree(os.path.join(out, name))
            console.say(f"removed {name}, left in {rel(out)} by an interrupted run")


def tests_dir(out, name):
    return os.path.join(out, name, "tests")


_LINE = re.compile(r"(\d+) (example|maker|generator) \S.*")


def read_manifest(folder):
    """The test names of a manifest, in order; None when it is missing or garbled."""
    try:
        with open(os.path.join(folder, "manifest"), encoding="utf-8") as fh:
            lines = fh.read().splitlines()
    except (OSError, UnicodeDecodeError):
        return None
    names = []
    for line in lines:
        m = _LINE.fullmatch(line)
        if not m or m.group(1) in names:
            return None
        names.append(m.group(1))
    return names or None


def wanted_files(names, answers):
    files = {"manifest", "sources"}
    for n in names:
        files.add(n + ".in")
        if answers:
            files.add(n + ".ans")
    return files


def check_replaceable(out, p):
    """Stops when `<out>/<problem>/tests/` holds files pset did not write."""
    folder = tests_dir(out, p.name)
    if os.path.lexists(os.path.join(out, p.name)) and not os.path.isdir(os.path.join(out, p.name)):
        raise Stop(f"{rel(os.path.join(out, p.name))} is not a folder; pset will not replace it")
    if not os.path.lexists(folder):
        return
    if not os.path.isdir(folder) or os.path.islink(folder):
        raise Stop(f"{rel(folder)} is not a folder pset wrote; move it away")
    names = read_manifest(folder) or []
    # an old package may hold answers or not (a solver added since): either is pset's own
    extra = sorted(set(os.listdir(folder)) - wanted_files(names, True))
    if extra:
        raise Stop(f"{rel(folder)} holds files pset did not write ({', '.join(extra[:3])}); "
                   "move them away first")


def check_package(out, p):
    """The test names of a built package, or a stop when it is not whole."""
    folder = tests_dir(out, p.name)
    if not is_package(out) or not os.path.isfile(os.path.join(folder, "manifest")):
        raise Stop(f"the package of {p.name} is not built in {rel(out)} (run make or pset build)")
    names = read_manifest(folder)
    if names is not None:
        have = set(os.listdir(folder))
        want = wanted_files(names, bool(p.solver))
        if have == want:
            return names
    raise Stop(f"the package of {p.name} in {rel(folder)} is incomplete or changed: run pset build")


def put_in_place(new, final):
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
