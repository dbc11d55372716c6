"""pset's checks of a package: build refusing an invalid input, validate and its self-check,
verify against the submissions' expected verdicts, and the time limit's derivation.

The package checked is small: a copy of the project holding Constant answer as it is and Grade
rounding cut down to its examples and one extra test, the longest chain of fours (the test
that tells its time_limit_exceeded submission rescan, kept with the submissions the examples
tell), its limits waived. The whole packages are validated and verified by the fixture tests
package/validate and package/verify."""

import os
import shlex
import shutil
import tempfile
import types
import unittest

import harness
from harness import BUILD, pset
from psetlib import limits, problems
from psetlib.actions import timelimit
from psetlib.problems import Limit

# a sanitized program cannot live in an address-space limit (its shadow memory is huge)
NOMEM = ["--memory-limit", "0"] if harness.SANITIZED else []

# Grade rounding's one extra test in the copy: one case, a chain of fours as long as a number
# may be, every step allowed.
CHAIN = ('def tests():\n'
         '    return [("longest-chain", "1\\n2147483647\\n0." + "4" * 200003 + "5\\n")]\n')
# Grade rounding's submissions that only its other extra tests tell, left out of the copy.
UNTOLD = ["wrong_answer/empty_integer_part.cpp", "wrong_answer/read_once.cpp",
          "time_limit_exceeded/trim_by_copy.cpp",
          "time_limit_exceeded/clear_every_case.cpp"]


