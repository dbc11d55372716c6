"""Benchmark inputs for Ring count (see tools/bench.py): every case is one point, so the large
inputs are many points, the generator's integer points and long decimal ones."""

import random


def _points(decimal, count=500000):
    rng = random.Random(9)
    out = [str(count)]
    for _ in range(count):
        if decimal:
            out.append(f"{rng.uniform(-160, 160)!r} {rng.uniform(-40, 160)!r}")
        else:
            out.append(f"{rng.choice([-1, 1]) * rng.randint(1, 159)} "
                       f"{rng.choice([-1, 1, 1, 1, 1]) * rng.randint(1, 159)}")
    return "\n".join(out) + "\n"


def inputs():
    return [("ring_solver", "500000 integer points", _points(False)),
            ("ring_solver", "500000 decimal points", _points(True)),
            ("ring_cases", "generator (1 file)", None)]
