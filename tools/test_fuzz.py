"""The fuzz script's choices, on a made-up project: which programs it fuzzes (those the problem
manifests name), how each gets its input, which seeds it takes from the case tables, which exit
statuses it takes for a fault, and how it counts findings. AFL itself does not run here."""

import os
import stat
import sys
import tempfile
import unittest

import fuzz
from psetlib import problems

READS = '#include <cstdio>\nint n;\nint main() { return scanf("%d", &n); }\n'

P_MANIFEST = ('title = "P"\norder = 1\nsamples = ["1"]\n[programs]\nsolver = "solver"\n'
              'second = ["stream_solver"]\nchecker = "judge"\ngenerator = "demo_cases"\n'
              'input_check = "p_check"\n')
Q_MANIFEST = ('title = "Q"\norder = 2\nsamples = ["1"]\n[programs]\nsolver = "lone"\n'
              'checker = "q_judge"\ninput_check = "q_check"\n')
C_MANIFEST = ('title = "C"\norder = 3\nsamples = ["1"]\n[programs]\nsolver = "fixed"\n'
              'solvers_read_input = false\ninput_check = "c_check"\n')

PROJECT = {
    "problemset.toml": 'name = "A made-up set"\n',
    "p/problem.toml": P_MANIFEST,
    "p/examples/1.in": "1\n5\n",
    "p/solver.cpp": READS,
    "p/stream_solver.cpp": "#include <iostream>\nint main() { int n; std::cin >> n; }\n",
    "p/judge.cpp": '#include <cstdio>\nint main(int, char **v) { fopen(v[1], "r"); }\n',
    "p/demo_cases.cpp": '#include <cstdio>\nint main() { puts("1 5"); }\n',
    "p/p_check.cpp": READS,
    # Reads input, but no manifest names it.
    "p/stray.cpp": READS,
    "p/p.cases": """programs: solver stream_solver

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
""",
    "p/p_check.cases": """=== invalid
stdin: 3
status: 43

=== valid, also a solver's seed
stdin: 1 5
status: 42
""",
    "p/judge.cases": """=== equal
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
""",
    # No table feeds these.
    "q/problem.toml": Q_MANIFEST,
    "q/examples/1.in": "1\n",
    "q/lone.cpp": READS,
    "q/q_judge.cpp": READS,
    "q/q_check.cpp": READS,
    # A fixed answer: only the input check reads input.
    "c/problem.toml": C_MANIFEST,
    "c/examples/1.in": "",
    "c/fixed.cpp": '#include <cstdio>\nint main() { puts("25"); }\n',
    "c/c_check.cpp": READS,
    # A folder without a manifest is no problem.
    "notes/scratch.cpp": READS,
}


def write(root, files):
    for name, text in files.items():
        os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
        with open(os.path.join(root, name), "w") as fh:
            fh.write(text)


