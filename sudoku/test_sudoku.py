"""Sudoku validation: the validator against a brute force on random grids, many to a file; the
edge grids of the extra tests fail in the one unit they are made for; pset stress finds a check
that never reaches the last row, column and box."""

import os
import random
import subprocess
import sys
import tempfile

import harness
from psetlib import problems

HERE = os.path.dirname(os.path.abspath(__file__))
EXTRA = problems.load_script(os.path.join(HERE, "extra_tests.py"))
BUILD = os.path.dirname(harness.BIN_DIR)


def solved(rng):
    """A random solved grid: a pattern grid with its digits, bands, stacks, rows and columns
    shuffled."""
    def order():
        bands = rng.sample(range(3), 3)
        return [3 * b + r for b in bands for r in rng.sample(range(3), 3)]
    digits = rng.sample(range(1, 10), 9)
    rows, cols = order(), order()
    return [[digits[(r * 3 + r // 3 + c) % 9] for c in cols] for r in rows]


UNITS = [[(r, c) for c in range(9)] for r in range(9)]
UNITS += [[(r, c) for r in range(9)] for c in range(9)]
UNITS += [[(3 * (b // 3) + i, 3 * (b % 3) + j) for i in range(3) for j in range(3)]
          for b in range(9)]


def failing(g):
    """The units (0-8 rows, 9-17 columns, 18-26 boxes) that hold a value twice."""
    return [k for k, u in enumerate(UNITS) if len({g[r][c] for r, c in u}) < 9]


def brute(g):
    """Accepted when no row, column or box holds one value twice."""
    return "Wrong Answer" if failing(g) else "Accepted"


class Sudoku(harness.ProgramTest):
    def test_random_grids_against_brute_force(self):
        rng = random.Random(20261210)
        grids = []
        for _ in range(3000):
            g = solved(rng)
            kind = rng.randrange(6)
            if kind == 1:  # two cells swapped anywhere
                (a, b), (c, d) = [divmod(rng.randrange(81), 9) for _ in range(2)]
                g[a][b], g[c][d] = g[c][d], g[a][b]
            elif kind == 2:  # a few zeros
                for _ in range(rng.randint(1, 3)):
                    r, c = divmod(rng.randrange(81), 9)
                    g[r][c] = 0
            elif kind == 3:  # one cell rewritten with any value
                r, c = divmod(rng.randrange(81), 9)
                g[r][c] = rng.randint(0, 9)
            elif kind == 4:  # a Latin square: rows and columns whole, boxes mostly not
                digits = rng.sample(range(1, 10), 9)
                rows, cols = rng.sample(range(9), 9), rng.sample(range(9), 9)
                g = [[digits[(r + c) % 9] for c in cols] for r in rows]
            elif kind == 5:  # anything at all
                g = [[rng.randint(0, 9) for _ in range(9)] for _ in range(9)]
            grids.append(g)
        want = [brute(g) for g in grids]
        # both verdicts must be well represented for the check to mean something
        self.assertGreater(want.count("Accepted"), 500)
        self.assertGreater(want.count("Wrong Answer"), 500)
        text = f"{len(grids)}\n" + "".join(
            "\n".join(" ".join(map(str, row)) for row in g) + "\n" for g in grids)
        p = harness.run("sudoku_validator", text)
        self.assertClean(p, "sudoku_validator")
        got = p.stdout.decode().split("\n")
        self.assertEqual(got[-1], "")
        self.assertEqual(len(got) - 1, len(grids))
        for i, (g, w, a) in enumerate(zip(grids, want, got)):
            self.assertEqual(a, w, f"grid {i + 1}: {g}")

    def test_edge_grids_fail_in_their_unit_alone(self):
        """Each grid of two zeros in one unit fails in that unit and no other, every unit
        twice over; the grids of lone zeros are accepted; the reference agrees."""
        rng = random.Random(11)
        kinds = ("row", "column", "box")
        for i, kind in enumerate(kinds):
            for k in range(9):
                for _ in range(5):
                    g = EXTRA.zeros_in_one_unit(rng, kind, k)
                    self.assertEqual(failing(g), [9 * i + k], (kind, k, g))
        for _ in range(30):
            self.assertEqual(failing(EXTRA.lone_zeros(rng)), [])
        grids = EXTRA.edges(rng)
        self.assertEqual(sorted(u for g in grids for u in failing(g)),
                         sorted(list(range(27)) * 2))
        p = harness.run("sudoku_validator", EXTRA._text(grids))
        self.assertClean(p, "sudoku_validator")
        self.assertEqual(p.stdout.decode().split("\n")[:-1], [brute(g) for g in grids])

    def test_stress_finds_the_last_units_unchecked(self):
        """pset stress on the maker's cases finds one_based, whose loops stop one short of
        row 9, column 9 and box 9: only a grid failing there alone shows it."""
        sub = os.path.join(BUILD, "submissions", "sudoku", "wrong_answer", "one_based")
        with tempfile.TemporaryDirectory() as tmp:
            p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"), "--build-dir",
                                BUILD, "stress", "sudoku", "--seed", "1", "--rounds", "2",
                                "--jobs", "1", "--shrink-seconds", "1", "--out", tmp, "--", sub],
                               capture_output=True, text=True, timeout=300)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn('expected "Wrong Answer", got "Accepted"', p.stdout)


if __name__ == "__main__":
    harness.main()
