"""The fuzz script's choices, on a made-up project: which programs it fuzzes, how each gets its
input, which seeds it takes from the case tables, and how it counts findings. AFL itself does
not run here."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fuzz  # noqa: E402

SOURCES = {
    "solver.cpp": '#include <cstdio>\nint n;\nint main() { scanf("%d", &n); }\n',
    "stream_solver.cpp": "#include <iostream>\nint main() { int n; std::cin >> n; }\n",
    "judge.cpp": '#include <cstdio>\nint main(int, char **v) { FILE *f = fopen(v[1], "r"); }\n',
    # Read calls named only in comments and strings do not count.
    "demo_cases.cpp": ('// writes what solver reads with scanf\n#include <cstdio>\n'
                       'int main() { puts("cin"); /* fgets */ }\n'),
    "fixed.cpp": '#include <cstdio>\nint main() { puts("25"); } // reads nothing, not getchar\n',
}

TABLE = """programs: solver stream_solver fixed

=== a
stdin: 1 5
stdout: 5

=== the same input again
stdin: 1 5

=== empty
stdin:

=== closed
stdin-closed:

=== ignored arguments keep their stdin
args: x y
stdin: 2 7 8

=== too large
stdin-python:
  "9" * 100
"""

JUDGE = """=== equal
file a: 1.5
file b:
|1.5|
|2|
args: a b

=== a third argument that is no file
file a: 1
file b: 1
args: a b c

=== the files the other way
file a: 7
file b: 1.5
args: b a

=== one argument
file a: 1
args: a
"""


class Discovery(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        root = self.tmp.name
        for folder in ("p", "q"):
            os.mkdir(os.path.join(root, folder))
        for name, text in SOURCES.items():
            with open(os.path.join(root, "p", name), "w") as fh:
                fh.write(text)
        with open(os.path.join(root, "q", "lone.cpp"), "w") as fh:
            fh.write("#include <cstdio>\nint main() { return getchar(); }\n")
        with open(os.path.join(root, "p", "p.cases"), "w") as fh:
            fh.write(TABLE)
        with open(os.path.join(root, "p", "judge.cases"), "w") as fh:
            fh.write(JUDGE)
        self.found = {t["name"]: t for t in fuzz.targets(root, max_seed=50)}

    def tearDown(self):
        self.tmp.cleanup()

    def test_only_programs_that_read_input(self):
        self.assertEqual(sorted(self.found),
                         ["judge.arg1", "judge.arg2", "lone", "solver", "stream_solver"])

    def test_stdin_seeds_from_the_tables(self):
        # no empty, closed or oversized input, no repeat, table order kept
        self.assertEqual(self.found["solver"]["seeds"], [b"1 5\n", b"2 7 8\n"])
        self.assertEqual(self.found["stream_solver"]["seeds"], [b"1 5\n", b"2 7 8\n"])
        self.assertIsNone(self.found["solver"]["args"])

    def test_a_program_without_a_table_gets_a_seed(self):
        self.assertEqual(self.found["lone"]["seeds"], [b"1\n"])

    def test_file_arguments_each_fuzzed_in_turn(self):
        one, two = self.found["judge.arg1"], self.found["judge.arg2"]
        self.assertEqual(one["args"], ["@@", None])
        self.assertEqual(two["args"], [None, "@@"])
        self.assertEqual(one["seeds"], [b"1.5\n", b"1.5\n2\n", b"7\n", b"1\n"])
        self.assertEqual(one["fixed"], b"1.5\n2\n")
        self.assertEqual(one["seeds"], two["seeds"])


class Dictionary(unittest.TestCase):
    def test_constants_and_their_neighbours(self):
        with tempfile.NamedTemporaryFile("w", suffix=".cpp") as fh:
            fh.write('const int N = 100008; // not 777\nint main() { return N > 100000 ? 1 : 0; }\n'
                     'double x = 1.5;\nconst char *s = "a\\"b 999";\n'
                     'long long m = 0x7fffffffffffffffLL, k = 1000000000LL;\n')
            fh.flush()
            lines = fuzz.dictionary(fh.name).splitlines()
        for word in ("100008", "100009", "100007", "99999", "100001", "-100000", "\\x0a", "1e308",
                     "9223372036854775806", "1000000001"):
            self.assertIn(f'"{word}"', lines)
        for word in ("777", "999", "5"):
            self.assertNotIn(f'"{word}"', lines)
        self.assertEqual(len(lines), len(set(lines)))


class Findings(unittest.TestCase):
    def test_counts_saved_inputs_only(self):
        with tempfile.TemporaryDirectory() as out:
            self.assertIsNone(fuzz.findings(out))
            for sub, names in (("default/crashes", ["README.txt", "id:000000,sig:06", "id:000001"]),
                               ("default/hangs", []),
                               ("seeds-failed", ["crash-ab", "hang-cd"])):
                os.makedirs(os.path.join(out, sub))
                for n in names:
                    open(os.path.join(out, sub, n), "w").close()
            f = fuzz.findings(out)
            self.assertEqual([os.path.basename(p) for p in f["crash"]],
                             ["id:000000,sig:06", "id:000001", "crash-ab"])
            self.assertEqual([os.path.basename(p) for p in f["hang"]], ["hang-cd"])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])
