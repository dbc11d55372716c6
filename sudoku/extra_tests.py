"""Extra tests of Sudoku validation, made the same way on every run. tests() returns (name,
input text) pairs in a fixed order.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/NAME.cpp):
- The rule cut short: no boxes (no_boxes), sums of 45 instead of distinct values (sums_only):
  the examples, "many".
- Value 0 at the edge of the range: 0 taken for an empty cell, so two zeros pass
  (zero_is_empty); a unit required to hold 1 to 9, so a lone 0 fails (full_mask): the sample,
  "edges", "many".
- The last row, column or box never checked, loops one short with indexes from 1
  (one_based): "one-grid", "edges", where two zeros in row 9, column 9 or box 9 share no other
  unit, so that unit alone fails.
- State carried between grids: the box table cleared once for all grids (stale_boxes): the
  sample, "many", "largest"; reading stopped at the first repeat, the rest of the grid read as
  the next one (stop_reading): the examples, "many".
- The largest grid count: "largest", 50000 grids (8.1 MB in, 650 KB out), most of them wrong
  (the longer verdict), their one fault anywhere. A fixed buffer sized below it (grids kept
  for later, verdicts kept for one write, one fixed read of 4 MB: wrong_answer/read_once)
  fails there.
- Not plausible here: a slower approach. A grid costs the same whatever is done with it; even
  synchronised streams and a flush after every verdict take about 0.4 s on "largest", so no
  time_limit_exceeded submission is kept.
"""

import random

GRIDS = 50000  # T's upper limit


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


def lone_pair(rng, kind, k):
    """Two cells of unit k (a row, a column or a box) that share no other unit."""
    a, b = rng.sample(range(3), 2)  # different thirds
    i, j = rng.randrange(3), rng.randrange(3)
    if kind == "row":
        return (k, 3 * a + i), (k, 3 * b + j)
    if kind == "column":
        return (3 * a + i, k), (3 * b + j, k)
    r0, c0 = k // 3 * 3, k % 3 * 3
    return (r0 + a, c0 + i), (r0 + b, c0 + (i + 1 + j % 2) % 3)


def zeros_in_one_unit(rng, kind, k):
    """A solved grid with two zeros in unit k alone: that unit is the only one that fails."""
    g = _solved(rng)
    for r, c in lone_pair(rng, kind, k):
        g[r][c] = 0
    return g


def lone_zeros(rng):
    """A solved grid with some cells of one digit set to 0: no unit holds two zeros."""
    g = _solved(rng)
    d = rng.randint(1, 9)
    keep = rng.randint(0, 8)
    cells = [(r, c) for r in range(9) for c in range(9) if g[r][c] == d]
    for r, c in rng.sample(cells, 9 - keep):
        g[r][c] = 0
    return g


def _text(grids):
    return f"{len(grids)}\n" + "".join(" ".join(map(str, row)) + "\n" for g in grids for row in g)


def edges(rng):
    """Every row, column and box the only unit that fails (twice each), and grids whose zeros
    repeat nowhere (accepted)."""
    grids = []
    for kind in ("row", "column", "box"):
        for k in range(9):
            grids += [zeros_in_one_unit(rng, kind, k) for _ in range(2)]
    grids += [lone_zeros(rng) for _ in range(20)]
    rng.shuffle(grids)
    return grids


def largest(rng):
    """GRIDS grids as text, fast: solved grids relabelled by a random digit permutation, four
    in five then spoilt once (a swap in a row or a column, a changed cell, two zeros in one
    unit alone), the rest solved, some with zeros that repeat nowhere."""
    bases = [_text([_solved(rng)])[2:] for _ in range(64)]  # nine lines, the count cut off
    at = lambda r, c: 18 * r + 2 * c  # noqa: E731 (where cell r, c stands in a grid's text)
    out = [f"{GRIDS}\n"]
    for i in range(GRIDS):
        perm = rng.sample("123456789", 9)
        g = list(rng.choice(bases).translate(str.maketrans("123456789", "".join(perm))))
        kind = rng.randrange(10)
        r, c, r2, c2 = (rng.randrange(9) for _ in range(4))
        if kind < 2:  # a swap inside a row: the row passes, two columns fail
            c2 = (c + 1 + c2 % 8) % 9
            g[at(r, c)], g[at(r, c2)] = g[at(r, c2)], g[at(r, c)]
        elif kind < 4:  # a swap inside a column
            r2 = (r + 1 + r2 % 8) % 9
            g[at(r, c)], g[at(r2, c)] = g[at(r2, c)], g[at(r, c)]
        elif kind < 6:  # one cell changed to another digit
            g[at(r, c)] = perm[(perm.index(g[at(r, c)]) + 1 + r2 % 8) % 9]
        elif kind < 8:  # two zeros that share one unit only
            for x, y in lone_pair(rng, ("row", "column", "box")[r2 % 3], r):
                g[at(x, y)] = "0"
        elif kind == 8:  # accepted, with zeros in place of one digit
            d = g[at(r, c)]
            g = ["0" if ch == d and rng.random() < 0.5 else ch for ch in g]
        out.append("".join(g))
    return "".join(out)


def tests():
    rng = random.Random(14005)
    lines = []
    count = 10000
    for _ in range(count):
        g = _solved(rng)
        if rng.randint(0, 2):
            _fault(rng, g)
        lines += [" ".join(map(str, row)) for row in g]
    return [
        ("one-grid", _text([zeros_in_one_unit(rng, "box", 8)])),  # T = 1: box 9 alone fails
        ("edges", _text(edges(rng))),
        ("many", f"{count}\n" + "\n".join(lines) + "\n"),
        ("largest", largest(rng)),
    ]
