"""Banner digits: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line: a string of 1..9 digits (leading zeros are digits like any other); its
length is often 1, 2, max_size - 1 or max_size (9 at most). max_size bounds its length.
"""

from psetlib.shrink import sublists, towards

MAX_LEN = 9


def _digits(rng, size):
    r = rng.random()  # the length: its ends and next to them often
    k = 1 if r < 0.2 else size if r < 0.4 else max(1, size - 1) if r < 0.5 else \
        min(2, size) if r < 0.55 else rng.randint(1, size)
    kind = rng.randrange(5)
    if kind == 0:  # one digit throughout
        return rng.choice("0123456789") * k
    if kind == 1:  # leading zeros
        zeros = rng.randint(1, k)
        return "0" * zeros + "".join(rng.choice("0123456789") for _ in range(k - zeros))
    return "".join(rng.choice("0123456789") for _ in range(k))


def make(rng, cases, max_size):
    size = max(1, min(max_size, MAX_LEN))
    return f"{cases}\n" + "".join(_digits(rng, size) + "\n" for _ in range(cases))


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a banner file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    word = case.strip()
    for keep in sublists(list(word), 1):
        yield "".join(keep) + "\n"
    for i, d in enumerate(word):
        for e in towards(int(d), 0):
            yield word[:i] + str(e) + word[i + 1:] + "\n"
