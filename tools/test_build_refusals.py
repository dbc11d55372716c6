"""pset build refuses what no judge's package may hold: a test whose answer is empty, and a
sample (an example named in `samples`) that does not fit a page, beyond 40 lines or 80
columns, in its input or its answer. Each refusal is status 1, names the test and the line,
and leaves the package as it was."""

import os
import shutil
import tempfile
import unittest

import harness
from harness import pset
from psetlib import samples


class Fit(unittest.TestCase):
    def test_a_sample_fits_up_to_40_lines_of_80_columns(self):
        rows = [
            (b"", None),
            (b"x" * 80 + b"\n", None),
            (b"x" * 80, None),                       # no final line end: still one line
            (b"1\n" * 40, None),
            (b"1\n" * 39 + b"1", None),
            (b"x" * 81 + b"\n", "line 1 has 81 columns"),
            (b"1\n2\n" + b"y" * 100 + b"\n", "line 3 has 100 columns"),
            (b"1\n" * 41, "line 41 is one too many (41 lines)"),
            (b"1\n" * 40 + b"1", "line 41 is one too many (41 lines)"),
            (b"\n" * 41, "line 41 is one too many (41 lines)"),
            (b"1\n" * 50 + b"z" * 90 + b"\n", "line 51 has 90 columns"),  # the width first
        ]
        for data, why in rows:
            with self.subTest(data=data[:20], lines=data.count(b"\n")):
                self.assertEqual(samples.misfit(data), why)


class Refusals(unittest.TestCase):
    """A copy of the project holding Grade rounding, its examples alone (its sample is the
    real one): its reference solver replaced by a script, or an example added that does not
    fit, once a secret test and once a sample."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-build-refusals-")
        cls.root = harness.copy_project(os.path.join(cls.tmp, "root"), ["rounding"])
        os.remove(os.path.join(cls.root, "rounding", "extra_tests.py"))
        harness.waive_limits(os.path.join(cls.root, "rounding", "problem.toml"))
        cls.out = os.path.join(cls.tmp, "out")
        cls.built = cls.pset("build", "--tests", "0", "--out", cls.out)

    @classmethod
    def pset(cls, *args, root=None, build=None):
        return pset(*args, build=build, pset_path=os.path.join(root or cls.root, "pset"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.built.returncode, 0, self.built.stdout + self.built.stderr)

    def assertRefused(self, p, text, out):
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn(text, p.stderr)
        self.assertNotIn("Traceback", p.stderr)
        # the package built before stays as it was
        with open(os.path.join(out, "rounding", "tests", "manifest")) as fh:
            self.assertIn("example rounding/examples/01-worked.in", fh.read())

    def test_an_empty_answer_or_a_sample_answer_that_does_not_fit_is_refused(self):
        rows = [
            ("cat >/dev/null",
             "test 01 of rounding (example rounding/examples/01-worked.in) has an empty answer"),
            ("cat >/dev/null; seq 41",
             "sample rounding/examples/01-worked.in of rounding (test 01) does not fit: its "
             "answer: line 41 is one too many (41 lines)"),
            ("cat >/dev/null; printf '%081d\\n' 7",
             "sample rounding/examples/01-worked.in of rounding (test 01) does not fit: its "
             "answer: line 1 has 81 columns"),
        ]
        for script, text in rows:
            with self.subTest(script):
                fake = harness.fake_build(self.tmp, "bin", "rounding_solver", script)
                p = self.pset("build", "--tests", "0", "--out", self.out, build=fake)
                self.assertRefused(p, text, self.out)

    def test_an_answer_that_fits_is_taken(self):
        # 40 lines of 80 columns on the sample, one line on the other tests
        fake = harness.fake_build(
            self.tmp, "bin", "rounding_solver",
            'if grep -q 3.14159; then for i in $(seq 40); do printf "%080d\\n" $i; done; '
            'else echo 1; fi')
        p = self.pset("build", "--tests", "0", "--out", os.path.join(self.tmp, "fits"),
                      build=fake)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)

    def test_a_sample_input_that_does_not_fit_is_refused_and_a_secret_one_is_taken(self):
        # the same inputs, valid for the problem, once as samples (refused) and once not
        wide = "1\n0\n" + "1" * 81 + "\n"
        long = "20\n" + "0\n1.5\n" * 20
        rows = [("09-wide", wide, "its input: line 3 has 81 columns"),
                ("09-long", long, "its input: line 41 is one too many (41 lines)")]
        for stem, text, why in rows:
            with self.subTest(stem):
                root = os.path.join(self.tmp, stem)
                shutil.copytree(self.root, root)
                with open(os.path.join(root, "rounding", "examples", stem + ".in"), "w") as fh:
                    fh.write(text)
                out = os.path.join(self.tmp, stem + "-out")
                shutil.copytree(self.out, out)
                p = self.pset("build", "--tests", "0", "--out", out, root=root)
                self.assertEqual(p.returncode, 0, p.stdout + p.stderr)  # a secret test
                manifest = os.path.join(root, "rounding", "problem.toml")
                with open(manifest) as fh:
                    conf = fh.read()
                self.assertIn('samples = ["01-worked"]', conf)
                with open(manifest, "w") as fh:
                    fh.write(conf.replace('samples = ["01-worked"]',
                                          f'samples = ["01-worked", "{stem}"]', 1))
                p = self.pset("build", "--tests", "0", "--out", out, root=root)
                self.assertRefused(p, f"sample rounding/examples/{stem}.in of rounding", out)
                self.assertIn(why, p.stderr)


if __name__ == "__main__":
    harness.main()
