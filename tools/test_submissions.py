"""The kept contestant submissions (<problem>/submissions/<verdict>/*.cpp): each opens with a
well-formed header naming its mistake, and the small input its header gives really tells it
from the reference solver: a different answer (Shuttle ride: one float_judge rejects), or a
crash for a run_time_error submission. The header inputs are valid for the problem's input
validator, where that is built."""

import os
import shlex
import subprocess
import tempfile
import unittest

import harness
from psetlib import problems

SUB_DIR = os.path.join(os.path.dirname(harness.BIN_DIR), "submissions")

# The first line of a submission in each folder, before its one-line mistake.
LEADS = {"wrong_answer": "// Wrong: ", "time_limit_exceeded": "// Too slow: ",
         "run_time_error": "// Crashes: "}
INPUT_LINE = "// Input on which it differs from the reference:"
INPUT_PREFIX = "//   "
# A fault that shows only on a large input names one of the problem's extra tests instead.
EXTRA_LINE = "// Differs from the reference on the extra test: "


class Extra(str):
    """The name of an extra test (<problem>/extra_tests.py) given as a header's input."""


class HeaderError(Exception):
    pass


# The one input line that stands for an empty input (Constant answer reads nothing).
EMPTY = "(empty)"


def parse_header(text, verdict):
    """Returns (mistake, input text or None) of a submission in folder `verdict`, or raises
    HeaderError saying what is wrong. Time-limit submissions carry no input."""
    if verdict not in LEADS:
        raise HeaderError(f"unknown verdict folder {verdict!r}")
    lines = text.split("\n")
    lead = LEADS[verdict]
    if not lines[0].startswith(lead) or not lines[0][len(lead):].strip():
        raise HeaderError(f"line 1 must be {lead!r} and the mistake, not {lines[0]!r}")
    mistake = lines[0][len(lead):].strip()
    has_input = len(lines) > 1 and (lines[1] == INPUT_LINE or lines[1].startswith(EXTRA_LINE))
    if verdict == "time_limit_exceeded":
        if has_input:
            raise HeaderError("a time_limit_exceeded submission gives no input")
        return mistake, None
    if not has_input:
        raise HeaderError(f"line 2 must be {INPUT_LINE!r} or {EXTRA_LINE!r} and a name")
    if lines[1].startswith(EXTRA_LINE):
        name = lines[1][len(EXTRA_LINE):]
        if not name or name != name.strip() or " " in name:
            raise HeaderError(f"line 2 must name one extra test after {EXTRA_LINE!r}")
        return mistake, Extra(name)
    body = []
    for line in lines[2:]:
        if line.rstrip() == INPUT_PREFIX.rstrip():
            body.append("")
        elif line.startswith(INPUT_PREFIX):
            item = line[len(INPUT_PREFIX):]
            if item != item.strip():
                raise HeaderError(f"input line {line!r} has blanks at its start or end")
            body.append(item)
        else:
            break
    if not body:
        raise HeaderError("the input is missing: its lines follow, each after '//   '")
    if body == [EMPTY]:
        return mistake, ""
    return mistake, "".join(b + "\n" for b in body)


def submissions():
    """(problem, verdict, name, source path) of every kept submission, in a fixed order."""
    found = []
    for problem in sorted(problems.names()):
        top = os.path.join(harness.ROOT, problem, "submissions")
        if not os.path.isdir(top):
            continue
        for verdict in sorted(os.listdir(top)):
            folder = os.path.join(top, verdict)
            for f in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
                if f.endswith(".cpp"):
                    found.append((problem, verdict, f[:-4], os.path.join(folder, f)))
    return found


_extra = {}


def header_input(problem, given):
    """The text of a header's input: as written, or the problem's extra test it names."""
    if not isinstance(given, Extra):
        return given
    if problem not in _extra:
        p = problems.get(problem)
        path = os.path.join(p.folder, "extra_tests.py")
        _extra[problem] = dict(problems.load_script(path).tests()) if os.path.isfile(path) \
            else {}
    if given not in _extra[problem]:
        raise HeaderError(f"{problem} has no extra test {given!r}")
    return _extra[problem][given]


