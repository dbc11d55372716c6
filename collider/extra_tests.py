"""Extra tests of Collider, made the same way on every run: a file of the fewest particles, at
position 0; the most cases a file may hold, small; and the most particles a file may hold, in
the most cases, four of them as large as a case may be, at positions spread up to the largest,
2147483646, so that the largest input is the largest a file may be (12 MB). The problem has no
solver yet, so there are no wrong approaches to kill; these are the tests a solver will meet.
tests() returns (name, input text) pairs in a fixed order."""

import itertools
import random

N = 200000
SUM_N = 1000000
T_MAX = 10
TOP = 2147483646  # the largest position: even, and within 32 bits


def case(rng, n, top):
    """n particles with random directions at non-decreasing even positions ending at top."""
    dirs = "".join(rng.choice("LR") for _ in range(n))
    pos = sorted(2 * rng.randint(0, top // 2) for _ in range(n - 1)) + [top]
    return f"{n}\n{dirs}\n{' '.join(map(str, pos))}\n"


def spread(rng, n):
    """n particles with random directions at even positions, gaps of 0 to 21474, the last at
    TOP; drawn in bulk, so that a million of them take a fraction of a second."""
    dirs = "".join(rng.choices("LR", k=n))
    gaps = rng.choices(range(0, 21476, 2), k=n - 1)
    pos = [min(p, TOP) for p in itertools.accumulate(gaps)] + [TOP]
    return f"{n}\n{dirs}\n{' '.join(map(str, pos))}\n"


def tests():
    rng = random.Random(15001)
    small = [case(rng, rng.randint(2, 12), 2 * rng.randint(1, 60)) for _ in range(T_MAX)]
    sizes = [N] * 4 + [2, 39999, 40000, 40000, 40000, 39999]
    assert sum(sizes) == SUM_N and len(sizes) == T_MAX
    return [("fewest", "1\n2\nLR\n0 0\n"),
            ("most-cases", f"{T_MAX}\n" + "".join(small)),
            ("most-particles", f"{T_MAX}\n" + "".join(spread(rng, n) for n in sizes))]
