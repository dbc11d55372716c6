"""Exporting the built package as one problem package per problem, in the directory format that
contest judges import, as a folder and as a zip, into `<out>/export/`:

    problem.yaml                      name, uuid, source, license, validation and its flags,
                                      limits (psetlib/problem_yaml.py)
    .timelimit                        when problem.toml sets time_limit
    problem_statement/problem.en.tex  from <problem>/statement.md (psetlib/statement.py)
    data/sample/                      the tests made from the examples named in samples
    data/secret/                      every other test, named so that they sort in package order
    input_validators/<name>/          the validator's source and the headers it includes
    submissions/accepted/             the reference and second solvers' sources, and any more
    submissions/<verdict>/            from <problem>/submissions/<verdict>/

First every problem is planned (plan()): its package must be whole, every test file as its
manifest records it (each digest checked before a byte is written) and built from today's
sources. Then everything is written into a folder of its own and moved into place (write());
what is replaced must have been written by an earlier export (a record of every file written
is kept in `<out>/export/.pset-export/`), so a file put there by hand is never deleted. The zips
are byte-reproducible (psetlib/zips.py).
"""

import os
import re
import shutil
import tempfile
from typing import Callable, Iterable

from . import limits, package, sources, submissions, zips
from .common import Stop
from .problem_yaml import problem_yaml
from .problems import Problem, ProblemSet
from .statement import statement_tex

STATEMENT = "statement.md"
SUBMISSION_SUFFIXES = (".c", ".cc", ".cpp", ".cxx", ".py")
RECORD = ".pset-export"
SAMPLE_LINES, SAMPLE_COLUMNS = 40, 80  # the most a sample may hold, input and answer


class Plan:
    """Everything one problem's export writes, as (path in the package, bytes or a file to
    copy), decided before anything is written."""

    def __init__(self, name: str) -> None:
        self.name = name
        self.files: dict[str, tuple[str, object]] = {}  # path -> ("file", path) or ("data", bytes)
        self.samples = 0
        self.secret = 0
        self.submissions: dict[str, int] = {}
        self.validator = ""
        self.time_limit: object = None
        self.warnings: list[str] = []

    def add(self, path: str, kind: str, value: object) -> None:
        if path in self.files:
            raise Stop(f"{self.name}: two files would be exported as {path}")
        self.files[path] = (kind, value)


def test_names(entries: Iterable[tuple[str, str, str]]) -> list[str]:
    """The exported name of every test (name, kind, how) in manifest order: its number in the
    package, padded so that the names sort in that order, and what it was made from."""
    entries = list(entries)
    width = max(2, len(str(max(int(n) for n, _, _ in entries))))
    names = []
    for number, kind, how in entries:
        words = how.split()
        if kind == "example" and words:
            stem = os.path.splitext(os.path.basename(words[0]))[0]
            label = re.sub(r"^\d+[-_.]?", "", stem) or "example"
        elif kind == "generator" and "seed" in words[:-1]:
            label = "seed-" + words[words.index("seed") + 1]
        elif kind == "generator":
            label = "generated"
        elif kind == "maker" and len(words) >= 2:
            label = words[-1]
        else:
            label = kind
        label = re.sub(r"[^a-z0-9]+", "-", label.lower()).strip("-") or "test"
        names.append(f"{int(number):0{width}d}-{label}")
    return names


def _oversized(path: str) -> str:
    """Why a sample file is too large to show, or ''."""
    with open(path, "rb") as fh:
        lines = fh.read().split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    widest = max((len(line) for line in lines), default=0)
    if len(lines) > SAMPLE_LINES or widest > SAMPLE_COLUMNS:
        return f"{len(lines)} lines, {widest} columns"
    return ""


