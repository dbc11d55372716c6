#!/usr/bin/env python3
"""Runs a case table: named cases, each an input with its expected output and exit status.

Usage: casetable.py TABLE [CASE-NAME-SUBSTRING]

Format of a table (see docs/testing.md, "Case tables"):

    # a comment
    programs: demolish_solver demolish_solver_dsu

    === a name for the case
    stdin:
    |3|
    |1 2 3|
    stdout:
    |5|
    status: 0

Body lines are framed by bars: the text between the first and the last bar is the line, and
it ends with a line end; a line `\\ no newline` after a block drops the last line end. A short
value may also stand on the key's line (`stdin: 1 1 5 1`), and then gets a line end too.

Keys of a case:
    stdin, stdout            block or inline; stdin defaults to empty, stdout to empty
    stdin-python, stdout-python
                             the text is the value of a Python expression written on the
                             following lines, indented by two spaces
    stdin-closed:            standard input is closed instead
    stdout-full:             standard output is /dev/full, so every write to it fails (no
                             space left on device); stdout is then not compared and no
                             `stdout` key is allowed
    stdout-closed:           standard output is closed, likewise
    status: N                expected exit status (default 0)
    stderr: TEXT             stderr must be one line starting with TEXT; without this key
                             stderr must be empty
    args: A B ...            command-line arguments (shell-like quoting)
    args-python:             the arguments as a Python list of strings, for ones a line
                             cannot hold (a newline); the expression as for stdin-python
    file NAME:               a file created in the case's working folder (block or inline);
    file-python NAME:        its text computed as for stdin-python
    clock: SECONDS           time() pinned to this value

In `stderr`, `args` and file names, {prog} stands for the program under test. The programs
are those of the `programs:` line, or the program named like the table. Every case runs for
every program. A failure names the table, the case and the program and shows a diff.
"""

import difflib
import os
import shlex
import sys
import tempfile

import harness  # noqa: E402

BLOCK_KEYS = {"stdin", "stdout"}
INLINE_KEYS = {"status", "stderr", "args", "clock"}


class TableError(Exception):
    pass


class _Reader:
    """Reads a table line by line: `i` is the line in hand, `case` the case being read."""

    def __init__(self, path):
        self.path = path
        with open(path, encoding="utf-8") as fh:
            self.lines = fh.read().split("\n")
        self.i = 0
        self.programs = None
        self.cases = []
        self.case = None

    def where(self, n):
        return f"{self.path}:{n + 1}"

    def read(self):
        while self.i < len(self.lines):
            line = self.lines[self.i]
            if line.startswith("=== "):
                self.new_case(line[4:].strip())
            elif not line.strip() or line.startswith("#"):
                self.i += 1
            elif ":" not in line:
                raise TableError(f"{self.where(self.i)}: expected 'key:' or '=== name', found "
                                 f"{line!r}")
            else:
                key, _, value = line.partition(":")
                self.key(key.strip(), value.strip())
        for c in self.cases:
            if "stdout-to" in c and "stdout" in c:
                raise TableError(f"{self.path}:{c['line']}: case {c['name']!r}: stdout is not "
                                 f"compared with stdout-{c['stdout-to']}")
        if not self.cases:
            raise TableError(f"{self.path}: no cases")
        if self.programs is None:
            self.programs = [os.path.splitext(os.path.basename(self.path))[0]]
        return self.programs, self.cases

    def new_case(self, name):
        if not name:
            raise TableError(f"{self.where(self.i)}: a case needs a name")
        if any(c["name"] == name for c in self.cases):
            raise TableError(f"{self.where(self.i)}: case name {name!r} is used twice")
        self.case = {"name": name, "line": self.i + 1, "files": {}}
        self.cases.append(self.case)
        self.i += 1

    def key(self, key, value):
        """One `key: value` line and what follows it."""
        if key == "programs":
            if self.cases:
                raise TableError(f"{self.where(self.i)}: 'programs:' must come before the first "
                                 "case")
            self.programs = value.split()
            self.i += 1
            return
        case = self.case
        if case is None:
            raise TableError(f"{self.where(self.i)}: {key!r} outside a case")
        target, name = key, None
        if key.startswith("file ") or key.startswith("file-python "):
            target, name = key.split(None, 1)
        if name is None and (key in case or key == "args" and "args" in case):
            raise TableError(f"{self.where(self.i)}: {key!r} given twice in case "
                             f"{case['name']!r}")
        self.i += 1
        if target in ("stdin-python", "stdout-python", "file-python", "args-python"):
            self.python(key, target, name, value)
        elif target in BLOCK_KEYS or target == "file":
            data = (value + "\n").encode() if value else self.block()
            if target == "file":
                case["files"][name] = data
            else:
                case[target] = data
        elif key == "stdin-closed":
            case["stdin"] = None
        elif key in ("stdout-full", "stdout-closed"):
            if "stdout-to" in case:
                raise TableError(f"{self.where(self.i - 1)}: two stdout redirections in case "
                                 f"{case['name']!r}")
            case["stdout-to"] = key[7:]
        elif key in INLINE_KEYS:
            case[key] = value
            if key in ("status", "clock"):
                try:
                    case[key] = int(value)
                except ValueError:
                    raise TableError(f"{self.where(self.i - 1)}: {key} must be a whole number")
        else:
            raise TableError(f"{self.where(self.i - 1)}: unknown key {key!r}")

    def block(self):
        """The bar-framed lines that follow a key, with `\\ no newline` after them."""
        body = []
        lines = self.lines
        while self.i < len(lines) and lines[self.i].startswith("|"):
            if len(lines[self.i]) < 2 or not lines[self.i].endswith("|"):
                raise TableError(f"{self.where(self.i)}: a body line must end with '|' (an "
                                 "editor may have stripped it)")
            body.append(lines[self.i][1:-1] + "\n")
            self.i += 1
        if self.i < len(lines) and lines[self.i] == "\\ no newline":
            if not body:
                raise TableError(f"{self.where(self.i)}: '\\ no newline' after an empty block")
            body[-1] = body[-1][:-1]
            self.i += 1
        return "".join(body).encode()

    def python(self, key, target, name, value):
        """A key whose value is a Python expression on the following indented lines."""
        case = self.case
        code = []
        while self.i < len(self.lines) and self.lines[self.i].startswith("  "):
            code.append(self.lines[self.i][2:])
            self.i += 1
        if value or not code:
            raise TableError(f"{self.where(self.i - 1)}: {key!r} takes an expression on the "
                             "following lines, indented by two spaces")
        try:
            text = eval("(\n" + "\n".join(code) + "\n)", {})
        except Exception as exc:  # the table's own code is broken
            raise TableError(f"{self.path}: case {case['name']!r}: {key}: {exc!r}")
        if target == "args-python":
            if not (isinstance(text, list) and all(isinstance(a, str) for a in text)):
                raise TableError(f"{self.path}: case {case['name']!r}: args-python must be a "
                                 "list of strings")
            if "args" in case:
                raise TableError(f"{self.where(self.i)}: args given twice in case "
                                 f"{case['name']!r}")
            case["args"] = shlex.join(text)  # read back by shlex.split, like `args:`
            return
        data = text.encode() if isinstance(text, str) else bytes(text)
        if target == "file-python":
            case["files"][name] = data
            return
        store = "stdin" if target == "stdin-python" else "stdout"
        if store in case:
            raise TableError(f"{self.where(self.i)}: {store} given twice in case "
                             f"{case['name']!r}")
        case[store] = data


