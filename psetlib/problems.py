"""The problem set: its problems, each a folder at the top of the project holding a
`problem.toml`, and the set's own `problemset.toml`.

Every manifest is read here and nowhere else, through the schema (psetlib/schema.py, printed
by `pset schema`): a manifest that breaks it stops the reader with one line naming the file
and the key. What a problem's manifest says is a Problem's attributes.
"""

import os
import runpy
import tomllib
import types
from dataclasses import dataclass
from typing import Any, Iterable, Optional

from . import schema
from .common import ROOT, Stop


@dataclass(frozen=True)
class Limit:
    """One limit of [limits]: the name the validator reports it by and its bounds."""

    name: str
    min: float
    max: float
    what: str
    min_excluded: bool = False
    waive_min: Optional[str] = None  # why no test needs to reach min
    waive_max: Optional[str] = None  # why no test needs to reach max


class Problem:
    """One problem, as its checked manifest has it (see psetlib/schema.py for each key)."""

    def __init__(self, name: str, folder: str, m: dict[str, Any]) -> None:
        self.name = name
        self.folder = folder
        self.manifest = os.path.join(folder, schema.PROBLEM_FILE)
        self.title: str = m["title"]
        self.order: int = m["order"]
        self.time_limit: Optional[float] = None if m["time_limit"] is None \
            else float(m["time_limit"])
        self.samples: list[str] = m["samples"]
        progs = m["programs"]
        self.solver: Optional[str] = progs["solver"]  # None: the package holds inputs only
        self.second: list[str] = progs["second"]
        self.compare: str = progs["compare"]
        self.generator: Optional[str] = progs["generator"]
        self.seeded: bool = progs["seeded"]
        self.input_check: str = progs["input_check"]
        self.checker: Optional[str] = progs["checker"]
        self.solvers_read_input: bool = progs["solvers_read_input"]
        # second solver -> {limit: largest value it holds}: it cross-checks only the tests
        # whose reported limits all lie within these
        self.capacity: dict[str, dict[str, float]] = progs["capacity"]
        self.judge: str = m["answers"]["judge"]
        self.tolerance: Optional[float] = m["answers"]["absolute_tolerance"]
        self.limits = {n: Limit(n, b["min"], b["max"], b["what"], b["min_excluded"],
                                b["waive_min"], b["waive_max"]) for n, b in m["limits"].items()}
        self.package: dict[str, Any] = {k: v for k, v in m["package"].items() if v is not None}

    @property
    def floats(self) -> bool:
        """Answers are judged number by number, within the tolerance."""
        return self.judge == "float"

    @property
    def root(self) -> str:
        """The project that holds the problem."""
        return os.path.dirname(self.folder)

    def examples(self) -> list[str]:
        """The hand-written example inputs, in name order."""
        folder = os.path.join(self.folder, "examples")
        if not os.path.isdir(folder):
            return []
        return sorted(os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".in"))

    def is_sample(self, example: str) -> bool:
        """True when the example (a path) is one of the samples."""
        return os.path.basename(example)[:-len(".in")] in self.samples


class ProblemSet:
    """The problems of one project, in the set's order, and the set's own manifest."""

    def __init__(self, root: str, name: str, package: dict[str, Any],
                 problems: list[Problem]) -> None:
        self.root = root
        self.name = name
        self.package = package  # [package] of problemset.toml: every problem's defaults
        self.problems = problems

    def names(self) -> list[str]:
        return [p.name for p in self.problems]

    def get(self, name: str) -> Problem:
        for p in self.problems:
            if p.name == name:
                return p
        raise Stop(f"unknown problem {name!r}; the problems are {', '.join(self.names())}")

    def choose(self, chosen: Iterable[str]) -> list[Problem]:
        """The named problems, each once, in the set's order (all when none is named)."""
        wanted = {self.get(n).name for n in chosen}
        return [p for p in self.problems if p.name in wanted or not wanted]


def read_toml(path: str, where: str) -> dict[str, Any]:
    """A TOML file as a dict; a file that cannot be read or is not TOML stops, naming it."""
    try:
        with open(path, "rb") as fh:
            return tomllib.load(fh)
    except FileNotFoundError:
        raise schema.ManifestError(f"{where} is missing")
    except (tomllib.TOMLDecodeError, UnicodeDecodeError) as exc:
        raise schema.ManifestError(f"{where} is not valid TOML: {exc}")
    except OSError as exc:
        raise schema.ManifestError(f"cannot read {where}: {exc.strerror}")


def load(root: str = ROOT) -> ProblemSet:
    """The set whose project is `root`, every manifest checked against the schema."""
    top = read_toml(os.path.join(root, schema.SET_FILE), schema.SET_FILE)
    settings = schema.check_set(top)
    checked = []
    for name in sorted(os.listdir(root)):
        folder = os.path.join(root, name)
        path = os.path.join(folder, schema.PROBLEM_FILE)
        if name.startswith(".") or not os.path.isfile(path):
            continue
        data = read_toml(path, f"{name}/{schema.PROBLEM_FILE}")
        checked.append((name, schema.check_problem(data, folder, name)))
    schema.check_together(checked)
    found = [Problem(name, os.path.join(root, name), m) for name, m in checked]
    found.sort(key=lambda p: p.order)
    package = {k: v for k, v in settings["package"].items() if v is not None}
    return ProblemSet(root, settings["name"], package, found)


_the_set: Optional[ProblemSet] = None


def the_set() -> ProblemSet:
    """The set of this project, loaded once."""
    global _the_set
    if _the_set is None:
        _the_set = load()
    return _the_set


def all_problems() -> list[Problem]:
    return the_set().problems


def names() -> list[str]:
    return the_set().names()


def get(name: str) -> Problem:
    return the_set().get(name)


def choose(chosen: Iterable[str]) -> list[Problem]:
    return the_set().choose(chosen)


def load_script(path: str) -> types.SimpleNamespace:
    """What a problem's own Python file defines (its maker, its extra tests, its benchmark
    inputs), as the attributes of one object."""
    return types.SimpleNamespace(**runpy.run_path(path))
