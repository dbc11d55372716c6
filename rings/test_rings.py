"""Ring count: the solver on random points against the ring rule worked out here, and the
generator under pinned clocks: layout, ranges, signs, no point just outside a ring boundary,
its draw order, and its files answered by the solver. The maker's files are valid and hold
points at every boundary of the rule, and stress on them finds a tolerance of 1e-9 at once."""

import math
import os
import random
import tempfile
from decimal import Decimal, getcontext

import harness
from psetlib.problems import load_script
from test_pset import BUILD, pset

CLOCKS = harness.CLOCKS
PI = 3.141592653589793


def ring(x, y):
    """The answer for (x, y): "inf" below the axis (past a 1e-10 slack); else the number of
    whole rings of area 100 that the disc through the point covers beyond 1e-10 of area,
    plus one, or "inf" past ring 730."""
    if y < -1e-10:
        return "inf"
    w = (x * x + y * y) * PI / 100 - 1e-10
    k = math.floor(w) + 1 if w >= 0 else 1
    return "inf" if k > 730 else str(k)


def model_file(clock):
    """What ring_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out, t = ["100"], 100
    while t:
        t -= 1
        r1, r2 = rand(), rand()
        x = r1 % 96 + r2 % 64 + 1
        r3, r4 = rand(), rand()
        y = r3 % 96 + r4 % 64 + 1
        if rand() & 1:
            x = -x
        if rand() % 5 == 0:
            y = -y
        d = math.sqrt(float(x * x + y * y))
        i, bad = 0, False
        while True:
            r = math.sqrt(float(100 * i) / PI)
            if r >= d:
                break
            if abs(r - d) < 1e-6:
                bad = True
                break
            i += 1
        # Thrown away, another point drawn in its place. (No point of the generator's range
        # comes that close: the nearest lies about 2.2e-5 outside its boundary.)
        if bad:
            t += 1
            continue
        out.append(f"{x} {y}")
    return ("\n".join(out) + "\n").encode()


def gap_outside_boundary(x, y):
    """How far (x, y) lies outside the nearest ring boundary circle inside it, worked out in
    50-digit decimals: boundary i has radius sqrt(100 i / pi)."""
    getcontext().prec = 50
    pi = Decimal("3.1415926535897932384626433832795028841971693993751")
    n = x * x + y * y
    d = Decimal(n).sqrt()
    i = int(Decimal(n) * pi / 100)  # the last boundary whose radius is not above d
    while i > 0 and (Decimal(100 * i) / pi).sqrt() >= d:
        i -= 1
    return d - (Decimal(100 * i) / pi).sqrt()


class Rings(harness.ProgramTest):
    def test_random_points_against_the_ring_rule(self):
        rng = random.Random(20261213)
        pts = []
        for _ in range(2000):
            pts.append((rng.randint(-200, 200), rng.randint(-5, 200)))
            pts.append((rng.uniform(-160, 160), rng.uniform(-1e-9, 160)))
            # close to a boundary circle, on either side
            m = rng.randint(1, 735)
            a = rng.uniform(0, math.pi)
            r = math.sqrt(100 * m / PI) * (1 + rng.choice([-1, 1]) * 10 ** rng.uniform(-15, -9))
            pts.append((r * math.cos(a), r * math.sin(a)))
        text = f"{len(pts)}\n" + "".join(f"{x!r} {y!r}\n" for x, y in pts)
        p = harness.run("ring_solver", text)
        self.assertClean(p, "ring_solver")
        got = p.stdout.decode().split("\n")
        self.assertEqual(len(got), len(pts) + 1)
        want = [ring(x, y) for x, y in pts]
        self.assertGreater(want.count("inf"), 200)
        for (x, y), w, g in zip(pts, want, got):
            self.assertEqual(g, w, f"({x!r}, {y!r})")

    def test_generated_files_layout_ranges_and_gaps(self):
        below = negx = total = 0
        for clock in harness.SWEEP:
            text = harness.generated("ring_cases", clock).decode()
            self.assertTrue(text.endswith("\n"), f"clock {clock}")
            lines = text[:-1].split("\n")
            self.assertEqual(len(lines), 101, f"clock {clock}")
            self.assertEqual(lines[0], "100")
            for line in lines[1:]:
                where = f"clock {clock}, line {line!r}"
                xs, ys = line.split(" ")
                x, y = int(xs), int(ys)
                self.assertEqual(line, f"{x} {y}", where)
                self.assertTrue(1 <= abs(x) <= 159 and 1 <= abs(y) <= 159, where)
                self.assertFalse(0 < gap_outside_boundary(x, y) < Decimal("1e-6"), where)
                below += y < 0
                negx += x < 0
                total += 1
        self.assertTrue(0.16 < below / total < 0.24, below / total)
        self.assertTrue(0.45 < negx / total < 0.55, negx / total)

    def test_generator_draw_order(self):
        self.assertMatchesModel("ring_cases", model_file, CLOCKS[:12])

    def test_generator_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("ring_cases", CLOCKS[1:7])

    def test_solver_answers_generated_files(self):
        answers = set()
        for clock in harness.SWEEP:
            text = harness.generated("ring_cases", clock)
            p = harness.run("ring_solver", text)
            self.assertClean(p, f"ring_solver under clock {clock}")
            got = p.stdout.decode().split("\n")
            self.assertEqual(len(got), 101)
            pts = [tuple(map(int, line.split())) for line in text.decode().split("\n")[1:-1]]
            self.assertEqual(got[:-1], [ring(x, y) for x, y in pts], f"clock {clock}")
            answers.update(got[:-1])
        # both kinds of answer occur
        self.assertIn("inf", answers)
        self.assertTrue(any(a.isdigit() for a in answers))

    def test_made_files_are_valid_and_reach_every_boundary(self):
        """Ten made files of 1000 points pass the validator, and among them are points within
        1e-9 beyond and inside an edge, within the tolerance beyond ring 730's edge and just
        past it, y = -1e-10 itself and y within 1e-9 below it, and the largest distance."""
        maker = load_script(os.path.join(harness.ROOT, "rings", "maker.py"))
        seen = dict.fromkeys(("beyond an edge within 1e-9", "inside an edge within 1e-9",
                              "ring 730, beyond its edge", "inf, just past ring 730",
                              "y = -1e-10", "y just below -1e-10", "distance 261450"), 0)
        for seed in range(10):
            text = maker.make(random.Random(seed), 1000, 8)
            p = harness.run("rings_input_check", text)
            self.assertEqual(p.returncode, 42, f"seed {seed}: {p.stderr!r}")
            for line in text.split("\n")[1:-1]:
                xs, ys = line.split(" ")
                x, y = float(xs), float(ys)
                v = (x * x + y * y) * PI / 100
                off = v - round(v)
                above = y >= -1e-10
                seen["beyond an edge within 1e-9"] += above and 1e-10 < off < 1e-9
                seen["inside an edge within 1e-9"] += above and -1e-9 < off < 0
                seen["ring 730, beyond its edge"] += above and 0 < v - 730 <= 1e-10
                seen["inf, just past ring 730"] += above and 1e-10 < v - 730 < 1e-9
                seen["y = -1e-10"] += ys == "-0.0000000001"
                seen["y just below -1e-10"] += -1e-9 <= y < -1e-10
                seen["distance 261450"] += x * x + y * y == 261450 ** 2
        self.assertTrue(all(seen.values()), seen)

    def test_stress_finds_a_tolerance_of_1e9(self):
        """A tolerance ten times the problem's is found in the first round of made points."""
        sub = os.path.join(BUILD, "submissions", "rings", "wrong_answer", "loose_eps")
        with tempfile.TemporaryDirectory() as tmp:
            p = pset("stress", "rings", "--seed", "1", "--rounds", "3", "--jobs", "1",
                     "--shrink-seconds", "2", "--out", tmp, "--", sub)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertRegex(p.stdout, r"loose_eps'? answered differently")


if __name__ == "__main__":
    harness.main()