def run_path(path, stdin):
    return subprocess.run([path], input=stdin.encode(), capture_output=True,
                          timeout=harness.TIMEOUT)


def float_rejects(expected, got):
    """float_judge's verdict on `got` against `expected`: True when it rejects."""
    with tempfile.TemporaryDirectory() as tmp:
        a, b = os.path.join(tmp, "expected"), os.path.join(tmp, "got")
        with open(a, "wb") as fh:
            fh.write(expected)
        with open(b, "wb") as fh:
            fh.write(got)
        p = harness.run("float_judge", args=[a, b])
    if p.returncode not in (0, 1):
        raise AssertionError(f"float_judge: status {p.returncode}: {p.stderr!r}")
    return p.returncode == 1


def difference(problem, verdict, exe, stdin):
    """How the program `exe` answers `stdin` against the problem's reference solver: a text
    starting "differs" when it is told apart as its folder `verdict` says (another answer,
    or for run_time_error a crash too), "same" when not, else what went wrong."""
    m = problems.get(problem)
    ref = harness.run(m.solver, stdin)
    if ref.returncode != 0 or ref.stderr:
        return f"the reference solver fails on the input: {ref.stderr[:300]!r}"
    got = run_path(exe, stdin)
    if got.returncode != 0:
        if verdict == "run_time_error":
            return f"differs: status {got.returncode}"
        return f"status {got.returncode} on the input, expected a wrong answer"
    if m.floats:
        if float_rejects(ref.stdout, got.stdout):
            return "differs: float_judge rejects it"
        return f"same: float_judge accepts {got.stdout[:200]!r} (reference {ref.stdout[:200]!r})"
    if got.stdout != ref.stdout:
        return "differs"
    return f"same answer as the reference: {got.stdout[:200]!r}"


class Headers(unittest.TestCase):
    """The header reader itself: a header that breaks the rules is refused."""

    GOOD = "// Wrong: off by one\n// Input on which it differs from the reference:\n" \
           "//   1\n//   3 5 1 7 2 1 3\n#include <cstdio>\n"

    def test_good_header(self):
        self.assertEqual(parse_header(self.GOOD, "wrong_answer"),
                         ("off by one", "1\n3 5 1 7 2 1 3\n"))
        self.assertEqual(parse_header("// Too slow: quadratic\n#include <cstdio>\n",
                                      "time_limit_exceeded"), ("quadratic", None))
        crash = self.GOOD.replace("// Wrong:", "// Crashes:")
        self.assertEqual(parse_header(crash, "run_time_error")[1], "1\n3 5 1 7 2 1 3\n")
        big = "// Crashes: x\n" + EXTRA_LINE + "max-sum\n#include <cstdio>\n"
        given = parse_header(big, "run_time_error")[1]
        self.assertIsInstance(given, Extra)
        self.assertEqual(given, "max-sum")

    def test_bad_headers(self):
        bad = [
            ("lead of another folder", self.GOOD, "run_time_error"),
            ("unknown folder", self.GOOD, "wrong"),
            ("no mistake", self.GOOD.replace("off by one", " "), "wrong_answer"),
            ("no input line", "// Wrong: x\n//   1\n", "wrong_answer"),
            ("no input", "// Wrong: x\n" + INPUT_LINE + "\n#include <cstdio>\n",
             "wrong_answer"),
            ("two blanks only", self.GOOD.replace("//   1\n", "//  1\n"), "wrong_answer"),
            ("trailing blank", self.GOOD.replace("//   1\n", "//   1 \n"), "wrong_answer"),
            ("input on a time-out", self.GOOD.replace("// Wrong:", "// Too slow:"),
             "time_limit_exceeded"),
            ("no header", "#include <cstdio>\n", "wrong_answer"),
            ("no extra test named", "// Wrong: x\n" + EXTRA_LINE + "\n", "wrong_answer"),
            ("two names", "// Wrong: x\n" + EXTRA_LINE + "a b\n", "wrong_answer"),
            ("an extra test on a time-out", "// Too slow: x\n" + EXTRA_LINE + "a\n",
             "time_limit_exceeded"),
        ]
        for what, text, verdict in bad:
            with self.subTest(what):
                with self.assertRaises(HeaderError):
                    parse_header(text, verdict)


