"""Exporting the built package as one problem package per problem, in the directory format that
contest judges import, as a folder and as a zip, in either version of the format:

legacy (the default), into `<out>/export/`:

    problem.yaml                      name, uuid, source, license, rights_owner, validation and
                                      its flags, limits (psetlib/problem_yaml.py)
    .timelimit                        when problem.toml sets time_limit
    problem_statement/problem.en.tex  from <problem>/statement.md (psetlib/statement.py)

2023-07 (the current version), into `<out>/export-2023-07/`:

    problem.yaml                      problem_format_version, type, name, uuid, credits, source,
                                      license, rights_owner, limits (time_limit, memory),
                                      allow_file_writing
    statement/problem.en.tex          as above
    data/sample/, data/secret/        each with test_group.yaml (the checker's flags as a list)
                                      and testdata.yaml (the same flags as the common verifier,
                                      which reads an earlier state of the draft, takes them)

and in both:

    data/sample/                      the tests made from the examples named in samples, named
                                      so that they sort in the order samples gives
    data/secret/                      every other test, named so that they sort in package order
    input_validators/<name>/          the validator's source and the headers it includes
    submissions/accepted/             the reference solver's source, the second solvers' that
                                      hold every input the problem allows, and any more
    submissions/<verdict>/            from <problem>/submissions/<verdict>/

First every problem is planned (plan()): its package must be whole, every test file as its
manifest records it (each digest checked before a byte is written) and built from today's
sources; no answer may be empty, every sample must fit a page and some test must be secret.
Then everything is written into a folder of its own and moved into place (write()); what is
replaced must have been written by an earlier export (a record of every file written is kept
in `<export folder>/.pset-export/`), so a file put there by hand is never deleted. The zips are
byte-reproducible (psetlib/zips.py).
"""

import os
import re
import shutil
import tempfile
from typing import Callable, Iterable

from . import limits, package, problem_yaml, samples, sources, submissions, zips
from .common import Stop
from .problems import Problem, ProblemSet
from .statement import statement_tex

STATEMENT = "statement.md"
SUBMISSION_SUFFIXES = (".c", ".cc", ".cpp", ".cxx", ".py")
RECORD = ".pset-export"
LEGACY, CURRENT = "legacy", "2023-07"
FORMATS = (LEGACY, CURRENT)
FOLDER = {LEGACY: "export", CURRENT: "export-2023-07"}  # under <out>, per format


class Plan:
    """Everything one problem's export writes, as (path in the package, bytes or a file to
    copy), decided before anything is written."""

    def __init__(self, name: str, fmt: str) -> None:
        self.name = name
        self.format = fmt
        self.files: dict[str, tuple[str, object]] = {}  # path -> ("file", path) or ("data", bytes)
        self.samples = 0
        self.secret = 0
        self.submissions: dict[str, int] = {}
        self.left_out: list[str] = []  # second solvers not exported, and why
        self.validator = ""
        self.time_limit: object = None
        self.warnings: list[str] = []

    def add(self, path: str, kind: str, value: object) -> None:
        if path in self.files:
            raise Stop(f"{self.name}: two files would be exported as {path}")
        self.files[path] = (kind, value)


def _label(kind: str, how: str) -> str:
    """What a test was made from, as a name: "worked", "seed-1765000000", "long-runs"."""
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
    return re.sub(r"[^a-z0-9]+", "-", label.lower()).strip("-") or "test"


def test_names(entries: Iterable[tuple[str, str, str]]) -> list[str]:
    """The exported name of every test (name, kind, how) in manifest order: its number in the
    package, padded so that the names sort in that order, and what it was made from."""
    entries = list(entries)
    width = max(2, len(str(max(int(n) for n, _, _ in entries))))
    return [f"{int(number):0{width}d}-{_label(kind, how)}" for number, kind, how in entries]