def parse(path):
    """Returns (programs, cases); a case is a dict with its name and line number."""
    return _Reader(path).read()


def show(data):
    """The lines of a text framed by bars, so that spaces show; long texts are cut."""
    lines = data.decode("utf-8", errors="replace").split("\n")
    tail = lines.pop() if lines else ""
    out = [f"|{l}|" for l in lines]
    if tail:
        out.append(f"|{tail}|  (no line end)")
    return out


def diff(expected, actual, limit=60):
    d = list(difflib.unified_diff(show(expected), show(actual), "expected", "actual",
                                  lineterm="", n=2))
    if len(d) > limit:
        d = d[:limit] + [f"... ({len(d) - limit} more diff lines)"]
    return "\n".join(d)


def run_case(prog, case):
    """Runs one case; returns a list of failure descriptions (empty when it passes)."""
    sub = lambda s: s.replace("{prog}", prog)
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        for name, data in case["files"].items():
            with open(os.path.join(tmp, sub(name)), "wb") as fh:
                fh.write(data)
        args = [sub(a) for a in shlex.split(case.get("args", ""))]
        try:
            to = {"full": "/dev/full", "closed": "closed"}.get(case.get("stdout-to"))
            p = harness.run(prog, case.get("stdin", b""), args=args, clock=case.get("clock"),
                            cwd=tmp, stdout=to)
        except Exception as exc:
            return [f"could not run: {exc}"]
    want_out = case.get("stdout", b"")
    want_status = case.get("status", 0)
    if p.returncode != want_status:
        problems.append(f"exit status {p.returncode}, expected {want_status}")
    if p.stdout is not None and p.stdout != want_out:
        problems.append("stdout differs:\n" + diff(want_out, p.stdout))
    err = p.stderr.decode("utf-8", errors="replace")
    if "stderr" in case:
        want = sub(case["stderr"])
        if not (err.startswith(want) and err.endswith("\n") and err.count("\n") == 1):
            problems.append(f"stderr should be one line starting with {want!r}, "
                            f"got {err[:2000]!r}")
    elif err:
        problems.append(f"stderr should be empty, got {err[:2000]!r}")
    return problems


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    table = argv[1]
    only = argv[2] if len(argv) == 3 else None
    try:
        programs, cases = parse(table)
    except TableError as exc:
        print(f"casetable: {exc}", file=sys.stderr)
        return 2
    except OSError as exc:
        print(f"casetable: {table}: {exc.strerror}", file=sys.stderr)
        return 2
    name = os.path.relpath(table, harness.ROOT)
    failed = ran = 0
    for case in cases:
        if only and only not in case["name"]:
            continue
        for prog in programs:
            ran += 1
            problems = run_case(prog, case)
            if problems:
                failed += 1
                print(f"FAIL {name}:{case['line']}: case {case['name']!r} ({prog})")
                for pr in problems:
                    print("  " + pr.replace("\n", "\n  "))
    print(f"{name}: {ran - failed} of {ran} runs passed "
          f"({len(cases)} cases x {len(programs)} programs)" if not only else
          f"{name}: {ran - failed} of {ran} runs passed")
    if ran == 0:
        print(f"casetable: no case matches {only!r}", file=sys.stderr)
        return 2
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
