"""Benchmark inputs for Sudoku validation (see tools/bench.py). Every grid has the same size,
so the large input is many grids: solved ones (all three passes run to the end) and grids
that fail in their first row (the row and column passes stop at once)."""

import random


def _grids(bad, count=20000):
    rng = random.Random(3)
    out = [str(count)]
    for _ in range(count):
        d = rng.sample(range(1, 10), 9)
        rows = [[d[(r * 3 + r // 3 + c) % 9] for c in range(9)] for r in range(9)]
        if bad:
            rows[0][1] = rows[0][0]
        out += [" ".join(map(str, row)) for row in rows]
    return "\n".join(out) + "\n"


def inputs():
    return [("sudoku_validator", "20000 solved grids", _grids(False)),
            ("sudoku_validator", "20000 grids failing in row 1", _grids(True))]