def sample_names(p: Problem) -> list[str]:
    """The exported name of every sample, in the order of samples: its place there, padded so
    that the names sort in that order, and its example's name."""
    width = max(2, len(str(len(p.samples))))
    return [f"{k:0{width}d}-{_label('example', stem + '.in')}"
            for k, stem in enumerate(p.samples, 1)]


def _tests(plan: Plan, p: Problem, place: package.Place) -> None:
    tests = package.open_tests(place, p)
    if tests.sources() != sources.digest(p):
        raise Stop(f"the package of {p.name} in {place.shown} is older than its sources: a "
                   "test, a program or the manifest changed since it was built (run pset build)")
    tests.check_all()
    entries = [tests.entries[n] for n in tests.names]
    shown = place.show(p.name, "tests")
    sample_name = sample_names(p)
    found: set[int] = set()
    for e, name in zip(entries, test_names((e.name, e.kind, e.how) for e in entries)):
        at = samples.sample_of(p, e.how) if e.kind == "example" else None
        answer = e.files.get(".ans")
        if answer is not None and answer.size == 0:
            raise Stop(f"test {e.name} of {p.name} ({e.kind} {e.how}) has an empty answer, "
                       f"{os.path.join(shown, e.name + '.ans')}, which no judge's package may "
                       "hold: give every test a case to answer, then run pset build")
        if at is None:
            plan.secret += 1
            folder = "secret"
        else:
            plan.samples += 1
            found.add(at)
            folder, name = "sample", sample_name[at]
            for suffix, what in ((".in", "input"), (".ans", "answer")):
                why = samples.misfit_file(os.path.join(tests.folder, e.name + suffix)) \
                    if suffix in e.files else None
                if why:
                    raise Stop(f"sample {e.how} of {p.name} does not fit: its {what}: {why}; a "
                               f"sample holds {samples.limit_text()} (run pset build: it "
                               "refuses one)")
        for suffix in e.files:
            plan.add(f"data/{folder}/{name}{suffix}", "file",
                     os.path.join(tests.folder, e.name + suffix))
    missing = [p.samples[k] for k in range(len(p.samples)) if k not in found]
    if missing:
        raise Stop(f"the package of {p.name} in {place.shown} holds no test of the sample "
                   f"{missing[0]} (run pset build)")
    if not plan.secret:
        raise Stop(f"{p.name} has no secret test: every test of its package is a sample, and a "
                   "judge's verifier refuses a package without secret data (add an example "
                   "that samples does not name, an extra test or a generator)")


def _statement(plan: Plan, p: Problem) -> None:
    text = statement_text(p)
    folder = "problem_statement" if plan.format == LEGACY else "statement"
    plan.add(f"{folder}/problem.en.tex", "data",
             statement_tex(p.title, text, f"{p.name}/{STATEMENT}").encode())


def statement_text(p: Problem) -> str:
    """The problem's statement.md with its limits filled in; stops when it cannot be read or
    names a limit the problem does not have."""
    where = f"{p.name}/{STATEMENT}"
    try:
        with open(os.path.join(p.folder, STATEMENT), encoding="utf-8") as fh:
            text = fh.read()
    except FileNotFoundError:
        raise Stop(f"{p.name} has no statement: {where} is missing")
    except (OSError, UnicodeDecodeError) as exc:
        raise Stop(f"cannot read {where}: {exc}")
    try:
        return limits.fill(p, text, where)
    except ValueError as exc:
        raise Stop(str(exc))


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


def short_of_limits(p: Problem, second: str) -> str:
    """Why a second solver cannot answer every input the problem allows ("holds length up to
    510 of 10000"), or "" when it can: its capacity lies below a limit's largest value."""
    short = [f"{limit} up to {limits.number_text(most)} of "
             f"{limits.number_text(p.limits[limit].max)}"
             for limit, most in p.capacity.get(second, {}).items()
             if limit in p.limits and most < p.limits[limit].max]
    return f"holds {', '.join(short)}" if short else ""


