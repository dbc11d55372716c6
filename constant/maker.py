"""Constant answer: small random inputs for stress runs, and how a file splits into cases,
joins back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line: a number n, 1..1000000000, which the answer does not depend on. The maker
draws the ends of that range and their neighbours often, else numbers on a log scale. The
answer is one line for the whole file, "25", so a program that answers every number fails on
any file of two. max_size has no effect (every case is one number).
"""

from psetlib.shrink import towards

MAX_N = 1000000000


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        if rng.random() < 0.3:
            n = rng.choice((1, 2, 25, MAX_N - 1, MAX_N))
        else:
            n = max(1, round(MAX_N ** rng.random()))
        out.append(f"{n}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a constant file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    for w in towards(int(case), 1):
        yield f"{w}\n"
