"""Local extrema: the solver against a brute force on random sequences, and the generator's
layout, ranges and draw order under pinned clocks, its files answered by the solver; stress on
the maker's cases finds a submission that fails only at the 32-bit extremes."""

import os
import random
import tempfile

import harness
from test_pset import BUILD, pset

CLOCKS = harness.CLOCKS


def brute(seq):
    """Inner positions with both neighbours strictly below, or both strictly above."""
    return sum(1 for x, y, z in zip(seq, seq[1:], seq[2:]) if (y > x and y > z) or (y < x and y < z))


def model_cases(clock):
    """What extrema_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out = ["100"]
    for _ in range(100):
        if rand() % 3:
            n = rand() % 51 + 50
        else:
            n = rand() % 10 + 1
        cur = rand() % 26 + 25
        vals = [n, cur]
        for _ in range(n - 1):
            step = rand() % 51 + cur - 25
            while not 0 <= step <= 100:
                step = rand() % 51 + cur - 25
            cur = step
            vals.append(cur)
        out.append(" ".join(map(str, vals)))
    return ("\n".join(out) + "\n").encode()


def parse_cases(text):
    """The sequences of a generated file, after checking its line layout."""
    lines = text.decode().split("\n")
    assert lines.pop() == "", "the file ends with a line end"
    assert lines[0] == "100", lines[0]
    seqs = []
    for line in lines[1:]:
        nums = line.split(" ")  # single blanks: no empty item, no leading or trailing blank
        assert "" not in nums, repr(line)
        assert all(x == str(int(x)) for x in nums), repr(line)
        n, *seq = map(int, nums)
        assert len(seq) == n, repr(line)
        seqs.append(seq)
    return seqs


class Extrema(harness.ProgramTest):
    def test_solver_against_brute_force(self):
        rng = random.Random(20261210)
        for f in range(20):
            seqs = []
            for _ in range(rng.randint(1, 40)):
                n = rng.choice([rng.randint(0, 8), rng.randint(0, 107)])
                lo, hi = rng.choice([(0, 1), (0, 2), (-3, 3), (0, 100), (-2**31, 2**31 - 1)])
                seqs.append([rng.randint(lo, hi) for _ in range(n)])
            text = f"{len(seqs)}\n" + "".join(
                f"{len(s)}" + "".join(f" {v}" for v in s) + "\n" for s in seqs)
            p = harness.run("extrema_solver", text)
            self.assertClean(p, f"file {f}")
            self.assertEqual(p.stdout.decode(), "".join(f"{brute(s)}\n" for s in seqs),
                             f"file {f}:\n{text}")

    def test_generated_files_layout_and_ranges(self):
        for clock in harness.SWEEP:
            text = harness.generated("extrema_cases", clock)
            try:
                seqs = parse_cases(text)
            except AssertionError as exc:
                self.fail(f"clock {clock}: {exc}")
            self.assertEqual(len(seqs), 100, f"clock {clock}")
            for c, seq in enumerate(seqs, 1):
                where = f"clock {clock}, case {c}"
                self.assertTrue(1 <= len(seq) <= 10 or 50 <= len(seq) <= 100, where)
                self.assertTrue(25 <= seq[0] <= 50, where)
                self.assertTrue(all(0 <= v <= 100 for v in seq), where)
                self.assertTrue(all(abs(x - y) <= 25 for x, y in zip(seq, seq[1:])), where)

    def test_generator_draw_order(self):
        self.assertMatchesModel("extrema_cases", model_cases, CLOCKS[:11])

    def test_generator_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("extrema_cases", CLOCKS[1:7])

    def test_solver_answers_generated_files(self):
        for clock in CLOCKS[::3]:
            text = harness.generated("extrema_cases", clock)
            p = harness.run("extrema_solver", text)
            self.assertClean(p, f"clock {clock}")
            want = "".join(f"{brute(s)}\n" for s in parse_cases(text))
            self.assertEqual(p.stdout.decode(), want, f"clock {clock}")

    def test_stress_finds_an_overflow_at_the_extremes(self):
        """The maker draws values at and next to the 32-bit ends, so the differences taken in
        32 bits overflow in the first round."""
        sub = os.path.join(BUILD, "submissions", "extrema", "wrong_answer", "difference_sign")
        with tempfile.TemporaryDirectory() as tmp:
            p = pset("stress", "extrema", "--seed", "1", "--rounds", "3", "--jobs", "1",
                     "--shrink-seconds", "2", "--out", tmp, "--", sub)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertRegex(p.stdout, r"difference_sign'? answered differently")


if __name__ == "__main__":
    harness.main()
