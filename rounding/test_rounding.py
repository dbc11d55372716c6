"""Grade rounding: the solver against a brute force over every sequence of roundings, and the
generator's layout, ranges and draw order under pinned clocks."""

import os
import random
import subprocess
import sys
import tempfile

import harness

CLOCKS = harness.CLOCKS
BUILD = os.path.dirname(harness.BIN_DIR)


def brute(m, s):
    """The best answer over every sequence of at most m roundings, found by value.

    The number is held as an integer in units of its last fraction digit; rounding half up
    to d digits after the point is done by arithmetic on that integer, never on the text.
    All states reached within j steps are kept, for j = 0 .. m (stopping when no new state
    appears), so every sequence of rounding places is covered.
    """
    ip, _, fp = s.partition(".")
    w, L = len(ip), len(fp)
    v0 = int(ip or "0") * 10**L + int(fp or "0")
    seen = {v0}
    new = {v0}
    for _ in range(m):
        nxt = set()
        for v in new:
            for d in range(L):  # keep d digits after the point
                unit = 10 ** (L - d)
                u = (v + unit // 2) // unit * unit
                if u not in seen:
                    nxt.add(u)
        if not nxt:
            break
        seen |= nxt
        new = nxt
    best = max(seen)
    whole, frac = divmod(best, 10**L)
    head = str(whole).zfill(w) if w or whole else ""
    tail = str(frac).zfill(L).rstrip("0") if L else ""
    return (head + ("." + tail if tail else "")) or "0"


def random_number(rng):
    """A short number of the problem's shape, biased to the cases that break greedy code."""
    head = rng.choice(["", "0", "0", "7", "9", "99", "999", "19", "89", "007", "0099", None])
    if head is None:
        head = str(rng.randint(0, 9999))
    kind = rng.random()
    if head and kind < 0.1:
        return head  # no point
    if head and kind < 0.2:
        return head + "."  # ends with the point
    frac = ""
    size = rng.randint(1, 8)
    while len(frac) < size:
        pick = rng.random()
        if pick < 0.35:  # a run of fours closed by 5..9
            frac += "4" * rng.randint(0, 4) + str(rng.randint(5, 9))
        elif pick < 0.5:
            frac += "9" * rng.randint(1, 3)
        elif pick < 0.6:
            frac += "0" * rng.randint(1, 3)
        else:
            frac += str(rng.randint(0, 9))
    return head + "." + frac[:9]

def model_cases(clock):
    """What rounding_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out = ["100\n"]
    for t in range(99, -1, -1):
        r = rand()
        k = r % 10 + 1 if t % 20 else r % 100000 + 1
        out.append(f"{k}\n")
        if rand() & 1:
            x = rand() % 1000
        else:
            x = 0
        while x <= 9999:
            if not rand() & 1:
                break
            x *= 10
        head = f"{x - 1 if x else 0}."
        out.append(head)
        length = len(head)
        r = rand()
        budget = length + (r % 100 if k <= 19 else r % 100000)
        while length <= budget:
            r = rand() % 8
            if r == 0:
                if rand() % 3:
                    run = rand() % k
                else:
                    run = k + rand() % k
                if length + run <= budget:
                    out.append("4" * run)
                    length += run
                out.append(str(rand() % 5 + 5))
            elif r <= 3:
                out.append(str(rand() % 5))
            else:
                out.append(str(rand() % 10))
            length += 1
        out.append("\n")
    return "".join(out).encode()


class Rounding(harness.ProgramTest):
    def test_solver_against_brute_force(self):
        rng = random.Random(20261211)
        for f in range(20):
            cases = []
            for _ in range(100):
                s = random_number(rng)
                digits = len(s.partition(".")[2])
                m = rng.choice([0, 1, 1, 2, 2, 3, rng.randint(0, digits + 1), 100])
                cases.append((m, s))
            text = f"{len(cases)}\n" + "".join(f"{m} {s}\n" for m, s in cases)
            p = harness.run("rounding_solver", text)
            self.assertClean(p, f"file {f}")
            got = p.stdout.decode().split("\n")
            self.assertEqual(got.pop(), "", f"file {f}")
            self.assertEqual(len(got), len(cases), f"file {f}")
            for (m, s), g in zip(cases, got):
                self.assertEqual(g, brute(m, s), f"file {f}: m = {m}, number {s}")

    def test_generated_files_layout_and_ranges(self):
        big_counts = 0
        for clock in harness.SWEEP:
            text = harness.generated("rounding_cases", clock).decode()
            self.assertTrue(text.endswith("\n"))
            lines = text[:-1].split("\n")
            self.assertEqual(len(lines), 201, f"clock {clock}")
            self.assertEqual(lines[0], "100")
            for c in range(1, 101):
                kline, number = lines[2 * c - 1], lines[2 * c]
                where = f"clock {clock}, case {c}"
                k = int(kline)
                self.assertEqual(kline, str(k), where)
                self.assertTrue(1 <= k <= (100000 if c % 20 == 0 else 10), where)
                big_counts += k > 10
                head, point, frac = number.partition(".")
                self.assertEqual(point, ".", where)
                self.assertEqual(head, str(int(head)), where)  # "%d": no leading zeros
                self.assertTrue(0 <= int(head) <= 99899, where)
                self.assertTrue(frac.isdigit() and frac.isascii(), where)
                self.assertTrue(1 <= len(frac) <= (100 if k <= 19 else 100000), where)
        # the large counts do come up on their cases
        self.assertGreater(big_counts, 0)

    def test_generator_draw_order(self):
        self.assertMatchesModel("rounding_cases", model_cases, CLOCKS[:10])

    def test_generator_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("rounding_cases", CLOCKS[1:7])

    def test_solver_answers_generated_files(self):
        for clock in harness.SWEEP:
            text = harness.generated("rounding_cases", clock).decode()
            p = harness.run("rounding_solver", text)
            self.assertClean(p, f"clock {clock}")
            got = p.stdout.decode().split("\n")
            self.assertEqual(got.pop(), "")
            self.assertEqual(len(got), 100, f"clock {clock}")
            lines = text.split("\n")
            for c in range(100):
                k, number = int(lines[2 * c + 1]), lines[2 * c + 2]
                # the brute force is quick enough on the shorter fractions
                if len(number) <= 30:
                    self.assertEqual(got[c], brute(k, number),
                                     f"clock {clock}, case {c + 1}: {k} {number}")

    def test_stress_finds_a_number_without_its_integer_part(self):
        """The maker draws numbers that begin with their point often enough that pset stress
        finds, in its first rounds, a submission writing .1 as 0.1, and shrinks the failure
        to one such number."""
        sub = os.path.join(BUILD, "submissions", "rounding", "wrong_answer", "empty_integer_part")
        with tempfile.TemporaryDirectory() as tmp:
            p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"), "--build-dir",
                                BUILD, "stress", "rounding", "--seed", "1", "--rounds", "3",
                                "--jobs", "1", "--out", tmp, "--", sub],
                               capture_output=True, text=True, timeout=300)
            self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
            self.assertIn("mismatch under seed 1: ", p.stdout)
            with open(os.path.join(tmp, "stress", "rounding-1", "shrunk.in")) as fh:
                count, m, number = fh.read().split()
        self.assertEqual(count, "1")
        self.assertTrue(number.startswith("."), number)
        got = subprocess.run([sub], input=f"1\n{m}\n{number}\n", capture_output=True,
                             text=True).stdout
        self.assertEqual(got, "0" + brute(int(m), number) + "\n")


if __name__ == "__main__":
    harness.main()