class Targets(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        write(self.tmp.name, PROJECT)
        self.list = fuzz.targets(self.tmp.name, max_seed=50)
        self.found = {t["name"]: t for t in self.list}

    def tearDown(self):
        self.tmp.cleanup()

    def test_the_programs_the_manifests_name_that_read_input(self):
        # problems in folder order, then solver, second, checker, input check
        self.assertEqual([t["name"] for t in self.list],
                         ["c_check", "solver", "stream_solver", "judge.arg1", "judge.arg2",
                          "p_check", "lone", "q_judge.arg1", "q_judge.arg2", "q_check"])
        self.assertEqual(self.found["p_check"]["source"],
                         os.path.join(self.tmp.name, "p", "p_check.cpp"))

    def test_normal_statuses_by_role(self):
        for name, normal in (("solver", {0, 2}), ("stream_solver", {0, 2}),
                             ("judge.arg1", {0, 1, 2}), ("p_check", {42, 43}),
                             ("c_check", {42, 43})):
            self.assertEqual(self.found[name]["normal"], normal, name)

    def test_stdin_seeds_from_the_tables_of_the_problem(self):
        # own table first, then the tables of the problem's other readers; no empty, closed or
        # oversized input, no repeat, table order kept
        self.assertEqual(self.found["solver"]["seeds"], [b"1 5\n", b"2 7 8\n", b"3\n"])
        self.assertEqual(self.found["stream_solver"]["seeds"], [b"1 5\n", b"2 7 8\n", b"3\n"])
        self.assertEqual(self.found["p_check"]["seeds"], [b"3\n", b"1 5\n", b"2 7 8\n"])
        self.assertIsNone(self.found["solver"]["args"])
        self.assertIsNone(self.found["p_check"]["args"])

    def test_a_program_without_a_table_gets_a_seed(self):
        self.assertEqual(self.found["lone"]["seeds"], [b"1\n"])
        self.assertEqual(self.found["c_check"]["seeds"], [b"1\n"])
        self.assertEqual(self.found["q_check"]["seeds"], [b"1\n"])

    def test_checker_arguments_each_fuzzed_in_turn(self):
        one, two = self.found["judge.arg1"], self.found["judge.arg2"]
        self.assertEqual(one["args"], ["@@", None])
        self.assertEqual(two["args"], [None, "@@"])
        self.assertEqual(one["seeds"], [b"1.5\n", b"1.5\n2\n", b"7\n", b"1\n"])
        self.assertEqual(one["fixed"], b"1.5\n2\n")
        self.assertEqual(one["seeds"], two["seeds"])
        # no table: two files, a one-number seed
        self.assertEqual(self.found["q_judge.arg2"]["args"], [None, "@@"])
        self.assertEqual(self.found["q_judge.arg1"]["seeds"], [b"0\n"])

    def test_manifest_faults_stop_the_setup(self):
        # each fault once, in a manifest otherwise whole: pset's schema stops the setup
        for name, text, says in (
                ("p/problem.toml", P_MANIFEST.replace('solver = "solver"', 'solver = "gone"'),
                 'p/problem.toml: [programs] solver "gone" has no source: p/gone.cpp does not '
                 "exist"),
                ("p/problem.toml", P_MANIFEST.replace('["stream_solver"]', '["solver", 1]'),
                 "[programs] second must be a list of strings"),
                ("p/problem.toml", P_MANIFEST.replace('solver = "solver"', 'solver = ["solver"]'),
                 "[programs] solver must be a string"),
                ("p/problem.toml", P_MANIFEST.replace('checker = "judge"', 'checker = "solver"'),
                 '[programs] checker "solver" is also named by p/problem.toml [programs] solver'),
                ("q/problem.toml", Q_MANIFEST.replace('solver = "lone"', 'solver = "solver"'),
                 '[programs] solver "solver" is also named by p/problem.toml'),
                ("c/problem.toml", "[programs\n", "c/problem.toml is not valid TOML"),
                ("c/problem.toml", C_MANIFEST.replace("false", "0"),
                 "[programs] solvers_read_input must be true or false")):
            with self.subTest(text=text), tempfile.TemporaryDirectory() as root:
                write(root, dict(PROJECT, **{name: text}))
                if name.startswith("q"):
                    write(root, {"q/solver.cpp": READS})
                with self.assertRaises(fuzz.SetupError) as cm:
                    fuzz.targets(root)
                self.assertIn(says, str(cm.exception))


# A stand-in for a built program: ends with the status its input names, or is killed by a signal.
STAND_IN = '#!/bin/sh\nread s\ncase "$s" in kill) kill -SEGV $$;; esac\nexit "$s"\n'


class Seeds(unittest.TestCase):
    """Seeds that already fail are kept out of AFL's input and counted as findings; which exit
    statuses fail depends on the program's role."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.tree = fuzz.TREE, fuzz.REPRO
        fuzz.TREE = fuzz.REPRO = self.tmp.name
        write(self.tmp.name, {"src.cpp": READS})
        for sub, prog in (("bin", "solver"), ("validators", "p_check")):
            path = os.path.join(self.tmp.name, sub, prog)
            write(self.tmp.name, {os.path.join(sub, prog): STAND_IN})
            os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)

    def tearDown(self):
        fuzz.TREE, fuzz.REPRO = self.tree
        self.tmp.cleanup()

    def target(self, prog, role, seeds=()):
        return {"name": prog, "prog": prog, "role": role, "normal": fuzz.ROLES[role],
                "source": os.path.join(self.tmp.name, "src.cpp"), "args": None,
                "fixed": b"", "seeds": [f"{s}\n".encode() for s in seeds]}

    def prepare(self, prog, role, seeds):
        kept = fuzz.prepare(self.target(prog, role, seeds), 5000, False)
        where = fuzz.paths(prog)
        f = fuzz.findings(where["out"]) or {"crash": [], "hang": []}
        saved = sorted(open(os.path.join(where["seeds"], n), "rb").read()
                       for n in os.listdir(where["seeds"]))
        failed = sorted(open(p, "rb").read() for p in f["crash"])
        return kept, saved, failed

    def test_a_solver_ends_with_0_or_2(self):
        kept, saved, failed = self.prepare("solver", "solver", ["0", "2", "43", "1", "kill"])
        self.assertEqual((kept, saved), (2, [b"0\n", b"2\n"]))
        self.assertEqual(failed, [b"1\n", b"43\n", b"kill\n"])

    def test_an_input_check_ends_with_42_or_43(self):
        kept, saved, failed = self.prepare("p_check", "input_check", ["42", "43", "0", "kill"])
        self.assertEqual((kept, saved), (2, [b"42\n", b"43\n"]))
        self.assertEqual(failed, [b"0\n", b"kill\n"])

    def test_a_replay_names_a_status_out_of_place(self):
        write(self.tmp.name, {"finding": "1\n", "not-again": "2\n"})
        target = self.target("solver", "solver")
        for name, says in (("finding", "exit status 1, where it may end with 0 or 2 only"),
                           ("not-again", "exit status 2 on replay, no sanitizer report")):
            self.assertEqual(fuzz.diagnose(target, os.path.join(self.tmp.name, name), 5000),
                             says)


class TheProject(unittest.TestCase):
    def test_targets_and_seeds_of_the_problem_set(self):
        found = {t["name"]: t for t in fuzz.targets()}
        named = set()
        for p in problems.all_problems():
            self.assertNotIn(p.generator, found)
            if p.solvers_read_input:
                named.update([p.solver, *p.second] if p.solver else [])
            else:
                self.assertNotIn(p.solver, found)
        self.assertLessEqual(named, set(found))
        self.assertEqual(found["float_judge.arg2"]["args"], [None, "@@"])
        # every target is seeded from its tables, not from the stand-in seed
        for t in found.values():
            self.assertNotIn(t["seeds"], ([b"1\n"], [b"0\n"]), t["name"])


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
