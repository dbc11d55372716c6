"""pset stress on made cases: wrong submissions, including ones that fail only after an earlier
case (state left over), are found and their failing file is shrunk to at most two valid cases
that still fail the same way; the reproducer's files agree with the programs; its remake line
makes the input again from any folder, also from a checkout whose path holds a blank."""

import os
import random
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

import harness
from test_makers import MAKERS
from test_pset import BUILD, GUARD, PSET, files_of, pset, token_holders

SUBMISSIONS = os.path.join(BUILD, "submissions")
VALIDATORS = {"demolition": "demolition_input_check", "rounding": "rounding_input_check",
              "mirror": "mirror_input_check", "shuttle": "shuttle_input_check",
              "sudoku": "sudoku_input_check", "extrema": "extrema_input_check"}

# (problem, submission, the kind of failure the console names, solver); the seed is fixed and
# one worker takes the rounds in turn, so the run is the same every time.
WRONG = [
    ("demolition", "wrong_answer/stale_border", "answered differently", "demolish_solver"),
    ("demolition", "run_time_error/border_missing", "was killed by", "demolish_solver"),
    ("rounding", "wrong_answer/stale_point", "answered differently", "rounding_solver"),
    ("rounding", "wrong_answer/round_once", "answered differently", "rounding_solver"),
    ("mirror", "wrong_answer/stale_flag", "answered differently", "mirror_solver"),
    ("shuttle", "wrong_answer/single_precision", "float_judge", "shuttle_solver"),
    ("sudoku", "wrong_answer/zero_is_empty", "answered differently", "sudoku_validator"),
]
SEED = "1"


def validator(problem):
    return os.path.join(harness.VALIDATOR_DIR, VALIDATORS[problem])


