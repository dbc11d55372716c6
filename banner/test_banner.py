"""Banner digits: the solver on random digit strings against the glyph table, and the
generator's layout and draw order under pinned clocks."""

import os
import random
import subprocess
import sys
import tempfile

import harness

CLOCKS = harness.CLOCKS
BUILD = os.path.dirname(harness.BIN_DIR)

# The glyph table: row r of digit d is GLYPHS[r][7 * d : 7 * d + 7], rows top first.
GLYPHS = [
    " #####    #    #####  #####    #   ######  ##### ####### #####  ##### ",
    "#     #  ##   #     ##     #  #    #      #     #      ##     ##     #",
    "#     # # #        #       # #  #  #      #           # #     ##     #",
    "#     #   #       #     ### #   #   ##### ######     #   #####  ##### ",
    "#     #   #      #         ########      ##     #   #   #     #      #",
    "#     #   #     #    #     #    #  #     ##     #  #    #     ##     #",
    " ##### ############## #####     #   #####  #####  #      #####  ##### ",
]


def banners(tokens):
    """The whole expected output for these cases."""
    out = []
    for t in tokens:
        out.append("".join(" ".join(row[7 * int(c): 7 * int(c) + 7] for c in t) + "\n"
                           for row in GLYPHS))
    return "\n".join(out).encode()


def model_cases(clock):
    """What banner_cases writes under `clock`, drawn from the same C library."""
    rand = harness.CRand(clock)
    out = ["100\n"]
    for _ in range(100):
        n = rand() % 6 + 1
        out.append("".join(str(rand() % 10) for _ in range(n)) + "\n")
    return "".join(out).encode()


class Banner(harness.ProgramTest):
    def test_every_glyph(self):
        p = harness.run("banner_solver", "2 01234 56789\n")
        self.assertClean(p)
        self.assertEqual(p.stdout, banners(["01234", "56789"]))

    def test_random_strings(self):
        rng = random.Random(20261212)
        for f in range(10):
            tokens = ["".join(rng.choice("0123456789") for _ in range(rng.randint(1, 9)))
                      for _ in range(rng.randint(1, 60))]
            seps = [rng.choice([" ", "\n", "\t", "  \n "]) for _ in tokens]
            text = str(len(tokens)) + "".join(s + t for s, t in zip(seps, tokens))
            p = harness.run("banner_solver", text)
            self.assertClean(p, f"file {f}")
            self.assertEqual(p.stdout, banners(tokens), f"file {f}: {text!r}")

    def test_generated_files_layout(self):
        for clock in harness.SWEEP:
            text = harness.generated("banner_cases", clock).decode()
            self.assertTrue(text.endswith("\n"))
            lines = text[:-1].split("\n")
            self.assertEqual(len(lines), 101, f"clock {clock}")
            self.assertEqual(lines[0], "100")
            for c, line in enumerate(lines[1:], 1):
                where = f"clock {clock}, case {c}: {line!r}"
                self.assertTrue(1 <= len(line) <= 6, where)
                self.assertTrue(line.isdigit() and line.isascii(), where)

    def test_generator_draw_order(self):
        self.assertMatchesModel("banner_cases", model_cases, CLOCKS[:10])

    def test_generator_repeats_under_one_clock_and_varies_across_clocks(self):
        self.assertRepeatsAndVaries("banner_cases", CLOCKS[1:7])

    def test_solver_draws_generated_files(self):
        for clock in harness.SWEEP:
            text = harness.generated("banner_cases", clock)
            p = harness.run("banner_solver", text)
            self.assertClean(p, f"clock {clock}")
            self.assertEqual(p.stdout, banners(text.decode().split()[1:]), f"clock {clock}")

    def test_stress_finds_a_row_buffer_one_short(self):
        """The maker draws strings of the longest length often: pset stress finds, in the
        first round whose sizes reach nine digits (the second: sizes cycle 8, 30, 300), a
        submission whose row buffer holds 70 characters, and shrinks the failure to one string
        of nine digits, while eight digits pass."""
        sub = os.path.join(BUILD, "submissions", "banner", "wrong_answer", "short_row_buffer")
        with tempfile.TemporaryDirectory() as tmp:
            p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"), "--build-dir",
                                BUILD, "stress", "banner", "--seed", "1", "--rounds", "3",
                                "--jobs", "1", "--out", tmp, "--", sub],
                               capture_output=True, text=True, timeout=300)
            self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
            self.assertIn("mismatch under seed 2: ", p.stdout)
            with open(os.path.join(tmp, "stress", "banner-2", "shrunk.in")) as fh:
                count, word = fh.read().split()
        self.assertEqual((count, len(word)), ("1", 9))
        for w, same in ((word, False), (word[:8], True)):
            got = subprocess.run([sub], input=f"1\n{w}\n".encode(), capture_output=True).stdout
            self.assertEqual(got == banners([w]), same, w)


if __name__ == "__main__":
    harness.main()
