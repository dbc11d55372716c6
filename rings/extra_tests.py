"""Ring count: tests made by this maker, in a fixed order, the same on every run: many
decimal points within a few millionths of a ring's edge (on either side), points far out up
to the largest distance the problem allows, and a file without points."""

import math
import random

PI = 3.141592653589793
FAR = 261450  # the largest distance from the origin the problem allows


def plain(v, places=6):
    """v in plain decimal form: no exponent, no trailing zeros, no "-0"."""
    s = f"{v:.{places}f}".rstrip("0").rstrip(".")
    return "0" if s in ("", "-0") else s


def near_edge(rng):
    """A point of the upper half plane within a few millionths of the outer edge of a ring
    1..731 (where the disc's area is 100 m)."""
    m = rng.randint(1, 731)
    r2 = 100 * m / PI
    y = rng.uniform(0, math.sqrt(r2))
    x = math.sqrt(max(r2 - y * y, 0.0))
    return f"{plain(rng.choice([-1, 1]) * x)} {plain(y)}"


def tests():
    rng = random.Random(14)
    out = []
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
    out.append(("edge-points", f"{len(pts)}\n" + "".join(p + "\n" for p in pts)))
    far = [f"{FAR} 0", f"0 {FAR}", f"-{FAR} 0", f"0 -{FAR}"]
    for _ in range(996):
        d = rng.uniform(200000, FAR - 1)
        a = rng.uniform(0, math.pi)
        far.append(f"{plain(d * math.cos(a), 3)} {plain(d * math.sin(a), 3)}")
    out.append(("far-points", f"{len(far)}\n" + "".join(p + "\n" for p in far)))
    out.append(("no-points", "0\n"))
    return out
