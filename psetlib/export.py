"""pset export: each problem's built package as a directory and a zip that contest judges import.

  pset export [PROBLEM ...] [--out DIR]

For every problem with a reference solver it writes `<out>/export/<short>/` and
`<out>/export/<short>.zip` (the files at the zip's root) and `<short>.zip.sha256`:

    problem.yaml                    name, uuid, source, license, validation and its flags, limits
    .timelimit                      when problem.toml sets time_limit
    problem_statement/problem.en.tex  from <problem>/statement.md
    data/sample/                    the tests made from the hand-written examples
    data/secret/                    every other test, named so that they sort in package order
    input_validators/<name>/        the validator's source and the headers it includes
    submissions/accepted/           the reference and second solvers' sources, and any more
    submissions/<verdict>/          from <problem>/submissions/<verdict>/

The package must be built and current: its manifest's every test has its .in and .ans, and
`tests/sources` holds the digest of the sources it was built from (source_digest), which must
still be the digest of the sources today. Anything else is refused (status 2, one line).

The zip is byte-reproducible: entries sorted, one fixed timestamp and mode, fixed compression.
Everything is written into a folder of its own and moved into place at the end; what is
replaced must have been written by an earlier export (a record of every file written is kept in
`<out>/export/.pset-export/`), so a file put there by hand is never deleted.

Statement text (`<problem>/statement.md`): paragraphs separated by blank lines; `## Input` and
`## Output` start those sections (both are required); lines starting with `- ` make a list;
`$...$` is mathematics passed to LaTeX as it stands; `` `text` `` is set in a fixed-width font
and "text" in quotes; every other LaTeX special character is escaped.
"""

import hashlib
import os
import re
import shutil
import sys
import tempfile
import tomllib
import uuid
import zipfile

from . import limits, package, problems
from .submissions import VERDICTS

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SETTINGS = "problemset.toml"          # project-wide [package] defaults
STATEMENT = "statement.md"
# Problem identifiers are uuid5 of the short name in this namespace: stable across exports.
UUID_NAMESPACE = uuid.UUID("8d4f2a61-3c7e-5b09-9e1a-6f0c2d7b4e35")
SUBMISSION_SUFFIXES = (".c", ".cc", ".cpp", ".cxx", ".py")
PACKAGE_KEYS = ("source", "source_url", "license", "rights_owner", "author", "memory")
ZIP_TIME = (1980, 1, 1, 0, 0, 0)      # the earliest time a zip can hold
ZIP_LEVEL = 6
RECORD = ".pset-export"
GENERATED_HEADER = "problem_limits.h"  # the validator's bounds, written from [limits]


class Refuse(Exception):
    """The export cannot go on: one line on stderr, status 2."""


# ------------------------------------------------------------------------------ manifests

def load_problem(root, name):
    """The problem's problem.toml as a dict, read by pset's own loader."""
    for p in problems.load(root):
        if p.name == name:
            return p.data
    raise Refuse(f"unknown problem {name!r}: {name}/problem.toml does not exist")


def problem_names(root=ROOT):
    """Every problem of the set: the folders that hold a problem.toml."""
    return sorted(p.name for p in problems.load(root))


def load_settings(root):
    path = os.path.join(root, SETTINGS)
    try:
        with open(path, "rb") as fh:
            data = tomllib.load(fh)
    except FileNotFoundError:
        return {}
    except (OSError, tomllib.TOMLDecodeError) as exc:
        raise Refuse(f"cannot read {SETTINGS}: {exc}")
    return package_table(data, SETTINGS)


def package_table(data, where):
    table = data.get("package", {})
    if not isinstance(table, dict):
        raise Refuse(f"{where}: [package] must be a table")
    for key, value in table.items():
        if key not in PACKAGE_KEYS:
            raise Refuse(f"{where}: [package] key {key!r} is not one of {', '.join(PACKAGE_KEYS)}")
        if key == "memory":
            if not isinstance(value, int) or isinstance(value, bool) or value <= 0:
                raise Refuse(f"{where}: [package] memory must be a positive number of MB")
        elif not isinstance(value, str):
            raise Refuse(f"{where}: [package] {key} must be a string")
    return table


def programs(conf):
    """The program roles of a manifest: (solver, [second solvers], generator, input check)."""
    p = conf.get("programs", {})
    second = p.get("second", [])
    if isinstance(second, str):
        second = [second]
    return p.get("solver"), list(second), p.get("generator"), p.get("input_check")


