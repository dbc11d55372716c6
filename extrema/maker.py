"""Local extrema: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line: n (0..107), then the n values, 32-bit signed integers. max_size bounds n.
"""

from psetlib.shrink import sublists, towards

MAX_N = 107
LO, HI = -2147483648, 2147483647


def _values(rng, n):
    kind = rng.randrange(7)
    if kind == 0:  # one value throughout: plateaus count never
        return [rng.choice((0, 5, LO, HI))] * n
    if kind == 1:  # few values: equal neighbours everywhere
        return [rng.randint(0, 2) for _ in range(n)]
    if kind == 2:  # zigzag: every inner position counts
        a, b = sorted(rng.sample((LO, -1, 0, 1, 2, HI), 2))
        return [(a, b)[i % 2] for i in range(n)]
    if kind == 3:  # the edges of 32 bits, where a difference overflows
        return [rng.choice((LO, LO + 1, -1, 0, 1, HI - 1, HI)) for _ in range(n)]
    if kind == 4:  # the generator's bounded walk
        vals = [rng.randint(25, 50)]
        while len(vals) < n:
            vals.append(min(100, max(0, vals[-1] + rng.randint(-25, 25))))
        return vals[:n]
    return [rng.randint(-9, 9) for _ in range(n)]


def make(rng, cases, max_size):
    top = max(0, min(max_size, MAX_N))
    out = [f"{cases}\n"]
    for _ in range(cases):
        r = rng.random()
        n = min(top, 0 if r < 0.1 else 1 if r < 0.2 else 2 if r < 0.3 else 3 if r < 0.4
                else top if r < 0.5 else round(top ** rng.random()))
        out.append(" ".join(map(str, [n] + _values(rng, n))) + "\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not an extrema file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    vals = list(map(int, case.split()))[1:]

    def line(vs):
        return " ".join(map(str, [len(vs)] + vs)) + "\n"

    for keep in sublists(vals, 0):  # fewer values
        yield line(keep)
    if len(vals) > 1 and any(vals):
        yield line([0] * len(vals))
    for v in sorted(set(vals), key=abs, reverse=True):  # every one of a value at once
        if vals.count(v) > 1:
            for w in towards(v, 0):
                yield line([w if x == v else x for x in vals])
    for i, v in enumerate(vals):  # values nearer 0
        for w in towards(v, 0):
            yield line(vals[:i] + [w] + vals[i + 1:])
