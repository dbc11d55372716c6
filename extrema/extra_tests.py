"""Local extrema: tests made by this maker, in a fixed order, the same on every run: the
longest sequences with values over the whole 32-bit range, many sequences of 0 to 3 small
values (negative ones included), and a file without cases."""

import random

LO, HI = -2147483648, 2147483647
NMAX = 107


def sequence(rng, n):
    kind = rng.randrange(4)
    if kind == 0:  # anywhere in the 32-bit range
        return [rng.randint(LO, HI) for _ in range(n)]
    if kind == 1:  # the extremes in turn, now and then twice the same
        return [rng.choice([LO, HI, HI - 1, LO + 1, 0, -1]) for _ in range(n)]
    if kind == 2:  # far apart values whose differences' product passes 32 bits
        return [rng.choice([-1, 1]) * rng.randint(46341, 1 << 30) for _ in range(n)]
    # a walk with flat stretches around -1 and 0
    v, out = rng.randint(-3, 3), []
    for _ in range(n):
        v += rng.choice([-1, 0, 0, 1])
        out.append(v)
    return out


def text(cases):
    return f"{len(cases)}\n" + "".join(" ".join(map(str, [len(c)] + c)) + "\n" for c in cases)


def tests():
    rng = random.Random(14)
    return [
        ("longest-cases", text([sequence(rng, NMAX) for _ in range(1600)])),
        ("many-short", text([[rng.randint(-3, 3) for _ in range(rng.randint(0, 3))]
                             for _ in range(100000)])),
        ("no-cases", "0\n"),
    ]
