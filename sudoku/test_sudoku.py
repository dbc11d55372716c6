"""Sudoku validation: the validator against a brute force on random grids, many to a file."""

import os
import random

import harness


def solved(rng):
    """A random solved grid: a pattern grid with its digits, bands, stacks, rows and columns
    shuffled."""
    def order():
        bands = rng.sample(range(3), 3)
        return [3 * b + r for b in bands for r in rng.sample(range(3), 3)]
    digits = rng.sample(range(1, 10), 9)
    rows, cols = order(), order()
    return [[digits[(r * 3 + r // 3 + c) % 9] for c in cols] for r in rows]


def brute(g):
    """Accepted when no row, column or box holds one value twice."""
    units = [[(r, c) for c in range(9)] for r in range(9)]
    units += [[(r, c) for r in range(9)] for c in range(9)]
    units += [[(3 * (b // 3) + i, 3 * (b % 3) + j) for i in range(3) for j in range(3)]
              for b in range(9)]
    for u in units:
        vals = [g[r][c] for r, c in u]
        if len(set(vals)) < 9:
            return "Wrong Answer"
    return "Accepted"


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


if __name__ == "__main__":
    harness.main()
