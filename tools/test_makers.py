"""The problems' makers of small random cases (`<problem>/maker.py`): their files pass each
problem's input validator and are answered cleanly by the solvers, the second solvers agreeing
as the manifest says; split and join give the file back; every shrink variant is valid and
smaller. Every problem with a solver is walked, as its manifest has it.

Where this file knows a problem's layout (a function check_<problem>, apart from the makers'
own code and its validator), it also checks each case against max_size, and the corners each
maker is for (CORNERS) and the smallest case its shrinking ends at (SMALLEST) come up."""

import itertools
import os
import random
import re
import tempfile
import unittest

import harness

from psetlib import compare, limits, problems, validator
from psetlib.shrink import measure

# every problem with a solver has a maker; its solvers answer the maker's files
MANIFESTS = {p.name: p for p in problems.all_problems() if p.solver}
PROBLEMS = list(MANIFESTS)
SOLVERS = {name: [str(p.solver)] + p.second for name, p in MANIFESTS.items()}
SIZES = [1, 2, 3, 8, 40]
# the seeds of each size; in make check's sanitizer tree the first three, where a program's
# start alone costs some 50 ms and the other seeds' files run the same code (all of them under
# CHECK_DEEP, as harness.SWEEP)
SEEDS = range(3) if harness.SANITIZED and not harness.DEEP else range(8)
CASES = 40


MAKERS = {p: problems.load_script(os.path.join(harness.ROOT, p, "maker.py")) for p in PROBLEMS}

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
        assert len(vals) == n and sorted(order) == list(range(1, n + 1)), \
            "not n values and a permutation"
        out.append((vals, order))
    return out


def check_rounding(text, size):
    out = []
    for m, number in cases_of(text, 2):
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
    # a share of the cases lies at the limits, whatever max_size: n and k up to 10^9
    out = []
    for (line,) in cases_of(text, 1):
        n, l, vw, vs, k = line.split(" ")
        n, k = num(n, 1, 10**9, "n"), num(k, 1, 10**9, "k")
        reals = []
        for r in (l, vw, vs):
            assert REAL.fullmatch(r) and 1 <= float(r) <= 10**9, f"real {r!r}"
            assert len(r.partition(".")[2]) <= 6, f"real {r!r}"
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
            assert PLAIN.fullmatch(c) and c != "-0" and abs(float(c)) <= 261450, \
                f"coordinate {c!r}"
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
    return [num(line, 1, 1000000000, "number") for (line,) in cases_of(text, 1)]


# The checks of the layouts this file knows, by problem (None: the validator alone).
CHECK = {p: globals().get(f"check_{p}") for p in PROBLEMS}


def valid(problem, text):
    """The problem's input validator accepts the file; returns the limits it reached."""
    check = harness.program(MANIFESTS[problem].input_check)
    ok, msg, reached = validator.check(check, text.encode())
    assert ok, f"{os.path.basename(check)}: {msg} in\n{text[:600]}"
    return reached


def valid_cases(problem, cases):
    """The validator accepts the cases, joined CASES at a time (a file of CASES cases is
    within every problem's limits: the makers write such files)."""
    maker = MAKERS[problem]
    for k in range(0, len(cases), CASES):
        valid(problem, maker.join(cases[k:k + CASES]))


def answers(problem, text):
    """The reference solver's answer lines; every solver of the problem must run cleanly, and
    each second solver agree with it under the manifest's rule (`compare`) on every file
    within its capacity."""
    m = MANIFESTS[problem]
    reached = valid(problem, text) if m.capacity else {}
    outs = []
    for prog in SOLVERS[problem]:
        p = harness.run(prog, text)
        assert p.returncode == 0 and p.stderr == b"", \
            f"{prog}: status {p.returncode}, {p.stderr[:300]!r} on\n{text[:600]}"
        outs.append(p.stdout)
    with tempfile.TemporaryDirectory() as tmp:
        paths = []
        for k, data in enumerate([text.encode()] + outs):
            paths.append(os.path.join(tmp, str(k)))
            with open(paths[-1], "wb") as fh:
                fh.write(data)
        for prog, path in zip(SOLVERS[problem][1:], paths[2:]):
            if limits.within(m.capacity.get(prog, {}), reached):
                assert compare.agree(m, paths[0], paths[1], path), \
                    f"{prog} disagrees with {m.solver} on\n{text[:600]}"
    return outs[0].decode().split("\n")[:-1]


