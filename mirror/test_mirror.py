"""Pair mirror: both solvers against a brute force on random words (even lengths, where they
agree, and odd lengths, where each keeps its own cut), and the generator's file: layout, the
same bytes under every clock, the C library's unseeded draws, and the solvers' verdicts. The
extra tests defeat what they claim to (hashes modulo 2^64, weak block keys), and pset stress
finds a boundary fault from the maker's cases."""

import os
import random
import subprocess
import sys
import tempfile

import harness
from psetlib import problems

HERE = os.path.dirname(os.path.abspath(__file__))
EXTRA = problems.load_script(os.path.join(HERE, "extra_tests.py"))
BUILD = os.path.dirname(harness.BIN_DIR)

SOLVERS = ("mirror_solver", "mirror_solver_scan")
CLOCKS = [0, 1, 2, 59, 86400, 123456789, 1700000000, 1765000000, 1800000000, 2147483647]


def blocks_front(w):
    """The word cut from its first character into two-character blocks; a last odd one is
    dropped."""
    return [w[k:k + 2] for k in range(0, len(w) - 1, 2)]


def mirror_front(w):
    """mirror_solver's verdict: the front-cut blocks read the same both ways."""
    b = blocks_front(w)
    return b == b[::-1]


def mirror_both_ends(w):
    """mirror_solver_scan's verdict: the k-th block from the front (cut from the start) equals
    the k-th block from the back (cut from the end) for every k whose front block starts
    before its back block."""
    n = len(w)
    k = 0
    while 2 * k < n - 2 - 2 * k:
        if w[2 * k:2 * k + 2] != w[n - 2 - 2 * k:n - 2 * k]:
            return False
        k += 1
    return True


