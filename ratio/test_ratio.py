"""Ratio product: both solvers on a file asking every n from 1 to 1000, against each other
byte for byte and against the product computed exactly; stress on the maker's queries finds a
submission whose table stops one short of n = 1000."""

import os
import tempfile
from fractions import Fraction

import harness
from test_pset import BUILD, pset

SOLVERS = ("ratio_solver", "ratio_solver_stream")


class Ratio(harness.ProgramTest):
    def test_every_n_exactly_and_alike(self):
        text = "1000\n" + "".join(f"{n}\n" for n in range(1, 1001))
        lines = self.assertSolversAgree(SOLVERS, text).decode().split("\n")
        self.assertEqual(lines.pop(), "")
        self.assertEqual(len(lines), 1000)
        exact = Fraction(1)
        for n, line in enumerate(lines, 1):
            if n > 1:
                exact *= Fraction(2 * n - 2, 2 * n - 1)
            ip, dot, frac = line.partition(".")
            self.assertTrue(ip in ("0", "1") and dot and len(frac) == 10 and frac.isdigit(),
                            f"n = {n}: {line!r}")
            # within half a unit of the tenth decimal: the exact product rounded, so within
            # 1e-10 as well
            self.assertLessEqual(abs(Fraction(line) - exact), Fraction(1, 2 * 10**10),
                                 f"n = {n}: {line}")

    def test_answers_follow_the_order_asked(self):
        every = harness.run("ratio_solver", "1000\n" + "".join(f"{n}\n" for n in range(1, 1001)))
        self.assertClean(every, "every n")
        line = every.stdout.split(b"\n")
        order = [1000 - 7 * k for k in range(143)] + [1, 500, 1]
        text = f"{len(order)}\n" + " ".join(map(str, order)) + "\n"
        want = b"".join(line[n - 1] + b"\n" for n in order)
        for prog in SOLVERS:
            p = harness.run(prog, text)
            self.assertClean(p, prog)
            self.assertEqual(p.stdout, want, prog)

    def test_stress_finds_the_last_query_missing(self):
        """The maker asks n = 1000, the largest query, often, so a table that stops at 999
        fails in the first round."""
        sub = os.path.join(BUILD, "submissions", "ratio", "wrong_answer", "table_999")
        with tempfile.TemporaryDirectory() as tmp:
            p = pset("stress", "ratio", "--seed", "1", "--rounds", "3", "--jobs", "1",
                     "--shrink-seconds", "2", "--out", tmp, "--", sub)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertRegex(p.stdout, r"table_999'? answered differently")


if __name__ == "__main__":
    harness.main()