def _tests(plan: Plan, p: Problem, place: package.Place) -> None:
    tests = package.open_tests(place, p)
    if tests.sources() != sources.digest(p):
        raise Stop(f"the package of {p.name} in {place.shown} is older than its sources: a "
                   "test, a program or the manifest changed since it was built (run pset build)")
    tests.check_all()
    entries = [tests.entries[n] for n in tests.names]
    for e, name in zip(entries, test_names((e.name, e.kind, e.how) for e in entries)):
        sample = e.kind == "example" and p.is_sample(e.how.split()[0])
        plan.samples += sample
        plan.secret += not sample
        for suffix in e.files:
            path = os.path.join(tests.folder, e.name + suffix)
            plan.add(f"data/{'sample' if sample else 'secret'}/{name}{suffix}", "file", path)
        if not sample:
            continue
        too_large = [f"{what} {why}" for suffix, what in ((".in", "input"), (".ans", "answer"))
                     if (why := _oversized(os.path.join(tests.folder, e.name + suffix)))]
        if too_large:
            plan.warnings.append(f"sample {e.how.split()[0]} is larger than {SAMPLE_LINES} "
                                 f"lines of {SAMPLE_COLUMNS} columns: {'; '.join(too_large)}")


def _statement(plan: Plan, p: Problem) -> None:
    where = f"{p.name}/{STATEMENT}"
    try:
        with open(os.path.join(p.folder, STATEMENT), encoding="utf-8") as fh:
            text = fh.read()
    except FileNotFoundError:
        raise Stop(f"{p.name} has no statement: {where} is missing")
    except (OSError, UnicodeDecodeError) as exc:
        raise Stop(f"cannot read {where}: {exc}")
    try:
        text = limits.fill(p, text, where)
    except ValueError as exc:
        raise Stop(str(exc))
    plan.add("problem_statement/problem.en.tex", "data",
             statement_tex(p.title, text, where).encode())


def _validator(plan: Plan, p: Problem) -> None:
    check = p.input_check
    source = os.path.join(p.folder, check + ".cpp")
    plan.add(f"input_validators/{check}/{check}.cpp", "file", source)
    for header in sources.included(source):
        if header == sources.GENERATED_HEADER:
            plan.add(f"input_validators/{check}/{header}", "data", limits.header(p).encode())
            continue
        found = sources.find_header(p, header)
        if not found:
            raise Stop(f"{p.name}/{check}.cpp includes {header}, which is neither beside it "
                       f"nor in {sources.INCLUDE_DIR}/")
        plan.add(f"input_validators/{check}/{header}", "file", found)
    plan.validator = check


def _submissions(plan: Plan, p: Problem) -> None:
    assert p.solver
    for prog in [p.solver, *p.second]:
        plan.add(f"submissions/accepted/{prog}.cpp", "file",
                 os.path.join(p.folder, prog + ".cpp"))
    for verdict, source in submissions.sources(p):
        if source.endswith(SUBMISSION_SUFFIXES):
            plan.add(f"submissions/{verdict}/{os.path.basename(source)}", "file", source)
    for path in plan.files:
        if path.startswith("submissions/"):
            verdict = path.split("/")[1]
            plan.submissions[verdict] = plan.submissions.get(verdict, 0) + 1


def plan(the_set: ProblemSet, p: Problem, place: package.Place) -> Plan:
    """What problem p's export writes; stops when its package is not whole, not as its
    manifest records it, or older than its sources."""
    result = Plan(p.name)
    _tests(result, p, place)
    result.add("problem.yaml", "data", problem_yaml(p, the_set.package).encode())
    result.time_limit = p.time_limit
    if p.time_limit is not None:
        result.add(".timelimit", "data", f"{limits.number_text(p.time_limit)}\n".encode())
    _statement(result, p)
    _validator(result, p)
    _submissions(result, p)
    return result


# -------------------------------------------------------------------------------- writing

