"""Extra tests of Shuttle ride: many cases over the whole range of the inputs (one seat and
more seats than walkers, equal speeds, walking faster, decimals), made the same way on every
run. tests() returns (name, input text) pairs in a fixed order."""

import random


def _real(rng, lo, hi):
    """A number from lo to hi in plain decimal form: an integer, or up to three decimals."""
    if rng.randint(0, 2):
        return str(rng.randint(lo, hi))
    return f"{rng.randint(lo, hi - 1)}.{rng.randint(1, 999):03d}".rstrip("0")


def tests():
    rng = random.Random(14006)
    cases = []
    for _ in range(20000):
        n = rng.choice([1, 10000, rng.randint(1, 100), rng.randint(1, 10000)])
        k = rng.choice([1, n, rng.randint(1, n), rng.randint(1, 10000)])
        kind = rng.randint(0, 9)
        l = _real(rng, 1, rng.choice([10, 1000, 1000000, 1000000000]))
        vw = _real(rng, 1, rng.choice([10, 1000, 1000000]))
        if kind == 0:
            vs = vw  # equal speeds: everybody walks
        elif kind == 1:
            vs = _real(rng, 1, max(2, int(float(vw))))  # the shuttle no faster than walking
        else:
            w = int(float(vw))
            vs = _real(rng, w + 1, min(1000000000, rng.choice([10, 10000, 1000000000]) + w))
        cases.append(f"{n} {l} {vw} {vs} {k}\n")
    # every value at its upper end, and a file of no cases (the case count's lower end)
    top = "1000000000 1000000000 1000000000 1000000000 1000000000\n"
    fast = "1000000000 1 1 1000000000 1000000000\n"
    return [("many", f"{len(cases)}\n" + "".join(cases)), ("largest-values", "2\n" + top + fast),
            ("no-cases", "0\n")]
