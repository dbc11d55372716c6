"""Shuttle ride: the solver on random cases, judged by float_judge against the closed form worked
out exactly here, and at the corners of the problem's limits within half the tolerance;
float_judge's verdict on random pairs of files against a model of it; the maker's cases reach
the limits, so that pset stress finds a fault there."""

import math
import os
import random
import subprocess
import sys
import tempfile
from decimal import Decimal
from fractions import Fraction

import harness
from psetlib import problems

HERE = os.path.dirname(os.path.abspath(__file__))
EXTRA = problems.load_script(os.path.join(HERE, "extra_tests.py"))
MAKER = problems.load_script(os.path.join(HERE, "maker.py"))
BUILD = os.path.dirname(harness.BIN_DIR)


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

    def test_reference_within_half_the_tolerance_at_the_limits(self):
        """The limits keep the closed form accurate: on every corner of them (extra_tests'
        "corners"), on cases at the largest distances and smallest speeds and on the longest
        lines, the reference is within 5e-7 of the exact time, half of what is judged, so a
        contestant's answer as exact as it is accepted. (Speeds below 1 would break this:
        the README's case off by 2.6.)"""
        rng = random.Random(20261213)
        lines = EXTRA.corners() + EXTRA.largest_answers(rng, 3000) + EXTRA.longest_lines(rng, 1000)
        lines += [MAKER._edge(rng).strip() for _ in range(3000)]
        p = harness.run("shuttle_solver", f"{len(lines)}\n" + "".join(l + "\n" for l in lines))
        self.assertClean(p)
        got = p.stdout.decode().split()
        self.assertEqual(len(got), len(lines))
        worst = (0, "")
        for line, out in zip(lines, got):
            n, l, vw, vs, k = line.split()
            err = abs(Fraction(Decimal(out)) - exact_time(int(n), l, vw, vs, int(k)))
            worst = max(worst, (err, line))
        self.assertLess(worst[0], Fraction(5, 10**7), f"off by {float(worst[0])} on {worst[1]}")
        self.assertGreater(worst[0], 0)  # the cases do reach where doubles round

    def test_maker_reaches_the_limits(self):
        """In a few files of the maker: n = 2^24 + 1 and 10^9 with one seat, l = 10^9 with
        vw = 1, the shuttle a millionth faster, and at 10^9."""
        rng = random.Random(7)
        cases = [c.split() for _ in range(3) for c in MAKER.split(MAKER.make(rng, 1000, 8))]
        want = {
            "n = 2^24 + 1, k = 1": lambda n, l, vw, vs, k: n == "16777217" and k == "1",
            "n = 10^9, k = 1": lambda n, l, vw, vs, k: n == "1000000000" and k == "1",
            "l = 10^9, vw = 1": lambda n, l, vw, vs, k: l == "1000000000" and vw == "1",
            "vs a millionth above vw": lambda n, l, vw, vs, k:
                Decimal(vs) - Decimal(vw) == Decimal("0.000001"),
            "vs = 10^9": lambda n, l, vw, vs, k: vs == "1000000000",
            "six decimals": lambda n, l, vw, vs, k: len(l.partition(".")[2]) == 6,
        }
        for name, test in want.items():
            self.assertTrue(any(test(*c) for c in cases), name)

    def test_stress_finds_a_group_count_through_a_float(self):
        """pset stress on the maker's cases finds float_groups, whose group count goes through
        a float: only n past 2^24 shows it, and only beside a large distance."""
        sub = os.path.join(BUILD, "submissions", "shuttle", "wrong_answer", "float_groups")
        with tempfile.TemporaryDirectory() as tmp:
            p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"), "--build-dir",
                                BUILD, "stress", "shuttle", "--seed", "1", "--rounds", "3",
                                "--jobs", "1", "--shrink-seconds", "1", "--out", tmp, "--",
                                sub], capture_output=True, text=True, timeout=300)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertIn("float_judge: number", p.stdout)

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