class Stress(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="stress-test-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def reproducer(self, p):
        line = [l for l in p.stdout.splitlines() if "reproducer kept in" in l][0]
        folder = line.split("reproducer kept in ")[1].rsplit(": ", 1)[0]
        return files_of(folder)

    def remade(self, files, cwd):
        line = files["remake"].decode()
        self.assertTrue(line.endswith(" > input\n"), line)
        return subprocess.run(line[:-len(" > input\n")], shell=True, cwd=cwd,
                              capture_output=True, timeout=GUARD).stdout

    def test_wrong_submissions_are_found_and_shrunk_to_two_cases(self):
        for problem, sub, says, solver in WRONG:
            with self.subTest(submission=sub):
                prog = os.path.join(SUBMISSIONS, problem, sub)
                p = pset("stress", problem, "--seed", SEED, "--jobs", "1",
                         "--out", self.tmp, "--", prog)
                self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
                self.assertIn(says, p.stdout)
                files = self.reproducer(p)
                maker = MAKERS[problem]
                small = files["shrunk.in"]
                self.assertLessEqual(len(maker.split(small.decode())), 2, small)
                self.assertLess(len(small), len(files["input"]))
                # valid, answered by the reference as kept, and still failing the same way
                check = subprocess.run([validator(problem)], input=small, capture_output=True)
                self.assertEqual(check.returncode, 42, check.stderr)
                self.assertEqual(files["shrunk.expected"], harness.run(solver, small).stdout)
                got = subprocess.run([prog], input=small, capture_output=True)
                self.assertEqual(files["shrunk.got"], got.stdout)
                if "killed" in says:
                    self.assertLess(got.returncode, 0)
                else:
                    self.assertEqual(got.returncode, 0)
                    self.assertNotEqual(files["shrunk.got"], files["shrunk.expected"])
                # the console shows the shrunk input, line by line
                shown = p.stdout.split("shrunk input:\n", 1)[1].split("reproducer kept")[0]
                self.assertEqual(shown, "".join(f"  {l}\n" for l in small.decode().splitlines()))
                # the original input: the maker's file of the seed, made again from elsewhere
                self.assertEqual(files["seed"], SEED.encode() + b"\n")
                self.assertEqual(self.remade(files, self.tmp), files["input"])
                self.assertEqual(len(maker.split(files["input"].decode())), 1000)

    def test_state_left_over_needs_its_earlier_case(self):
        # stale_point fails only after an earlier case: its shrunk input keeps two, and the
        # second alone passes
        prog = os.path.join(SUBMISSIONS, "rounding", "wrong_answer", "stale_point")
        p = pset("stress", "rounding", "--seed", SEED, "--out", self.tmp, "--", prog)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        files = self.reproducer(p)
        maker = MAKERS["rounding"]
        cases = maker.split(files["shrunk.in"].decode())
        self.assertEqual(len(cases), 2)
        alone = maker.join(cases[1:]).encode()
        self.assertEqual(subprocess.run([prog], input=alone, capture_output=True).stdout,
                         harness.run("rounding_solver", alone).stdout)

    def test_remake_from_a_checkout_with_a_blank(self):
        # a copy of the tool and the problems under a path with a blank
        top = harness.copy_project(os.path.join(tempfile.mkdtemp(dir=self.tmp), "a b"))
        p = pset("stress", "trend", "--rounds", "1", "--seed", "5", "--max-size", "30", "--out",
                 os.path.join(top, "out"), "--", "sh", "-c", "echo wrong",
                 pset_path=os.path.join(top, "pset"))
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        files = self.reproducer(p)
        self.assertIn(b"'" + top.encode() + b"'", files["remake"])
        self.assertEqual(self.remade(files, "/"), files["input"])
        self.assertEqual(files["input"], MAKERS["trend"].make(random.Random(5), 1000, 30).encode())

    def test_a_signal_while_shrinking_stops_it_and_keeps_the_reproducer(self):
        slow = f"{shlex.quote(os.path.join(harness.BIN_DIR, 'trend_solver'))} | sed 1s/.*/x/; " \
            "sleep 0.5"
        tmpdir = tempfile.mkdtemp(dir=self.tmp)
        out = tempfile.mkdtemp(dir=self.tmp)
        proc = subprocess.Popen([sys.executable, PSET, "--build-dir", BUILD, "stress", "trend",
                                 "--seed", "3", "--jobs", "1", "--out", out, "--", "sh", "-c",
                                 slow],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                env=dict(os.environ, TMPDIR=tmpdir))
        first = proc.stdout.readline()
        self.assertTrue(first.startswith("mismatch under seed 3: "), first)
        proc.send_signal(signal.SIGINT)
        rest, _ = proc.communicate(timeout=GUARD)
        self.assertEqual(proc.returncode, 130, first + rest)
        self.assertRegex(rest, r"(?m)^pset: stopped by SIGINT while shrinking the failing input "
                         "of seed 3")
        self.assertNotIn("Traceback", rest)
        self.assertEqual(token_holders(proc.pid), [])
        self.assertEqual(os.listdir(tmpdir), [])
        kept = files_of(os.path.join(out, "stress", "trend-3"))
        self.assertEqual(kept["input"], MAKERS["trend"].make(random.Random(3), 1000, 8).encode())
        self.assertEqual(set(kept), {"input", "expected", "got", "got.stderr", "seed", "remake"})

    def test_remake_refuses_bad_arguments_in_one_line(self):
        for args, text in ((("nosuch", "1", "2", "3"), "no maker"),
                           (("trend", "x", "2", "3"), "whole numbers"),
                           (("trend", "1", "2"), "usage"),
                           (("trend", "1", "2", "0"), "MAX_SIZE 1 or more")):
            p = subprocess.run([sys.executable, "-m", "psetlib.remake", *args], cwd=harness.ROOT,
                               capture_output=True, text=True)
            self.assertEqual(p.returncode, 2, p.stderr)
            self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
            self.assertIn(text, p.stderr)
            self.assertEqual(p.stdout, "")


if __name__ == "__main__":
    harness.main()
