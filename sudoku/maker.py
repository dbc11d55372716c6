"""Sudoku validation: small random cases for stress runs, and how a file splits into cases,
joins back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is a grid: nine lines of nine values 0..9. max_size has no effect (every grid has 81
values). Besides solved grids, grids with one fault and grids of any values, it draws the
boundaries of the rule: two zeros that share one row, column or box alone (often the first or
the last), so that this unit is the only one to fail, and zeros in place of one digit that
repeat nowhere (accepted).
"""

from psetlib.shrink import towards


def _solved(rng):
    """A solved grid: the standard pattern with its digits, rows within bands, bands, columns
    within stacks and stacks shuffled, sometimes transposed."""
    digits = list(range(1, 10))
    rng.shuffle(digits)
    bands = rng.sample(range(3), 3)
    rows = [3 * b + r for b in bands for r in rng.sample(range(3), 3)]
    stacks = rng.sample(range(3), 3)
    cols = [3 * s + c for s in stacks for c in rng.sample(range(3), 3)]
    grid = [[digits[(3 * (r % 3) + r // 3 + c) % 9] for c in cols] for r in rows]
    if rng.random() < 0.5:
        grid = [list(row) for row in zip(*grid)]
    return grid


def _lone_pair(rng, kind, k):
    """Two cells of unit k (0 a row, 1 a column, 2 a box) that share no other unit."""
    a, b = rng.sample(range(3), 2)  # different thirds
    i, j = rng.randrange(3), rng.randrange(3)
    if kind == 0:
        return (k, 3 * a + i), (k, 3 * b + j)
    if kind == 1:
        return (3 * a + i, k), (3 * b + j, k)
    r0, c0 = k // 3 * 3, k % 3 * 3
    return (r0 + a, c0 + i), (r0 + b, c0 + (i + 1 + j % 2) % 3)


def _grid(rng):
    kind = rng.randrange(10)
    if kind == 0:  # every row 1..9: rows pass, the first column fails
        return [list(range(1, 10)) for _ in range(9)]
    if kind == 1:  # rows shifted by one: rows and columns pass, boxes fail
        return [[(r + c) % 9 + 1 for c in range(9)] for r in range(9)]
    if kind == 2:
        v = rng.randint(0, 9)
        return [[v] * 9 for _ in range(9)]
    if kind == 3:
        return [[rng.randint(0, 9) for _ in range(9)] for _ in range(9)]
    grid = _solved(rng)
    if kind == 4:  # two cells of a row swapped: the row passes, two columns fail
        r = rng.randrange(9)
        a, b = rng.sample(range(9), 2)
        grid[r][a], grid[r][b] = grid[r][b], grid[r][a]
    elif kind == 5:  # zeros: one repeats nowhere, two may meet
        for _ in range(rng.randint(1, 2)):
            grid[rng.randrange(9)][rng.randrange(9)] = 0
    elif kind == 6:  # one cell changed
        grid[rng.randrange(9)][rng.randrange(9)] = rng.randint(0, 9)
    elif kind == 7:  # two zeros in one unit alone, the first or last one often
        k = rng.choice((0, 8, rng.randrange(9)))
        for r, c in _lone_pair(rng, rng.randrange(3), k):
            grid[r][c] = 0
    elif kind == 8:  # some cells of one digit set to 0: no unit holds two zeros
        d = rng.randint(1, 9)
        grid = [[0 if v == d and rng.random() < 0.7 else v for v in row] for row in grid]
    return grid


def _case(grid):
    return "".join(" ".join(map(str, row)) + "\n" for row in grid)


def make(rng, cases, max_size):
    return f"{cases}\n" + "".join(_case(_grid(rng)) for _ in range(cases))


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or (len(lines) - 2) % 9 or int(lines[0]) != (len(lines) - 2) // 9:
        raise ValueError("not a sudoku file: the count and the lines disagree")
    return ["".join(line + "\n" for line in lines[i:i + 9]) for i in range(1, len(lines) - 1, 9)]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    grid = [list(map(int, line.split())) for line in case.split("\n")[:9]]
    if any(map(any, grid)):
        yield _case([[0] * 9 for _ in range(9)])
    for r in range(9):  # a row of zeros
        if sum(map(bool, grid[r])) > 1:
            yield _case(grid[:r] + [[0] * 9] + grid[r + 1:])
    for c in range(9):  # a column of zeros
        if sum(bool(row[c]) for row in grid) > 1:
            yield _case([row[:c] + [0] + row[c + 1:] for row in grid])
    for v in range(9, 0, -1):  # every one of a value at once
        if sum(row.count(v) for row in grid) > 1:
            for w in towards(v, 0):
                yield _case([[w if x == v else x for x in row] for row in grid])
    for r in range(9):  # one value smaller
        for c in range(9):
            for w in towards(grid[r][c], 0):
                new = [row[:] for row in grid]
                new[r][c] = w
                yield _case(new)