def rel(path, root):
    try:
        return os.path.relpath(path, root)
    except ValueError:
        return path


# ------------------------------------------------------------------------------ staleness

def source_files(root, name, conf=None):
    """The files a problem's built package is made from, relative to root, sorted: problem.toml,
    the examples, extra_tests.py, the sources of the solvers, generator and validator and the
    headers the validator includes. Named files that do not exist are listed too: making one
    changes the digest."""
    if conf is None:
        conf = load_problem(root, name)
    files = {f"{name}/problem.toml", f"{name}/extra_tests.py"}
    examples = os.path.join(root, name, "examples")
    if os.path.isdir(examples):
        files.update(f"{name}/examples/{f}" for f in os.listdir(examples)
                     if os.path.isfile(os.path.join(examples, f)))
    solver, second, generator, check = programs(conf)
    for prog in [solver, *second, generator]:
        if prog:
            files.add(f"{name}/{prog}.cpp")
    if check:
        files.add(f"{name}/{check}.cpp")
        source = os.path.join(root, name, check + ".cpp")
        if os.path.isfile(source):
            for header in included(source):
                if header == GENERATED_HEADER:
                    continue  # written from problem.toml, which is listed
                found = find_header(root, name, header)
                files.add(rel(found, root).replace(os.sep, "/") if found
                          else f"{name}/{header}")
    return sorted(files)


def source_digest(root, problem):
    """SHA-256 over the sources a problem's package is built from (see source_files): the
    build records it in out/<problem>/tests/sources, and export refuses a package whose
    record differs from the sources of today."""
    name = getattr(problem, "name", problem)
    h = hashlib.sha256()
    for path in source_files(root, name):
        try:
            with open(os.path.join(root, path), "rb") as fh:
                data = fh.read()
            h.update(f"{path}\0{len(data)}\0".encode())
            h.update(data)
        except FileNotFoundError:
            h.update(f"{path}\0absent\0".encode())
    return h.hexdigest()


INCLUDE = re.compile(rb'^\s*#\s*include\s*"([^"]+)"', re.M)


def included(source):
    """The quoted includes of a C++ source."""
    with open(source, "rb") as fh:
        return [m.decode() for m in INCLUDE.findall(fh.read())]


def find_header(root, name, header):
    """Where a quoted include of a problem's validator is: beside it, or in tools/."""
    for folder in (os.path.join(root, name), os.path.join(root, "tools")):
        path = os.path.join(folder, header)
        if os.path.isfile(path):
            return path
    return None


# ------------------------------------------------------------------------------- packages

MANIFEST_LINE = re.compile(r"^(\d+) (\S+)(?: (.*))?$")


def read_package(root, name, conf, package_dir):
    """The tests of a built package in manifest order: (number, kind, how). Refuses a package
    that is missing, incomplete or older than its sources."""
    tests = os.path.join(package_dir, name, "tests")
    shown = rel(tests, os.getcwd())
    manifest = os.path.join(tests, "manifest")
    if not os.path.isfile(manifest):
        raise Refuse(f"the package of {name} is not built: {shown}/manifest is missing "
                     "(run pset build)")
    with open(manifest, encoding="utf-8", errors="replace") as fh:
        lines = [line for line in fh.read().splitlines() if line.strip()]
    entries, seen = [], set()
    for k, line in enumerate(lines, 1):
        m = MANIFEST_LINE.match(line)
        if not m or m.group(1) in seen:
            raise Refuse(f"the package of {name} is damaged: {shown}/manifest line {k} "
                         f"is {line!r} (run pset build)")
        seen.add(m.group(1))
        entries.append((m.group(1), m.group(2), m.group(3) or ""))
    if not entries:
        raise Refuse(f"the package of {name} is incomplete: its manifest lists no test "
                     "(run pset build)")
    present = set(os.listdir(tests))
    for number, _, _ in entries:
        for suffix in (".in", ".ans"):
            if number + suffix not in present:
                raise Refuse(f"the package of {name} is incomplete: {shown}/{number}{suffix} "
                             "is missing (run pset build)")
    for f in sorted(present):
        stem, dot, suffix = f.rpartition(".")
        if dot and suffix in ("in", "ans") and stem not in seen:
            raise Refuse(f"the package of {name} is damaged: {shown}/{f} is not in its "
                         "manifest (run pset build)")
    try:
        with open(os.path.join(tests, "sources"), encoding="ascii", errors="replace") as fh:
            recorded = fh.read().strip()
    except FileNotFoundError:
        raise Refuse(f"the package of {name} does not say what it was built from: "
                     f"{shown}/sources is missing (run pset build)")
    if recorded != source_digest(root, name):
        raise Refuse(f"the package of {name} is older than its sources: a test, a program or "
                     f"the manifest changed since it was built (run pset build)")
    return entries


