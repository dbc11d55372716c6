"""Shuttle ride: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line, "n l vw vs k": n and k whole numbers from 1 to 10^9; l, vw and vs numbers
from 1 to 10^9 in canonical decimal form (digits, and a point with at most six digits, the last
not 0). Most cases are small (l up to 1000, speeds up to 100, n and k up to max_size); about one
in four is drawn at the limits instead: n and k at 1, 2, around 2^24 or 10^9; l at 1 or near
10^9; the walking speed at 1 or just above, the shuttle at the same speed, a millionth apart,
or up to 10^9 (so a float, a bisection with too few steps or a loop over 10^9 groups shows).
"""

from psetlib.shrink import towards

MAX = 1000000000
EDGE_COUNTS = (1, 2, 16777215, 16777216, 16777217, 16777219, MAX - 1, MAX)


def _fmt(units, places):
    """A canonical decimal of `units` / 10^places."""
    whole, frac = divmod(units, 10**places)
    frac = f"{frac:0{places}d}".rstrip("0") if places else ""
    return f"{whole}.{frac}" if frac else str(whole)


def _real(rng, top):
    """Hundredths of a number from 1 up to `top`: whole numbers half the time."""
    if rng.random() < 0.5:
        return rng.randint(1, top) * 100
    return rng.randint(100, top * 100)


def _speeds(rng):
    r = rng.randrange(6)
    vw = _real(rng, rng.choice((3, 100)))
    if r == 0:
        return vw, vw  # equal speeds: everybody walks
    if r == 1:  # the shuttle slower than walking
        vs = _real(rng, 3)
        return (vw, vs) if vs < vw else (vs, vw)
    if r == 2:  # a shuttle only just faster
        return vw, vw + 1
    vs = _real(rng, 100)
    return (vw, vs) if vw <= vs else (vs, vw)


def _counts(rng, top):
    r = rng.randrange(6)
    if r == 0:
        return 1, rng.randint(1, top)
    if r == 1:
        return rng.randint(1, top), 1
    if r == 2:  # n a multiple of k, or one more than a multiple
        k = rng.randint(1, top)
        n = k * rng.randint(1, max(1, top // k))
        return (n + 1 if n < top and rng.random() < 0.5 else n), k
    if r == 3:
        n = rng.randint(1, top)
        return n, n
    return rng.randint(1, top), rng.randint(1, top)


def _edge(rng):
    """A case at the limits, as text."""
    n = rng.choice(EDGE_COUNTS + (rng.randint(1, MAX),))
    k = rng.choice((1, 1, 2, n, rng.randint(1, n), MAX))
    l = rng.choice((10**6, MAX * 10**6, MAX * 10**6 - 1, rng.randint(10**6, MAX * 10**6)))
    vw = rng.choice((10**6, 10**6 + 1, rng.randint(10**6, 10 * 10**6)))
    vs = rng.choice((vw, vw + 1, max(10**6, vw - 1), MAX * 10**6, MAX * 10**6 - 1,
                     rng.randint(10**6, MAX * 10**6)))
    return f"{n} {_fmt(l, 6)} {_fmt(vw, 6)} {_fmt(vs, 6)} {k}\n"


def make(rng, cases, max_size):
    top = max(1, max_size)
    out = [f"{cases}\n"]
    for _ in range(cases):
        if rng.random() < 0.25:
            out.append(_edge(rng))
            continue
        n, k = _counts(rng, top)
        vw, vs = _speeds(rng)
        length = _real(rng, rng.choice((1, 10, 1000)))
        out.append(f"{n} {_fmt(length, 2)} {_fmt(vw, 2)} {_fmt(vs, 2)} {k}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a shuttle file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _smaller_reals(text):
    """Smaller numbers, still from 1: 1 itself, the whole part alone, one decimal fewer, the
    whole part moved towards 1."""
    whole, _, frac = text.partition(".")
    cands = ["1"]
    if frac:
        cands.append(whole)
        cut = frac[:-1].rstrip("0")
        cands.append(f"{whole}.{cut}" if cut else whole)
    for w in towards(int(whole), 1):
        cands.append(f"{w}.{frac}" if frac else str(w))
    seen = set()
    for c in cands:
        if c != text and c not in seen:
            seen.add(c)
            yield c


def shrink(case):
    items = case.split()
    for i in (0, 4):  # the counts towards 1
        for w in towards(int(items[i]), 1):
            yield " ".join(items[:i] + [str(w)] + items[i + 1:]) + "\n"
    for i in (1, 2, 3):
        for c in _smaller_reals(items[i]):
            yield " ".join(items[:i] + [c] + items[i + 1:]) + "\n"
