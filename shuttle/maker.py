"""Shuttle ride: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see the README, "Small random cases and shrinking").

A case is one line, "n l vw vs k": n and k whole numbers from 1; l, vw and vs positive reals in
plain decimal form (digits, and a point with at most two digits that do not end in 0), kept
small (l up to 1000, speeds up to 100) so that answers stay well inside the float tolerance.
max_size bounds n and k.
"""

from psetlib.shrink import towards


def _fmt(hundredths):
    whole, frac = divmod(hundredths, 100)
    frac = f"{frac:02d}".rstrip("0")
    return f"{whole}.{frac}" if frac else str(whole)


def _real(rng, top):
    """Hundredths of a positive real up to `top`: whole numbers half the time."""
    if rng.random() < 0.5:
        return rng.randint(1, top) * 100
    return rng.randint(1, top * 100)


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


def make(rng, cases, max_size):
    top = max(1, max_size)
    out = [f"{cases}\n"]
    for _ in range(cases):
        n, k = _counts(rng, top)
        vw, vs = _speeds(rng)
        length = _real(rng, rng.choice((1, 10, 1000)))
        out.append(f"{n} {_fmt(length)} {_fmt(vw)} {_fmt(vs)} {k}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a shuttle file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _smaller_reals(text):
    whole, _, frac = text.partition(".")
    cands = ["1"]
    if frac:
        cands.append(whole if whole != "0" else "1")
        cut = frac[:-1].rstrip("0")
        cands.append(f"{whole}.{cut}" if cut else whole)
    for w in towards(int(whole), 0):
        cands.append(f"{w}.{frac}" if frac else str(w))
    seen = set()
    for c in cands:
        if c != text and c not in seen and float(c) > 0:
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
