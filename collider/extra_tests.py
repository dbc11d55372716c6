"""Extra tests of Collider: the most particles a case may hold, up to the last even position,
the most cases a file may hold, and a file of no cases, made the same way on every run. tests()
returns (name, input text) pairs in a fixed order."""

import random

N = 200000
TOP = 2147483646  # the largest position: even, and within 32 bits


def case(rng, n, top):
    """n particles with random directions at non-decreasing even positions ending at top."""
    dirs = "".join(rng.choice("LR") for _ in range(n))
    pos = sorted(2 * rng.randint(0, top // 2) for _ in range(n - 1)) + [top]
    return f"{n}\n{dirs}\n{' '.join(map(str, pos))}\n"


def tests():
    rng = random.Random(15001)
    small = [case(rng, rng.randint(2, 12), 2 * rng.randint(1, 60)) for _ in range(10)]
    return [("largest", "1\n" + case(rng, N, TOP)),
            ("most-cases", "10\n" + "".join(small)),
            ("no-cases", "0\n")]
