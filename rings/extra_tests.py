"""Ring count: tests made by this maker, in a fixed order, the same on every run. tests()
returns (name, input text) pairs.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/<name>):
- no tolerance at a ring's edge (wrong_answer/no_eps): `ring-edges`, points on every edge.
- the tolerance added instead of taken off (wrong_answer/eps_sign): `ring-edges`, points 5e-11
  inside every edge.
- a tolerance of 1e-9 instead of 1e-10 (wrong_answer/loose_eps): `ring-edges`, points 5e-10
  beyond every edge, and `axis-points`, 5e-10 below the axis.
- the tolerance on the distance instead of the area (wrong_answer/radius_eps): `ring-edges`,
  5e-10 beyond the outer edges, 5e-11 beyond the inner ones.
- every y < 0 turned away (wrong_answer/below_zero), y = -1e-10 itself turned away
  (wrong_answer/axis_non_strict): 02-edges and `axis-points`.
- "inf" decided before the tolerance (wrong_answer/inf_before_eps), or from ring 730 on
  (wrong_answer/last_ring): the examples and `ring-edges` at ring 730's edge.
- float arithmetic (wrong_answer/float_area), pi as 3.14159 (wrong_answer/short_pi),
  coordinates read as integers (wrong_answer/int_coords): 02-edges and `near-edges`, points
  within a few millionths of an edge to six decimals.
- a walk outward ring by ring with no stop at 731 (time_limit_exceeded/ring_walk,
  time_limit_exceeded/radius_walk): `far-points`, out to the largest distance, 261450, where
  the ring index nearly reaches 2^31.
- a fixed line buffer short of the longest line, two coordinates of 25 characters
  (wrong_answer/line_buffer): `longest-lines`, nine lines in ten 51 characters long, the
  longest a line may be, the tenth 44, the longest with a ring for an answer.
- a fixed 4 MB input buffer: `longest-lines`, 15.6 MB.
- a flush after every point: not killed. It costs about 0.5 microseconds a point here; the
  most points a file may hold (300000, kept so that the file of the longest lines stays near
  16 MB) cost it 0.15 s.
"""

import math
import random

PI = 3.141592653589793
EPS = 1e-10
FAR = 261450  # the largest distance from the origin the problem allows
T_MAX = 300000
DIGITS = 17

# Offsets of the scaled area pi r^2 / 100 from an edge m: well inside, 5e-10 and 5e-11 inside,
# on the edge (0 to 1e-12 beyond), 5e-11 beyond (within the 1e-10 tolerance), 5e-10 beyond,
# 2e-9 beyond.
OFFSETS = [-2e-9, -5e-10, -5e-11, 0.0, 5e-11, 5e-10, 2e-9]
# y just below the axis: the tolerance itself, within it, past it within 1e-9, and past 1e-9.
AXIS = ["-0.0000000001", "-0.00000000005", "-0.00000000009999999", "-0.0000000001000001",
        "-0.00000000015", "-0.0000000002", "-0.0000000005", "-0.000000001", "-0.0000000011",
        "0.0000000001", "0"]


def plain(v, places=6):
    """v in plain decimal form: no exponent, no trailing zeros, no "-0"."""
    s = f"{v:.{places}f}".rstrip("0").rstrip(".")
    return "0" if s in ("", "-0") else s


def area(x, y):
    """The scaled area as the solvers compute it, from the coordinates' texts."""
    xv, yv = float(x), float(y)
    return (xv * xv + yv * yv) * PI / 100


def fair(x, y):
    """The ring does not hang on the last bits: the same for the area moved by a relative
    1e-14 either way."""
    def ring(v):
        return int(v - EPS) + 1
    v = area(x, y)
    return ring(v * (1 - 1e-14)) == ring(v) == ring(v * (1 + 1e-14))


def at_offset(m, off, y):
    """The point (x, y), y given as text, whose scaled area is m plus about `off` (on the edge:
    0 to 1e-12 beyond it), x to 17 decimals; None when the digits miss."""
    yv = float(y)
    x = plain(math.sqrt(100 * (m + off) / PI - yv * yv), DIGITS)
    got = area(x, y) - m
    ok = 0 <= got <= 1e-12 if off == 0 else abs(got - off) <= 0.2 * abs(off)
    if not ok:  # one step of the last digits towards the target
        step = (off - got) / (2 * PI * float(x) / 100)
        x = plain(float(x) + step, DIGITS)
        got = area(x, y) - m
        ok = 0 <= got <= 1e-12 if off == 0 else abs(got - off) <= 0.2 * abs(off)
    return x if ok and fair(x, y) else None