def test_names(entries):
    """The exported name of every test, in manifest order: its number in the package, padded
    so that the names sort in that order, and what it was made from."""
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


# ------------------------------------------------------------------------------ statement

def statement_tex(title, text, where="statement"):
    """The LaTeX body of a statement text (format in this module's description)."""
    out = [f"\\problemname{{{latex(title)}}}", ""]
    sections = set()
    items = None
    paragraph = []

    def flush():
        nonlocal items
        if paragraph:
            out.append(inline("\n".join(paragraph)))
            out.append("")
            paragraph.clear()
        if items is not None:
            out.append("\\begin{itemize}")
            out.extend(f"  \\item {inline(item)}" for item in items)
            out.append("\\end{itemize}")
            out.append("")
            items = None

    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith("## "):
            flush()
            heading = stripped[3:].strip()
            sections.add(heading)
            out.append(f"\\section*{{{latex(heading)}}}")
            out.append("")
        elif not stripped:
            flush()
        elif stripped.startswith("- "):
            if paragraph:
                flush()
            if items is None:
                items = []
            items.append(stripped[2:])
        elif items is not None and line[:1].isspace():
            items[-1] += "\n    " + stripped
        else:
            if items is not None:
                flush()
            paragraph.append(stripped)
    flush()
    for needed in ("Input", "Output"):
        if needed not in sections:
            raise Refuse(f"{where} has no '## {needed}' section")
    return "\n".join(out).rstrip("\n") + "\n"


SPECIAL = {"\\": r"\textbackslash{}", "{": r"\{", "}": r"\}", "#": r"\#", "%": r"\%",
           "&": r"\&", "_": r"\_", "~": r"\textasciitilde{}", "^": r"\textasciicircum{}",
           "$": r"\$", "<": r"\textless{}", ">": r"\textgreater{}"}


def latex(text):
    return "".join(SPECIAL.get(c, c) for c in text)


def inline(text):
    """Math between dollars as it stands, code between backticks in a fixed-width font, quoted
    words in typographic quotes, everything else escaped."""
    parts = re.split(r"(\$\$[^$]+\$\$|\$[^$]+\$|`[^`]+`)", text)
    out = []
    for part in parts:
        if part.startswith("$") and part.endswith("$") and len(part) > 1:
            out.append(part)
        elif part.startswith("`") and part.endswith("`") and len(part) > 1:
            out.append("\\texttt{" + latex(part[1:-1]).replace(" ", "\\ ") + "}")
        else:
            escaped = latex(part)
            out.append(re.sub(r'"([^"]*)"', r"``\1''", escaped))
    return "".join(out)


# ---------------------------------------------------------------------------- problem.yaml

PLAIN = re.compile(r"^[A-Za-z][A-Za-z0-9 ._'()/+-]*$")
YAML_WORDS = {"true", "false", "yes", "no", "on", "off", "null", "y", "n"}


def yaml_scalar(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, float)):
        return number_text(value)
    text = str(value)
    if PLAIN.match(text) and text == text.strip() and text.lower() not in YAML_WORDS \
            and ": " not in text and " #" not in text:
        return text
    out = '"'
    for c in text:
        out += {'"': '\\"', "\\": "\\\\", "\n": "\\n", "\t": "\\t"}.get(c, c)
    return out + '"'


def number_text(x):
    """A number as a person writes it: 2, 1.5, 1e-6 (never 1e-06 or 2.0)."""
    if isinstance(x, int) or float(x).is_integer() and abs(x) < 1e15:
        return str(int(x))
    text = repr(float(x))
    if "e" in text:
        mantissa, exp = text.split("e")
        text = f"{mantissa}e{int(exp)}"
    return text


