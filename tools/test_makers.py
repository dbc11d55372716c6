"""The problems' makers of small random cases (`<problem>/maker.py`): their files follow each
problem's strict layout and limits (checked here, apart from the makers' own code) and are
answered cleanly by the solvers; split and join give the file back; every shrink variant is
valid and smaller; and the corners each maker is for come up within a few files."""

import importlib.util
import os
import random
import re
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

sys.path.insert(0, harness.ROOT)
from psetlib.shrink import measure  # noqa: E402

PROBLEMS = ["demolition", "rounding", "banner", "shuttle", "trend", "sudoku", "mirror", "rings",
            "extrema", "ratio", "constant"]
SOLVERS = {"demolition": ["demolish_solver", "demolish_solver_dsu"],
           "rounding": ["rounding_solver"], "banner": ["banner_solver"],
           "shuttle": ["shuttle_solver"], "trend": ["trend_solver"],
           "sudoku": ["sudoku_validator"], "mirror": ["mirror_solver", "mirror_solver_scan"],
           "rings": ["ring_solver"], "extrema": ["extrema_solver"],
           "ratio": ["ratio_solver", "ratio_solver_stream"], "constant": ["constant_answer"]}
SIZES = [1, 2, 3, 8, 40]
SEEDS = range(8)
CASES = 40


def load(problem):
    path = os.path.join(harness.ROOT, problem, "maker.py")
    spec = importlib.util.spec_from_file_location(f"maker_{problem}", path)
    mod = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(mod)
    return mod


MAKERS = {p: load(p) for p in PROBLEMS}

INT = re.compile(r"-?(0|[1-9][0-9]*)")
REAL = re.compile(r"(0|[1-9][0-9]*)(\.[0-9]*[1-9])?")  # plain, no trailing zero after a point
PLAIN = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?")  # a signed plain real


def num(tok, lo, hi, what):
    assert INT.fullmatch(tok) and tok != "-0", f"{what}: {tok!r} is not a plain integer"
    v = int(tok)
    assert lo <= v <= hi, f"{what}: {v} is outside {lo}..{hi}"
    return v


def lines_of(text):
    """The lines of a file in the strict layout: every line ends in a line end, no CR, no empty
    line, single blanks between items and none at a line's ends."""
    assert "\r" not in text and text.endswith("\n"), "CR or no final line end"
    lines = text[:-1].split("\n")
    for line in lines:
        assert line and line == line.strip(" ") and "  " not in line and "\t" not in line, \
            f"layout of line {line!r}"
    return lines


def cases_of(text, per_case):
    """The count line and the cases, each `per_case` lines."""
    lines = lines_of(text)
    t = num(lines[0], 0, 100000, "case count")
    assert len(lines) == 1 + per_case * t, f"{len(lines) - 1} lines after a count of {t}"
    return [lines[1 + i * per_case:1 + (i + 1) * per_case] for i in range(t)]


def is_cycle_run(vals):
    steps = [b - a for a, b in zip(vals, vals[1:])]
    return all(abs(s) == 1 for s in steps) and all(
        s == t or v in (1, 30) for s, t, v in zip(steps, steps[1:], vals[1:]))


# Per problem: the checker of a whole file, which returns its parsed cases.

def check_demolition(text, size):
    out = []
    for n, vals, order in cases_of(text, 3):
        n = num(n, 1, min(size, 100000), "n")
        vals = [num(v, 0, 999999999, "value") for v in vals.split(" ")]
        order = [num(p, 1, n, "position") for p in order.split(" ")]
        assert len(vals) == n and sorted(order) == list(range(1, n + 1)), "not n values and a permutation"
        out.append((vals, order))
    return out


def check_rounding(text, size):
    out = []
    for (line,) in cases_of(text, 1):
        m, number = line.split(" ")
        m = num(m, 0, 2147483647, "m")
        assert re.fullmatch(r"[0-9]*(\.[0-9]*)?", number) and re.search("[0-9]", number), number
        ip, _, fp = number.partition(".")
        assert len(ip) <= size and len(fp) <= size and len(number) <= 200006, number
        out.append((m, number))
    return out