def random_word(rng, n):
    """A word of n letters; most are built as pair mirrors and then maybe spoiled a little,
    from a small alphabet so that near misses are common."""
    abc = rng.choice(["ab", "abc", "az", "abcdefghijklmnopqrstuvwxyz", "aA#"])
    h = n // 2
    half = [rng.choice(abc) + rng.choice(abc) for _ in range((h + 1) // 2)]
    blocks = half + half[:h // 2][::-1]
    w = list("".join(blocks) + (rng.choice(abc) if n % 2 else ""))
    if rng.random() < 0.5:
        for _ in range(rng.randint(1, 2)):
            w[rng.randrange(n)] = rng.choice(abc)
    return "".join(w)


def model_file():
    """What mirror_cases writes, and which words it spoiled. It never seeds, so its draws are
    the C library's default sequence; ctypes shares this process's rand() state with any other
    use of the library here, so the model seeds with 1 explicitly, which glibc defines to give
    that same default sequence."""
    rand = harness.CRand(1)
    lines, spoiled = ["100"], []
    for _ in range(100):
        k = rand() % 128 + 1
        w = 2 * k
        c = [""] * w
        for i in range(0, k, 2):
            c[i] = chr(97 + rand() % 26)
            c[i + 1] = chr(97 + rand() % 26)
            c[w - i - 2], c[w - i - 1] = c[i], c[i + 1]
        if k % 2:
            c[k - 1] = chr(97 + rand() % 26)
            c[k] = chr(97 + rand() % 26)
        s = rand() & 1
        if s:
            for _ in range(rand() % w):
                p = rand() % w
                c[p] = chr(97 + rand() % 26)
        lines.append("".join(c))
        spoiled.append(bool(s))
    return ("\n".join(lines) + "\n").encode(), spoiled


def answers(prog, text):
    p = harness.run(prog, text)
    if p.returncode != 0 or p.stderr:
        raise AssertionError(f"{prog}: status {p.returncode}, stderr {p.stderr[:2000]!r}")
    return p.stdout.decode().split("\n")[:-1]


class Mirror(harness.ProgramTest):
    def check_words(self, words):
        text = f"{len(words)}\n" + "\n".join(words) + "\n"
        for prog, judge in zip(SOLVERS, (mirror_front, mirror_both_ends)):
            got = answers(prog, text)
            self.assertEqual(len(got), len(words), prog)
            for w, a in zip(words, got):
                self.assertEqual(a, "Yes" if judge(w) else "No", f"{prog} on {w!r}")

    def test_even_lengths_both_solvers_right_and_agreeing(self):
        rng = random.Random(20261211)
        words = [random_word(rng, 2 * rng.randint(1, 12)) for _ in range(3000)]
        words += [random_word(rng, 2 * rng.randint(1, 255)) for _ in range(300)]
        verdicts = [mirror_front(w) for w in words]
        # the brute forces agree on even lengths, and both verdicts are common
        self.assertEqual(verdicts, [mirror_both_ends(w) for w in words])
        self.assertGreater(sum(verdicts), 1000)
        self.assertGreater(len(words) - sum(verdicts), 1000)
        self.check_words(words)

    def test_odd_lengths_each_solver_keeps_its_cut(self):
        rng = random.Random(20261212)
        words = [random_word(rng, 2 * rng.randint(0, 10) + 1) for _ in range(3000)]
        self.assertTrue(any(mirror_front(w) != mirror_both_ends(w) for w in words))
        self.check_words(words)

    def test_generated_file_layout(self):
        text = harness.generate("mirror_cases", 1765000000).decode()
        self.assertTrue(text.endswith("\n"))
        lines = text[:-1].split("\n")
        self.assertEqual(len(lines), 101)
        self.assertEqual(lines[0], "100")
        for i, w in enumerate(lines[1:], 1):
            self.assertTrue(2 <= len(w) <= 256 and len(w) % 2 == 0, f"word {i}: {w!r}")
            self.assertTrue(set(w) <= set("abcdefghijklmnopqrstuvwxyz"), f"word {i}: {w!r}")

    def test_same_file_under_every_clock(self):
        files = {harness.generate("mirror_cases", c) for c in CLOCKS}
        self.assertEqual(len(files), 1)
        # and with the real clock
        p = harness.run("mirror_cases")
        self.assertClean(p, "mirror_cases")
        self.assertEqual({p.stdout}, files)

    def test_file_follows_unseeded_rand(self):
        got = harness.generate("mirror_cases", 1765000000)
        want, _ = model_file()
        # the first word alone first, for a sharper message
        self.assertEqual(got.split(b"\n")[1], want.split(b"\n")[1])
        self.assertEqual(got, want)

    def test_solvers_on_generated_file(self):
        text = harness.generate("mirror_cases", 1765000000)
        _, spoiled = model_file()
        outs = [answers(prog, text) for prog in SOLVERS]
        self.assertEqual(outs[0], outs[1])
        self.assertEqual(len(outs[0]), 100)
        words = text.decode().split("\n")[1:-1]
        for w, s, a in zip(words, spoiled, outs[0]):
            if not s:
                self.assertEqual(a, "Yes", w)
            self.assertEqual(a, "Yes" if mirror_front(w) else "No", w)
        # the file holds both verdicts
        self.assertIn("No", outs[0])
        self.assertGreater(spoiled.count(False), 20)

    def test_thue_morse_words_defeat_hashes_modulo_2_64(self):
        """Every "No" word of hash-collisions hashes like its block reverse modulo 2^64 for
        any odd base (a few tried, letter by letter and block by block); every "No" word of
        deep-changes does so for even bases, which keep only the last 64 letters."""
        def letters(w, base):
            h = 0
            for c in w.encode():
                h = (h * base + c) % 2**64
            return h

        def blocks(w, base):
            h = 0
            for i in range(0, len(w), 2):
                h = (h * base + w.encode()[i] * 256 + w.encode()[i + 1]) % 2**64
            return h

        collide = EXTRA.hash_collisions()
        rng = random.Random(20261214)
        deep = EXTRA.deep_changes(rng, 10)
        for words, bases in ((collide, [131, 31, 1000000007, 2**61 - 1, 0x9E3779B97F4A7C15]),
                             (deep, [26, 256, 1000000008])):
            no = [w for w in words if not mirror_front(w)]
            self.assertGreater(len(no), 2)
            for w in no:
                rev = "".join(w[i:i + 2] for i in range(len(w) - 2, -1, -2))
                for base in bases:
                    self.assertEqual(letters(w, base), letters(rev, base), (len(w), base))
                    if words is collide:
                        self.assertEqual(blocks(w, base), blocks(rev, base), (len(w), base))
        self.assertEqual(answers("mirror_solver", EXTRA.text(collide)),
                         ["Yes" if mirror_front(w) else "No" for w in collide])

    def test_weak_keys_words_collide_under_their_keys(self):
        """The weak-keys words that are no pair mirror look like one to each weak key, block
        by block, for a good share of them."""
        rng = random.Random(3)
        words = [w for w in EXTRA.weak_keys(rng, 2000) if not mirror_front(w)]
        keys = {"sum": lambda b: sum(b.encode()), "letters": lambda b: "".join(sorted(b)),
                "nibbles": lambda b: ((ord(b[0]) - 97) << 4 | (ord(b[1]) - 97)) & 0xFF,
                "xor": lambda b: ord(b[0]) ^ ord(b[1])}
        for name, key in keys.items():
            fooled = [w for w in words
                      if (lambda ks: ks == ks[::-1])([key(b) for b in blocks_front(w)])]
            self.assertGreater(len(fooled), 50, name)

    def test_stress_finds_boundary_faults(self):
        """pset stress on the maker's cases finds a block key packed four bits a letter
        (letters past p) and a length kept in a byte (words of 256 letters, reached in the
        rounds of size 300)."""
        for name, rounds in (("nibble_key", "2"), ("byte_length", "6")):
            sub = os.path.join(BUILD, "submissions", "mirror", "wrong_answer", name)
            with tempfile.TemporaryDirectory() as tmp:
                p = subprocess.run([sys.executable, os.path.join(harness.ROOT, "pset"),
                                    "--build-dir", BUILD, "stress", "mirror", "--seed", "1",
                                    "--rounds", rounds, "--jobs", "1", "--shrink-seconds", "1",
                                    "--out", tmp, "--", sub],
                                   capture_output=True, text=True, timeout=300)
            self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
            self.assertIn("answered differently", p.stdout)


if __name__ == "__main__":
    harness.main()
