#!/usr/bin/env python3
"""The input validators against the files they must accept and against their manifests.

- Every example input and every file of every generator, under every pinned clock of the
  harness (every fifth in the sanitizer tree: harness.SWEEP), is valid: status 42, no stderr,
  and a limits report inside the manifest's bounds.
- Each manifest's [limits] are the validator's: the valid cases of the validator's case table
  reach every bound exactly (the table also holds the file one past each bound), and the names
  reported are the names in the manifest.
- Each validator compiles on its own from a folder holding only its source and the header.
- The number grammar of the header, against a regular expression on random short tokens.
"""

import glob
import os
import random
import re
import shutil
import subprocess
import tempfile

import casetable
import harness
from psetlib import limits, problems


def manifests():
    """{problem folder: its Problem}, for every problem of the set."""
    return {p.name: p for p in problems.all_problems()}


def validator_tables(m):
    """The case tables in the problem's folder that run its input validator."""
    found = []
    for path in sorted(glob.glob(os.path.join(m.folder, "*.cases"))):
        programs, _ = casetable.parse(path)
        if m.input_check in programs:
            found.append(path)
    return found


def report(out):
    """The limits report of an accepted file: {name: (min, max)}, the values as numbers."""
    limits = {}
    for line in out.decode().splitlines():
        name, lo, hi = line.split()
        limits[name] = (float(lo), float(hi))
    return limits