def _submissions(plan: Plan, p: Problem) -> None:
    assert p.solver
    for prog in [p.solver, *p.second]:
        why = short_of_limits(p, prog) if prog != p.solver else ""
        if why:
            # it would fail the largest tests: a judge's verifier rejects such an accepted one
            plan.left_out.append(f"{prog} ({why})")
            continue
        plan.add(f"submissions/accepted/{prog}.cpp", "file",
                 os.path.join(p.folder, prog + ".cpp"))
    for verdict, source in submissions.sources(p):
        if source.endswith(SUBMISSION_SUFFIXES):
            plan.add(f"submissions/{verdict}/{os.path.basename(source)}", "file", source)
    for path in plan.files:
        if path.startswith("submissions/"):
            verdict = path.split("/")[1]
            plan.submissions[verdict] = plan.submissions.get(verdict, 0) + 1


def _metadata(plan: Plan, the_set: ProblemSet, p: Problem) -> None:
    plan.time_limit = p.time_limit
    if plan.format == LEGACY:
        plan.add("problem.yaml", "data",
                 problem_yaml.legacy(p, the_set.name, the_set.package).encode())
        if p.time_limit is not None:
            plan.add(".timelimit", "data", f"{limits.number_text(p.time_limit)}\n".encode())
        return
    plan.add("problem.yaml", "data",
             problem_yaml.current(p, the_set.name, the_set.package).encode())
    for group in ("sample", "secret"):
        plan.add(f"data/{group}/test_group.yaml", "data", problem_yaml.test_group(p).encode())
        plan.add(f"data/{group}/testdata.yaml", "data", problem_yaml.testdata(p).encode())
    if p.time_limit is not None and not float(p.time_limit).is_integer():
        plan.warnings.append(f"time_limit {limits.number_text(p.time_limit)} is not a whole "
                             "number of seconds, which the common verifier warns of")


def plan(the_set: ProblemSet, p: Problem, place: package.Place, fmt: str = LEGACY) -> Plan:
    """What problem p's export in format `fmt` writes; stops when its package is not whole, not
    as its manifest records it, older than its sources, or one a judge would refuse."""
    result = Plan(p.name, fmt)
    _tests(result, p, place)
    _metadata(result, the_set, p)
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
           say: Callable[[str], None], fmt: str = LEGACY) -> None:
    """Exports the chosen problems of the set from the built package at `place` in format `fmt`
    into its folder for that format, telling what it wrote through `say`; a Stop before
    anything is written when a package cannot be exported."""
    if fmt not in FORMATS:
        raise Stop(f"unknown format {fmt!r}: the formats are {', '.join(FORMATS)}")
    for p in chosen:
        if not re.fullmatch(r"[a-z0-9]+", p.name):
            raise Stop(f"{p.name!r} cannot be a package's short name (lower-case letters and "
                       "digits only)")
    folder = FOLDER[fmt]
    with package.Lock(place, False, "export"):
        plans = []
        for p in chosen:
            if not p.solver:
                say(f"{p.name}: no reference solver, so no answers: not exported")
                continue
            plans.append(plan(the_set, p, place, fmt))
        if not plans:
            return
        sums = write(plans, os.path.join(place.real, folder), place.show(folder))
    for plan_ in plans:
        subs = ", ".join(f"{n} {v.replace('_', ' ')}"
                         for v, n in sorted(plan_.submissions.items()))
        left_out = "".join(f"; left out: {why}, short of the problem's limits"
                           for why in plan_.left_out)
        say(f"{plan_.name:<11} {plan_.samples} sample + {plan_.secret} secret tests; "
            f"validator: {plan_.validator}; submissions: {subs}{left_out}")
        for warning in plan_.warnings:
            say(f"{plan_.name}: warning: {warning}")
    untimed = [p.name for p in plans if p.time_limit is None]
    if untimed:
        what = "no .timelimit written" if fmt == LEGACY else "no limits.time_limit written"
        say(f"no time_limit in the problem.toml of {', '.join(untimed)}: {what}, judges use "
            "their own default")
    for plan_ in plans:
        say(f"{sums[plan_.name]}  {place.show(folder, plan_.name + '.zip')}")
