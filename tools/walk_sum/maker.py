"""Sum of two numbers: small random cases for stress runs (a case: one line "a b"), and how a
file splits into cases, joins back and shrinks."""

from psetlib.shrink import towards

LO, HI = -2000000000, 2000000000


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        a, b = (rng.choice((0, 1, -1, LO, HI)) if rng.random() < 0.3 else rng.randint(LO, HI)
                for _ in range(2))
        out.append(f"{a} {b}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or not lines[0].isdigit() or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a file of sums: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    a, b = map(int, case.split())
    for x in towards(a, 0):
        yield f"{x} {b}\n"
    for x in towards(b, 0):
        yield f"{a} {x}\n"
