"""Benchmark inputs for Segment demolition (see tools/bench.py)."""

import random


def _one_large():
    rng = random.Random(1)
    order = list(range(1, 100001))
    rng.shuffle(order)
    values = " ".join(str(rng.randint(0, 999999999)) for _ in range(100000))
    return f"1\n100000\n{values}\n{' '.join(map(str, order))}\n"


def _many_small():
    return "100000\n" + "1\n7\n1\n" * 100000


def inputs():
    big, small = _one_large(), _many_small()
    rows = []
    for prog in ("demolish_solver", "demolish_solver_dsu"):
        rows += [(prog, "1 case, n = 100000", big), (prog, "100000 cases, n = 1", small)]
    rows.append(("demolish_cases", "generator (1 file)", None))
    return rows
