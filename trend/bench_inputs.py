"""Benchmark inputs for Trend (see tools/bench.py)."""

import random


def _run(rng, n):
    c = rng.randint(1, 30)
    d = -1 if c == 1 else 1 if c == 30 else rng.choice([1, -1])
    out = []
    for _ in range(n):
        out.append(c)
        if c in (1, 30):
            d = -d
        c += d
    return " ".join(map(str, out))


def inputs():
    rng = random.Random(1)
    big = "10000\n" + "".join(f"201\n{_run(rng, 201)}\n" for _ in range(10000))
    t = len(big) // 4
    small = f"{t}\n" + "1\n7\n" * t
    return [
        ("trend_solver", "10000 cases, n = 201", big),
        ("trend_solver", "cases of n = 1, same size", small),
        ("trend_cases", "generator (1 file)", None),
    ]
