"""pset's checks of a package: build refusing an invalid input, validate and its self-check,
verify against the submissions' expected verdicts, and the time limit's derivation."""

import os
import shutil
import subprocess
import sys
import tempfile
import tomllib
import unittest

import harness
from psetlib import problems, timelimit, validate

PSET = os.path.join(harness.ROOT, "pset")
BUILD = os.path.dirname(harness.BIN_DIR)
GUARD = 600
# a sanitized program cannot live in an address-space limit (its shadow memory is huge)
NOMEM = ["--memory-limit", "0"] if harness.SANITIZED else []


def pset(*args, build=BUILD):
    return subprocess.run([sys.executable, PSET, "--build-dir", build, *args],
                          capture_output=True, text=True, timeout=GUARD)


class Checks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-checks-")
        cls.out = os.path.join(cls.tmp, "out")
        cls.built = pset("build", "--tests", "1", "--seed", "500", "--out", cls.out,
                         "demolition", "rounding", "constant")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.built.returncode, 0, self.built.stdout + self.built.stderr)

    def fake_build(self, tree, name, script):
        """A build folder like the real one but for the program `tree/name`, a shell script."""
        fake = tempfile.mkdtemp(dir=self.tmp)
        for sub in ("bin", "lib", "validators", "submissions"):
            if sub == tree:
                os.makedirs(os.path.join(fake, sub))
                for f in os.listdir(os.path.join(BUILD, sub)):
                    os.symlink(os.path.join(BUILD, sub, f), os.path.join(fake, sub, f))
            else:
                os.symlink(os.path.join(BUILD, sub), os.path.join(fake, sub))
        path = os.path.join(fake, tree, name)
        os.unlink(path)
        with open(path, "w") as fh:
            fh.write("#!/bin/sh\n" + script + "\n")
        os.chmod(path, 0o755)
        return fake

    def file(self, name, data):
        path = os.path.join(self.tmp, name)
        with open(path, "wb") as fh:
            fh.write(data)
        return path

    def test_build_reports_the_limits_no_test_reaches(self):
        # one generated demolition file has neither n = 1 nor the largest count of cases
        self.assertIn("limits no test reaches:", self.built.stdout)
        self.assertIn("demolition: no test has T = 200000", self.built.stdout)

    def test_limits_report_names_each_end_no_test_reaches(self):
        p = problems.Problem("x", self.tmp, {"limits": {
            "n": {"min": 1, "max": 100},
            "l": {"min": 0, "max": 9.5, "min_excluded": True},
            "T": {"min": 0, "max": 10}}})
        for seen, gaps in (
                ({"n": (1, 100), "l": (0.5, 9.5), "T": (0, 10)}, []),
                ({"n": (2, 100), "l": (0.5, 9.5), "T": (0, 10)}, ["no test has n = 1"]),
                ({"n": (1, 99), "l": (0.5, 9), "T": (0, 10)},
                 ["no test has n = 100", "no test has l = 9.5"]),
                ({"n": (1, 100), "l": (0.5, 9.5)}, ["no test has T"]),
        ):
            with self.subTest(seen=seen):
                self.assertEqual(validate.missing(p, seen), gaps)

    def test_build_stops_at_an_invalid_input_and_keeps_the_package(self):
        # a validator that refuses every file stands for an example that breaks the format
        fake = self.fake_build("validators", "constant_input_check",
                               "echo 'line 1, column 1: planted' >&2; exit 43")
        before = os.listdir(os.path.join(self.out, "constant", "tests"))
        p = pset("build", "--out", self.out, "constant", build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("test 01 of constant (example constant/examples/01-sample.in) is not a "
                      "valid input: line 1, column 1: planted", p.stderr)
        self.assertEqual(os.listdir(os.path.join(self.out, "constant", "tests")), before)

    def test_validate_files_and_package(self):
        good = self.file("good.in", b"1\n1\n5\n1\n")
        blank = self.file("blank.in", b"1\n1\n5 \n1\n")
        for files, status, text in (
                ([good], 0, "demolition: 1 of 1 inputs valid"),
                ([good, blank], 1, "blank.in: line 3, column 2:"),
        ):
            with self.subTest(files=files):
                p = pset("validate", "demolition", "--", *files)
                self.assertEqual(p.returncode, status, p.stdout + p.stderr)
                self.assertIn(text, p.stdout)
        p = pset("validate", "--out", self.out, "demolition", "constant")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertRegex(p.stdout, r"demolition: (\d+) of \1 inputs valid")
        p = pset("validate", "demolition", "rounding", "--", good)
        self.assertEqual(p.returncode, 2)
        self.assertIn("exactly one problem", p.stderr)

    def test_validate_mutate_finds_a_loose_validator(self):
        p = pset("validate", "--mutate", "--out", self.out, "rounding")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("0 broken copies accepted", p.stdout)
        # a validator that takes anything lets every broken copy through
        fake = self.fake_build("validators", "rounding_input_check", "cat >/dev/null; exit 42")
        p = pset("validate", "--mutate", "--out", self.out, "rounding", build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("the validator accepts a broken file", p.stdout)
        self.assertIn("CR LF line ends", p.stdout)

    def test_verify_as_expected_and_not(self):
        p = pset("verify", "--out", self.out, "constant", "rounding", *NOMEM)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("rounding: ", p.stdout)
        self.assertRegex(p.stdout, r"\n  rescan +time_limit_exceeded +A*T-*")
        self.assertRegex(p.stdout, r"\n  no_newline +wrong_answer +W\b")
        self.assertIn("verify: every submission as expected", p.stdout)
        # the reference itself gone wrong: an accepted submission that is rejected
        fake = self.fake_build("bin", "constant_answer", "echo 24")
        p = pset("verify", "--out", self.out, "constant", *NOMEM, build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertRegex(p.stdout, r"constant_answer +accepted +W-* +\d+ ms  ! not accepted")
        # a wrong submission that gets it right is not as expected either
        fake = self.fake_build("submissions", "constant", "")
        os.unlink(os.path.join(fake, "submissions", "constant"))
        shutil.copytree(os.path.join(BUILD, "submissions", "constant"),
                        os.path.join(fake, "submissions", "constant"))
        right = os.path.join(fake, "submissions", "constant", "wrong_answer", "no_newline")
        os.unlink(right)
        with open(right, "w") as fh:
            fh.write("#!/bin/sh\necho 25\n")
        os.chmod(right, 0o755)
        p = pset("verify", "--out", self.out, "constant", *NOMEM, build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertRegex(p.stdout, r"no_newline +wrong_answer +A+ +\d+ ms  ! not wrong answer")

    def test_time_limit_is_twice_the_slowest_up_to_half_seconds(self):
        for slowest, limit in ((0.0, 1.0), (0.2, 1.0), (0.5, 1.0), (0.51, 1.5), (0.75, 1.5),
                               (0.76, 2.0), (1.0, 2.0), (2.3, 5.0)):
            with self.subTest(slowest=slowest):
                self.assertEqual(timelimit.derive(slowest), limit)

    def test_time_limit_written_into_the_manifest(self):
        folder = os.path.join(self.tmp, "limit")
        os.makedirs(folder)
        text = ('# a comment\ntitle = "X"\norder = 3\n\n[programs]\nsolver = "x"\n'
                '[limits]\nT = { min = 0, max = 5 }\n')
        path = os.path.join(folder, "problem.toml")
        for before, after in ((text, 1.5), (None, 2.0)):
            if before is not None:
                with open(path, "w") as fh:
                    fh.write(before)
            with open(path, "rb") as fh:
                p = problems.Problem("limit", folder, tomllib.load(fh))
            timelimit.write_limit(p, after)
            with open(path, "rb") as fh:
                data = tomllib.load(fh)
            self.assertEqual(data["time_limit"], after)
            self.assertEqual(data["programs"], {"solver": "x"})
            self.assertEqual(data["order"], 3)
        with open(path) as fh:
            self.assertEqual(fh.read().count("time_limit"), 1)


if __name__ == "__main__":
    harness.main()
