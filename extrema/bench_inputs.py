"""Benchmark inputs for Local extrema (see tools/bench.py)."""

import random


def _long_cases():
    rng = random.Random(1)
    cases = [" ".join(str(rng.randint(-10**9, 10**9)) for _ in range(107)) for _ in range(20000)]
    return "20000\n" + "".join(f"107 {c}\n" for c in cases)


def _short_cases(size):
    # cases of 3 values, about as many bytes in all as the long cases
    rng = random.Random(2)
    lines = []
    total = 0
    while total < size:
        line = "3 " + " ".join(str(rng.randint(-10**9, 10**9)) for _ in range(3)) + "\n"
        lines.append(line)
        total += len(line)
    return f"{len(lines)}\n" + "".join(lines)


def inputs():
    big = _long_cases()
    return [
        ("extrema_solver", "20000 cases, n = 107", big),
        ("extrema_solver", "cases of n = 3, same size", _short_cases(len(big))),
        ("extrema_cases", "generator (1 file)", None),
    ]