def check_banner(text, size):
    out = []
    for (word,) in cases_of(text, 1):
        assert re.fullmatch(r"[0-9]{1,9}", word) and len(word) <= size, word
        out.append(word)
    return out


def check_shuttle(text, size):
    out = []
    for (line,) in cases_of(text, 1):
        n, l, vw, vs, k = line.split(" ")
        n, k = num(n, 1, size, "n"), num(k, 1, size, "k")
        reals = []
        for r in (l, vw, vs):
            assert REAL.fullmatch(r) and 0 < float(r) <= 1000, f"real {r!r}"
            reals.append(float(r))
        out.append((n, *reals, k, line))
    return out


def check_trend(text, size):
    out = []
    for n, vals in cases_of(text, 2):
        n = num(n, 1, min(size, 201), "n")
        vals = [num(v, 1, 30, "value") for v in vals.split(" ")]
        assert len(vals) == n and is_cycle_run(vals), f"not a run of the cycle: {vals}"
        out.append(vals)
    return out


def check_sudoku(text, size):
    out = []
    for rows in cases_of(text, 9):
        grid = [[num(v, 0, 9, "cell") for v in row.split(" ")] for row in rows]
        assert all(len(row) == 9 for row in grid), "a row of other than nine values"
        out.append(grid)
    return out


def check_mirror(text, size):
    out = []
    for (word,) in cases_of(text, 1):
        assert re.fullmatch(r"([a-z][a-z]){1,128}", word) and len(word) <= max(2, size), word
        out.append(word)
    return out


def check_rings(text, size):
    out = []
    for (line,) in cases_of(text, 1):
        x, y = line.split(" ")
        for c in (x, y):
            assert PLAIN.fullmatch(c) and c != "-0" and abs(float(c)) <= 159, f"coordinate {c!r}"
        out.append((float(x), float(y)))
    return out


def check_extrema(text, size):
    out = []
    for (line,) in cases_of(text, 1):
        n, *vals = line.split(" ")
        n = num(n, 0, min(size, 107), "n")
        vals = [num(v, -2**31, 2**31 - 1, "value") for v in vals]
        assert len(vals) == n, f"{len(vals)} values for n = {n}"
        out.append(vals)
    return out


def check_ratio(text, size):
    return [num(line, 1, 1000, "query") for (line,) in cases_of(text, 1)]


def check_constant(text, size):
    assert text == "", "the input is not empty"
    return []


CHECK = {p: globals()[f"check_{p}"] for p in PROBLEMS}


def answers(problem, text):
    """The reference solver's answer lines; every solver of the problem must run cleanly and
    the second solvers agree with it."""
    outs = []
    for prog in SOLVERS[problem]:
        p = harness.run(prog, text)
        assert p.returncode == 0 and p.stderr == b"", \
            f"{prog}: status {p.returncode}, {p.stderr[:300]!r} on\n{text[:600]}"
        outs.append(p.stdout)
    if problem != "mirror":  # the mirror words are all even, so its solvers agree too
        assert all(o == outs[0] for o in outs), f"{SOLVERS[problem]} disagree on\n{text[:600]}"
    return outs[0].decode().split("\n")[:-1]


