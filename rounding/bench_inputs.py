"""Benchmark inputs for Grade rounding (see tools/bench.py).

The throughput column shows the cost linear in the input's size: one longest number, 16 of
them, and files of many short numbers of about the same sizes.
"""

import random

# 200006 characters: "0." and 200003 fours closed by a 5; count 100000 rounds 100000 times.
LONG = "0." + "4" * 200003 + "5"
# the same length, where the chain runs to the point and the carry through 100000 nines
NINES = "9" * 100000 + "." + "4" * 100004 + "5"


def _short(size):
    rng = random.Random(size)
    parts, total, cases = [], 0, 0
    while total < size:
        frac = "".join(rng.choice("0123444456789") for _ in range(rng.randint(1, 8)))
        line = f"{rng.randint(0, 10)} {rng.randint(0, 999)}.{frac}\n"
        parts.append(line)
        total += len(line)
        cases += 1
    return f"{cases}\n" + "".join(parts), cases


def inputs():
    rows = [
        ("rounding_solver", "no case (start-up cost)", "0\n"),
        ("rounding_solver", "1 case of 200006 chars, m = 100000", f"1\n100000 {LONG}\n"),
        ("rounding_solver", "1 case, chain and carry of 100000", f"1\n2147483647 {NINES}\n"),
    ]
    for k in (16, 64):
        rows.append(("rounding_solver", f"{k} cases of 200006 chars",
                     f"{k}\n" + f"100000 {LONG}\n" * k))
    for size in (200000, 3200000, 12800000):
        text, cases = _short(size)
        rows.append(("rounding_solver", f"{cases} short numbers", text))
    rows.append(("rounding_cases", "generator (1 file)", None))
    return rows
