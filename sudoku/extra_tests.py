"""Extra tests of Sudoku validation: many grids, solved ones and ones with a single fault of
every kind (a swap inside a row, a column or a box, a changed cell, zeros), made the same way
on every run. tests() returns (name, input text) pairs in a fixed order."""

import random


def _solved(rng):
    """A random solved grid: the base pattern relabelled, bands, stacks, rows and columns
    shuffled within their groups."""
    d = rng.sample(range(1, 10), 9)
    rows = [b * 3 + r for b in rng.sample(range(3), 3) for r in rng.sample(range(3), 3)]
    cols = [s * 3 + c for s in rng.sample(range(3), 3) for c in rng.sample(range(3), 3)]
    return [[d[(r * 3 + r // 3 + c) % 9] for c in cols] for r in rows]


def _fault(rng, g):
    kind = rng.randint(0, 6)
    r, c = rng.randrange(9), rng.randrange(9)
    if kind == 0:  # swap two cells of one row
        c2 = rng.choice([x for x in range(9) if x != c])
        g[r][c], g[r][c2] = g[r][c2], g[r][c]
    elif kind == 1:  # swap two cells of one column
        r2 = rng.choice([x for x in range(9) if x != r])
        g[r][c], g[r2][c] = g[r2][c], g[r][c]
    elif kind == 2:  # one cell changed to another digit
        g[r][c] = rng.choice([x for x in range(1, 10) if x != g[r][c]])
    elif kind == 3:  # zeros that repeat nowhere (still accepted)
        for i in range(rng.randint(1, 9)):
            g[i][(c + 4 * i) % 9] = 0
    elif kind == 4:  # two zeros in one row
        c2 = rng.choice([x for x in range(9) if x != c])
        g[r][c] = g[r][c2] = 0
    elif kind == 5:  # two zeros in one column
        r2 = rng.choice([x for x in range(9) if x != r])
        g[r][c] = g[r2][c] = 0
    else:  # two zeros in one box, in different rows and columns
        br, bc = r // 3 * 3, c // 3 * 3
        r2 = br + (r - br + 1) % 3
        c2 = bc + (c - bc + 1) % 3
        g[r][c] = g[r2][c2] = 0


def tests():
    rng = random.Random(14005)
    lines = []
    count = 10000
    for _ in range(count):
        g = _solved(rng)
        if rng.randint(0, 2):
            _fault(rng, g)
        lines += [" ".join(map(str, row)) for row in g]
    # and a file of no grids, the case count's lower end
    return [("many", f"{count}\n" + "\n".join(lines) + "\n"), ("no-cases", "0\n")]