def near_edge(rng):
    """A point of the upper half plane within a few millionths of the outer edge of a ring
    1..731 (where the disc's area is 100 m)."""
    m = rng.randint(1, 731)
    r2 = 100 * m / PI
    y = rng.uniform(0, math.sqrt(r2))
    x = math.sqrt(max(r2 - y * y, 0.0))
    return f"{plain(rng.choice([-1, 1]) * x)} {plain(y)}"


def ring_edges(rng):
    """Every edge m = 1..731 at every offset: the point on the x axis, and again with a y of a
    few decimals, x's sign and the two coordinates' order drawn."""
    pts = []
    for m in range(1, 732):
        for off in OFFSETS:
            for y in ("0", plain(rng.uniform(0, math.sqrt(100 * m / PI) * 0.7), 3)):
                x = at_offset(m, off, y)
                if x is None:
                    continue
                if rng.random() < 0.5:
                    x = "-" + x
                pts.append(f"{y} {x.lstrip('-')}" if rng.random() < 0.3 else f"{x} {y}")
    return f"{len(pts)}\n" + "".join(p + "\n" for p in pts)


def axis_points():
    xs = ["0", "3", "-150", "27.5", "152.43563130521", "-5.64189583547756"]
    pts = [f"{x} {y}" for y in AXIS for x in xs]
    return f"{len(pts)}\n" + "".join(p + "\n" for p in pts)


def near_edges(rng):
    pts = []
    for _ in range(100000):
        kind = rng.random()
        if kind < 0.8:
            pts.append(near_edge(rng))
        elif kind < 0.9:  # anywhere up to ring 800, a fifth below the axis
            pts.append(f"{plain(rng.uniform(-160, 160))} {plain(rng.uniform(-40, 160))}")
        elif kind < 0.95:  # just below the axis, on either side of the 1e-10 tolerance
            pts.append(f"{rng.randint(-159, 159)} -0.0000000001"
                       if rng.random() < 0.5 else f"{rng.randint(-159, 159)} -0.0000000002")
        else:
            pts.append(f"{rng.randint(-159, 159)} {rng.randint(-159, 159)}")
    return f"{len(pts)}\n" + "".join(p + "\n" for p in pts)


def far_points(rng):
    far = [f"{FAR} 0", f"0 {FAR}", f"-{FAR} 0", f"0 -{FAR}"]
    for _ in range(996):
        d = rng.uniform(200000, FAR - 1)
        a = rng.uniform(0, math.pi)
        far.append(f"{plain(d * math.cos(a), 3)} {plain(d * math.sin(a), 3)}")
    return f"{len(far)}\n" + "".join(p + "\n" for p in far)


def _decimals(rng):
    """17 random decimals, the last not 0."""
    while True:
        f = f"{rng.randrange(10**16, 10**17)}"
        if f[-1] != "0":
            return f


def longest_lines(rng):
    """T_MAX points in lines as long as a line may be. Nine in ten are 51 characters, both
    coordinates negative, of six whole digits and 17 decimals, within the largest distance
    (answered "inf"); every tenth is as long as the line of a point inside ring 730 may be,
    44 characters, three whole digits each and x negative, so that its answer, a ring from 625
    to 730, tells a line read in pieces. 2000 lines, each used 150 times."""
    lines = []
    while len(lines) < 2000:
        if len(lines) % 10 < 9:
            a, b = rng.randint(100000, 184870), rng.randint(100000, 184870)
            x, y = f"-{a}.{_decimals(rng)}", f"-{b}.{_decimals(rng)}"
        else:
            a, b = rng.randint(100, 107), rng.randint(100, 107)
            x, y = f"-{a}.{_decimals(rng)}", f"{b}.{_decimals(rng)}"
            if not fair(x, y):
                continue
        lines.append(f"{x} {y}\n")
    return f"{T_MAX}\n" + "".join(lines) * (T_MAX // len(lines))


def tests():
    rng = random.Random(14)
    return [
        ("single-point", "1\n0 152.43563130521\n"),
        ("ring-edges", ring_edges(rng)),
        ("axis-points", axis_points()),
        ("near-edges", near_edges(rng)),
        ("far-points", far_points(rng)),
        ("longest-lines", longest_lines(rng)),
    ]
