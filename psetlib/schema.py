"""The manifests' schema: every key of a problem's `problem.toml` and of the set's
`problemset.toml`, with its type, whether it is required, its default, its allowed values and
its meaning.

The same objects check a manifest (check_problem, check_set, check_together) and print
themselves (describe(), which `pset schema` shows), so what the documentation says and what
the checks do cannot drift apart. A manifest that breaks a rule stops pset with one line that
names the file and the key (ManifestError, status 2).
"""

import difflib
import math
import os
import re
import textwrap
from dataclasses import dataclass, field
from typing import Any, Optional

from .common import Stop

PROBLEM_FILE = "problem.toml"
SET_FILE = "problemset.toml"

STRING = "string"
INTEGER = "integer"
NUMBER = "number"
BOOLEAN = "boolean"
STRINGS = "list of strings"
TABLE = "table"

# The licenses of the package format; "unknown" is its default, which verifiers warn of.
LICENSES = ("unknown", "public domain", "cc0", "cc by", "cc by-sa", "educational", "permission")
_IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


class ManifestError(Stop):
    """A manifest breaks the schema: one line naming the file and the key."""


@dataclass
class Key:
    """One key of a table: its value's kind and the rules on it."""

    name: str
    kind: str
    meaning: str
    required: bool = False
    default: Any = None
    allowed: tuple[str, ...] = ()
    low: Optional[float] = None      # the least value allowed
    low_open: bool = False           # ... itself not allowed
    high: Optional[float] = None     # the largest value allowed
    program: bool = False            # names programs: each has its source <folder>/<name>.cpp
    example: bool = False            # names examples: each is <folder>/examples/<stem>.in
    non_empty: bool = False          # a list of at least one item
    only_with: Optional[tuple[str, str]] = None  # (key, value) of its table: required with it,
    #                                               refused without

    def range_text(self) -> str:
        """The values allowed by low and high: "in (0, 600]", ">= 1", "" for any."""
        if self.low is not None and self.high is not None:
            return f"in {'(' if self.low_open else '['}{_num(self.low)}, {_num(self.high)}]"
        if self.low is not None:
            return f"{'>' if self.low_open else '>='} {_num(self.low)}"
        return ""

    def kind_text(self) -> str:
        """The kind and its rules, as the schema prints them."""
        if self.allowed:
            text = " | ".join(f'"{a}"' for a in self.allowed)
        elif self.program:
            text = ("list of strings (programs, each a source <folder>/<name>.cpp)"
                    if self.kind == STRINGS else "string (a program: a source <folder>/<name>.cpp)")
        elif self.example:
            text = "list of strings (examples, each <folder>/examples/<stem>.in)"
        else:
            text = self.kind
        if self.range_text():
            text += " " + self.range_text()
        if self.non_empty:
            text += ", non-empty"
        if self.required:
            text += ", required"
        elif self.only_with:
            text += f', required with {self.only_with[0]} = "{self.only_with[1]}" and refused ' \
                "otherwise"
        elif self.default is not None:
            text += f", default {_toml(self.default)}"
        else:
            text += ", optional"
        return text


@dataclass
class Table:
    """A table of a manifest: its known keys and tables, or (`each`) keys of its own naming,
    every one holding a table or value of one shape."""

    name: str                        # "" for the top level; "programs.capacity", ...
    meaning: str
    keys: list[Key] = field(default_factory=list)
    tables: list["Table"] = field(default_factory=list)
    each: Optional["Table"] = None   # every key holds a table of this shape
    each_value: Optional[Key] = None  # every key holds a value of this kind
    each_name: str = ""              # what the keys of `each` or `each_value` name

    def key(self, name: str) -> Optional[Key]:
        return next((k for k in self.keys if k.name == name), None)

    def table(self, name: str) -> Optional["Table"]:
        return next((t for t in self.tables if t.name.rsplit(".", 1)[-1] == name), None)


def _program(name: str, meaning: str, **kw: Any) -> Key:
    return Key(name, STRING, meaning, program=True, **kw)


PACKAGE = Table("package", "what an exported problem package says of its origin", [
    Key("source", STRING, "where the problem comes from (problem.yaml's source)"),
    Key("source_url", STRING, "a link to the source"),
    Key("license", STRING, "the licence of the problem, one of the package format's (every one "
        'but "unknown" and "public domain" needs a rights_owner)', allowed=LICENSES),
    Key("rights_owner", STRING, "who holds the rights (not with \"public domain\")"),
    Key("author", STRING, "who wrote the problem"),
    Key("memory", INTEGER, "the memory limit in MB", low=1),
])

