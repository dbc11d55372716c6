"""Trend: the generator's layout, kinds and draw order under pinned clocks, and the solver's
verdicts on generated files against the next value of the cycle; stress on the maker's cases
finds a submission that forgets the turns at 1 and 30."""

import os
import random
import tempfile

import harness
from test_pset import BUILD, pset

CLOCKS = harness.CLOCKS


def cycle_from(c, d, count):
    """`count` values of the cycle from c, moving by d, turning at 1 and 30."""
    out = []
    for _ in range(count):
        out.append(c)
        if c in (1, 30):
            d = -d
        c += d
    return out


def is_run(vals):
    """Whether values of 1..30 follow the cycle: steps of one, turning only at 1 and 30."""
    for i in range(1, len(vals)):
        if abs(vals[i] - vals[i - 1]) != 1:
            return False
        if i >= 2 and vals[i - 1] not in (1, 30) and \
                vals[i] - vals[i - 1] != vals[i - 1] - vals[i - 2]:
            return False
    return True


def model_cases(clock):
    """What trend_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out = ["100"]
    for t in range(99, -1, -1):
        k = t % 10
        if k == 0:
            if rand() % 3:
                v = 1 if rand() & 1 else 30
            else:
                v = rand() % 30 + 1
            out += ["1", str(v)]
        elif k <= 4:
            s = rand() % 200 + 2
            vals = cycle_from(1, -1, s) if k <= 2 else cycle_from(30, 1, s)
            out += [str(s), " ".join(map(str, reversed(vals)))]
        else:
            s = rand() % 200 + 2
            c = rand() % 30 + 1
            d = -1 if c == 1 else 1 if c == 30 else (1 if rand() & 1 else -1)
            out += [str(s), " ".join(map(str, cycle_from(c, d, s)))]
    return ("\n".join(out) + "\n").encode()


def next_value(vals):
    """The value that follows a run of the cycle (None when one inner value cannot tell)."""
    last = vals[-1]
    if last == 30:
        return 29
    if last == 1:
        return 2
    if len(vals) == 1:
        return None
    return last + (last - vals[-2])


def verdict(vals):
    nxt = next_value(vals)
    return "No Response" if nxt is None else "Heavy" if nxt > vals[-1] else "Light"


def parse(text):
    """The cases of a generated file, checking its line layout on the way."""
    assert text.endswith("\n")
    lines = text[:-1].split("\n")
    assert len(lines) == 201, len(lines)
    assert lines[0] == "100"
    cases = []
    for c in range(100):
        nline, vline = lines[1 + 2 * c], lines[2 + 2 * c]
        assert nline == str(int(nline)), nline
        assert "" not in vline.split(" "), vline  # single blanks, none leading or trailing
        vals = [int(v) for v in vline.split(" ")]
        assert len(vals) == int(nline), c + 1
        cases.append(vals)
    return cases


class Trend(harness.ProgramTest):
    def test_layout_kinds_and_verdicts(self):
        singles, starts = set(), set()
        for clock in harness.SWEEP:
            text = harness.generated("trend_cases", clock)
            cases = parse(text.decode())
            for num, vals in enumerate(cases, 1):
                where = f"clock {clock}, case {num}"
                self.assertTrue(all(1 <= v <= 30 for v in vals), where)
                self.assertTrue(is_run(vals), where)
                kind = num % 10
                if kind == 0:
                    self.assertEqual(len(vals), 1, where)
                    singles.add(vals[0])
                else:
                    self.assertTrue(2 <= len(vals) <= 201, where)
                if kind in (8, 9):
                    self.assertEqual(vals[-1], 1, where)
                if kind in (6, 7):
                    self.assertEqual(vals[-1], 30, where)
                if 1 <= kind <= 5:
                    starts.add(vals[0])
            p = harness.run("trend_solver", text)
            self.assertClean(p, f"trend_solver under clock {clock}")
            got = p.stdout.decode().split("\n")
            self.assertEqual(got[-1], "", f"clock {clock}")
            want = []
            for num, vals in enumerate(cases, 1):
                kind = num % 10
                # kinds 1 to 3 as the generator intends them; kind 4 by the cycle itself
                want.append({8: "Heavy", 9: "Heavy", 6: "Light", 7: "Light"}.get(kind)
                            or verdict(vals))
                if kind == 0:
                    self.assertEqual(want[-1], {30: "Light", 1: "Heavy"}.get(vals[0],
                                                                           "No Response"))
            self.assertEqual(got[:-1], want, f"clock {clock}")
        # over all clocks both ends and inner values occur as single values, and the
        # anywhere kind starts at the ends too
        self.assertTrue({1, 30} <= singles and singles - {1, 30}, singles)
        self.assertTrue({1, 30} <= starts and len(starts) == 30, starts)

    def test_draw_order(self):
        self.assertMatchesModel("trend_cases", model_cases, CLOCKS[:10])

    def test_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("trend_cases", CLOCKS[1:7])

    def test_solver_on_random_runs(self):
        """Runs of the cycle cut anywhere, of every length 1..201."""
        rng = random.Random(11)
        cases = []
        for n in list(range(1, 202)) + [rng.randint(1, 201) for _ in range(300)]:
            c = rng.randint(1, 30)
            d = -1 if c == 1 else 1 if c == 30 else rng.choice([1, -1])
            cases.append(cycle_from(c, d, n))
        text = f"{len(cases)}\n" + "".join(f"{len(v)}\n{' '.join(map(str, v))}\n" for v in cases)
        p = harness.run("trend_solver", text)
        self.assertClean(p)
        self.assertEqual(p.stdout.decode(), "".join(verdict(v) + "\n" for v in cases))

    def test_stress_finds_the_forgotten_turns(self):
        """The maker's windows end at 1 and 30 and just after them often, so a submission
        that ignores the turns fails in the first round."""
        sub = os.path.join(BUILD, "submissions", "trend", "wrong_answer", "ends_ignored")
        with tempfile.TemporaryDirectory() as tmp:
            p = pset("stress", "trend", "--seed", "1", "--rounds", "3", "--jobs", "1",
                     "--shrink-seconds", "2", "--out", tmp, "--", sub)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1: ", p.stdout)
        self.assertRegex(p.stdout, r"ends_ignored'? answered differently")


if __name__ == "__main__":
    harness.main()
