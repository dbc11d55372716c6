"""Extra tests of Trend: many cases of every length from 1 to 201 values, starting anywhere in
the cycle, made the same way on every run. tests() returns (name, input text) pairs in a fixed
order."""

import random


def _run(start, d, n):
    c, out = start, []
    for _ in range(n):
        out.append(c)
        if c in (1, 30):
            d = -d
        c += d
    return out


def tests():
    rng = random.Random(14004)
    cases = []
    for _ in range(4000):
        n = rng.choice([1, 2, 3, 201, rng.randint(1, 201)])
        start = rng.randint(1, 30)
        # a direction that moves away from an end, as the cycle does
        d = -1 if start == 1 else 1 if start == 30 else rng.choice([1, -1])
        cases.append(f"{n}\n{' '.join(map(str, _run(start, d, n)))}\n")
    # and a file of no cases, the case count's lower end
    return [("many", f"{len(cases)}\n" + "".join(cases)), ("no-cases", "0\n")]