class InputChecks(harness.ProgramTest):
    @classmethod
    def setUpClass(cls):
        cls.problems = manifests()

    def assertValid(self, problem, data, what):
        """The validator accepts `data`; its report stays inside the manifest's limits."""
        check = self.problems[problem].input_check
        p = harness.run(check, data)
        self.assertEqual((p.returncode, p.stderr.decode(errors="replace")), (42, ""),
                         f"{check} on {what}")
        bounds = self.problems[problem].limits
        for name, (lo, hi) in report(p.stdout).items():
            self.assertIn(name, bounds, f"{check} on {what}: a limit missing in the manifest")
            b = bounds[name]
            low_ok = lo > b.min if b.min_excluded else lo >= b.min
            self.assertTrue(low_ok and hi <= b.max,
                            f"{check} on {what}: {name} {lo}..{hi} outside the manifest's "
                            f"{b.min}..{b.max}")

    def test_every_problem_has_a_validator_and_limits(self):
        # every folder at the top holding a manifest is a problem of the set
        folders = {f for f in os.listdir(harness.ROOT)
                   if os.path.isfile(os.path.join(harness.ROOT, f, "problem.toml"))}
        self.assertEqual(set(self.problems), folders)
        harness.walked("input checks", self.problems)
        for problem, m in self.problems.items():
            self.assertEqual(m.input_check, f"{problem}_input_check")
            for name, b in m.limits.items():
                self.assertLessEqual(b.min, b.max, f"{problem}: {name}")
                self.assertTrue(b.what, f"{problem}: {name} needs a description")

    def test_examples_are_valid(self):
        for problem in self.problems:
            paths = sorted(glob.glob(os.path.join(harness.ROOT, problem, "examples", "*.in")))
            self.assertTrue(paths, f"{problem} has no example")
            for path in paths:
                with open(path, "rb") as fh:
                    self.assertValid(problem, fh.read(), os.path.relpath(path, harness.ROOT))

    def test_generated_files_are_valid(self):
        for problem, m in self.problems.items():
            gen = m.generator
            if not gen:
                continue  # a problem without a generator: its tests are written by hand
            clocks = harness.SWEEP if m.seeded else harness.SWEEP[:1]
            for clock in clocks:
                self.assertValid(problem, harness.generated(gen, clock),
                                 f"{gen} under clock {clock}")

    def test_manifest_limits_are_the_validators(self):
        """The valid cases of each table together reach every bound of the manifest, and
        report nothing the manifest does not name."""
        for problem, m in self.problems.items():
            check = m.input_check
            tables = validator_tables(m)
            self.assertTrue(tables, f"{problem}: no case table runs {check} (a .cases file "
                            f"in {problem}/ named {check}.cases, or naming it on its "
                            "programs: line)")
            reached = {}
            for table in tables:
                _, cases = casetable.parse(table)
                for case in cases:
                    if case.get("status") != 42:
                        continue
                    p = harness.run(check, case.get("stdin", b""))
                    self.assertEqual(p.returncode, 42, f"{table}: {case['name']}")
                    for name, (lo, hi) in report(p.stdout).items():
                        old = reached.get(name, (lo, hi))
                        reached[name] = (min(old[0], lo), max(old[1], hi))
            bounds = m.limits
            self.assertEqual(set(reached), set(bounds), f"{problem}: names reported")
            shown = ", ".join(os.path.basename(t) for t in tables)
            for name, b in bounds.items():
                lo, hi = reached[name]
                where = f"{problem}: the valid cases of {shown} reach {name}"
                self.assertEqual(hi, b.max, f"{where} = {hi}, the manifest's max is {b.max}")
                if b.min_excluded:
                    self.assertGreater(lo, b.min, f"{where} = {lo}, the manifest's min "
                                       f"{b.min} is excluded")
                else:
                    self.assertEqual(lo, b.min, f"{where} = {lo}, the manifest's min is "
                                     f"{b.min}")

    def test_each_compiles_alone_with_the_header(self):
        """Each validator compiles from its source, the shared header and the header of its
        problem's limits alone, as an exported package holds them."""
        if harness.SANITIZED and not harness.DEEP:
            self.skipTest("the compiler's verdict is the same in either tree: checked in the "
                          "plain tree (and by make check-deep)")
        header = os.path.join(harness.ROOT, "include", "input_check.h")
        with tempfile.TemporaryDirectory() as tmp:
            built = 0
            for problem, m in self.problems.items():
                src = os.path.join(harness.ROOT, problem, m.input_check + ".cpp")
                with open(src, encoding="utf-8") as fh:
                    text = fh.read()
                local = re.findall(r'^\s*#\s*include\s*"([^"]+)"', text, re.M)
                self.assertIn(local, (["input_check.h"], ["input_check.h", "problem_limits.h"]),
                              f"{src}: its own includes")
                folder = os.path.join(tmp, problem)
                os.makedirs(folder)
                shutil.copy(header, folder)
                shutil.copy(src, folder)
                with open(os.path.join(folder, "problem_limits.h"), "w") as fh:
                    fh.write(limits.header(m))
                p = subprocess.run(["g++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror",
                                    "-c", os.path.basename(src)], cwd=folder,
                                   capture_output=True, text=True, timeout=harness.TIMEOUT)
                self.assertEqual(p.returncode, 0, p.stderr[:3000])
                built += len(glob.glob(os.path.join(folder, "*.o")))
            self.assertEqual(built, len(self.problems))

    def test_the_example_at_the_top_of_the_header(self):
        """The example validator the header documents compiles as it is written there and
        does what its protocol says: 42 and the limits report, 43 and one line saying where."""
        header = os.path.join(harness.ROOT, "include", "input_check.h")
        with open(header, encoding="utf-8") as fh:
            text = fh.read()
        start = text.index("// An example:")
        lines = text[start:].split("\n")[1:]
        body = []
        for line in lines:
            if not line.startswith("//"):
                break
            body.append(line[5:] if line.startswith("//   ") else "")
        source = "\n".join(body).strip() + "\n"
        self.assertIn("chk::accept();", source)
        bounds = ("namespace bound {\n"
                  "constexpr long long T_min = 1, T_max = 3;\n"
                  "constexpr long long n_min = 1, n_max = 4;\n"
                  "constexpr long long value_min = 0, value_max = 9;\n"
                  "constexpr long long sum_n_min = 1, sum_n_max = 5;\n}\n")
        with tempfile.TemporaryDirectory() as tmp:
            shutil.copy(header, tmp)
            for name, content in (("example.cpp", source), ("problem_limits.h", bounds)):
                with open(os.path.join(tmp, name), "w") as fh:
                    fh.write(content)
            p = subprocess.run(["g++", "-std=c++20", "-O1", "-Wall", "-Wextra", "-Werror",
                                "example.cpp", "-o", "example"], cwd=tmp, capture_output=True,
                               text=True, timeout=harness.TIMEOUT)
            self.assertEqual(p.returncode, 0, p.stderr[:3000])
            exe = os.path.join(tmp, "example")
            for data, status, out, err in [
                    (b"2\n1\n5\n2\n0 9\n", 42, b"T 2 2\nn 1 2\nvalue 0 9\nsum_n 3 3\n", b""),
                    (b"1\n2\n5  6\n", 43, b"",
                     b"line 3, column 3: expected value, found a blank\n"),
                    (b"2\n4\n1 2 3 4\n2\n1 2\n", 43, b"",
                     b"line 6, column 1: sum_n = 6 is outside 1..5\n")]:
                r = subprocess.run([exe], input=data, capture_output=True, timeout=60)
                self.assertEqual((r.returncode, r.stdout, r.stderr), (status, out, err), data)

    def test_number_grammar_against_a_model(self):
        """Random tokens of digits, signs, points and an exponent letter, read as a query of
        Ratio product (an integer 1..1000) and as a coordinate of Ring count (a decimal)."""
        integer = re.compile(r"(0|[1-9][0-9]*)")
        decimal = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?")  # no trailing zero
        rng = random.Random(13)
        tokens = {"0", "-0", "-0.0", "0.0", "1000", "1001", "-", ".", "1.", ".1", "-.5"}
        while len(tokens) < 250:
            tokens.add("".join(rng.choice("0123456789-+.e") for _ in range(rng.randint(1, 5))))
        for tok in sorted(tokens):
            want = bool(integer.fullmatch(tok)) and 1 <= int(tok) <= 1000
            p = harness.run("ratio_input_check", f"1\n{tok}\n")
            self.assertEqual(p.returncode, 42 if want else 43, f"query {tok!r}: {p.stderr!r}")
            want = (bool(decimal.fullmatch(tok)) and not (tok.startswith("-") and float(tok) == 0)
                    and abs(float(tok)) <= 261450)
            p = harness.run("rings_input_check", f"1\n{tok} 0\n")
            self.assertEqual(p.returncode, 42 if want else 43, f"x {tok!r}: {p.stderr!r}")


if __name__ == "__main__":
    harness.main()
