"""The workflow driver: a small build with its manifest, summary and determinism, failures it
must catch, stress finding a planted fault, judge verdicts, and its errors."""

import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

PSET = os.path.join(harness.ROOT, "pset")
BUILD = os.path.dirname(harness.BIN_DIR)


def pset(*args, build=BUILD):
    return subprocess.run([sys.executable, PSET, "--build-dir", build, *args],
                          capture_output=True, text=True, timeout=600)


def bin_(name):
    return shlex.quote(os.path.join(harness.BIN_DIR, name))


class Driver(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-test-")
        cls.out = os.path.join(cls.tmp, "out")
        cls.built = pset("build", "--tests", "2", "--seed", "1000", "--out", cls.out)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def fake_build(self, name, script):
        """A build folder whose programs are the real ones but for `name`, a shell script."""
        fake = tempfile.mkdtemp(dir=self.tmp)
        os.makedirs(os.path.join(fake, "bin"))
        os.symlink(os.path.join(BUILD, "lib"), os.path.join(fake, "lib"))
        for prog in os.listdir(harness.BIN_DIR):
            os.symlink(os.path.join(harness.BIN_DIR, prog), os.path.join(fake, "bin", prog))
        if name:
            path = os.path.join(fake, "bin", name)
            os.unlink(path)
            with open(path, "w") as fh:
                fh.write("#!/bin/sh\n" + script + "\n")
            os.chmod(path, 0o755)
        return fake

    def assertStops(self, p, text):
        """Status 2, one line on stderr naming the problem, no traceback."""
        self.assertEqual(p.returncode, 2, p.stderr)
        self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
        self.assertTrue(p.stderr.startswith("pset: "), p.stderr)
        self.assertIn(text, p.stderr)

    # ---------------------------------------------------------------------------- build

    def test_build_writes_every_problem_with_manifest_and_summary(self):
        p = self.built
        self.assertEqual(p.returncode, 0, p.stderr)
        for line in ("demolition", "cross-check", "agrees", "none"):
            self.assertIn(line, p.stdout)
        expect_second = {"demolition", "mirror", "ratio"}
        for name in ("demolition", "rounding", "banner", "shuttle", "collider", "trend",
                     "sudoku", "mirror", "rings", "extrema", "ratio", "constant"):
            folder = os.path.join(self.out, name, "tests")
            with open(os.path.join(folder, "manifest")) as fh:
                manifest = fh.read().splitlines()
            files = sorted(os.listdir(folder))
            ins = [f for f in files if f.endswith(".in")]
            self.assertEqual(len(ins), len(manifest), name)
            self.assertGreater(len(ins), 0, name)
            for k, line in enumerate(manifest, 1):
                self.assertTrue(line.startswith(f"{k:02d} "), line)
                made = line.split(" ", 1)[1]
                self.assertTrue(made.startswith("example ") or made.startswith("generator "),
                                line)
                if made.startswith("example "):
                    self.assertTrue(os.path.isfile(os.path.join(harness.ROOT, made[8:])), line)
                # collider has no solver, so its tests are inputs only
                self.assertEqual(os.path.isfile(os.path.join(folder, f"{k:02d}.ans")),
                                 name != "collider", line)
            seeds = [l.split()[-1] for l in manifest if "seed" in l]
            if name in ("demolition", "rounding", "collider", "rings"):
                self.assertEqual(seeds, ["1000", "1001"], name)
            # the summary row of the problem
            row = [l for l in p.stdout.splitlines() if l.startswith(name + " ")]
            self.assertEqual(len(row), 1, p.stdout)
            self.assertEqual(row[0].split()[1], str(len(ins)))
            self.assertTrue(row[0].endswith("agrees" if name in expect_second else "none"))

    def test_build_answers_are_the_reference_solvers(self):
        folder = os.path.join(self.out, "rounding", "tests")
        for f in sorted(os.listdir(folder)):
            if f.endswith(".in"):
                with open(os.path.join(folder, f), "rb") as fh:
                    r = harness.run("rounding_solver", fh.read())
                with open(os.path.join(folder, f[:-3] + ".ans"), "rb") as fh:
                    self.assertEqual(fh.read(), r.stdout, f)

    def test_generated_tests_can_be_made_again(self):
        folder = os.path.join(self.out, "demolition", "tests")
        with open(os.path.join(folder, "manifest")) as fh:
            line = [l for l in fh if "seed" in l][0].split()
        with open(os.path.join(folder, line[0] + ".in"), "rb") as fh:
            self.assertEqual(fh.read(), harness.generate("demolish_cases", int(line[-1])))

    def test_same_seed_same_package(self):
        again = os.path.join(self.tmp, "again")
        p = pset("build", "--tests", "2", "--seed", "1000", "--out", again, "demolition",
                 "banner", "mirror")
        self.assertEqual(p.returncode, 0, p.stderr)
        for name in ("demolition", "banner", "mirror"):
            a, b = (os.path.join(o, name, "tests") for o in (self.out, again))
            self.assertEqual(sorted(os.listdir(a)), sorted(os.listdir(b)))
            for f in os.listdir(a):
                with open(os.path.join(a, f), "rb") as x, open(os.path.join(b, f), "rb") as y:
                    self.assertEqual(x.read(), y.read(), f"{name}/{f}")

    def test_build_catches_a_generator_that_is_not_deterministic(self):
        fake = self.fake_build("banner_cases", 'echo 1; echo "$$"')
        out = os.path.join(self.tmp, "nondet")
        p = pset("build", "--tests", "1", "--out", out, "banner", build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("banner_cases is not deterministic", p.stderr)
        self.assertFalse(os.path.exists(os.path.join(out, "banner")))

    def test_build_catches_a_disagreeing_second_solver_and_keeps_the_old_package(self):
        out = os.path.join(self.tmp, "keep")
        self.assertEqual(pset("build", "--tests", "1", "--out", out, "ratio").returncode, 0)
        with open(os.path.join(out, "ratio", "tests", "manifest"), "rb") as fh:
            before = fh.read()
        fake = self.fake_build("ratio_solver_stream",
                               f"{bin_('ratio_solver')} | sed '$s/.$/9/'")
        p = pset("build", "--tests", "1", "--out", out, "ratio", build=fake)
        self.assertEqual(p.returncode, 1)
        self.assertRegex(p.stderr, r"ratio_solver_stream disagrees with ratio_solver on \S+\.in")
        with open(os.path.join(out, "ratio", "tests", "manifest"), "rb") as fh:
            self.assertEqual(fh.read(), before)

    def test_build_catches_a_failing_solver(self):
        fake = self.fake_build("trend_solver", "exit 3")
        p = pset("build", "--tests", "1", "--out", os.path.join(self.tmp, "fail"), "trend",
                 build=fake)
        self.assertEqual(p.returncode, 1)
        self.assertRegex(p.stderr, r"trend_solver exited with status 3 on \S+\.in")

    # --------------------------------------------------------------------------- stress

    def test_stress_second_solver_agrees(self):
        p = pset("stress", "demolition", "--rounds", "6", "--jobs", "2", "--out", self.tmp)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn("all 6 rounds agree", p.stdout)

    def test_stress_finds_a_planted_fault_and_keeps_a_reproducer(self):
        # wrong from the third answer line on: every generated file has more lines
        wrong = f"{bin_('demolish_solver')} | sed '3s/.*/-1/'"
        p = pset("stress", "demolition", "--rounds", "20", "--seed", "4242", "--out", self.tmp,
                 "--", "sh", "-c", wrong)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        folder = [l for l in p.stdout.splitlines() if "reproducer kept in" in l][0]
        folder = folder.split("reproducer kept in ")[1].split(":")[0]
        folder = os.path.abspath(folder)  # printed relative to the folder we run in
        files = {}
        for f in ("input", "expected", "got", "seed", "remake"):
            with open(os.path.join(folder, f), "rb") as fh:
                files[f] = fh.read()
        seed = int(files["seed"])
        self.assertEqual(files["input"], harness.generate("demolish_cases", seed))
        self.assertEqual(files["expected"], harness.run("demolish_solver", files["input"]).stdout)
        self.assertIn(b"\n-1\n", files["got"])
        # the kept command line writes the input again
        env = dict(os.environ, ASAN_OPTIONS="verify_asan_link_order=0")
        remade = subprocess.run(files["remake"].decode().replace("> input", ""), shell=True,
                                cwd=self.tmp, capture_output=True, env=env)
        self.assertEqual(remade.stdout, files["input"])

    # ---------------------------------------------------------------------------- judge

    def judge(self, problem, *command, limit="2"):
        return pset("judge", problem, "--out", self.out, "--time-limit", limit, "--",
                    *command)

    def verdicts(self, p):
        return [l.split()[1] for l in p.stdout.splitlines()[1:-1]]

    def test_judge_correct_solution(self):
        p = self.judge("demolition", os.path.join(harness.BIN_DIR, "demolish_solver_dsu"))
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertEqual(set(self.verdicts(p)), {"OK"})
        self.assertRegex(p.stdout.splitlines()[-1], r"demolition: (\d+) of \1 tests OK")

    def test_judge_wrong_crashing_and_slow_solutions(self):
        cases = [
            (["sh", "-c", f"{bin_('banner_solver')} | sed '1s/#/+/'"], "WA", "2"),
            (["sh", "-c", "cat > /dev/null; kill -SEGV $$"], "RE", "2"),
            (["sh", "-c", "exit 3"], "RE", "2"),
            (["sleep", "5"], "TLE", "0.3"),
        ]
        for command, verdict, limit in cases:
            p = self.judge("banner", *command, limit=limit)
            self.assertEqual(p.returncode, 1, command)
            self.assertEqual(set(self.verdicts(p)), {verdict}, p.stdout)
        p = self.judge("banner", "sh", "-c", "exit 3")
        self.assertIn("RE (3)", p.stdout)
        p = self.judge("banner", "sh", "-c", "cat > /dev/null; kill -SEGV $$")
        self.assertIn("RE (signal 11)", p.stdout)

    def test_judge_floating_answers_within_tolerance(self):
        solver = bin_("shuttle_solver")
        close = f"{solver} | awk '{{printf \"%.8f\\n\", $1 + 0.0000004}}'"
        far = f"{solver} | awk '{{printf \"%.8f\\n\", $1 + 0.00001}}'"
        self.assertEqual(self.judge("shuttle", "sh", "-c", close).returncode, 0)
        p = self.judge("shuttle", "sh", "-c", far)
        self.assertEqual(p.returncode, 1)
        self.assertIn("WA", self.verdicts(p))

    # --------------------------------------------------------------------------- errors

    def test_errors_are_one_line_and_status_2(self):
        empty = os.path.join(self.tmp, "empty")
        os.makedirs(empty, exist_ok=True)
        cases = [
            (pset("build", "nosuch"), "unknown problem 'nosuch'"),
            (pset("stress", "nosuch"), "unknown problem 'nosuch'"),
            (pset("judge", "demolition", "--out", empty, "--", "true"), "is not built"),
            (pset("judge", "demolition", "--out", self.out, "--", "/no/such/program"),
             "cannot start /no/such/program"),
            (pset("stress", "demolition", "--rounds", "1", "--", "/no/such/program"),
             "cannot start /no/such/program"),
            (pset("build", "--out", empty, build=os.path.join(self.tmp, "nobuild")),
             "is missing"),
            (pset("judge", "collider", "--out", self.out, "--", "true"),
             "no reference answers"),
            (pset("stress", "sudoku"), "no generator"),
            (pset("stress", "rounding"), "no second solver"),
            (pset("judge", "demolition", "--out", self.out), "needs a command"),
            (pset("build", "--tests", "x"), "--tests"),
            (pset(), "required"),
        ]
        for p, text in cases:
            self.assertStops(p, text)


if __name__ == "__main__":
    harness.main()