LIMIT = Table("limits.NAME", "one limit", [
    Key("min", NUMBER, "the least value a valid input may hold (min <= max)", required=True),
    Key("max", NUMBER, "the largest value a valid input may hold", required=True),
    Key("what", STRING, "what the limit counts, in words", required=True),
    Key("min_excluded", BOOLEAN, "the lower bound itself is not allowed", default=False),
    Key("waive_min", STRING, "the reason no test needs to reach the lower end"),
    Key("waive_max", STRING, "the reason no test needs to reach the upper end"),
])

PROBLEM = Table("", "one per problem folder: what every tool knows of the problem", [
    Key("title", STRING, "the problem's name as contestants see it", required=True),
    Key("order", INTEGER, "its place in the set, unique across the set", required=True, low=1),
    Key("time_limit", NUMBER, "CPU seconds per test (pset timelimit --write)", low=0,
        low_open=True, high=600),
    Key("samples", STRINGS, "the stems of the examples (examples/<stem>.in) shown in the "
        "statement and exported as sample data; each at most 40 lines and 80 columns (input "
        "and answer); every other example is a secret test", required=True, example=True,
        non_empty=True),
], [
    Table("programs", "the problem's programs", [
        _program("solver", "the reference solver; without one the package holds inputs only"),
        Key("second", STRINGS, "second solvers, cross-checked on every test within their "
            "capacity", default=[], program=True),
        Key("compare", STRING, "how second solvers' answers must agree with the reference's: "
            "byte for byte, or on the answers of even-length words", default="exact",
            allowed=("exact", "even-words")),
        _program("generator", "the random test generator, clock-seeded"),
        Key("seeded", BOOLEAN, "the generator seeds from the clock (false: the same file on "
            "every run)", default=True),
        _program("input_check", "the input validator (exit 42 valid, 43 invalid)",
                 required=True),
        _program("checker", "the answer comparator (reads two answer files)"),
        Key("solvers_read_input", BOOLEAN, "the solvers read their input (false: a fixed "
            "answer)", default=True),
    ], [
        Table("programs.capacity", "what a second solver can hold: it cross-checks only the "
              "tests whose validator-reported limits lie within, e.g. "
              "mirror_solver_scan = { length = 510 }",
              each=Table("programs.capacity.SECOND", "",
                         each_value=Key("LIMIT", NUMBER, "the largest value it holds"),
                         each_name="a limit of [limits]"),
              each_name="a second solver named in second"),
    ]),
    Table("answers", "how answers are judged", [
        Key("judge", STRING, "exact text, or number by number within absolute_tolerance",
            default="exact", allowed=("exact", "float")),
        Key("absolute_tolerance", NUMBER, "the largest difference accepted", low=0,
            low_open=True, only_with=("judge", "float")),
    ]),
    Table("limits", "what the validator enforces, under the names it reports them by; the "
          "build writes them into problem_limits.h (bound::NAME_min, bound::NAME_max, "
          "bound::NAME_min_excluded) and a statement names them as {{NAME.min}}, {{NAME.max}}",
          each=LIMIT, each_name="a C++ identifier, the name the validator reports"),
    Table("package", "overrides of problemset.toml's [package] for this problem",
          PACKAGE.keys),
])

SET = Table("", "at the top of the project: the set itself", [
    Key("name", STRING, "the set's name", required=True),
], [PACKAGE])


# ------------------------------------------------------------------------------- checking

def check_problem(data: dict[str, Any], folder: str, name: str) -> dict[str, Any]:
    """The manifest of the problem in `folder` (named `name`, as its messages say), checked
    and with every default filled in; ManifestError at the first rule it breaks."""
    where = f"{name}/{PROBLEM_FILE}"
    out = _table(PROBLEM, data, where, [], PROBLEM)
    _sources(out, folder, name, where)
    _answers(out, where)
    _limits(out, where)
    _capacity(out, where)
    return out


def check_set(data: dict[str, Any]) -> dict[str, Any]:
    """problemset.toml, checked and with its defaults."""
    return _table(SET, data, SET_FILE, [], SET)


def check_together(manifests: list[tuple[str, dict[str, Any]]]) -> None:
    """The rules across the set's problems ((name, checked manifest) pairs): each order
    once, each program named once."""
    orders: dict[int, str] = {}
    programs: dict[str, str] = {}
    for name, m in manifests:
        where = f"{name}/{PROBLEM_FILE}"
        other = orders.setdefault(m["order"], name)
        if other != name:
            raise ManifestError(f"{where}: order = {m['order']} is also the order of {other} "
                                f"({other}/{PROBLEM_FILE}); each problem needs its own")
        for role, prog in _named_programs(m):
            seen = programs.setdefault(prog, f"{where} [programs] {role}")
            if seen != f"{where} [programs] {role}":
                raise ManifestError(f'{where}: [programs] {role} "{prog}" is also named by '
                                    f"{seen}; a program belongs to one problem, in one role")


