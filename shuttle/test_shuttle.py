"""Shuttle ride: the solver on random cases, judged by float_judge against the closed form worked
out exactly here; float_judge's verdict on random pairs of files against a model of it."""

import math
import os
import random
import tempfile
from fractions import Fraction

import harness


def exact_time(n, l, vw, vs, k):
    """The least time as an exact fraction. With a faster shuttle, g groups each ride x and
    walk l - x; while one group rides x, the shuttle's trip back to the next group (walking
    towards it) covers 2x(vs - vw)/(vs + vw) of ground, so the last group starts riding
    (g - 1) * 2x * vw / (vs + vw) further on, and rides to the end: l = that + x."""
    l, vw, vs = Fraction(l), Fraction(vw), Fraction(vs)
    if vw >= vs:
        return l / vw
    g = -(-n // k)
    x = l / (1 + (g - 1) * 2 * vw / (vs + vw))
    return x / vs + (l - x) / vw


def decimal(rng, lo, hi, places):
    """A decimal text from lo to hi with up to `places` decimals."""
    v = Fraction(rng.randint(lo * 10**places, hi * 10**places), 10**places)
    return f"{float(v):.{places}f}".rstrip("0").rstrip(".") if places else str(int(v))


def fixed(q, places=12):
    """An exact fraction written with `places` decimals, rounded to nearest."""
    scaled = round(q * 10**places)
    sign = "-" if scaled < 0 else ""
    whole, frac = divmod(abs(scaled), 10**places)
    return f"{sign}{whole}.{frac:0{places}d}"


def judge(tmp, expected, answers):
    """float_judge's status in both argument orders on two texts."""
    a, b = os.path.join(tmp, "expected"), os.path.join(tmp, "answers")
    with open(a, "w") as fh:
        fh.write(expected)
    with open(b, "w") as fh:
        fh.write(answers)
    out = []
    for args in ((a, b), (b, a)):
        p = harness.run("float_judge", b"", args=args)
        out.append((p.returncode, p.stdout, p.stderr.count(b"\n")))
    return out


class Shuttle(harness.ProgramTest):
    def test_solver_against_closed_form(self):
        rng = random.Random(20261210)
        cases = []
        for _ in range(400):
            n = rng.choice([rng.randint(1, 10), rng.randint(1, 10000), rng.randint(1, 10**9)])
            k = rng.choice([1, rng.randint(1, n), n, n + rng.randint(0, 5)])
            places = rng.choice([0, 0, 1, 3])
            l = decimal(rng, 0, 10**6, places)
            vw = decimal(rng, 1, 1000, places)
            # mostly a faster shuttle, sometimes an equal or slower one
            vs = rng.choice([decimal(rng, 1, 2000, places), vw, decimal(rng, 1, 1000, places)])
            cases.append((n, l, vw, vs, k))
        text = f"{len(cases)}\n" + "".join(f"{n} {l} {vw} {vs} {k}\n" for n, l, vw, vs, k in cases)
        p = harness.run("shuttle_solver", text)
        self.assertClean(p)
        lines = p.stdout.decode().split("\n")
        self.assertEqual(len(lines), len(cases) + 1)
        for line in lines[:-1]:
            whole, _, frac = line.partition(".")
            self.assertEqual(len(frac), 10, line)
        want = [exact_time(n, l, vw, vs, k) for n, l, vw, vs, k in cases]
        expected = "".join(fixed(q) + "\n" for q in want)
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(judge(tmp, expected, p.stdout.decode()), [(0, b"", 0)] * 2)
            # The same pipeline rejects an answer off by 2e-6, so the acceptance means something.
            i = rng.randrange(len(cases))
            off = [fixed(q + (Fraction(2, 10**6) if j == i else 0)) for j, q in enumerate(want)]
            self.assertEqual(judge(tmp, "\n".join(off) + "\n", p.stdout.decode()),
                             [(1, b"", 1)] * 2)

    def test_judge_against_model(self):
        """Random pairs of files near the tolerance, infinities, NaN and extra numbers: the
        status in both orders is that of |a - b| <= 1e-6 or a == b over equal counts."""
        rng = random.Random(5)
        specials = ["inf", "-inf", "nan", "1e999"]
        with tempfile.TemporaryDirectory() as tmp:
            for t in range(60):
                m = rng.randint(0, 6)
                xs = [rng.uniform(-1000, 1000) for _ in range(m)]
                ta = [repr(x) for x in xs]
                tb = []
                for x in xs:
                    step = rng.choice([0, 5e-7, 9.9e-7, 1.01e-6, 3e-6]) * rng.choice([1, -1])
                    tb.append(f"{x + step:.{rng.randint(6, 17)}f}")
                if rng.random() < 0.2 and m:
                    i = rng.randrange(m)
                    ta[i] = rng.choice(specials)
                    tb[i] = rng.choice(specials + [tb[i]])
                if rng.random() < 0.15:
                    (ta if rng.random() < 0.5 else tb).append("1")
                a, b = [float(s) for s in ta], [float(s) for s in tb]
                agree = len(a) == len(b) and all(
                    x == y or math.fabs(x - y) <= 1e-6 for x, y in zip(a, b))
                seps = [" ", "\n", "\t", "  \n"]
                fa = "".join(s + rng.choice(seps) for s in ta)
                fb = "".join(s + rng.choice(seps) for s in tb)
                got = judge(tmp, fa, fb)
                want = [(0, b"", 0)] * 2 if agree else [(1, b"", 1)] * 2
                self.assertEqual(got, want, f"pair {t}:\n{fa!r}\n{fb!r}")


if __name__ == "__main__":
    harness.main()