class Checks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-checks-")
        cls.root = harness.copy_project(os.path.join(cls.tmp, "project"), ["rounding", "constant"])
        rounding = os.path.join(cls.root, "rounding")
        with open(os.path.join(rounding, "extra_tests.py"), "w") as fh:
            fh.write(CHAIN)
        for sub in UNTOLD:
            os.unlink(os.path.join(rounding, "submissions", sub))
        harness.waive_limits(os.path.join(rounding, "problem.toml"))
        cls.out = os.path.join(cls.tmp, "out")
        cls.built = cls.pset("build", "--tests", "1", "--seed", "500", "--out", cls.out)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.built.returncode, 0, self.built.stdout + self.built.stderr)

    @classmethod
    def pset(cls, *args, **kw):
        """pset of the copy."""
        return pset(*args, pset_path=os.path.join(cls.root, "pset"), **kw)

    def fake_build(self, tree, name, script):
        """A build folder like the real one but for the program `tree/name`, a shell script."""
        return harness.fake_build(self.tmp, tree, name, script)

    def file(self, name, data):
        path = os.path.join(self.tmp, name)
        with open(path, "wb") as fh:
            fh.write(data)
        return path

    def test_build_fails_on_a_limit_end_no_test_reaches_unless_waived(self):
        # constant's tests reach every limit: a validator that reports every file as one
        # number leaves T's upper end unreached
        real = shlex.quote(os.path.join(BUILD, "validators", "constant_input_check"))
        fake = self.fake_build("validators", "constant_input_check",
                               f'out=$({real}); s=$?\n'
                               '[ -z "$out" ] || printf "%s\\n" "$out" | sed "s/^T .*/T 1 1/"\n'
                               'exit $s')
        out = os.path.join(self.tmp, "gaps")
        p = pset("build", "--tests", "0", "--out", out, "constant", build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("constant: limit T (numbers in a file) is not reached at its upper end "
                      "100000 by any test (add a test that reaches it, or waive it: waive_max = "
                      '"why" in constant/problem.toml)', p.stdout)
        self.assertTrue(p.stderr.startswith("pset: 1 limit end is not reached by any test"),
                        p.stderr)
        self.assertFalse(os.path.exists(os.path.join(out, "constant", "tests")))
        # waived, with its reason: built, and the reason shown by build and verify
        project = harness.copy_project(os.path.join(self.tmp, "waived"), ["constant"])
        manifest = os.path.join(project, "constant", "problem.toml")
        with open(manifest) as fh:
            text = fh.read()
        line = next(x for x in text.splitlines() if x.startswith("T "))
        with open(manifest, "w") as fh:
            fh.write(text.replace(line, line.replace(
                "}", ', waive_max = "the judge stores at most 100 files" }')))
        pset_copy = os.path.join(project, "pset")
        p = pset("build", "--tests", "0", "--out", out, build=fake, pset_path=pset_copy)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("limit ends waived (no test needs to reach them):\n  constant: T = "
                      "100000 (upper end): the judge stores at most 100 files", p.stdout)
        p = pset("verify", *NOMEM, "--out", out, build=fake, pset_path=pset_copy)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("  waived: T = 100000 (upper end): the judge stores at most 100 files",
                      p.stdout)

    def test_limits_report_names_each_end_no_test_reaches(self):
        p = types.SimpleNamespace(limits={
            "n": Limit("n", 1, 100, "?"),
            "l": Limit("l", 0, 9.5, "?", min_excluded=True),
            "T": Limit("T", 0, 10, "?"),
            "w": Limit("w", 1, 50, "?", waive_min="no case needs it", waive_max="nor this")})
        for seen, gaps in (
                ({"n": (1, 100), "l": (0.5, 9.5), "T": (0, 10), "w": (3, 4)}, []),
                ({"n": (2, 100), "l": (0.5, 9.5), "T": (0, 10), "w": (1, 50)},
                 ["no test has n = 1"]),
                ({"n": (1, 99), "l": (0.5, 9), "T": (0, 10), "w": (2, 49)},
                 ["no test has n = 100", "no test has l = 9.5"]),
                ({"n": (1, 100), "l": (0.5, 9.5)}, ["no test has T", "no test has w"]),
        ):
            with self.subTest(seen=seen):
                self.assertEqual(limits.missing(p, seen), gaps)

    def test_build_stops_at_an_invalid_input_and_keeps_the_package(self):
        # a validator that refuses every file stands for an example that breaks the format
        fake = self.fake_build("validators", "constant_input_check",
                               "echo 'line 1, column 1: planted' >&2; exit 43")
        before = os.listdir(os.path.join(self.out, "constant", "tests"))
        p = self.pset("build", "--out", self.out, "constant", build=fake)
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
        p = self.pset("validate", "--out", self.out, "rounding", "constant")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertRegex(p.stdout, r"rounding: (\d+) of \1 inputs valid")
        self.assertRegex(p.stdout, r"constant: (\d+) of \1 inputs valid")
        p = pset("validate", "demolition", "rounding", "--", good)
        self.assertEqual(p.returncode, 2)
        self.assertIn("exactly one problem", p.stderr)

    def test_validate_mutate_finds_a_loose_validator(self):
        p = self.pset("validate", "--mutate", "--out", self.out, "rounding")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("0 broken copies accepted", p.stdout)
        # a validator that takes anything lets every broken copy through
        fake = self.fake_build("validators", "rounding_input_check", "cat >/dev/null; exit 42")
        p = self.pset("validate", "--mutate", "--out", self.out, "rounding", build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("the validator accepts a broken file", p.stdout)
        self.assertIn("CR LF line ends", p.stdout)

    def test_verify_as_expected_and_not(self):
        p = self.pset("verify", "--out", self.out, "constant", "rounding", *NOMEM)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("rounding: ", p.stdout)
        self.assertRegex(p.stdout, r"\n  rescan +time_limit_exceeded +A*T-*")
        self.assertRegex(p.stdout, r"\n  no_newline +wrong_answer +W\b")
        self.assertIn("verify: every submission as expected", p.stdout)
        # the reference itself gone wrong: an accepted submission that is rejected
        fake = self.fake_build("bin", "constant_answer", "echo 24")
        p = self.pset("verify", "--out", self.out, "constant", *NOMEM, build=fake)
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
        p = self.pset("verify", "--out", self.out, "constant", *NOMEM, build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertRegex(p.stdout, r"no_newline +wrong_answer +A+ +\d+ ms  ! not wrong answer")

    def test_time_limit_is_twice_the_slowest_up_to_half_seconds(self):
        for slowest, limit in ((0.0, 1.0), (0.2, 1.0), (0.5, 1.0), (0.51, 1.5), (0.75, 1.5),
                               (0.76, 2.0), (1.0, 2.0), (2.3, 5.0)):
            with self.subTest(slowest=slowest):
                self.assertEqual(timelimit.derive(slowest), limit)

    def test_time_limit_written_into_the_manifest(self):
        # a set of one small problem, read back through pset's reader
        root = os.path.join(self.tmp, "limit")
        folder = os.path.join(root, "toy")
        os.makedirs(os.path.join(folder, "examples"))
        for f in ("toy_solver.cpp", "toy_input_check.cpp", "examples/1.in"):
            open(os.path.join(folder, f), "w").close()
        with open(os.path.join(root, "problemset.toml"), "w") as fh:
            fh.write('name = "Toy set"\n')
        text = ('# a comment\ntitle = "X"\norder = 3\nsamples = ["1"]\n\n[programs]\n'
                'solver = "toy_solver"\ninput_check = "toy_input_check"\n'
                '[limits]\nT = { min = 0, max = 5, what = "cases" }\n')
        path = os.path.join(folder, "problem.toml")
        for before, after in ((text, 1.5), (None, 2.0)):
            if before is not None:
                with open(path, "w") as fh:
                    fh.write(before)
            timelimit.write_limit(path, after)
            p = problems.load(root).get("toy")
            self.assertEqual(p.time_limit, after)
            self.assertEqual((p.solver, p.input_check, p.order, p.samples),
                             ("toy_solver", "toy_input_check", 3, ["1"]))
            self.assertEqual(p.limits["T"].max, 5)
        with open(path) as fh:
            written = fh.read()
        self.assertEqual(written.count("time_limit"), 1)
        self.assertTrue(written.startswith("# a comment\n"), written)

if __name__ == "__main__":
    harness.main()
