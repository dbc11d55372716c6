"""Ring count: small random cases for stress runs, and how a file splits into cases, joins back
and shrinks (see the README, "Small random cases and shrinking").

A case is one line, "x y": whole numbers or halves ("12.5") of absolute value up to 159, no
"-0". As in the generator, a point that lies outside a ring's boundary circle by less than
1e-6 is never made. max_size has no effect (every case is one point).
"""

import math

from psetlib.shrink import towards

PI = 3.141592653589793
LIMIT = 159


def _fair(x, y):
    """False for a point just outside a boundary circle (by less than 1e-6), which the problem's
    tests avoid: there the ring depends on the last bits of the arithmetic."""
    d = math.sqrt(x * x + y * y)
    base = int(d * d * PI / 100)
    for i in range(max(0, base - 1), base + 2):
        r = math.sqrt(100 * i / PI)
        if r < d and d - r < 1e-6:
            return False
    return True


def _text(v):
    """Halves written as "12.5", whole numbers plain."""
    if v == int(v):
        return str(int(v))
    return ("-" if v < 0 else "") + f"{int(abs(v))}.5"


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
    kind = rng.randrange(10)
    if kind == 0:  # the edge of ring 730 and the first point beyond it
        return rng.choice(((150, 27), (151, 21), (-150, 27), (27, 150)))
    if kind == 1:  # the point just inside the nearest boundary of a few tried
        best = None
        for _ in range(30):
            x, y = rng.randint(-LIMIT, LIMIT), rng.randint(0, LIMIT)
            d = math.hypot(x, y)
            gap = math.sqrt(100 * (int(d * d * PI / 100) + 1) / PI) - d
            if best is None or gap < best[0]:
                best = (gap, x, y)
        return best[1], best[2]
    x, y = _coord(rng), _coord(rng)
    if rng.random() < 0.5:
        x = -x
    if rng.random() < 0.2:
        y = -y
    return x, y


def make(rng, cases, max_size):
    out = [f"{cases}\n"]
    for _ in range(cases):
        x, y = _point(rng)
        while not _fair(x, y):
            x, y = _point(rng)
        out.append(f"{_text(x)} {_text(y)}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a rings file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _smaller(v):
    """Values nearer 0: the halves dropped, then whole numbers towards 0, the sign kept; the
    sign dropped last."""
    out = []
    if v != int(v):
        out.append(float(int(v)))
    sign = -1 if v < 0 else 1
    out += [sign * w for w in towards(int(abs(v)), 0)]
    if v < 0:
        out.append(-v)
    return out


def shrink(case):
    x, y = map(float, case.split())
    seen = set()
    for cx, cy in [(c, y) for c in _smaller(x)] + [(x, c) for c in _smaller(y)]:
        text = f"{_text(cx)} {_text(cy)}\n"
        if (cx, cy) not in seen and _fair(cx, cy) and text != case:
            seen.add((cx, cy))
            yield text