def _named_programs(m: dict[str, Any]) -> list[tuple[str, str]]:
    progs = m["programs"]
    found = []
    for key in PROBLEM.tables[0].keys:
        if key.program:
            value = progs[key.name]
            for prog in (value if isinstance(value, list) else [value] if value else []):
                found.append((key.name, prog))
    return found


def _ref(path: list[str], key: str) -> str:
    return f"[{'.'.join(path)}] {key}" if path else key


def _table(t: Table, data: dict[str, Any], where: str, path: list[str],
           top: Table) -> dict[str, Any]:
    for name, value in data.items():
        if t.each is None and t.each_value is None and t.key(name) is None and \
                t.table(name) is None:
            raise ManifestError(f"{where}: {_unknown(t, name, value, path, top)}")
    out: dict[str, Any] = {}
    for key in t.keys:
        if key.name in data:
            out[key.name] = _value(key, data[key.name], where, path)
        elif key.required:
            raise ManifestError(f"{where}: the required key {_ref(path, key.name)} is missing "
                                f"({key.meaning})")
        else:
            default = key.default
            out[key.name] = list(default) if isinstance(default, list) else default
    for sub in t.tables:
        short = sub.name.rsplit(".", 1)[-1]
        value = data.get(short, {})
        if not isinstance(value, dict):
            raise ManifestError(f"{where}: [{sub.name}] must be a table, not {_show(value)}")
        out[short] = _table(sub, value, where, sub.name.split("."), top)
    if t.each is not None or t.each_value is not None:
        for name, value in data.items():
            if t.each is not None:
                if not isinstance(value, dict):
                    raise ManifestError(f"{where}: {_ref(path, name)} must be a table "
                                        f"{{ {_shape(t.each)} }}, not {_show(value)}")
                out[name] = _table(t.each, value, where, path + [name], top)
            elif t.each_value is not None:
                out[name] = _value(t.each_value, value, where, path, name)
    return out


def _shape(t: Table) -> str:
    return ", ".join(f"{k.name} = ..." for k in t.keys if k.required) or "..."


def _value(key: Key, value: Any, where: str, path: list[str], name: str = "") -> Any:
    ref = _ref(path, name or key.name)
    if not _is(key.kind, value):
        raise ManifestError(f"{where}: {ref} must be {_article(key.kind)}, not {_show(value)}")
    if key.allowed and value not in key.allowed:
        raise ManifestError(f"{where}: {ref} = {_show(value)} must be one of "
                            + ", ".join(f'"{a}"' for a in key.allowed))
    if key.low is not None:
        low_ok = value > key.low if key.low_open else value >= key.low
        if not low_ok or (key.high is not None and value > key.high):
            raise ManifestError(f"{where}: {ref} = {_show(value)} must be {key.range_text()}")
    if key.non_empty and not value:
        raise ManifestError(f"{where}: {ref} must name at least one")
    return value


def _is(kind: str, value: Any) -> bool:
    if kind == STRING:
        return isinstance(value, str) and value != ""
    if kind == INTEGER:
        return isinstance(value, int) and not isinstance(value, bool)
    if kind == NUMBER:
        return isinstance(value, (int, float)) and not isinstance(value, bool) and \
            math.isfinite(value)
    if kind == BOOLEAN:
        return isinstance(value, bool)
    if kind == STRINGS:
        return isinstance(value, list) and all(isinstance(v, str) and v for v in value)
    raise AssertionError(kind)


def _article(kind: str) -> str:
    return {STRING: "a string", INTEGER: "an integer", NUMBER: "a finite number",
            BOOLEAN: "true or false", STRINGS: "a list of strings"}[kind]


def _unknown(t: Table, name: str, value: Any, path: list[str], top: Table) -> str:
    """The message on a key the table does not know, with the nearest known one."""
    if isinstance(value, dict) and t.tables:
        known = [s.name.rsplit(".", 1)[-1] for s in t.tables]
        close = difflib.get_close_matches(name, known, 1, 0.6)
        whose = f"[{'.'.join(path + [name])}]"
        text = f"unknown table {whose}"
        if close:
            return text + f" (did you mean [{'.'.join(path + close)}]?)"
        return text
    close = difflib.get_close_matches(name, [k.name for k in t.keys], 1, 0.6)
    text = f'unknown key "{name}"' + (f" in [{'.'.join(path)}]" if path else "")
    if close:
        return text + f' (did you mean "{close[0]}"?)'
    home = _home(name, top)
    if home is not None:
        return text + (f" (it belongs in [{home}])" if home else " (it belongs at the top)")
    return text


def _home(name: str, t: Table) -> Optional[str]:
    """The table where a key of this name belongs ("" the top level), or None."""
    if t.key(name) is not None:
        return t.name
    for sub in t.tables:
        found = _home(name, sub)
        if found is not None:
            return found
    return None


def _show(value: Any) -> str:
    if isinstance(value, dict):
        return "a table"
    text = _toml(value)
    return text if len(text) <= 40 else text[:37] + "..."


