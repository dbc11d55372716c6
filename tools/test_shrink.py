"""The shrinker (psetlib/shrink.py): planted faults in files of 1000 made cases, a fault in one
case and one that needs an earlier case (state left over), shrink to at most two small cases
that fail the same way; the kind of failure, the validator and the budget are kept."""

import random
import shlex
import subprocess
import unittest

import harness
from test_makers import MAKERS

from psetlib import shrink


def fake_solver(maker, verdict):
    """A "solver" that goes wrong on some cases: fails(text) checks the cases of `text` in
    order, `verdict(case, earlier)` telling the kind of failure of one case given the cases
    before it (None: answered right). Counts its calls."""
    def fails(text):
        fails.calls += 1
        earlier = []
        for case in maker.split(text):
            kind = verdict(case, earlier)
            if kind:
                return kind
            earlier.append(case)
        return None
    fails.calls = 0
    return fails


def demolition_values(case):
    return list(map(int, case.split("\n")[1].split()))


def extrema_values(case):
    return list(map(int, case.split()))[1:]


def pair_mirror(word):
    blocks = [word[i:i + 2] for i in range(0, len(word), 2)]
    return blocks == blocks[::-1]


def faulty(kind, test):
    """verdict(case, earlier): `kind` where test(case, earlier) holds."""
    return lambda c, e: kind if test(c, e) else None


# (problem, what goes wrong, verdict(case, earlier cases)); each fault is in the made file.
FAULTS = [
    ("demolition", "two equal neighbours above 0", faulty("WA", lambda c, e: any(
        a == b > 0 for a, b in zip(demolition_values(c), demolition_values(c)[1:])))),
    ("demolition", "a zero after an earlier case of 6 or more positions (state left over)",
     faulty("WA", lambda c, e: 0 in demolition_values(c)
            and any(len(demolition_values(x)) >= 6 for x in e))),
    ("rounding", "a 9 before the point rounded into", faulty("WA", lambda c, e: "9." in c and int(
        c.split()[0]) > 0 and any(d in "56789" for d in c.split(".")[1]))),
    ("mirror", "a word shorter than one before it, which was a pair mirror (stale buffer)",
     faulty("WA", lambda c, e: len(c) >= 5 and any(
         len(x) > len(c) and pair_mirror(x.strip()) for x in e))),
    ("extrema", "a difference past 32 bits", faulty("RE", lambda c, e: any(
        abs(a - b) >= 2**31 for a, b in zip(extrema_values(c), extrema_values(c)[1:])))),
    ("sudoku", "a zero repeated in a row",
     faulty("WA", lambda c, e: any(r.split().count("0") >= 2 for r in c.split("\n")))),
    ("trend", "a value of 30 after an earlier single value",
     faulty("WA", lambda c, e: "30" in c.split() and any(x.startswith("1\n") for x in e))),
]


def made(problem, cases=1000, seed=11):
    return MAKERS[problem].make(random.Random(seed), cases, 8)