# Corners: per problem, (name, max_size asked, test of one parsed case and its answer line,
# which is None where a case's answer is not one line).
PI = 3.141592653589793


def edge_gap(x, y):
    """How far the point's scaled area is from the nearest whole number (a ring's edge)."""
    v = (x * x + y * y) * PI / 100
    return abs(v - round(v))


def chain(order):
    n = len(order)
    return n >= 4 and order == [n, 1] + list(range(n - 1, 1, -1))


def all_distinct(lines):
    return all(len(set(line)) == 9 for line in lines)


CORNERS = {
    "demolition": [
        ("n = 1", 8, lambda c, a: len(c[0]) == 1),
        ("n = max_size", 8, lambda c, a: len(c[0]) == 8),
        ("all values 0", 8, lambda c, a: len(c[0]) > 1 and not any(c[0])),
        ("one nonzero value throughout", 8,
         lambda c, a: len(set(c[0])) == 1 < len(c[0]) and c[0][0]),
        ("a sum past 32 bits", 8, lambda c, a: sum(c[0]) > 2**32),
        ("value 999999999", 8, lambda c, a: 999999999 in c[0]),
        ("the chain order n, 1, n-1, ..., 2", 8, lambda c, a: chain(c[1])),
    ],
    "rounding": [
        ("m = 0", 8, lambda c, a: c[0] == 0),
        ("m = 2147483647", 8, lambda c, a: c[0] == 2147483647),
        ("no point", 8, lambda c, a: "." not in c[1]),
        ("a point at the end", 8, lambda c, a: c[1].endswith(".")),
        ("a point at the start", 8, lambda c, a: c[1].startswith(".")),
        ("leading zeros", 8, lambda c, a: re.match(r"0[0-9]", c[1])),
        ("trailing zeros after the point", 8, lambda c, a: re.search(r"\.[0-9]*0$", c[1])),
        ("a carry into a new leading digit", 8,
         lambda c, a: len(a.split(".")[0]) > len(c[1].split(".")[0])),
        ("an integer part past 19 digits", 30, lambda c, a: len(c[1].split(".")[0]) >= 20),
        ("a chain of roundings through a run of fours", 8,
         lambda c, a: c[0] >= 2 and re.search(r"\.[0-9]*44[5-9]", c[1])),
    ],
    "banner": [
        ("one digit", 9, lambda c, a: len(c) == 1),
        ("nine digits", 9, lambda c, a: len(c) == 9),
        ("a leading zero", 9, lambda c, a: len(c) > 1 and c[0] == "0"),
        ("one digit throughout", 9, lambda c, a: len(c) > 1 and len(set(c)) == 1),
    ],
    "shuttle": [  # (n, l, vw, vs, k, line)
        ("vw = vs", 8, lambda c, a: c[2] == c[3]),
        ("vw > vs", 8, lambda c, a: c[2] > c[3]),
        ("vs just above vw", 8, lambda c, a: 0 < c[3] - c[2] < 0.011),
        ("n = 1", 8, lambda c, a: c[0] == 1),
        ("k = 1 < n", 8, lambda c, a: c[4] == 1 < c[0]),
        ("k > n", 8, lambda c, a: c[4] > c[0]),
        ("n a multiple of k > 1", 8, lambda c, a: c[0] > c[4] > 1 and c[0] % c[4] == 0),
        ("a real with decimals", 8, lambda c, a: "." in c[5]),
    ],
    "trend": [
        ("n = 1 at 1", 8, lambda c, a: c == [1]),
        ("n = 1 at 30", 8, lambda c, a: c == [30]),
        ("n = 1 inside", 8, lambda c, a: len(c) == 1 and 1 < c[0] < 30),
        ("ending at 1", 8, lambda c, a: len(c) > 1 and c[-1] == 1),
        ("ending at 30", 8, lambda c, a: len(c) > 1 and c[-1] == 30),
        ("a turn inside", 8, lambda c, a: 1 in c[1:-1] or 30 in c[1:-1]),
        ("n = max_size", 8, lambda c, a: len(c) == 8),
    ],
    "sudoku": [
        ("Accepted", 8, lambda c, a: a == "Accepted"),
        ("Wrong Answer", 8, lambda c, a: a == "Wrong Answer"),
        ("rows and columns right, a box wrong", 8,
         lambda c, a: all_distinct(c) and all_distinct(zip(*c)) and a == "Wrong Answer"),
        ("a zero in an accepted grid", 8, lambda c, a: any(0 in r for r in c) and a == "Accepted"),
    ],
    "mirror": [
        ("one block", 8, lambda c, a: len(c) == 2),
        ("the longest word", 8, lambda c, a: len(c) == 8),
        ("256 letters", 300, lambda c, a: len(c) == 256),
        ("Yes", 8, lambda c, a: a == "Yes"),
        ("No", 8, lambda c, a: a == "No"),
        ("a letter palindrome that is no pair mirror", 8, lambda c, a: c == c[::-1] and a == "No"),
        ("one letter throughout", 8, lambda c, a: len(c) > 2 and len(set(c)) == 1),
    ],
    "rings": [
        ("the origin", 8, lambda c, a: c == (0.0, 0.0)),
        ("below the axis", 8, lambda c, a: c[1] < 0),
        ("on the axis", 8, lambda c, a: c[1] == 0 and c[0] != 0),
        ("ring 730", 8, lambda c, a: a == "730"),
        ("beyond ring 730", 8, lambda c, a: c[1] >= 0 and a == "inf"),
        ("halves", 8, lambda c, a: abs(c[0]) % 1 == 0.5),
        ("on a ring's edge, within the tolerance", 8, lambda c, a: 0 < edge_gap(*c) < 1e-12),
        ("near a ring's edge, past float precision", 8, lambda c, a: 1e-9 < edge_gap(*c) < 1e-4),
        ("below the axis within the tolerance", 8, lambda c, a: -1e-10 < c[1] < 0),
        ("below the axis past the tolerance", 8, lambda c, a: -1e-8 < c[1] < -1e-10 and a == "inf"),
    ],
    "extrema": [
        ("n = 0", 8, lambda c, a: c == []),
        ("n = 1", 8, lambda c, a: len(c) == 1),
        ("n = 2", 8, lambda c, a: len(c) == 2),
        ("n = max_size", 8, lambda c, a: len(c) == 8),
        ("both ends of 32 bits", 8, lambda c, a: -2**31 in c and 2**31 - 1 in c),
        ("equal neighbours", 8, lambda c, a: any(x == y for x, y in zip(c, c[1:]))),
        ("every inner position counts", 8, lambda c, a: len(c) >= 5 and int(a) == len(c) - 2),
    ],
    "ratio": [
        ("n = 1", 8, lambda c, a: c == 1),
        ("n = 1000", 8, lambda c, a: c == 1000),
    ],
}

