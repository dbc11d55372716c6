"""A package proves itself: its manifest records every test file's size and SHA-256, and each
reader (judge, verify, validate, timelimit, export) stops with status 2 and one line when a
file differs from it, is missing, or is there unlisted; export then writes nothing. The digest
of a file is checked when the run first reads it, before the verdict of its test counts."""

import os
import shutil
import tempfile
import unittest

import harness
from harness import pset

# a small problem whose submissions are all told quickly (no time limit to wait out)
PROBLEM = "constant"
# a sanitized program cannot live in an address-space limit (its shadow memory is huge)
NOMEM = ["--memory-limit", "0"] if harness.SANITIZED else []


def flip(path):
    """Changes one byte of a file, keeping its size."""
    with open(path, "rb") as fh:
        data = bytearray(fh.read())
    data[0] ^= 1
    os.chmod(path, 0o644)
    with open(path, "wb") as fh:
        fh.write(data)


def truncate(path):
    os.chmod(path, 0o644)
    with open(path, "rb+") as fh:
        fh.truncate(os.path.getsize(path) - 1)


def extra(path):
    with open(path, "w") as fh:
        fh.write("1\n7\n")


# how a file is changed, the file, and how the message says it
TAMPERING = [
    (flip, "01.ans", "differs from its manifest"),
    (flip, "01.in", "differs from its manifest"),
    (truncate, "02.ans", "differs from its manifest"),
    (extra, "98.in", "is not in its manifest"),
    (os.unlink, "02.in", "is missing"),
]


class PackageProof(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-proof-")
        cls.good = os.path.join(cls.tmp, "good")
        cls.built = pset("build", "--tests", "0", "--out", cls.good, PROBLEM)
        cls.solver = os.path.join(harness.BIN_DIR, "constant_answer")
        cls.readers = {  # each reads the package given after it
            "judge": ["judge", PROBLEM, *NOMEM, "--out"],
            "verify": ["verify", PROBLEM, *NOMEM, "--out"],
            "validate": ["validate", PROBLEM, "--out"],
            "timelimit": ["timelimit", PROBLEM, *NOMEM, "--out"],
            "export": ["export", PROBLEM, "--out"],
        }

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.built.returncode, 0, self.built.stdout + self.built.stderr)

    def read(self, reader, out):
        command = ["--", self.solver] if reader == "judge" else []
        return pset(*self.readers[reader], out, *command)

    def copy(self):
        out = tempfile.mkdtemp(dir=self.tmp)
        shutil.copytree(self.good, out, dirs_exist_ok=True)
        return out

    def test_the_whole_package_is_read_by_every_reader(self):
        out = self.copy()
        for reader in self.readers:
            with self.subTest(reader=reader):
                p = self.read(reader, out)
                self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertTrue(os.path.isfile(os.path.join(out, "export", PROBLEM + ".zip")))

    def test_every_reader_stops_at_a_changed_package(self):
        for change, name, how in TAMPERING:
            for reader in self.readers:
                with self.subTest(change=change.__name__, file=name, reader=reader):
                    out = self.copy()
                    change(os.path.join(out, PROBLEM, "tests", name))
                    p = self.read(reader, out)
                    self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
                    self.assertEqual(p.stderr, f"pset: package changed: {out}/{PROBLEM}/tests/"
                                     f"{name} {how}: run pset build\n")
                    self.assertFalse(os.path.exists(os.path.join(out, "export")), reader)

    def test_a_judge_stops_before_the_verdict_of_a_changed_test(self):
        # the last answer that holds something changed: the tests before it are judged, it is
        # not, nor any after it
        out = self.copy()
        folder = os.path.join(out, PROBLEM, "tests")
        last = max(f[:-4] for f in os.listdir(folder)
                   if f.endswith(".ans") and os.path.getsize(os.path.join(folder, f)))
        self.assertGreater(int(last), 1)
        flip(os.path.join(folder, last + ".ans"))
        p = self.read("judge", out)
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        self.assertEqual(p.stderr, f"pset: package changed: {folder}/{last}.ans differs from "
                         "its manifest: run pset build\n")
        judged = [line.split()[0] for line in p.stdout.splitlines()[1:]]
        self.assertEqual(judged, [f"{k:02d}" for k in range(1, int(last))])
        self.assertTrue(all(line.split()[1] == "OK" for line in p.stdout.splitlines()[1:]))

    def test_build_replaces_a_package_of_read_only_files(self):
        # a problem with a generator: one more generated test shows the package replaced
        out = tempfile.mkdtemp(dir=self.tmp)
        p = pset("build", "--tests", "0", "--out", out, "banner")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        tests = os.path.join(out, "banner", "tests")
        modes = {f: os.stat(os.path.join(tests, f)).st_mode & 0o777 for f in os.listdir(tests)}
        self.assertEqual({m for f, m in modes.items() if f.endswith((".in", ".ans"))}, {0o444})
        p = pset("build", "--tests", "1", "--out", out, "banner")
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertEqual(len([f for f in os.listdir(tests) if f.endswith(".in")]),
                         len([f for f in modes if f.endswith(".in")]) + 1)


if __name__ == "__main__":
    harness.main()