class Shrink(unittest.TestCase):
    def test_planted_faults_shrink_to_at_most_two_cases(self):
        for problem, what, verdict in FAULTS:
            maker = MAKERS[problem]
            text = made(problem)
            fails = fake_solver(maker, verdict)
            kind = fails(text)
            with self.subTest(problem=problem, fault=what):
                self.assertIsNotNone(kind, "the fault is not in the made file")
                small = shrink.shrink(maker, text, fails)
                cases = maker.split(small)
                self.assertLessEqual(len(cases), 2, small)
                self.assertEqual(fails(small), kind)
                self.assertLess(fails.calls, 1000, "too many checks")
                # Nothing more to take away: no variant of a case, nor a case less, fails too.
                for i, case in enumerate(cases):
                    for v in maker.shrink(case):
                        self.assertIsNone(fails(maker.join(cases[:i] + [v] + cases[i + 1:])), v)
                    if len(cases) > 1:
                        self.assertIsNone(fails(maker.join(cases[:i] + cases[i + 1:])))

    def test_a_fault_needing_an_earlier_case_keeps_it(self):
        verdict = FAULTS[1][2]
        maker = MAKERS["demolition"]
        small = shrink.shrink(maker, made("demolition"), fake_solver(maker, verdict))
        first, second = maker.split(small)
        self.assertEqual(len(demolition_values(first)), 6, small)
        self.assertEqual(second, "1\n0\n1\n")

    def test_the_kind_of_failure_is_kept(self):
        """The file fails first with a crash; a wrong answer in a smaller case is not taken."""
        maker = MAKERS["extrema"]
        text = made("extrema")

        def verdict(case, earlier):
            vals = list(map(int, case.split()))[1:]
            if -2**31 in vals and 2**31 - 1 in vals:
                return "RE"
            return "WA" if len(vals) == 1 and earlier else None

        cases = maker.split(text)
        first_re = next(i for i, c in enumerate(cases) if verdict(c, [None]) == "RE")
        text = maker.join([c for c in cases[first_re:]])  # begins with the crash
        small = shrink.shrink(maker, text, fake_solver(maker, verdict))
        self.assertEqual(fake_solver(maker, verdict)(small), "RE")
        self.assertEqual(small, "1\n2 -2147483648 2147483647\n")

    def test_the_validator_vets_candidates(self):
        """A validator that refuses values above 5 keeps every checked input within it."""
        maker = MAKERS["demolition"]
        verdict = FAULTS[0][2]
        text = maker.join([c for c in maker.split(made("demolition"))
                           if 1 < max(demolition_values(c)) <= 5])
        seen = []

        def valid(t):
            ok = all(max(demolition_values(c)) <= 5 and max(demolition_values(c)) > 1
                     for c in maker.split(t))
            return ok

        base = fake_solver(maker, verdict)

        def fails(t):
            seen.append(t)
            return base(t)

        small = shrink.shrink(maker, text, fails, valid=valid)
        self.assertTrue(valid(small))
        self.assertTrue(all(valid(t) for t in seen[1:]))
        self.assertEqual(small, "1\n3\n1 1 2\n1 2 3\n")

    def test_deterministic_and_bounded(self):
        maker = MAKERS["demolition"]
        verdict = FAULTS[1][2]
        text = made("demolition")
        a = shrink.shrink(maker, text, fake_solver(maker, verdict))
        self.assertEqual(shrink.shrink(maker, text, fake_solver(maker, verdict)), a)
        fails = fake_solver(maker, verdict)
        cut = shrink.shrink(maker, text, fails, max_calls=12)
        self.assertLessEqual(fails.calls, 12)
        self.assertEqual(fails(cut), "WA")
        fails = fake_solver(maker, verdict)
        self.assertEqual(fails(shrink.shrink(maker, text, fails, budget_s=0)), "WA")

    def test_inputs_that_cannot_shrink(self):
        maker = MAKERS["demolition"]
        text = made("demolition", 20)
        self.assertEqual(shrink.shrink(maker, text, lambda t: None), text)  # passes
        self.assertEqual(shrink.shrink(maker, "0\n", lambda t: "RE"), "0\n")
        self.assertEqual(shrink.shrink(MAKERS["constant"], "", lambda t: "WA"), "")
        odd = "1\n1\n5\n"  # not a demolition file: kept as it is
        self.assertEqual(shrink.shrink(maker, odd, lambda t: "WA"), odd)

    def test_a_real_command(self):
        """A command that spoils the answer 7 is shrunk, through real runs, to one case of a few
        positions whose answers hold a 7, and no variant of it fails."""
        maker = MAKERS["demolition"]
        solver = harness.program("demolish_solver")
        spoilt = ["sh", "-c", f"{shlex.quote(solver)} | sed 's/^7$/8/'"]

        def fails(text):
            want = subprocess.run([solver], input=text.encode(), capture_output=True).stdout
            got = subprocess.run(spoilt, input=text.encode(), capture_output=True).stdout
            return None if got == want else "WA"

        text = maker.join([c for c in maker.split(made("demolition"))])
        small = shrink.shrink(maker, text, fails, budget_s=60)
        self.assertEqual(fails(small), "WA")
        (case,) = maker.split(small)
        self.assertLessEqual(int(case.split()[0]), 4, small)
        self.assertFalse(any(fails(maker.join([v])) for v in maker.shrink(case)))
        answer = subprocess.run([solver], input=small.encode(), capture_output=True).stdout
        self.assertIn(b"7\n", answer)


if __name__ == "__main__":
    harness.main()
