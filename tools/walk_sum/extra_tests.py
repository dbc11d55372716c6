"""Sum of two numbers: one case, and the largest file with the sums that leave 32 bits."""

import random


def tests():
    rng = random.Random(2)
    pairs = [(2000000000, 2000000000), (-2000000000, -2000000000)]
    pairs += [(rng.randint(-2000000000, 2000000000), rng.randint(-2000000000, 2000000000))
              for _ in range(998)]
    return [("one-case", "1\n0 0\n"),
            ("largest", "1000\n" + "".join(f"{a} {b}\n" for a, b in pairs))]