# Corners: per problem, (name, test on one file's parsed cases and answers, the max_size asked).
PI = 3.141592653589793
CORNERS = {
    "demolition": [
        ("n = 1", lambda cs, a: any(len(v) == 1 for v, o in cs), 8),
        ("n = max_size", lambda cs, a: any(len(v) == 8 for v, o in cs), 8),
        ("all values 0", lambda cs, a: any(len(v) > 1 and not any(v) for v, o in cs), 8),
        ("one nonzero value throughout", lambda cs, a: any(len(v) > 1 and len(set(v)) == 1 and v[0] for v, o in cs), 8),
        ("a sum past 32 bits", lambda cs, a: any(sum(v) > 2**32 for v, o in cs), 8),
        ("value 999999999", lambda cs, a: any(999999999 in v for v, o in cs), 8),
        ("the chain order n, 1, n-1, ..., 2",
         lambda cs, a: any(len(o) >= 4 and o == [len(o), 1] + list(range(len(o) - 1, 1, -1)) for v, o in cs), 8),
    ],
    "rounding": [
        ("m = 0", lambda cs, a: any(m == 0 for m, x in cs), 8),
        ("m = 2147483647", lambda cs, a: any(m == 2147483647 for m, x in cs), 8),
        ("no point", lambda cs, a: any("." not in x for m, x in cs), 8),
        ("a point at the end", lambda cs, a: any(x.endswith(".") for m, x in cs), 8),
        ("a point at the start", lambda cs, a: any(x.startswith(".") for m, x in cs), 8),
        ("leading zeros", lambda cs, a: any(re.match(r"0[0-9]", x) for m, x in cs), 8),
        ("trailing zeros after the point", lambda cs, a: any(re.search(r"\.[0-9]*0$", x) for m, x in cs), 8),
        ("a carry into a new leading digit",
         lambda cs, a: any(len(ans.split(".")[0]) > len(x.split(".")[0]) for (m, x), ans in zip(cs, a)), 8),
        ("an integer part past 19 digits", lambda cs, a: any(len(x.split(".")[0]) >= 20 for m, x in cs), 30),
        ("a chain of roundings through a run of fours",
         lambda cs, a: any(m >= 2 and re.search(r"\.[0-9]*44[5-9]", x) for m, x in cs), 8),
    ],
    "banner": [
        ("one digit", lambda cs, a: any(len(w) == 1 for w in cs), 9),
        ("nine digits", lambda cs, a: any(len(w) == 9 for w in cs), 9),
        ("a leading zero", lambda cs, a: any(len(w) > 1 and w[0] == "0" for w in cs), 9),
        ("one digit throughout", lambda cs, a: any(len(w) > 1 and len(set(w)) == 1 for w in cs), 9),
    ],
    "shuttle": [
        ("vw = vs", lambda cs, a: any(c[2] == c[3] for c in cs), 8),
        ("vw > vs", lambda cs, a: any(c[2] > c[3] for c in cs), 8),
        ("vs just above vw", lambda cs, a: any(0 < c[3] - c[2] < 0.011 for c in cs), 8),
        ("n = 1", lambda cs, a: any(c[0] == 1 for c in cs), 8),
        ("k = 1 < n", lambda cs, a: any(c[4] == 1 < c[0] for c in cs), 8),
        ("k > n", lambda cs, a: any(c[4] > c[0] for c in cs), 8),
        ("n a multiple of k > 1", lambda cs, a: any(c[0] > c[4] > 1 and c[0] % c[4] == 0 for c in cs), 8),
        ("a real with decimals", lambda cs, a: any("." in c[5] for c in cs), 8),
    ],
    "trend": [
        ("n = 1 at 1", lambda cs, a: any(v == [1] for v in cs), 8),
        ("n = 1 at 30", lambda cs, a: any(v == [30] for v in cs), 8),
        ("n = 1 inside", lambda cs, a: any(len(v) == 1 and 1 < v[0] < 30 for v in cs), 8),
        ("ending at 1", lambda cs, a: any(len(v) > 1 and v[-1] == 1 for v in cs), 8),
        ("ending at 30", lambda cs, a: any(len(v) > 1 and v[-1] == 30 for v in cs), 8),
        ("a turn inside", lambda cs, a: any(x in (1, 30) for v in cs for x in v[1:-1]), 8),
        ("n = max_size", lambda cs, a: any(len(v) == 8 for v in cs), 8),
    ],
    "sudoku": [
        ("Accepted", lambda cs, a: "Accepted" in a, 8),
        ("Wrong Answer", lambda cs, a: "Wrong Answer" in a, 8),
        ("rows and columns right, a box wrong",
         lambda cs, a: any(all(len(set(r)) == 9 for r in g) and all(len(set(c)) == 9 for c in zip(*g))
                           and ans == "Wrong Answer" for g, ans in zip(cs, a)), 8),
        ("a zero in an accepted grid", lambda cs, a: any(any(0 in r for r in g) and ans == "Accepted"
                                                         for g, ans in zip(cs, a)), 8),
    ],
    "mirror": [
        ("one block", lambda cs, a: any(len(w) == 2 for w in cs), 8),
        ("the longest word", lambda cs, a: any(len(w) == 8 for w in cs), 8),
        ("Yes and No", lambda cs, a: "Yes" in a and "No" in a, 8),
        ("256 letters", lambda cs, a: any(len(w) == 256 for w in cs), 300),
        ("a letter palindrome that is no pair mirror",
         lambda cs, a: any(w == w[::-1] and ans == "No" for w, ans in zip(cs, a)), 8),
        ("one letter throughout", lambda cs, a: any(len(w) > 2 and len(set(w)) == 1 for w in cs), 8),
    ],
    "rings": [
        ("the origin", lambda cs, a: (0.0, 0.0) in cs, 8),
        ("below the axis", lambda cs, a: any(y < 0 for x, y in cs), 8),
        ("on the axis", lambda cs, a: any(y == 0 and x != 0 for x, y in cs), 8),
        ("ring 730", lambda cs, a: "730" in a, 8),
        ("beyond ring 730", lambda cs, a: any(y >= 0 and ans == "inf" for (x, y), ans in zip(cs, a)), 8),
        ("halves", lambda cs, a: any(abs(x) % 1 == 0.5 for x, y in cs), 8),
        ("on a ring's edge, within the tolerance", lambda cs, a: any(
            0 < abs((x * x + y * y) * PI / 100 - round((x * x + y * y) * PI / 100)) < 1e-12
            for x, y in cs), 8),
        ("near a ring's edge, beyond float precision", lambda cs, a: any(
            1e-9 < abs((x * x + y * y) * PI / 100 - round((x * x + y * y) * PI / 100)) < 1e-4
            for x, y in cs), 8),
        ("below the axis within the tolerance", lambda cs, a: any(-1e-10 < y < 0 for x, y in cs), 8),
        ("below the axis past the tolerance",
         lambda cs, a: any(-1e-8 < y < -1e-10 and ans == "inf" for (x, y), ans in zip(cs, a)), 8),
    ],
    "extrema": [
        ("n = 0", lambda cs, a: [] in cs, 8),
        ("n = 1", lambda cs, a: any(len(v) == 1 for v in cs), 8),
        ("n = 2", lambda cs, a: any(len(v) == 2 for v in cs), 8),
        ("n = max_size", lambda cs, a: any(len(v) == 8 for v in cs), 8),
        ("both ends of 32 bits", lambda cs, a: any(-2**31 in v and 2**31 - 1 in v for v in cs), 8),
        ("equal neighbours", lambda cs, a: any(x == y for v in cs for x, y in zip(v, v[1:])), 8),
        ("every inner position counts", lambda cs, a: any(len(v) >= 5 and int(ans) == len(v) - 2
                                                          for v, ans in zip(cs, a)), 8),
    ],
    "ratio": [
        ("n = 1", lambda cs, a: 1 in cs, 8),
        ("n = 1000", lambda cs, a: 1000 in cs, 8),
        ("a query asked twice", lambda cs, a: len(set(cs)) < len(cs), 8),
    ],
    "constant": [],
}


