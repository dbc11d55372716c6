"""Segment demolition: both solvers against a brute force, against each other on generated and
maximum-size files, and the generator's layout, ranges and draw order under pinned clocks."""

import os
import random
import subprocess
import sys
import tempfile

import harness

SOLVERS = ("demolish_solver", "demolish_solver_dsu")
CLOCKS = harness.CLOCKS
BUILD = os.path.dirname(harness.BIN_DIR)


def brute(values, order):
    """The best run after each destruction, recomputed from scratch every time."""
    alive = [True] * len(values)
    out = []
    for p in order:
        alive[p - 1] = False
        best = run = 0
        for v, live in zip(values, alive):
            run = run + v if live else 0
            best = max(best, run)
        out.append(best)
    return out


def write_file(cases):
    lines = [str(len(cases))]
    for values, order in cases:
        lines += [str(len(values)), " ".join(map(str, values)), " ".join(map(str, order))]
    return "\n".join(lines) + "\n"


def model_cases(clock):
    """What demolish_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out = ["10"]
    for t in range(9, -1, -1):
        n = rand() % 100000 + 1 if t > 8 else rand() % 100 + 1
        values = [rand() % 1000000000 for _ in range(n)]
        b = list(range(1, n + 1))
        for i in range(1, n):
            r = rand() % (i + 1)
            if r != i:
                b[i], b[r] = b[r], b[i]
        out += [str(n), " ".join(map(str, values)), " ".join(map(str, b))]
    return ("\n".join(out) + "\n").encode()


class Demolition(harness.ProgramTest):
    def test_solvers_against_brute_force(self):
        rng = random.Random(20261209)
        for f in range(40):
            cases = []
            for _ in range(rng.randint(1, 12)):
                n = rng.randint(1, 12)
                top = rng.choice([0, 1, 3, 20, 10**9])
                values = [rng.randint(0, top) for _ in range(n)]
                order = list(range(1, n + 1))
                rng.shuffle(order)
                cases.append((values, order))
            text = write_file(cases)
            want = "".join(f"{x}\n" for values, order in cases for x in brute(values, order))
            for prog in SOLVERS:
                p = harness.run(prog, text)
                self.assertClean(p, f"{prog} on file {f}")
                self.assertEqual(p.stdout.decode(), want, f"{prog} on file {f}:\n{text}")

    def test_generated_files_layout_and_ranges(self):
        for clock in harness.SWEEP:
            text = harness.generated("demolish_cases", clock).decode()
            self.assertTrue(text.endswith("\n"))
            lines = text[:-1].split("\n")
            self.assertEqual(len(lines), 31, f"clock {clock}")
            self.assertEqual(lines[0], "10")
            for c in range(10):
                nline, vline, oline = lines[1 + 3 * c: 4 + 3 * c]
                where = f"clock {clock}, case {c + 1}"
                n = int(nline)
                self.assertEqual(nline, str(n), where)
                self.assertTrue(1 <= n <= (100000 if c == 0 else 100), where)
                for line in (vline, oline):
                    # single blanks: splitting on one blank leaves no empty item
                    self.assertNotIn("", line.split(" "), where)
                values = [int(v) for v in vline.split(" ")]
                order = [int(v) for v in oline.split(" ")]
                self.assertEqual(len(values), n, where)
                self.assertTrue(all(0 <= v <= 999999999 for v in values), where)
                self.assertEqual(sorted(order), list(range(1, n + 1)), where)

    def test_generator_draw_order(self):
        self.assertMatchesModel("demolish_cases", model_cases, CLOCKS[:12])

    def test_generator_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("demolish_cases", CLOCKS[1:7])

    def test_solvers_agree_on_generated_files(self):
        for clock in harness.SWEEP:
            text = harness.generated("demolish_cases", clock)
            out = self.assertSolversAgree(SOLVERS, text, f"under clock {clock}")
            # one line per position of every case
            ns = [int(x) for x in text.decode().split("\n")[1:-1:3]]
            self.assertEqual(out.count(b"\n"), sum(ns))

    def test_solvers_agree_on_maximum_size_file(self):
        rng = random.Random(7)
        order = list(range(1, 100001))
        rng.shuffle(order)
        values = [rng.randint(0, 999999999) for _ in range(100000)]
        text = write_file([(values, order)])
        out = self.assertSolversAgree(SOLVERS, text)
        self.assertEqual(out.count(b"\n"), 100000)

    def test_stress_finds_sums_past_32_bits(self):
        """The maker draws values at the top of their range often enough that pset stress
        finds, in its first rounds, a submission keeping run sums in 32 bits, and shrinks the
        failure to one case whose largest run passes 2^31 - 1."""
        sub = os.path.join(BUILD, "submissions", "demolition", "wrong_answer", "int_sums")
        with tempfile.TemporaryDirectory() as tmp:
            p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"), "--build-dir",
                                BUILD, "stress", "demolition", "--seed", "1", "--rounds", "3",
                                "--jobs", "1", "--shrink-seconds", "2", "--out", tmp, "--", sub],
                               capture_output=True, text=True, timeout=300)
            self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
            self.assertIn("mismatch under seed 1: ", p.stdout)
            with open(os.path.join(tmp, "stress", "demolition-1", "shrunk.in")) as fh:
                lines = fh.read().split("\n")
        self.assertEqual(lines[0], "1")
        values = [int(v) for v in lines[2].split()]
        order = [int(v) for v in lines[3].split()]
        self.assertGreater(max(brute(values, order)), 2**31 - 1)
        got = subprocess.run([sub], input="\n".join(lines), capture_output=True, text=True)
        self.assertNotEqual(got.stdout, "".join(f"{x}\n" for x in brute(values, order)))


if __name__ == "__main__":
    harness.main()
