"""Collider: the generator's layout, case kinds and ranges under many pinned clocks, and its
draw order under a few (its largest case draws about a million times)."""

import os

import harness

CLOCKS = harness.CLOCKS
# Clocks whose three random cases hold 200000 to 340000 particles in all, with both moduli
# and a case as small as N = 1608: enough for the draw order, affordable for a Python model.
MODEL_CLOCKS = [86400, 123456789, 1700000000]


def model_cases(clock):
    """What collider_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock).libc.rand  # the bare C function: a million calls are slow
    out = ["5"]
    for t in range(4, -1, -1):
        if t >= 2:  # random kind
            m = 16 if rand() & 3 else 256
            n = rand() % 199999 + 2
            p = (rand() % m + rand() % m + rand() % m + rand() % m + 1) * 2
            dirs = "".join("L" if rand() & 1 else "R" for _ in range(n))
            pos = [p]
            for _ in range(n - 1):
                p += (rand() % m + rand() % m + rand() % m + rand() % m + 1) * 2
                pos.append(p)
        elif t == 1:  # impossible kind
            n = rand() % 11 + 10
            thr = (rand() % 8 + 18) * n | 1
            pos, p = [], 0
            for _ in range(n):
                p += (rand() % 50) * 2
                pos.append(p)
            dirs = "".join("L" if q < thr else "R" for q in pos)
        else:  # biased kind
            n = rand() % 20 + 2
            dirs = ("L" if rand() & 1 else "R") * n
            p = (rand() % 20) * 2
            pos = [p]
            for _ in range(n - 1):
                p += (rand() % 20) * 2
                pos.append(p)
        out += [str(n), dirs, " ".join(map(str, pos))]
    return ("\n".join(out) + "\n").encode()


def parse(text):
    """The five cases (directions, positions) of a file, checking the line layout."""
    assert text.endswith("\n")
    lines = text[:-1].split("\n")
    assert len(lines) == 16, len(lines)
    assert lines[0] == "5"
    cases = []
    for c in range(5):
        nline, dirs, pline = lines[1 + 3 * c: 4 + 3 * c]
        assert nline == str(int(nline)), nline
        assert "" not in pline.split(" "), "blanks"  # single blanks, none leading or trailing
        pos = [int(v) for v in pline.split(" ")]
        assert len(dirs) == len(pos) == int(nline), c + 1
        assert set(dirs) <= {"L", "R"}, c + 1
        cases.append((dirs, pos))
    return cases


def gaps(pos):
    """The first position and every step between neighbours."""
    return [pos[0]] + [b - a for a, b in zip(pos, pos[1:])]


class Collider(harness.ProgramTest):
    def test_layout_kinds_and_ranges(self):
        narrow = wide = 0  # random cases drawn with modulus 16 and 256
        biased = set()
        for clock in harness.SWEEP:
            cases = parse(harness.generated("collider_cases", clock).decode())
            for c, (dirs, pos) in enumerate(cases[:3], 1):
                where = f"clock {clock}, random case {c}"
                n = len(pos)
                self.assertTrue(2 <= n <= 200000, where)
                g = gaps(pos)
                # even gaps of 2..2042: strictly increasing, the first position at least 2
                self.assertTrue(all(x % 2 == 0 and 2 <= x <= 2042 for x in g), where)
                if max(g) <= 122:
                    narrow += 1
                else:
                    wide += 1
                self.assertLessEqual(pos[-1], 408400000, where)

            dirs, pos = cases[3]
            where = f"clock {clock}, impossible case"
            n = len(pos)
            self.assertTrue(10 <= n <= 20, where)
            self.assertTrue(all(x % 2 == 0 and 0 <= x <= 98 for x in gaps(pos)), where)
            left = dirs.count("L")
            self.assertGreaterEqual(left, 1, where)
            self.assertEqual(dirs, "L" * left + "R" * (n - left), where)
            # some odd threshold (18..25) * N | 1 splits the two blocks
            self.assertTrue(any(
                max(pos[:left]) < ((f * n) | 1) and all(q > ((f * n) | 1) for q in pos[left:])
                for f in range(18, 26)), where)

            dirs, pos = cases[4]
            where = f"clock {clock}, biased case"
            self.assertTrue(2 <= len(pos) <= 21, where)
            self.assertIn(dirs, ("L" * len(pos), "R" * len(pos)), where)
            biased.add(dirs[0])
            self.assertTrue(all(x % 2 == 0 and 0 <= x <= 38 for x in gaps(pos)), where)
        # both moduli and both biased directions occur over the clocks
        self.assertTrue(narrow and wide, (narrow, wide))
        self.assertEqual(biased, {"L", "R"})

    def test_draw_order(self):
        self.assertMatchesModel("collider_cases", model_cases, MODEL_CLOCKS)

    def test_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("collider_cases", CLOCKS[1:7])


if __name__ == "__main__":
    harness.main()
