"""Trend: small random cases for stress runs, and how a file splits into cases, joins back and
shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is two lines: n (1..201), then n values of the cycle 1, 2, ..., 30, 29, ..., 1, 2, ...
in a row (consecutive values differ by one and turn only at 1 and 30). max_size bounds n.
"""

from psetlib.shrink import towards

MAX_N = 201


def _at(p):
    """The cycle's value at step p: 1 at step 0, 30 at step 29, 2 at step 57."""
    p %= 58
    return 1 + p if p <= 29 else 59 - p


def _ok(vals):
    if not 1 <= len(vals) <= MAX_N or not all(1 <= v <= 30 for v in vals):
        return False
    steps = [b - a for a, b in zip(vals, vals[1:])]
    if any(abs(s) != 1 for s in steps):
        return False
    return all(s == t or v in (1, 30) for s, t, v in zip(steps, steps[1:], vals[1:]))


def _case(vals):
    return f"{len(vals)}\n{' '.join(map(str, vals))}\n"


def make(rng, cases, max_size):
    top = max(1, min(max_size, MAX_N))
    out = [f"{cases}\n"]
    for _ in range(cases):
        r = rng.random()  # n: 1, 2 and the largest often, else spread on a log scale
        n = 1 if r < 0.2 else min(2, top) if r < 0.3 else top if r < 0.4 else \
            round(top ** rng.random())
        kind = rng.randrange(4)
        if kind == 0:  # ends at 1 or at 30
            last = rng.choice((0, 29, 58))
        elif kind == 1:  # ends just after a turn
            last = rng.choice((1, 30))
        else:
            last = rng.randrange(58)
        if rng.random() < 0.5:  # a window read backwards is a window too
            vals = [_at(last + n - 1 - i) for i in range(n)]
        else:
            vals = [_at(last - n + 1 + i) for i in range(n)]
        out.append(_case(vals))
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or (len(lines) - 2) % 2 or int(lines[0]) != (len(lines) - 2) // 2:
        raise ValueError("not a trend file: the count and the lines disagree")
    return [lines[i] + "\n" + lines[i + 1] + "\n" for i in range(1, len(lines) - 1, 2)]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    vals = list(map(int, case.split()[1:]))
    n = len(vals)
    cands = [vals[-1:], vals[:1]]
    size = n // 2
    while size >= 1:  # shorter windows: the last values, the first ones
        cands += [vals[size:], vals[:-size]]
        size //= 2
    cands.append([v - 1 for v in vals])  # the window moved down the cycle
    if n == 1:
        cands += [[w] for w in towards(vals[0], 1)]
    seen = set()
    for c in cands:
        if c and len(c) <= n and c != vals and _ok(c) and tuple(c) not in seen:
            seen.add(tuple(c))
            yield _case(c)