def problem_yaml(name, conf, settings):
    """problem.yaml of the legacy format: only keys the format defines."""
    p = dict(settings)
    p.update(package_table(conf, f"{name}/problem.toml"))
    answers = conf.get("answers", {})
    judge = answers.get("judge", "exact")
    if judge == "exact":
        # The set judges these answers as exact text: so must the judge's default checker,
        # which otherwise ignores case and the amount of white space.
        flags = "case_sensitive space_change_sensitive"
    elif judge == "float":
        tol = answers.get("absolute_tolerance")
        if not isinstance(tol, (int, float)) or isinstance(tol, bool) or tol <= 0:
            raise Refuse(f"{name}/problem.toml: [answers] absolute_tolerance must be a "
                         "positive number for judge = \"float\"")
        flags = f"float_absolute_tolerance {number_text(tol)}"
    else:
        raise Refuse(f"{name}/problem.toml: [answers] judge {judge!r} cannot be exported")
    lines = [f"name: {yaml_scalar(conf.get('title', name))}",
             f"uuid: {yaml_scalar(str(uuid.uuid5(UUID_NAMESPACE, name)))}"]
    for key in ("author", "source", "source_url", "license", "rights_owner"):
        if p.get(key):
            lines.append(f"{key}: {yaml_scalar(p[key])}")
    lines.append("validation: default")
    lines.append(f"validator_flags: {yaml_scalar(flags)}")
    if "memory" in p:
        lines.append("limits:")
        lines.append(f"  memory: {p['memory']}")
    return "\n".join(lines) + "\n"


def time_limit(name, conf):
    """The problem's time limit in seconds, or None when problem.toml sets none."""
    tl = conf.get("time_limit")
    if tl is None:
        return None
    if not isinstance(tl, (int, float)) or isinstance(tl, bool) or not 0 < tl < 1e6:
        raise Refuse(f"{name}/problem.toml: time_limit must be a positive number of seconds")
    return tl


# ---------------------------------------------------------------------------------- plans

class Plan:
    """Everything one problem's export writes, as (path in the package, bytes or a file to
    copy), decided before anything is written."""

    def __init__(self, name):
        self.name = name
        self.files = {}     # package path -> ("file", source path) or ("data", bytes)
        self.samples = 0
        self.secret = 0
        self.submissions = {}
        self.validator = None
        self.time_limit = None

    def add(self, path, kind, value):
        if path in self.files:
            raise Refuse(f"{self.name}: two files would be exported as {path}")
        self.files[path] = (kind, value)


def plan_problem(root, name, conf, settings, package_dir):
    plan = Plan(name)
    entries = read_package(root, name, conf, package_dir)
    tests = os.path.join(package_dir, name, "tests")
    for (number, kind, _), test in zip(entries, test_names(entries)):
        folder = "data/sample" if kind == "example" else "data/secret"
        plan.samples += kind == "example"
        plan.secret += kind != "example"
        for suffix in (".in", ".ans"):
            plan.add(f"{folder}/{test}{suffix}", "file", os.path.join(tests, number + suffix))

    plan.add("problem.yaml", "data", problem_yaml(name, conf, settings).encode())
    plan.time_limit = time_limit(name, conf)
    if plan.time_limit is not None:
        plan.add(".timelimit", "data", f"{number_text(plan.time_limit)}\n".encode())

    statement = os.path.join(root, name, STATEMENT)
    try:
        with open(statement, encoding="utf-8") as fh:
            text = fh.read()
    except FileNotFoundError:
        raise Refuse(f"{name} has no statement: {name}/{STATEMENT} is missing")
    except (OSError, UnicodeDecodeError) as exc:
        raise Refuse(f"cannot read {name}/{STATEMENT}: {exc}")
    title = conf.get("title", name)
    try:
        text = limits.fill(problems.get_in(root, name), text, f"{name}/{STATEMENT}")
    except ValueError as exc:
        raise Refuse(str(exc))
    plan.add("problem_statement/problem.en.tex", "data",
             statement_tex(title, text, f"{name}/{STATEMENT}").encode())

    solver, second, _, check = programs(conf)
    if check and os.path.isfile(os.path.join(root, name, check + ".cpp")):
        source = os.path.join(root, name, check + ".cpp")
        plan.add(f"input_validators/{check}/{check}.cpp", "file", source)
        for header in included(source):
            if header == GENERATED_HEADER:
                plan.add(f"input_validators/{check}/{header}", "data",
                         limits.header(problems.get_in(root, name)).encode())
                continue
            found = find_header(root, name, header)
            if not found:
                raise Refuse(f"{name}/{check}.cpp includes {header}, which is neither beside "
                             "it nor in tools/")
            plan.add(f"input_validators/{check}/{header}", "file", found)
        plan.validator = check

    for prog in [solver, *second]:
        source = os.path.join(root, name, prog + ".cpp")
        if not os.path.isfile(source):
            raise Refuse(f"the source of {prog} is missing: {name}/{prog}.cpp")
        plan.add(f"submissions/accepted/{prog}.cpp", "file", source)
    subs = os.path.join(root, name, "submissions")
    if os.path.isdir(subs):
        for verdict in sorted(os.listdir(subs)):
            folder = os.path.join(subs, verdict)
            if not os.path.isdir(folder) or verdict.startswith("."):
                continue
            if verdict not in VERDICTS:
                raise Refuse(f"{name}/submissions/{verdict} is not a verdict the package "
                             f"format knows ({', '.join(VERDICTS)})")
            for f in sorted(os.listdir(folder)):
                if f.endswith(SUBMISSION_SUFFIXES) and os.path.isfile(os.path.join(folder, f)):
                    plan.add(f"submissions/{verdict}/{f}", "file", os.path.join(folder, f))
    for path in plan.files:
        if path.startswith("submissions/"):
            verdict = path.split("/")[1]
            plan.submissions[verdict] = plan.submissions.get(verdict, 0) + 1
    return plan