class Makers(unittest.TestCase):
    def test_files_are_valid_and_answered(self):
        """Every made file, for many seeds and sizes, follows the strict layout and limits,
        splits and joins back to itself, and the solvers answer it cleanly."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            for size in SIZES:
                texts = [maker.make(random.Random(seed), CASES, size) for seed in SEEDS]
                for seed, text in zip(SEEDS, texts):
                    with self.subTest(problem=problem, size=size, seed=seed):
                        cases = CHECK[problem](text, size)
                        self.assertEqual(len(cases), 0 if problem == "constant" else CASES)
                        self.assertEqual(maker.join(maker.split(text)), text)
                        self.assertEqual(len(maker.split(text)), len(cases))
                with self.subTest(problem=problem, size=size):
                    whole = maker.join([c for t in texts for c in maker.split(t)])
                    answers(problem, whole)

    def test_no_cases(self):
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            text = maker.make(random.Random(1), 0, 8)
            self.assertEqual(text, "" if problem == "constant" else "0\n", problem)
            self.assertEqual(maker.split(text), [], problem)
            self.assertEqual(maker.join([]), text, problem)

    def test_same_seed_same_file(self):
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            a, b = (maker.make(random.Random(77), 30, 8) for _ in range(2))
            self.assertEqual(a, b, problem)
            if problem != "constant":
                self.assertNotEqual(a, maker.make(random.Random(78), 30, 8), problem)

    def test_split_refuses_other_files(self):
        for problem in PROBLEMS:
            text = MAKERS[problem].make(random.Random(5), 3, 4)
            for bad in (text + "1\n", text[:-1] if text else "x\n"):
                with self.subTest(problem=problem, bad=bad[-20:]):
                    with self.assertRaises(ValueError):
                        MAKERS[problem].split(bad)

    def test_shrink_variants_are_valid_and_smaller(self):
        """Every variant of a case is valid by the strict checks and by the solvers, and smaller
        than the case; the first one, the most aggressive, is among the smallest."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            for size in (3, 8, 40):
                variants = []
                for case in maker.split(maker.make(random.Random(size), 25, size)):
                    size_case = measure(case)
                    mine = list(maker.shrink(case))
                    for v in mine:
                        with self.subTest(problem=problem, case=case, variant=v):
                            CHECK[problem](maker.join([v]), size)
                            self.assertLess(measure(v), size_case)
                    variants += mine
                    if mine:
                        self.assertLessEqual(measure(mine[0])[0], min(measure(v)[0] for v in mine))
                if variants:
                    answers(problem, maker.join(variants))

    def test_shrink_reaches_the_smallest_case(self):
        """Taking the first variant again and again ends at the problem's smallest case."""
        smallest = {"demolition": "1\n0\n1\n", "rounding": "0 0\n", "banner": "0\n",
                    "shuttle": "1 1 1 1 1\n", "trend": "1\n1\n", "sudoku": "0 0 0 0 0 0 0 0 0\n" * 9,
                    "mirror": "aa\n", "rings": "0 0\n", "extrema": "0\n", "ratio": "1\n"}
        for problem, want in smallest.items():
            for case in MAKERS[problem].split(MAKERS[problem].make(random.Random(3), 20, 8)):
                while True:
                    nxt = [v for v in MAKERS[problem].shrink(case)]
                    if not nxt:
                        break
                    case = min(nxt, key=measure)
                with self.subTest(problem=problem):
                    self.assertEqual(case, want)

    def test_corners_come_up(self):
        """Each corner shows up in at least one of 20 files of 50 cases."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            files = {}
            for name, test, size in CORNERS[problem]:
                if size not in files:
                    files[size] = []
                    for seed in range(20):
                        text = maker.make(random.Random(1000 + seed), 50, size)
                        files[size].append((CHECK[problem](text, size), answers(problem, text)))
                with self.subTest(problem=problem, corner=name):
                    self.assertTrue(any(test(cs, a) for cs, a in files[size]),
                                    f"{problem}: no file of 20 has {name}")


if __name__ == "__main__":
    harness.main()
