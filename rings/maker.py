"""Ring count: small random cases for stress runs, and how a file splits into cases, joins back
and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line, "x y": numbers in plain decimal form (no "-0", no trailing zero after a
point, at most 17 digits after it). Besides whole numbers and halves the maker writes points
at the boundaries of the ring rule, where a wrong tolerance or a wrong comparison shows:
- on a ring's edge and within 1e-9 of it, on either side of the 1e-10 tolerance (the scaled
  area pi r^2 / 100 a whole number m plus a chosen offset, to 17 digits), ring 730's edge and
  the first points beyond it among them;
- near an edge to 3..6 decimals, where float precision fails;
- just below the axis: y = -1e-10 itself, and within 1e-9 of it on either side;
- far out, up to the largest distance the problem allows, 261450, and exactly at it.
A point whose ring would change if its area moved by a relative 1e-14 is never made: its
answer would hang on the last bits of the arithmetic. max_size has no effect (every case is one
point).
"""

import math
import re

from psetlib.shrink import towards

PI = 3.141592653589793
EPS = 1e-10
LIMIT = 159
FAR = 261450  # the largest distance from the origin, and the largest coordinate
DIGITS = 17  # the most digits after a point

# Offsets of the scaled area from a ring's edge m: inside within and past 1e-9, on the edge,
# within the 1e-10 tolerance, beyond it within 1e-9, and beyond 1e-9.
BANDS = [(-3e-9, -1.1e-9), (-9e-10, -1.2e-10), (-9e-11, -1e-12), (0.0, 0.0), (1e-12, 9e-11),
         (1.2e-10, 9e-10), (1.1e-9, 3e-9)]
# y just below the axis: the tolerance itself, within it, past it within 1e-9, and past 1e-9.
AXIS = ("-0.0000000001", "-0.00000000005", "-0.00000000009999999", "-0.0000000001000001",
        "-0.00000000015", "-0.0000000002", "-0.0000000009", "-0.000000001", "-0.0000000011",
        "0.0000000001")


def _ring(x, y, v):
    if y < -EPS:
        return 0
    k = int(v - EPS) + 1
    return k if k <= 730 else 731


def _fair(x, y):
    """True when the answer does not hang on the last bits: the same ring for the area moved
    by a relative 1e-14 (some 50 units in the last place) either way, and y either exactly
    -1e-10 (the same double as the tolerance, whatever the reading) or not within 1e-15 of
    it."""
    if y != -EPS and abs(y + EPS) < 1e-15:
        return False
    v = (x * x + y * y) * PI / 100
    return _ring(x, y, v * (1 - 1e-14)) == _ring(x, y, v) == _ring(x, y, v * (1 + 1e-14))


def _text(v, digits=DIGITS):
    """Plain decimal form: no exponent, no trailing zero after the point, no "-0"."""
    if v == int(v) and abs(v) < 1e15:
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
    return _text(x, digits), _text(y, digits)


def _offset(rng, m):
    """A point whose scaled area, as the solvers compute it, is m plus an offset drawn from
    one of BANDS, or None when the digits miss the band (the caller draws again)."""
    lo, hi = rng.choice(BANDS)
    want = m + rng.uniform(lo, hi)
    places = rng.randint(1, 6)
    yt = rng.choice(("0", "0", str(rng.randint(1, 40)), _text(round(rng.uniform(0, 40), places),
                                                               places)))
    yv = float(yt)
    r2 = want * 100 / PI
    if r2 <= yv * yv:
        return None
    xt = _text(math.sqrt(r2 - yv * yv))
    xv = float(xt)
    off = (xv * xv + yv * yv) * PI / 100 - m
    if not (lo == hi == 0.0 and abs(off) < 1e-12 or lo <= off <= hi):
        return None
    if rng.random() < 0.3:
        xt, yt = yt, xt
    if rng.random() < 0.5 and xt != "0":
        xt = "-" + xt
    return xt, yt


def _far(rng):
    """A point out to the largest distance, on an axis at it or anywhere near it, with up to
    three decimals; now and then below the axis."""
    if rng.random() < 0.3:  # on an axis at the largest distance
        return rng.choice(((str(FAR), "0"), (f"-{FAR}", "0"), ("0", str(FAR)), ("0", f"-{FAR}")))
    d = FAR - rng.choice((0, 1, rng.random(), rng.uniform(0, 200000)))
    a = rng.uniform(-math.pi / 5, math.pi)
    digits = rng.randint(0, 3)
    scale = 10**digits
    x, y = math.trunc(d * math.cos(a) * scale), math.trunc(d * math.sin(a) * scale)
    while x * x + y * y > (FAR * scale) ** 2:  # the whole numbers, exactly
        x, y = x - (x > 0) + (x < 0), y - (y > 0) + (y < 0)
    return _text(x / scale, digits), _text(y / scale, digits)


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
    kind = rng.randrange(16)
    if kind == 0:  # the edge of ring 730 and the first points beyond it
        return rng.choice(((150, 27), (151, 21), (-150, 27), (27, 150)))
    if kind <= 2:
        return _edge(rng)
    if kind <= 6:  # within 1e-9 of an edge, ring 730's among them
        return _offset(rng, rng.choice((730, 730, rng.randint(1, 731))))
    if kind <= 8:  # just below the axis: within the tolerance or not
        return _text(_coord(rng)), rng.choice(AXIS)
    if kind == 9:
        return _far(rng)
    x, y = _coord(rng), _coord(rng)
    if rng.random() < 0.5:
        x = -x
    if rng.random() < 0.2:
        y = -y
    return x, y


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        while True:
            pt = _point(rng)
            if pt is None:
                continue
            x, y = (c if isinstance(c, str) else _text(c) for c in pt)
            if _fair(float(x), float(y)):
                break
        out.append(f"{x} {y}\n")
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
    return [c for c in out if c not in ("-0", text) and not re.fullmatch(r"-0(\.0*)?", c)]


def shrink(case):
    x, y = case.split()
    seen = set()
    for cx, cy in [(c, y) for c in _smaller(x)] + [(x, c) for c in _smaller(y)]:
        if (cx, cy) not in seen and _fair(float(cx), float(cy)):
            seen.add((cx, cy))
            yield f"{cx} {cy}\n"
