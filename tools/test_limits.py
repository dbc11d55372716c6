"""A problem's limits, stated once in problem.toml: the header the validator is built with,
the bounds a statement names, and the capacity that bounds a second solver's cross-check."""

import os
import subprocess
import tempfile
import types
import unittest

import harness  # noqa: F401 - finds psetlib
from psetlib import limits
from psetlib.problems import Limit


def fake(*bounds):
    return types.SimpleNamespace(name="toy", title="Toy", limits={b.name: b for b in bounds})


TOY = fake(Limit("T", 1, 200000, "cases"), Limit("l", 0, 1e9, "distance", min_excluded=True),
           Limit("x", -261450, 261450.5, "coordinate"))


class Limits(unittest.TestCase):
    def test_header_gives_the_validator_every_bound(self):
        """The header compiles, and a program built with it sees each bound with its type."""
        with tempfile.TemporaryDirectory() as tmp:
            with open(os.path.join(tmp, "problem_limits.h"), "w") as fh:
                fh.write(limits.header(TOY))
            with open(os.path.join(tmp, "t.cpp"), "w") as fh:
                fh.write('#include <cstdio>\n#include "problem_limits.h"\n'
                         'int main() { printf("%lld %lld %.1f %d %.1f %lld\\n", bound::T_min, '
                         "bound::T_max, bound::l_max, (int)bound::l_min_excluded, bound::x_max, "
                         "(long long)sizeof(bound::T_max)); }\n")
            subprocess.run(["g++", "-std=c++20", "-Wall", "-Wextra", "-Werror", "t.cpp", "-o",
                            "t"], cwd=tmp, check=True, timeout=120)
            out = subprocess.run(["./t"], cwd=tmp, capture_output=True, text=True).stdout
        self.assertEqual(out, "1 200000 1000000000.0 1 261450.5 8\n")

    def test_statement_names_the_bounds(self):
        text = "$1 \\le T \\le {{T.max}}$, $0 < l \\le {{ l.max }}$, x from {{x.min}}."
        self.assertEqual(limits.fill(TOY, text, "s"),
                         "$1 \\le T \\le 200000$, $0 < l \\le 1000000000$, x from -261450.")
        with self.assertRaisesRegex(ValueError, r"s: \{\{n.max\}\} names no limit"):
            limits.fill(TOY, "{{n.max}}", "s")
        self.assertEqual(limits.fill(TOY, "{{T}} {T.max}", "s"), "{{T}} {T.max}")

    def test_capacity_bounds_the_cross_check(self):
        cap = {"length": 510}
        self.assertTrue(limits.within(cap, {"T": (1, 100), "length": (2, 510)}))
        self.assertFalse(limits.within(cap, {"T": (1, 100), "length": (2, 512)}))
        self.assertTrue(limits.within(cap, {"T": (0, 0)}))  # no word at all
        self.assertTrue(limits.within({}, {"length": (2, 10000)}))


if __name__ == "__main__":
    harness.main()