# The case each maker's shrinking ends at, taking the smallest variant again and again.
SMALLEST = {"demolition": "1\n0\n1\n", "rounding": "0\n0\n", "banner": "0\n",
            "shuttle": "1 1 1 1 1\n", "trend": "1\n1\n", "mirror": "aa\n",
            "sudoku": "0 0 0 0 0 0 0 0 0\n" * 9, "rings": "0 0\n", "extrema": "0\n",
            "ratio": "1\n"}


class Makers(unittest.TestCase):
    def test_what_this_file_knows_names_problems_of_the_set(self):
        """A layout check, corner or smallest case kept for a problem that is no longer in
        the set (or whose name is misspelt) would silently check nothing."""
        harness.walked("makers", PROBLEMS)
        known = {n[len("check_"):] for n in globals() if n.startswith("check_")}
        for name in sorted(known | set(CORNERS) | set(SMALLEST)):
            self.assertIn(name, PROBLEMS, f"test_makers knows {name!r}, not a problem with a "
                          "solver")

    def test_files_are_valid_and_answered(self):
        """Every made file, for many seeds and sizes, passes the validator (and the layout
        check this file knows), splits and joins back to itself, and the solvers answer it
        cleanly."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            for size in SIZES:
                texts = [maker.make(random.Random(seed), CASES, size) for seed in SEEDS]
                for seed, text in zip(SEEDS, texts):
                    with self.subTest(problem=problem, size=size, seed=seed):
                        valid(problem, text)
                        count = len(maker.split(text))
                        self.assertEqual(count, CASES)
                        self.assertEqual(maker.join(maker.split(text)), text)
                        if CHECK[problem]:
                            self.assertEqual(len(CHECK[problem](text, size)), count)
                with self.subTest(problem=problem, size=size):
                    whole = maker.join([c for t in texts for c in maker.split(t)])
                    answers(problem, whole)

    def test_no_cases(self):
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            text = maker.make(random.Random(1), 0, 8)
            self.assertEqual(text, "0\n", problem)
            self.assertEqual(maker.split(text), [], problem)
            self.assertEqual(maker.join([]), text, problem)

    def test_same_seed_same_file(self):
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            a, b = (maker.make(random.Random(77), 30, 8) for _ in range(2))
            self.assertEqual(a, b, problem)
            self.assertNotEqual(a, maker.make(random.Random(78), 30, 8), problem)

    def test_split_refuses_other_files(self):
        for problem in PROBLEMS:
            text = MAKERS[problem].make(random.Random(5), 3, 4)
            for bad in (text + "1\n", text[:-1] if text else "x\n"):
                with self.subTest(problem=problem, bad=bad[-20:]):
                    with self.assertRaises(ValueError):
                        MAKERS[problem].split(bad)

    def test_other_files_split_join_and_shrink(self):
        """The examples and the generators' files (their large cases included) split and join
        back to themselves, and the first variants of their cases are answered cleanly."""
        for problem in PROBLEMS:
            gen = MANIFESTS[problem].generator
            maker = MAKERS[problem]
            folder = os.path.join(harness.ROOT, problem, "examples")
            texts = {}
            for name in sorted(os.listdir(folder)):
                with open(os.path.join(folder, name)) as fh:
                    texts[name] = fh.read()
            if gen:
                texts["generated"] = harness.generated(gen, 1765000000).decode()
            for name, text in texts.items():
                with self.subTest(problem=problem, file=name):
                    cases = maker.split(text)
                    self.assertEqual(maker.join(cases), text)
                    variants = [v for c in cases for v in itertools.islice(maker.shrink(c), 12)]
                    self.assertTrue(all(measure(v) < measure(c) for c in cases
                                        for v in itertools.islice(maker.shrink(c), 12)))
                    if variants:
                        answers(problem, maker.join(variants))

    def test_shrink_variants_are_valid_and_smaller(self):
        """Every variant of a case is valid (the validator, the layout check this file knows)
        and answered by the solvers, and smaller than the case; the first one, the most
        aggressive, is among the smallest."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            for size in (3, 8, 40):
                variants = []
                for case in maker.split(maker.make(random.Random(size), 25, size)):
                    size_case = measure(case)
                    mine = list(maker.shrink(case))
                    for v in mine:
                        with self.subTest(problem=problem, case=case, variant=v):
                            if CHECK[problem]:
                                CHECK[problem](maker.join([v]), size)
                            self.assertLess(measure(v), size_case)
                    variants += mine
                    if mine:
                        self.assertLessEqual(measure(mine[0])[0], min(measure(v)[0] for v in mine))
                valid_cases(problem, variants)
                if variants:
                    answers(problem, maker.join(variants))

    def test_shrink_reaches_the_smallest_case(self):
        """Taking the smallest variant again and again ends, at a valid case: the problem's
        smallest where this file knows it, the same one from every case."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            ends = set()
            for case in maker.split(maker.make(random.Random(3), 20, 8)):
                for _ in range(10000):
                    nxt = list(maker.shrink(case))
                    if not nxt:
                        break
                    case = min(nxt, key=measure)
                else:
                    self.fail(f"{problem}: shrinking does not end")
                ends.add(case)
            with self.subTest(problem=problem):
                if ends:
                    self.assertEqual(len(ends), 1, f"{problem}: {sorted(ends)}")
                    valid(problem, maker.join(sorted(ends)))
                if problem in SMALLEST:
                    self.assertEqual(ends, {SMALLEST[problem]})

    def test_corners_come_up(self):
        """Each corner shows up in at least one of 20 files of 50 cases."""
        for problem in PROBLEMS:
            maker = MAKERS[problem]
            files = {}
            for name, size, test in CORNERS.get(problem, []):
                if size not in files:
                    files[size] = []
                    for seed in range(20):
                        text = maker.make(random.Random(1000 + seed), 50, size)
                        cases = CHECK[problem](text, size)
                        lines = answers(problem, text)
                        if len(lines) != len(cases):
                            lines = [None] * len(cases)
                        files[size] += zip(cases, lines)
                with self.subTest(problem=problem, corner=name):
                    self.assertTrue(any(test(c, a) for c, a in files[size]),
                                    f"{problem}: no file of 20 has {name}")


if __name__ == "__main__":
    harness.main()
