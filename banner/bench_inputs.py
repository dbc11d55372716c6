"""Benchmark inputs for Banner digits (see tools/bench.py).

Every line end is flushed, so the output costs one write a line: the sizes stay modest.
"""

import random


def inputs():
    rng = random.Random(3)
    nine = "".join(f"{rng.randint(0, 999999999):09d}\n" for _ in range(10000))
    one = "".join(f"{rng.randint(0, 9)}\n" for _ in range(50000))
    return [
        ("banner_solver", "10000 cases of 9 digits", "10000\n" + nine),
        ("banner_solver", "50000 cases of 1 digit", "50000\n" + one),
        ("banner_cases", "generator (1 file)", None),
    ]
