"""Ratio product: tests made by this maker, in a fixed order, the same on every run: many
queries (each n from 1 to 1000 at least once, the rest at random, the extremes often), and a
file without queries."""

import random


def tests():
    rng = random.Random(14)
    qs = list(range(1, 1001))
    qs += [rng.choice([1, 1000, rng.randint(1, 1000)]) for _ in range(100000 - len(qs))]
    rng.shuffle(qs)
    return [
        ("many-queries", f"{len(qs)}\n" + "".join(f"{n}\n" for n in qs)),
        ("no-queries", "0\n"),
    ]