def _toml(value: Any) -> str:
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, str):
        return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
    if isinstance(value, list):
        return "[" + ", ".join(_toml(v) for v in value) + "]"
    if isinstance(value, float):
        return _num(value)
    return str(value)


def _num(x: float) -> str:
    return str(int(x)) if float(x).is_integer() and abs(x) < 1e15 else repr(float(x))


# Rules that need more than one key, or the problem's folder.

def _sources(m: dict[str, Any], folder: str, name: str, where: str) -> None:
    progs = PROBLEM.tables[0]
    for key in progs.keys:
        if not key.program:
            continue
        value = m["programs"][key.name]
        for prog in (value if isinstance(value, list) else [value] if value else []):
            if not os.path.isfile(os.path.join(folder, prog + ".cpp")):
                raise ManifestError(f'{where}: [programs] {key.name} "{prog}" has no source: '
                                    f"{name}/{prog}.cpp does not exist")
    for stem in m["samples"]:
        if not os.path.isfile(os.path.join(folder, "examples", stem + ".in")):
            raise ManifestError(f'{where}: samples names "{stem}", which is no example: '
                                f"{name}/examples/{stem}.in does not exist")


def _answers(m: dict[str, Any], where: str) -> None:
    answers = m["answers"]
    for key in PROBLEM.tables[1].keys:
        if key.only_with is None:
            continue
        other, wanted = key.only_with
        if answers[other] == wanted and answers[key.name] is None:
            raise ManifestError(f'{where}: [answers] {key.name} is required with {other} = '
                                f'"{wanted}"')
        if answers[other] != wanted and answers[key.name] is not None:
            raise ManifestError(f'{where}: [answers] {key.name} is allowed only with {other} = '
                                f'"{wanted}" ({other} is "{answers[other]}")')


def _limits(m: dict[str, Any], where: str) -> None:
    for name, limit in m["limits"].items():
        if not _IDENTIFIER.fullmatch(name):
            raise ManifestError(f'{where}: [limits] "{name}" is not a C++ identifier (the name '
                                "under which the validator reports the limit)")
        if limit["min"] > limit["max"]:
            raise ManifestError(f"{where}: [limits] {name} has min = {_num(limit['min'])} above "
                                f"max = {_num(limit['max'])}")


def _capacity(m: dict[str, Any], where: str) -> None:
    second = m["programs"]["second"]
    for solver, held in m["programs"]["capacity"].items():
        if solver not in second:
            raise ManifestError(f"{where}: [programs.capacity] {solver} is not a second solver "
                                f"of the problem (second = {_toml(second)})")
        for limit in held:
            if limit not in m["limits"]:
                close = difflib.get_close_matches(limit, list(m["limits"]), 1, 0.6)
                hint = f' (did you mean "{close[0]}"?)' if close else ""
                raise ManifestError(f'{where}: [programs.capacity] {solver} names "{limit}", '
                                    f"which is not a limit of [limits]{hint}")


# ------------------------------------------------------------------------------- printing

def describe() -> str:
    """The schema as `pset schema` prints it."""
    lines = [f"{PROBLEM_FILE}: {PROBLEM.meaning}.", ""]
    lines += _describe(PROBLEM)
    lines += ["", f"{SET_FILE}: {SET.meaning}.", ""]
    lines += _describe(SET)
    lines += ["", "A key or table not listed here is refused, as is a value of another kind."]
    return "\n".join(lines)


def _describe(t: Table, indent: str = "") -> list[str]:
    if t.name:
        lines = [f"{indent}[{t.name}]" + (f": {t.meaning}" if t.meaning else "")]
    else:
        lines = [f"{indent}at the top:"]
    lines = _wrapped(lines[0], indent + "    ")
    width = max([len(k.name) for k in t.keys] + [6])
    for k in t.keys:
        lines += _wrapped(f"{indent}  {k.name:<{width}}  {k.kind_text()}: {k.meaning}",
                          indent + " " * (width + 4))
    if t.each_value is not None:
        v = t.each_value
        lines += _wrapped(f"{indent}  {v.name} = {v.kind}: {v.name} {t.each_name}; {v.meaning}",
                          indent + "    ")
    if t.each is not None:
        what = t.each.name.rsplit(".", 1)[-1]
        lines += _wrapped(f"{indent}  {what} = {{ ... }}: {what} {t.each_name}; its keys:",
                          indent + "    ")
        lines += _describe(t.each, indent + "  ")[1:]
    for sub in t.tables:
        lines.append("")
        lines += _describe(sub, indent)
    return lines


def _wrapped(text: str, indent: str) -> list[str]:
    return textwrap.wrap(text, 100, subsequent_indent=indent, break_long_words=False,
                         break_on_hyphens=False) or [""]
