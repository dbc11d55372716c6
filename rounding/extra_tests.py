"""Extra tests of Grade rounding: numbers of the greatest length (200006 characters), the
counts 0 and 2147483647, and many short cases, made the same way on every run. tests() returns
(name, input text) pairs in a fixed order."""

import random

L = 200006
M = 2147483647


def own_lines(text):
    """The file with each case's m and number on lines of their own, as the format has them."""
    head, *cases = text.split("\n")
    return "\n".join([head] + [c.replace(" ", "\n") for c in cases])


def tests():
    return [(name, own_lines(text)) for name, text in _tests()]


def _tests():
    rng = random.Random(14002)
    out = []
    # One chain of fours as long as it can be, and every step allowed: the answer is 1.
    out.append(("longest-chain", f"1\n{M} 0.{'4' * (L - 3)}5\n"))
    # The chain runs to the point and the carry runs through 100000 nines.
    out.append(("chain-and-carry", f"2\n200000 {'9' * 100000}.{'4' * (L - 100002)}5\n"
                                   f"100003 {'9' * 100000}.{'4' * (L - 100002)}5\n"))
    # An integer part of 200004 digits: nines to carry through, then random digits.
    digits = "".join(rng.choice("0123456789") for _ in range(L - 3))
    out.append(("longest-integer", f"2\n1 {'9' * (L - 2)}.5\n1 1{digits}.7\n"))
    # m = 0 on the longest number: only the trailing zeros and no point go; and the longest
    # number without a point, written back as it is.
    frac = "".join(rng.choice("0123456789") for _ in range(L - 1002 - 3)) + "1" + "0" * 1000
    out.append(("longest-unrounded", f"2\n0 7.{frac}\n{M} {digits}990\n"))
    # The most cases a file holds, short numbers: chains, carries, trailing zeros, numbers
    # without a point after ones with a point, counts from 0 up.
    lines = []
    for _ in range(100000):
        ip = rng.choice(["0", "9", "99", "09", "19", "4", str(rng.randint(0, 99999))])
        frac = "".join(rng.choice("0123444444456789") for _ in range(rng.randint(0, 9)))
        kind = rng.randint(0, 9)
        if kind == 0:
            num = ip + rng.choice(["", "0", "5", "50"])
        elif kind == 1:
            num = ip + "." + frac + "0" * rng.randint(1, 3)
        else:
            num = ip + "." + frac
        m = rng.choice([0, 1, 2, 3, rng.randint(0, 12), M])
        lines.append(f"{m} {num}\n")
    out.append(("many-short", f"{len(lines)}\n" + "".join(lines)))
    out.append(("no-cases", "0\n"))  # the case count's lower end: nothing to answer
    return out
