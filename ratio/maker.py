"""Ratio product: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line: a query n, 1..1000. max_size has no effect (every case is one number).
"""

from psetlib.shrink import towards

MAX_N = 1000


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        r = rng.random()
        if r < 0.3:
            n = rng.choice((1, 2, 3, 4, MAX_N - 1, MAX_N))
        elif r < 0.6:
            n = rng.randint(1, 20)
        else:
            n = rng.randint(1, MAX_N)
        out.append(f"{n}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a ratio file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    for w in towards(int(case), 1):
        yield f"{w}\n"
