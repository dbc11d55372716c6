"""Ratio product: both solvers on a file asking every n from 1 to 1000, against each other
byte for byte and against the product computed exactly."""

import os
from fractions import Fraction

import harness

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

if __name__ == "__main__":
    harness.main()
