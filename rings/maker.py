"""Ring count: small random cases for stress runs, and how a file splits into cases, joins back
and shrinks (see the README, "Small random cases and shrinking").

A case is one line, "x y": numbers in plain decimal form (no "-0", no trailing zero after a
point) of absolute value up to 159. Besides whole numbers and halves the maker writes points on
a ring's edge (to 17 digits, where the 1e-10 tolerance decides), near one (to 3..6 decimals,
where float precision fails) and just below the axis (|y| below or above 1e-10). A point whose
ring would change if its area moved by a relative 1e-14 is never made: its answer would hang on
the last bits of the arithmetic. max_size has no effect (every case is one point).
"""

import math
import re

from psetlib.shrink import towards

PI = 3.141592653589793
EPS = 1e-10
LIMIT = 159


def _ring(x, y, v):
    if y < -EPS:
        return 0
    k = int(v - EPS) + 1
    return k if k <= 730 else 731


def _fair(x, y):
    """True when the answer does not hang on the last bits: the same ring for the area moved
    by a relative 1e-14 (some 50 units in the last place) either way, and y not within 1e-15
    of -1e-10."""
    if abs(y + EPS) < 1e-15:
        return False
    v = (x * x + y * y) * PI / 100
    return _ring(x, y, v * (1 - 1e-14)) == _ring(x, y, v) == _ring(x, y, v * (1 + 1e-14))


def _text(v, digits=17):
    """Plain decimal form: no exponent, no trailing zero after the point, no "-0"."""
    if v == int(v):
        return str(int(v))
    text = f"{v:.{digits}f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def _edge(rng):
    """A point on the edge of ring i or near it, both coordinates within the limit."""
    i = rng.randint(1, 731)
    r = math.sqrt(100 * i / PI)
    y = rng.choice((0, 0, rng.randint(0, 20)))
    x = math.sqrt(max(0.0, r * r - y * y))
    digits = rng.choice((17, 3, 4, 5, 6))
    x = round(x, digits) if digits < 17 else x
    if rng.random() < 0.3:
        x, y = y, x
    if rng.random() < 0.5:
        x = -x
    return float(_text(x, digits)), float(_text(y, digits)), digits


def _coord(rng):
    r = rng.randrange(8)
    if r == 0:
        return 0
    if r == 1:
        return rng.choice((1, LIMIT))
    if r == 2:
        return rng.randint(-2 * LIMIT, 2 * LIMIT) / 2  # halves
    return rng.randint(1, LIMIT)


def _point(rng):
    kind = rng.randrange(12)
    if kind == 0:  # the edge of ring 730 and the first point beyond it
        return rng.choice(((150, 27), (151, 21), (-150, 27), (27, 150))) + (17,)
    if kind <= 2:
        return _edge(rng)
    if kind == 3:  # just below the axis: within the tolerance or not
        return (_coord(rng), rng.choice((-5e-11, -2e-10, -1e-9)), 12)
    x, y = _coord(rng), _coord(rng)
    if rng.random() < 0.5:
        x = -x
    if rng.random() < 0.2:
        y = -y
    return x, y, 17


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        x, y, digits = _point(rng)
        while not _fair(x, y):
            x, y, digits = _point(rng)
        out.append(f"{_text(x, digits)} {_text(y, digits)}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a rings file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _smaller(text):
    """Coordinates nearer 0 and shorter: the fraction dropped, then one digit of it dropped,
    then the whole part towards 0 (the fraction kept); the sign dropped last. A number in
    another form (an exponent) goes to 0 or its whole part."""
    if not re.fullmatch(r"-?[0-9]+(\.[0-9]+)?", text):
        return [c for c in ("0", _text(float(int(float(text))))) if c != text]
    neg = text.startswith("-")
    whole, _, frac = text.lstrip("-").partition(".")
    sign = "-" if neg else ""
    out = []
    if frac:
        out.append(sign + whole)
        cut = frac[:-1].rstrip("0")
        out.append(sign + whole + ("." + cut if cut else ""))
    for w in towards(int(whole), 0):
        out.append(sign + str(w) + ("." + frac if frac else ""))
    if neg:
        out.append(text[1:])
    return [c for c in out if c not in ("-0", text)]


def shrink(case):
    x, y = case.split()
    seen = set()
    for cx, cy in [(c, y) for c in _smaller(x)] + [(x, c) for c in _smaller(y)]:
        if (cx, cy) not in seen and _fair(float(cx), float(cy)):
            seen.add((cx, cy))
            yield f"{cx} {cy}\n"
