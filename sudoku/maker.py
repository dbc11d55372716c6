"""Sudoku validation: small random cases for stress runs, and how a file splits into cases,
joins back and shrinks (see the README, "Small random cases and shrinking").

A case is a grid: nine lines of nine values 0..9. max_size has no effect (every grid has 81
values).
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
