"""Constant answer: the maker's files are valid and answered "25" once, whatever they hold,
and stress on them finds a submission that answers every number instead of the whole input."""

import os
import random
import tempfile

import harness
from psetlib.problems import load_script
from test_pset import BUILD, pset


class Constant(harness.ProgramTest):
    def test_made_files_are_valid_and_answered_once(self):
        maker = load_script(os.path.join(harness.ROOT, "constant", "maker.py"))
        ends = set()
        for seed in range(5):
            text = maker.make(random.Random(seed), 1000, 8)
            p = harness.run("constant_input_check", text)
            self.assertEqual(p.returncode, 42, f"seed {seed}: {p.stderr!r}")
            self.assertEqual(harness.run("constant_answer", text).stdout, b"25\n")
            ends.update(int(n) for n in maker.split(text) if int(n) in (1, 1000000000))
        self.assertEqual(ends, {1, 1000000000})

    def test_stress_finds_an_answer_per_number(self):
        sub = os.path.join(BUILD, "submissions", "constant", "wrong_answer", "per_number")
        with tempfile.TemporaryDirectory() as tmp:
            p = pset("stress", "constant", "--seed", "1", "--rounds", "3", "--jobs", "1",
                     "--shrink-seconds", "2", "--out", tmp, "--", sub)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertRegex(p.stdout, r"per_number'? answered differently")


if __name__ == "__main__":
    harness.main()
