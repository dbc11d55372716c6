"""The problems, read from their manifests `<problem>/problem.toml`, and the built programs.

A problem is a folder at the top of the project holding a problem.toml. Known keys (others
are left for the tools that use them):

    order = 1                       # place in the problem set
    title = "Segment demolition"
    [programs]  solver, second (list), compare ("exact" | "even-words"), generator,
                seeded (bool), input_check
    [programs.capacity]  second solver = { limit = largest value it holds, ... }
    [answers]   judge ("exact" | "float"), absolute_tolerance
"""

import os
import runpy
import shlex
import tomllib
import types

from .common import ROOT, Stop
from . import runner


class Problem:
    def __init__(self, name, folder, data):
        self.name = name
        self.folder = folder
        self.data = data  # the whole manifest, for keys this module does not know
        progs = data.get("programs", {})
        answers = data.get("answers", {})
        self.order = data.get("order", 1000)
        self.title = data.get("title", name)
        self.solver = progs.get("solver")          # None: the package holds inputs only
        self.second = list(progs.get("second", []))
        # second solver -> {limit: largest value it holds}: it cross-checks only the tests
        # whose reported limits all lie within these
        self.capacity = dict(progs.get("capacity", {}))
        self.compare = progs.get("compare", "exact")
        self.generator = progs.get("generator")
        self.seeded = progs.get("seeded", True)
        self.input_check = progs.get("input_check")
        self.judge = answers.get("judge", "exact")
        self.tolerance = answers.get("absolute_tolerance")
        where = f"{os.path.join(name, 'problem.toml')}"
        if self.compare not in ("exact", "even-words"):
            raise Stop(f"{where}: compare = {self.compare!r} is neither 'exact' nor 'even-words'")
        if self.judge not in ("exact", "float"):
            raise Stop(f"{where}: judge = {self.judge!r} is neither 'exact' nor 'float'")
        if not isinstance(self.order, int) or not isinstance(self.seeded, bool):
            raise Stop(f"{where}: order must be a whole number and seeded true or false")

    @property
    def floats(self):
        return self.judge == "float"

    def examples(self):
        """The hand-written example inputs, in name order."""
        folder = os.path.join(self.folder, "examples")
        if not os.path.isdir(folder):
            return []
        return sorted(os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".in"))


def get_in(root, name):
    """Problem `name` of the set whose folder is `root`."""
    if os.path.realpath(root) == os.path.realpath(ROOT):
        return get(name)
    for p in load(root):
        if p.name == name:
            return p
    raise Stop(f"unknown problem {name!r} in {root}")


def load_script(path):
    """What a problem's own Python file defines (its maker, its extra tests, its benchmark
    inputs), as the attributes of one object."""
    return types.SimpleNamespace(**runpy.run_path(path))


def load(root=ROOT):
    """Every problem of the set, in its order."""
    found = []
    for name in sorted(os.listdir(root)):
        path = os.path.join(root, name, "problem.toml")
        if not os.path.isfile(path):
            continue
        try:
            with open(path, "rb") as fh:
                data = tomllib.load(fh)
        except tomllib.TOMLDecodeError as exc:
            raise Stop(f"{os.path.join(name, 'problem.toml')} is not valid TOML: {exc}")
        found.append(Problem(name, os.path.join(root, name), data))
    return sorted(found, key=lambda p: (p.order, p.name))


_all = None


def all_problems():
    global _all
    if _all is None:
        _all = load()
    return _all


def names():
    return [p.name for p in all_problems()]


def get(name):
    for p in all_problems():
        if p.name == name:
            return p
    raise Stop(f"unknown problem {name!r}; the problems are {', '.join(names())}")


def choose(chosen):
    """The named problems, each once, in the set's order (all of them when none is named)."""
    if not chosen:
        return all_problems()
    wanted = {get(n).name for n in chosen}
    return [p for p in all_problems() if p.name in wanted]


class Tools:
    """Where the programs and the pinned clock are; checked before any work starts."""

    def __init__(self, build_dir):
        self.build_dir = os.path.abspath(build_dir)
        self.bin = os.path.join(self.build_dir, "bin")
        self.pinclock = os.path.join(self.build_dir, "lib", "libpinclock.so")
        self._link = None

    def exe(self, name):
        path = os.path.join(self.bin, name)
        if not os.path.isfile(path):
            raise Stop(f"program {name} is missing: {path} is not built (run make)")
        if not os.access(path, os.X_OK):
            raise Stop(f"program {name} is not executable: {path}")
        return path

    def check(self, problems, generators=True, second=True):
        for p in problems:
            for name in ([p.solver] + (p.second if second else []) +
                         [p.generator if generators else None]):
                if name:
                    self.exe(name)
            if p.floats and p.solver:
                self.exe("float_judge")
        if generators and any(p.generator for p in problems) and not os.path.isfile(
                self.pinclock):
            raise Stop(f"the pinned clock {self.pinclock} is not built (run make)")

    def preload_path(self):
        """The pinned clock as LD_PRELOAD can take it: the loader splits its value at blanks
        and colons, so a path holding one is reached through a link in our scratch folder."""
        if not any(c in self.pinclock for c in " \t\n:"):
            return self.pinclock
        if self._link is None or not os.path.exists(self._link):
            link = os.path.join(runner.scratch(), "libpinclock.so")
            if not os.path.lexists(link):
                os.symlink(self.pinclock, link)
            self._link = link
        return self._link

    def clock_env(self, seed):
        env = dict(os.environ)
        env["LD_PRELOAD"] = self.preload_path()
        env["PINNED_TIME"] = str(seed)
        opts = env.get("ASAN_OPTIONS", "")
        env["ASAN_OPTIONS"] = (opts + ":" if opts else "") + "verify_asan_link_order=0"
        return env

    def remake_command(self, p, seed):
        """One shell command line that writes a generated input again, from any folder."""
        gen = shlex.quote(self.exe(p.generator))
        if not p.seeded:
            return gen
        lib = self.pinclock
        if not any(c in lib for c in " \t\n:"):
            return f"PINNED_TIME={seed} LD_PRELOAD={shlex.quote(lib)} {gen}"
        # the loader cannot take this path: a link in a fresh temporary folder stands in
        return (f"(d=$(mktemp -d /tmp/remake.XXXXXX) && ln -s {shlex.quote(lib)} \"$d/pin.so\" "
                f"&& PINNED_TIME={seed} LD_PRELOAD=\"$d/pin.so\" {gen}; s=$?; rm -rf \"$d\"; "
                f"exit $s)")