class Submissions(unittest.TestCase):
    def test_there_are_submissions(self):
        self.assertTrue(submissions(), "no <problem>/submissions/<verdict>/*.cpp found")

    def test_each_header_input_tells_it_from_the_reference(self):
        harness.walked("submissions", {problem for problem, _, _, _ in submissions()})
        for problem, verdict, name, src in submissions():
            with self.subTest(f"{problem}/{verdict}/{name}"):
                with open(src, encoding="utf-8") as fh:
                    try:
                        _, stdin = parse_header(fh.read(), verdict)
                    except HeaderError as e:
                        self.fail(f"{src}: {e}")
                if stdin is None:
                    continue
                try:
                    stdin = header_input(problem, stdin)
                except HeaderError as e:
                    self.fail(f"{src}: {e}")
                exe = os.path.join(SUB_DIR, problem, verdict, name)
                self.assertTrue(os.access(exe, os.X_OK), f"{exe} is not built")
                why = difference(problem, verdict, exe, stdin)
                self.assertTrue(why.startswith("differs"), f"{src}: {why}")

    def test_the_comparison_itself(self):
        """The reference against itself shows no difference, exact or float, nor do answers
        within 1e-6 for Shuttle ride; answers 1e-5 off do; a crash is a difference only for a
        run_time_error submission."""
        demo = "1\n3\n5 1 7\n2 1 3\n"
        shuttle = "2\n3 6 1 2 1\n5 10 1 2 5\n"
        for problem, prog, stdin in [("demolition", "demolish_solver", demo),
                                     ("shuttle", "shuttle_solver", shuttle)]:
            same = difference(problem, "wrong_answer", harness.program(prog), stdin)
            self.assertTrue(same.startswith("same"), same)
        with tempfile.TemporaryDirectory() as tmp:
            def script(name, body):
                path = os.path.join(tmp, name)
                with open(path, "w") as fh:
                    fh.write("#!/bin/sh\n" + body + "\n")
                os.chmod(path, 0o755)
                return path

            def shifted(d):  # the reference's answers, each moved by d
                solver = shlex.quote(harness.program("shuttle_solver"))
                return script(f"shift{d}", f"{solver} | awk "
                              f"'{{printf \"%.10f\\n\", $1 + {d}}}'")

            self.assertTrue(difference("shuttle", "wrong_answer", shifted("0.00001"), shuttle)
                            .startswith("differs"))
            self.assertTrue(difference("shuttle", "wrong_answer", shifted("0.0000001"), shuttle)
                            .startswith("same"))
            dies = script("dies", "kill -SEGV $$")
            self.assertTrue(difference("demolition", "wrong_answer", dies, demo)
                            .startswith("status"))
            self.assertTrue(difference("demolition", "run_time_error", dies, demo)
                            .startswith("differs"))

    def test_header_inputs_are_valid(self):
        checked = 0
        for problem, verdict, name, src in submissions():
            check = problems.get(problem).input_check
            if not os.access(os.path.join(harness.VALIDATOR_DIR, check), os.X_OK):
                continue
            with open(src, encoding="utf-8") as fh:
                try:
                    _, stdin = parse_header(fh.read(), verdict)
                except HeaderError:
                    continue  # reported by the test above
            if stdin is None:
                continue
            with self.subTest(f"{problem}/{verdict}/{name}"):
                p = harness.run(check, header_input(problem, stdin))
                self.assertEqual(p.returncode, 42, f"{src}: {check} refuses its header input: "
                                 f"{p.stderr.decode(errors='replace').strip()}")
                checked += 1
        if not checked:
            self.skipTest("no input validator is built")


if __name__ == "__main__":
    harness.main()