# -------------------------------------------------------------------------------- writing

def write_package(plan, dest):
    """Writes the package directory; returns the sorted package paths written."""
    for path in sorted(plan.files):
        kind, value = plan.files[path]
        target = os.path.join(dest, *path.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if kind == "file":
            shutil.copyfile(value, target)
        else:
            with open(target, "wb") as fh:
                fh.write(value)
        os.chmod(target, 0o644)
    return sorted(plan.files)


def write_zip(folder, paths, zip_path):
    """A zip of the package's files at its root, the same bytes on every export: entries
    sorted, one fixed time, regular-file mode 644, the same compression. Returns its SHA-256."""
    with zipfile.ZipFile(zip_path, "w") as zf:
        for path in sorted(paths):
            info = zipfile.ZipInfo(path, ZIP_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3
            info.external_attr = 0o100644 << 16
            with open(os.path.join(folder, *path.split("/")), "rb") as fh:
                zf.writestr(info, fh.read(), compresslevel=ZIP_LEVEL)
    h = hashlib.sha256()
    with open(zip_path, "rb") as fh:
        for block in iter(lambda: fh.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def files_under(path):
    """Every file under a path (the path itself when it is a file), relative to its parent."""
    base = os.path.dirname(path)
    if not os.path.isdir(path):
        return [os.path.relpath(path, base)]
    found = []
    for top, _, files in os.walk(path):
        found.extend(os.path.relpath(os.path.join(top, f), base) for f in files)
    return found


def read_record(export_dir, name):
    try:
        with open(os.path.join(export_dir, RECORD, name), encoding="utf-8") as fh:
            return set(fh.read().splitlines())
    except FileNotFoundError:
        return set()


def write_record(export_dir, name, paths):
    folder = os.path.join(export_dir, RECORD)
    os.makedirs(folder, exist_ok=True)
    tmp = os.path.join(folder, f".{name}.tmp")
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("".join(p + "\n" for p in sorted(paths)))
    os.replace(tmp, os.path.join(folder, name))


def entries_of(name):
    return [name, name + ".zip", name + ".zip.sha256"]


def check_replaceable(export_dir, name):
    """Refuses when something export would replace holds a file an export did not write."""
    written = read_record(export_dir, name)
    for entry in entries_of(name):
        path = os.path.join(export_dir, entry)
        if not os.path.lexists(path):
            continue
        if os.path.islink(path):
            raise Refuse(f"{rel(path, os.getcwd())} is a link pset export did not write; "
                         "move it away")
        for f in sorted(files_under(path)):
            if f.replace(os.sep, "/") not in written:
                raise Refuse(f"{rel(os.path.join(export_dir, f), os.getcwd())} was not written "
                             "by pset export; move it away")


# ----------------------------------------------------------------------------------- main

def export(chosen, package_dir, out_dir, say=print, root=ROOT):
    """Exports the named problems (all of the set when none are named) from the built package
    in package_dir into out_dir/export. Returns the exit status: 0 written, 2 refused (one line
    on stderr, nothing written)."""
    try:
        return _export(chosen, package_dir, out_dir, say, root)
    except Refuse as exc:
        print(f"pset: {exc}", file=sys.stderr)
        return 2
    except OSError as exc:
        print(f"pset: export failed: {exc}", file=sys.stderr)
        return 2


def _export(chosen, package_dir, out_dir, say, root):
    names = [getattr(p, "name", p) for p in chosen] or problem_names(root)
    known = problem_names(root)
    for name in names:
        if name not in known:
            raise Refuse(f"unknown problem {name!r}; the problems are {', '.join(known)}")
        if not re.fullmatch(r"[a-z0-9]+", name):
            raise Refuse(f"{name!r} cannot be a package's short name (lower-case letters and "
                         "digits only)")
    names = list(dict.fromkeys(names))
    settings = load_settings(root)
    plans = []
    for name in names:
        conf = load_problem(root, name)
        if not programs(conf)[0]:
            say(f"{name}: no reference solver, so no answers: not exported")
            continue
        plans.append(plan_problem(root, name, conf, settings, package_dir))
    if not plans:
        return 0

    export_dir = os.path.join(os.path.abspath(out_dir), "export")
    os.makedirs(export_dir, exist_ok=True)
    for plan in plans:
        check_replaceable(export_dir, plan.name)
    partial = tempfile.mkdtemp(prefix=".partial-", dir=export_dir)
    sums = {}
    try:
        for plan in plans:
            paths = write_package(plan, os.path.join(partial, plan.name))
            sums[plan.name] = write_zip(os.path.join(partial, plan.name), paths,
                                        os.path.join(partial, plan.name + ".zip"))
            with open(os.path.join(partial, plan.name + ".zip.sha256"), "w") as fh:
                fh.write(f"{sums[plan.name]}  {plan.name}.zip\n")
        for plan in plans:
            new = {f"{plan.name}/{p}" for p in plan.files} | set(entries_of(plan.name)[1:])
            write_record(export_dir, plan.name, read_record(export_dir, plan.name) | new)
            for entry in entries_of(plan.name):
                final = os.path.join(export_dir, entry)
                if os.path.lexists(final):
                    os.rename(final, os.path.join(partial, entry + ".old"))
                os.rename(os.path.join(partial, entry), final)
            write_record(export_dir, plan.name, new)
    finally:
        shutil.rmtree(partial, ignore_errors=True)

    shown = rel(export_dir, os.getcwd())
    for plan in plans:
        subs = ", ".join(f"{n} {v.replace('_', ' ')}" for v, n in sorted(plan.submissions.items()))
        say(f"{plan.name:<11} {plan.samples} sample + {plan.secret} secret tests; "
            f"validator: {plan.validator or 'none'}; submissions: {subs}")
    untimed = [p.name for p in plans if p.time_limit is None]
    if untimed:
        say(f"no time_limit in the problem.toml of {', '.join(untimed)}: no .timelimit "
            "written, judges use their own default")
    for plan in plans:
        say(f"{sums[plan.name]}  {shown}/{plan.name}.zip")
    return 0


ACTION = "export"
EXAMPLE = "pset export demolition --out out"
SUMMARY = "write each problem's package for contest judges (directory and zip)"


def arguments(ap, checks):
    ap.usage = "pset export [PROBLEM ...] [--out DIR]"
    ap.description = (
        "Writes, for each problem with a reference solver, DIR/export/<problem>/ and "
        "DIR/export/<problem>.zip in the problem package format that contest judges import "
        "(problem.yaml, .timelimit, the statement, data/sample and data/secret, the input "
        "validator's source, the submissions), and the zip's SHA-256 beside it. The package "
        "in DIR must be built from today's sources (pset build). Two exports of one package "
        "give the same bytes.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to export (default: all with a solver)")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="where the built package is and where export/ goes (default: out/ "
                    "at the top of the project)")


def run(opts, tools):
    out = package.resolve(opts.out)
    if not package.is_package(out):  # export names what is missing itself
        return export(opts.problems, out, out)
    with package.Lock(out, False, "export"):
        return export(opts.problems, out, out)