def _write_package(plan: Plan, dest: str) -> list[str]:
    """Writes the package directory; returns the sorted package paths written."""
    for path in sorted(plan.files):
        kind, value = plan.files[path]
        target = os.path.join(dest, *path.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if kind == "file":
            assert isinstance(value, str)
            shutil.copyfile(value, target)
        else:
            assert isinstance(value, bytes)
            with open(target, "wb") as fh:
                fh.write(value)
        os.chmod(target, 0o644)
    return sorted(plan.files)


def _files_under(path: str) -> list[str]:
    """Every file under a path (the path itself when it is a file), relative to its parent."""
    base = os.path.dirname(path)
    if not os.path.isdir(path):
        return [os.path.relpath(path, base)]
    found: list[str] = []
    for top, _, files in os.walk(path):
        found.extend(os.path.relpath(os.path.join(top, f), base) for f in files)
    return found


def _read_record(export_dir: str, name: str) -> set[str]:
    try:
        with open(os.path.join(export_dir, RECORD, name), encoding="utf-8") as fh:
            return set(fh.read().splitlines())
    except FileNotFoundError:
        return set()


def _write_record(export_dir: str, name: str, paths: set[str]) -> None:
    folder = os.path.join(export_dir, RECORD)
    os.makedirs(folder, exist_ok=True)
    tmp = os.path.join(folder, f".{name}.tmp")
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("".join(p + "\n" for p in sorted(paths)))
    os.replace(tmp, os.path.join(folder, name))


def _entries_of(name: str) -> list[str]:
    return [name, name + ".zip", name + ".zip.sha256"]


def _check_replaceable(export_dir: str, shown: str, name: str) -> None:
    """Stops when something export would replace holds a file an export did not write."""
    written = _read_record(export_dir, name)
    for entry in _entries_of(name):
        path = os.path.join(export_dir, entry)
        if not os.path.lexists(path):
            continue
        if os.path.islink(path):
            raise Stop(f"{os.path.join(shown, entry)} is a link pset export did not write; "
                       "move it away")
        for f in sorted(_files_under(path)):
            if f.replace(os.sep, "/") not in written:
                raise Stop(f"{os.path.join(shown, f)} was not written by pset export; move it "
                           "away")


def write(plans: list[Plan], export_dir: str, shown: str) -> dict[str, str]:
    """Writes every planned package and its zip into a folder of its own under `export_dir`
    (named `shown` in messages), then moves them into place; returns each zip's SHA-256."""
    os.makedirs(export_dir, exist_ok=True)
    for plan in plans:
        _check_replaceable(export_dir, shown, plan.name)
    partial = tempfile.mkdtemp(prefix=".partial-", dir=export_dir)
    sums = {}
    try:
        for plan in plans:
            paths = _write_package(plan, os.path.join(partial, plan.name))
            sums[plan.name] = zips.write_zip(os.path.join(partial, plan.name), paths,
                                             os.path.join(partial, plan.name + ".zip"))
            with open(os.path.join(partial, plan.name + ".zip.sha256"), "w") as fh:
                fh.write(f"{sums[plan.name]}  {plan.name}.zip\n")
        for plan in plans:
            new = {f"{plan.name}/{p}" for p in plan.files} | set(_entries_of(plan.name)[1:])
            _write_record(export_dir, plan.name, _read_record(export_dir, plan.name) | new)
            for entry in _entries_of(plan.name):
                final = os.path.join(export_dir, entry)
                if os.path.lexists(final):
                    os.rename(final, os.path.join(partial, entry + ".old"))
                os.rename(os.path.join(partial, entry), final)
            _write_record(export_dir, plan.name, new)
    finally:
        shutil.rmtree(partial, ignore_errors=True)
    return sums


def export(the_set: ProblemSet, chosen: list[Problem], place: package.Place,
           say: Callable[[str], None]) -> None:
    """Exports the chosen problems of the set from the built package at `place` into its
    export/ folder, telling what it wrote through `say`; a Stop before anything is written
    when a package cannot be exported."""
    for p in chosen:
        if not re.fullmatch(r"[a-z0-9]+", p.name):
            raise Stop(f"{p.name!r} cannot be a package's short name (lower-case letters and "
                       "digits only)")
    with package.Lock(place, False, "export"):
        plans = []
        for p in chosen:
            if not p.solver:
                say(f"{p.name}: no reference solver, so no answers: not exported")
                continue
            plans.append(plan(the_set, p, place))
        if not plans:
            return
        sums = write(plans, os.path.join(place.real, "export"), place.show("export"))
    for plan_ in plans:
        subs = ", ".join(f"{n} {v.replace('_', ' ')}"
                         for v, n in sorted(plan_.submissions.items()))
        say(f"{plan_.name:<11} {plan_.samples} sample + {plan_.secret} secret tests; "
            f"validator: {plan_.validator}; submissions: {subs}")
        for warning in plan_.warnings:
            say(f"{plan_.name}: warning: {warning}")
    untimed = [p.name for p in plans if p.time_limit is None]
    if untimed:
        say(f"no time_limit in the problem.toml of {', '.join(untimed)}: no .timelimit "
            "written, judges use their own default")
    for plan_ in plans:
        say(f"{sums[plan_.name]}  {place.show('export', plan_.name + '.zip')}")
