"""Extra tests of Segment demolition: the largest cases the problem allows, made the same way
on every run. tests() returns (name, input text) pairs in a fixed order."""

import random

N = 100000
V = 999999999


def _case(values, order):
    return f"{len(values)}\n{' '.join(map(str, values))}\n{' '.join(map(str, order))}\n"


def tests():
    rng = random.Random(14001)
    out = []
    # Every value at its largest, destroyed left to right: the first answer is 99998999900001,
    # and the reverse pass revives right to left, one long chain of joins.
    out.append(("max-values", "1\n" + _case([V] * N, list(range(1, N + 1)))))
    # Destroyed n, 1, n-1, n-2, ..., 2: the revivals build one chain that the last joins whole;
    # a third of the values are 0, so runs of zeros join too.
    vals = [rng.choice([0, rng.randint(0, V)]) if i % 3 else 0 for i in range(N)]
    out.append(("max-chain", "1\n" + _case(vals, [N, 1] + list(range(N - 1, 1, -1)))))
    # A random order over random values, the largest n.
    vals = [rng.randint(0, V) for _ in range(N)]
    order = list(range(1, N + 1))
    rng.shuffle(order)
    out.append(("max-random", "1\n" + _case(vals, order)))
    # The most cases a file holds, small ones, lengths mixed so that a case often follows a
    # longer one; values small and often 0.
    parts = []
    for _ in range(100000):
        n = rng.choice([1, rng.randint(1, 6)])
        order = list(range(1, n + 1))
        rng.shuffle(order)
        parts.append(_case([rng.choice([0, 0, 1, 5, 9]) for _ in range(n)], order))
    out.append(("many-small", f"{len(parts)}\n" + "".join(parts)))
    out.append(("no-cases", "0\n"))  # the case count's lower end: nothing to answer
    return out
