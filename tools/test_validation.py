#!/usr/bin/env python3
"""psetlib.validator: the validator self-check and the protocol of check().

- Every mutation of every example and of every generated file (every generator, every pinned
  clock of the harness) is rejected by the problem's validator, which points at the place
  where the mutation broke the file. The sanitizer tree, where a validator's start alone costs
  some 50 ms, takes every fifth clock (harness.SWEEP): the files of the other clocks run the
  same code.
- check() reads the limits report of a valid file, the message of an invalid one, and takes
  any other outcome for the validator's failure.
"""

import glob
import os
import stat
import tempfile
import unittest

import harness

from psetlib import problems
from psetlib import validator


def valid_files():
    """(problem, validator path, what, data) for every example and generated file."""
    every = harness.SWEEP
    for p in sorted(problems.all_problems(), key=lambda p: p.name):
        problem = p.name
        check = harness.program(p.input_check)
        for ex in sorted(glob.glob(os.path.join(harness.ROOT, problem, "examples", "*.in"))):
            with open(ex, "rb") as fh:
                yield problem, check, os.path.relpath(ex, harness.ROOT), fh.read()
        gen = p.generator
        if gen:
            clocks = every if p.seeded else every[:1]
            for clock in clocks:
                yield problem, check, f"{gen} under clock {clock}", harness.generated(gen, clock)


class SelfCheck(unittest.TestCase):
    def test_every_mutation_is_rejected_where_it_breaks(self):
        walked = set()
        generated = 0
        seen = set()
        for problem, check, what, data in valid_files():
            ok, msg, limits = validator.check(check, data)
            self.assertTrue(ok, f"{what}: {msg}")
            walked.add(problem)
            generated += " under clock " in what
            for m in validator.mutations(data):
                desc, broken = m
                seen.add(desc.split(" on line")[0].split(" at the end")[0])
                self.assertNotEqual(broken, data, f"{what}: {desc}")
                ok, msg, _ = validator.check(check, broken)
                self.assertFalse(ok, f"{os.path.basename(check)} accepts {what} with {desc}")
                self.assertTrue(msg.startswith(f"line {m.line}, column {m.column}: "),
                                f"{what} with {desc}: {msg!r}, expected line {m.line}, "
                                f"column {m.column}")
        # every problem gave files (its examples at least: samples are required), and every
        # generator its file under each clock (one, when it does not seed)
        self.assertEqual(walked, set(problems.names()))
        clocks = len(harness.SWEEP)
        self.assertEqual(generated, sum(clocks if p.seeded else 1
                                        for p in problems.all_problems() if p.generator))
        harness.walked("validation", walked)
        # every kind of mutation was made somewhere (no valid file is empty: the empty file's
        # own mutation is checked apart, in Protocol)
        self.assertEqual(seen, {"a blank added", "CR LF line ends", "the last line removed",
                                "an extra token after the last line", "a doubled blank",
                                "the final line end removed", "a leading zero on the case count"})


def fake(folder, name, script):
    """An executable shell script standing in for a validator."""
    path = os.path.join(folder, name)
    with open(path, "w") as fh:
        fh.write("#!/bin/sh\n" + script + "\n")
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
    return path


class Protocol(unittest.TestCase):
    def test_a_real_validator(self):
        check = harness.program("demolition_input_check")
        ok, msg, limits = validator.check(check, b"2\n1\n7\n1\n2\n0 5\n2 1\n")
        self.assertEqual((ok, msg, limits),
                         (True, "", {"T": (2, 2), "n": (1, 2), "value": (0, 7), "sum_n": (3, 3)}))
        ok, msg, limits = validator.check(check, b"1\n1\n7 \n1\n")
        self.assertEqual((ok, msg, limits),
                         (False, "line 3, column 2: expected a line end, found a blank", {}))
        rings = harness.program("rings_input_check")
        self.assertEqual(validator.check(rings, b"1\n-1.5 2\n")[2],
                         {"T": (1, 1), "x": (-1.5, -1.5), "digits": (0, 1), "y": (2, 2),
                          "distance": (2, 2)})

    def test_outcomes_outside_the_protocol_are_the_validators_failure(self):
        with tempfile.TemporaryDirectory() as tmp:
            bad = {
                "status 0": "cat >/dev/null; exit 0",
                "status 1 with a message": "echo 'cannot read' >&2; exit 1",
                "a signal": "kill -9 $$",
                "43 without a message": "exit 43",
                "43 with two lines": "echo 'line 1, column 1: a' >&2; echo b >&2; exit 43",
                "43 with a message not saying where": "echo 'bad file' >&2; exit 43",
                "42 with a message": "echo 'line 1, column 1: hm' >&2; exit 42",
                "42 with a report of two items": "echo 'n 1'; exit 42",
                "42 with a report that is not numbers": "echo 'n one two'; exit 42",
            }
            for what, script in bad.items():
                with self.assertRaises(validator.ValidatorError, msg=what):
                    validator.check(fake(tmp, "v", script), b"1\n")
            with self.assertRaises(validator.ValidatorError, msg="a hang"):
                validator.check(fake(tmp, "slow", "sleep 5"), b"", timeout=0.5)
            with self.assertRaises(validator.ValidatorError, msg="not there"):
                validator.check(os.path.join(tmp, "absent"), b"")

    def test_mutations_of_the_empty_file(self):
        self.assertEqual([tuple(m) for m in validator.mutations(b"")],
                         [("an extra token in the empty file", b"0\n")])


if __name__ == "__main__":
    harness.main()
