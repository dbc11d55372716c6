"""The workflow driver: the default build (the tree's shared package) with its manifest,
summary and determinism, failures it must catch, stress finding a planted fault, judge verdicts, and then a table of the ways it was
once broken: files it deleted, a clock it silently did not pin, packages it judged though
incomplete, runs that did not stop or left processes behind, times and verdicts no judge would
give, tracebacks and unchecked options."""

import fcntl
import glob
import hashlib
import os
import re
import shlex
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time
import unittest

import harness
from psetlib import problems

from harness import BUILD, PSET, pset

GUARD = 300  # a run that takes longer is a hang: the test fails instead of waiting on
# a sanitized program cannot live in an address-space limit (its shadow memory is huge)
NOMEM = ["--memory-limit", "0"] if harness.SANITIZED else []


def bin_(name):
    return shlex.quote(os.path.join(harness.BIN_DIR, name))


def token_holders(pid):
    """Processes still alive that a pset run with this pid started (they carry its token)."""
    return harness.processes("environ", lambda b: f"PSET_RUN={pid}.".encode() in b)


def files_of(folder):
    out = {}
    for f in sorted(os.listdir(folder)):
        with open(os.path.join(folder, f), "rb") as fh:
            out[f] = fh.read()
    return out



TEST_LINE = re.compile(r"(\d+)(?: (?:in|ans) \d+ [0-9a-f]{64})+ (example|maker|generator) (.+)")


def tests_of(folder):
    """(name, kind, how) of every test a package's manifest lists, in order."""
    with open(os.path.join(folder, "manifest")) as fh:
        return [TEST_LINE.fullmatch(line).groups() for line in fh.read().splitlines()
                if not line.startswith("#")]


def generated_test(out, problem):
    """The input of the package's first generated test, found through its manifest."""
    folder = os.path.join(out, problem, "tests")
    name = next(name for name, kind, _ in tests_of(folder) if kind == "generator")
    return os.path.join(folder, name + ".in")

class Driver(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-test-")
        # the shared package, pset build with its defaults, and what build printed: read here,
        # never written (a test that writes into a package copies it first)
        cls.out, cls.summary = harness.shared_package()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def fresh(self, name):
        path = tempfile.mkdtemp(prefix=name + "-", dir=self.tmp)
        return path

    def fake_build(self, name=None, script="", where=None):
        """A build folder whose programs are the real ones but for `name`, a shell script."""
        return harness.fake_build(self.tmp, "bin", name, script, where)

    def assertStops(self, p, text, quiet=True):
        """Status 2, one line on stderr naming the problem, no traceback (and, quiet, nothing
        on stdout: no table or header before the error)."""
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        if quiet:
            self.assertEqual(p.stdout, "")
        self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
        self.assertTrue(p.stderr.startswith("pset: "), p.stderr)
        self.assertIn(text, p.stderr)

    # ---------------------------------------------------------------------------- build

    def test_build_writes_every_problem_with_manifest_and_summary(self):
        said = self.summary
        for m in problems.all_problems():
            name = m.name
            folder = os.path.join(self.out, name, "tests")
            with open(os.path.join(folder, "manifest")) as fh:
                lines = fh.read().splitlines()
            self.assertTrue(lines[0].startswith("# "), lines[0])
            manifest = lines[1:]
            ins = [f for f in os.listdir(folder) if f.endswith(".in")]
            self.assertEqual(len(ins), len(manifest), name)
            self.assertGreater(len(ins), 0, name)
            for k, line in enumerate(manifest, 1):
                self.assertTrue(line.startswith(f"{k:02d} "), line)
                # every file with its size and digest (without a solver: inputs only)
                words = line.split(" ")
                for suffix in ("in", "ans") if m.solver else ("in",):
                    self.assertEqual(words[1], suffix, line)
                    path = os.path.join(folder, f"{k:02d}.{suffix}")
                    with open(path, "rb") as fh:
                        data = fh.read()
                    self.assertEqual(words[2:4], [str(len(data)),
                                                  hashlib.sha256(data).hexdigest()], line)
                    self.assertEqual(stat.S_IMODE(os.stat(path).st_mode), 0o444, path)
                    words = [words[0]] + words[4:]
                self.assertEqual(os.path.isfile(os.path.join(folder, f"{k:02d}.ans")),
                                 bool(m.solver), line)
                made = " ".join(words[1:])
                self.assertTrue(made.startswith(("example ", "maker ", "generator ")), line)
                if made.startswith("example "):
                    self.assertTrue(os.path.isfile(os.path.join(harness.ROOT, made[8:])), line)
            seeds = [l.split()[-1] for l in manifest if l.split()[-2] == "seed"]
            # by default ten generated tests, seeded from the clock 1765000000 on
            self.assertEqual(seeds, [str(1765000000 + k) for k in range(10)]
                             if m.generator and m.seeded else [], name)
            row = [l for l in said.splitlines() if l.startswith(name + " ")]
            self.assertEqual(len(row), 1, said)
            self.assertEqual(row[0].split()[1], str(len(ins)))
            self.assertIn("agrees: " if m.second else " none", row[0])
        # the problems come in the set's order
        order = [l.split()[0] for l in said.splitlines() if l.startswith("  ") and " ... " in l]
        self.assertEqual(order, [m.name for m in sorted(problems.all_problems(),
                                                        key=lambda m: m.order)])

    def test_build_answers_are_the_reference_solvers(self):
        folder = os.path.join(self.out, "rounding", "tests")
        for f in sorted(os.listdir(folder)):
            if f.endswith(".in"):
                with open(os.path.join(folder, f), "rb") as fh:
                    r = harness.run("rounding_solver", fh.read())
                with open(os.path.join(folder, f[:-3] + ".ans"), "rb") as fh:
                    self.assertEqual(fh.read(), r.stdout, f)

    def test_generated_tests_can_be_made_again_and_same_seed_same_package(self):
        folder = os.path.join(self.out, "demolition", "tests")
        name, _, how = [t for t in tests_of(folder) if "seed" in t[2]][0]
        with open(os.path.join(folder, name + ".in"), "rb") as fh:
            self.assertEqual(fh.read(), harness.generate("demolish_cases", int(how.split()[-1])))
        again = self.fresh("again")
        p = pset("build", "--out", again, "demolition", "banner", "mirror")
        self.assertEqual(p.returncode, 0, p.stderr)
        for name in ("demolition", "banner", "mirror"):
            self.assertEqual(files_of(os.path.join(self.out, name, "tests")),
                             files_of(os.path.join(again, name, "tests")), name)

    def test_build_catches_failures(self):
        ratio = self.fresh("keep")
        self.assertEqual(pset("build", "--tests", "1", "--out", ratio, "ratio").returncode, 0)
        before = files_of(os.path.join(ratio, "ratio", "tests"))
        cases = [  # program, script, problem, out, message
            ("banner_cases", 'echo 1; echo "$$"', "banner", None,
             r"banner_cases is not deterministic"),
            ("ratio_solver_stream", f"{bin_('ratio_solver')} | sed '$s/.$/9/'", "ratio", ratio,
             r"ratio_solver_stream disagrees with ratio_solver on \S+\.in"),
            ("trend_solver", "exit 3", "trend", None, r"trend_solver failed on \S+\.in: RE \(3\)"),
        ]
        for prog, script, problem, out, message in cases:
            out = out or self.fresh("fail")
            p = pset("build", "--tests", "1", "--out", out, problem,
                     build=self.fake_build(prog, script))
            self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
            self.assertRegex(p.stderr, message)
            self.assertIn(" FAILED\n", p.stdout)
            self.assertNotIn("Traceback", p.stderr)
        self.assertFalse(os.path.exists(os.path.join(out, "trend", "tests")))
        self.assertEqual(files_of(os.path.join(ratio, "ratio", "tests")), before)

    # --------------------------------------------------------------------------- stress

    def test_stress_second_solver_agrees(self):
        solver = lambda name: os.path.join(harness.BIN_DIR, name)  # noqa: E731
        cases = [  # arguments, what it says
            (("demolition", "--rounds", "6", "--jobs", "2", "--seed", "7"),
             "all 6 rounds agree (6000 made cases; seeds 7 ... 12)"),
            (("demolition", "--generator", "--rounds", "6", "--jobs", "2", "--seed", "7"),
             "all 6 rounds agree (seeds 7 ... 12)"),
            (("extrema", "--generator", "--rounds", "3", "--seed", "2147483646", "--",
              solver("extrema_solver")),
             "all 3 rounds agree (seeds 2147483646 ... 0, wrapping past 2147483647 to 0)"),
            (("mirror", "--generator", "--rounds", "50"),
             "one fixed file, so one round is enough"),
            # problems without a generator, on made cases
            (("mirror", "--rounds", "3", "--cases", "200", "--seed", "1"),
             "all 3 rounds agree (600 made cases; seeds 1 ... 3)"),
            (("ratio", "--rounds", "2", "--seed", "1"), "all 2 rounds agree"),
            (("shuttle", "--rounds", "3", "--seed", "1", "--", solver("shuttle_solver")),
             "all 3 rounds agree (3000 made cases"),
            (("sudoku", "--rounds", "1", "--cases", "50", "--", solver("sudoku_validator")),
             "the one round agrees (50 made cases"),
            (("constant", "--rounds", "2", "--", solver("constant_answer")),
             "all 2 rounds agree (2000 made cases"),
        ]
        for args, text in cases:
            p = pset("stress", "--out", self.tmp, *args)
            self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
            self.assertIn(text, p.stdout)

    def reproducer(self, p):
        line = [l for l in p.stdout.splitlines() if "reproducer kept in" in l][0]
        folder = os.path.abspath(line.split("reproducer kept in ")[1].split(": ")[0])
        return folder, files_of(folder)

    def assertRemakes(self, files):
        """The kept command line writes the input again, from another folder."""
        remade = subprocess.run(files["remake"].decode().replace("> input", ""), shell=True,
                                cwd=self.tmp, capture_output=True, timeout=GUARD,
                                env=dict(os.environ, ASAN_OPTIONS="verify_asan_link_order=0"))
        self.assertEqual(remade.stdout, files["input"])

    def test_stress_finds_a_planted_fault_and_keeps_a_reproducer(self):
        # wrong from the third answer line on: every generated file has more lines
        wrong = f"{bin_('demolish_solver')} | sed '3s/.*/-1/'"
        p = pset("stress", "demolition", "--generator", "--rounds", "20", "--seed", "4242",
                 "--shrink-seconds", "600",
                 "--out", self.tmp, "--", "sh", "-c", wrong)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("line 3: expected", p.stdout)
        folder, files = self.reproducer(p)
        seed = int(files["seed"])
        self.assertEqual(files["input"], harness.generate("demolish_cases", seed))
        self.assertEqual(files["expected"], harness.run("demolish_solver", files["input"]).stdout)
        self.assertIn(b"\n-1\n", files["got"])
        self.assertRemakes(files)
        # shrunk to the smallest file with a third answer line: one case of three zeros
        self.assertEqual(files["shrunk.in"], b"1\n3\n0 0 0\n1 2 3\n")
        self.assertEqual(files["shrunk.expected"],
                         harness.run("demolish_solver", files["shrunk.in"]).stdout)
        self.assertEqual(files["shrunk.got"].split(b"\n")[2], b"-1")
        self.assertIn("shrunk from ", p.stdout)

    # ---------------------------------------------------------------------------- judge

    def judge(self, problem, *command, limit="2", extra=(), out=None):
        return pset("judge", problem, "--out", out or self.out, "--time-limit", limit, *NOMEM,
                    *extra, "--", *command)

    def rows(self, p):
        """(test, verdict, detail) of every row of a judge table."""
        lines = p.stdout.splitlines()
        self.assertTrue(lines and lines[0].startswith("test"), p.stdout + p.stderr)
        found = []
        for line in lines[1:-1]:
            name, rest = line.split(None, 1)
            verdict = rest[:15].strip()
            found.append((name, verdict, rest[25:].strip().split(" MB", 1)[1].strip()))
        return found

    def test_judge_correct_solution(self):
        p = self.judge("demolition", os.path.join(harness.BIN_DIR, "demolish_solver_dsu"))
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertEqual({r[1] for r in self.rows(p)}, {"OK"})
        self.assertRegex(p.stdout.splitlines()[-1], r"demolition: (\d+) of \1 tests OK")

    def test_judge_verdicts(self):
        python = shlex.quote(sys.executable)
        once = shlex.quote(os.path.join(self.fresh("once"), "ran"))
        cases = [  # problem, command, time limit, extra options, verdict, detail
            ("constant", f"{bin_('constant_answer')} | sed '1s/5/4/'", "2", (), "WA",
             'line 1: expected "25", got "24"'),
            ("constant", "cat > /dev/null; kill -SEGV $$", "2", (), "RE (SIGSEGV)", ""),
            ("constant", "echo no >&2; exit 3", "2", (), "RE (3)", "no"),
            # one that waits past the wall-clock backstop (twice the limit and a second)
            ("constant", "sleep 5", "0.3", ("--jobs", "3"), "TLE", ""),
            ("constant", "while :; do :; done", "0.2", (), "TLE", ""),
            # stopped by the backstop within its CPU time once (as a busy machine may), it runs
            # once more before it is TLE
            ("constant", f"[ -e {once} ] || {{ : > {once}; sleep 5; }}; echo 25", "0.3",
             ("--sandbox", "off", "--jobs", "3"), "OK", ""),
            # the time is CPU time: a command that waits a while is not slow
            ("constant", "sleep 0.5; echo 25", "0.3", ("--jobs", "3"), "OK", ""),
            ("constant", "yes", "2", ("--output-limit", "1"), "OLE", ""),
            ("constant", f"{python} -c 'bytearray(1 << 31)'", "5",
             ("--memory-limit", "256"), "MLE", ""),
            ("shuttle", f"{bin_('shuttle_solver')} | awk '{{printf \"%.8f\\n\", $1 + 1e-5}}'",
             "2", (), "WA", "float_judge: "),
            ("shuttle", f"{bin_('shuttle_solver')} | awk '{{printf \"%.8f\\n\", $1 + 4e-7}}'",
             "2", (), "OK", ""),
        ]
        for problem, script, limit, extra, verdict, detail in cases:
            with self.subTest(script=script):
                p = self.judge(problem, "sh", "-c", script, limit=limit, extra=extra)
                self.assertEqual(p.returncode, 0 if verdict == "OK" else 1, p.stdout + p.stderr)
                rows = self.rows(p)
                if verdict == "WA":  # a file of no cases has an empty answer, right whatever
                    rows = [r for r in rows if os.path.getsize(os.path.join(
                        self.out, problem, "tests", r[0] + ".ans"))]
                self.assertEqual({r[1] for r in rows}, {verdict}, p.stdout)
                self.assertTrue(all(r[2].startswith(detail) for r in rows), p.stdout)

    def test_judge_jobs_give_the_same_table(self):
        cmd = ("sh", "-c", f"{bin_('trend_solver')} | sed '2s/.*/x/'")
        one, two = self.judge("trend", *cmd), self.judge("trend", *cmd, extra=("--jobs", "2"))
        self.assertEqual(one.returncode, 1)
        self.assertEqual([r[::2] for r in self.rows(one)], [r[::2] for r in self.rows(two)])

    # ---------------------------------------------------------- what it once got wrong

    def test_build_replaces_only_what_it_wrote(self):
        user = self.fresh("user")
        os.makedirs(os.path.join(user, "constant"))
        with open(os.path.join(user, "constant", "constant_answer.cpp"), "w") as fh:
            fh.write("mine\n")
        marked = self.fresh("marked")
        self.assertEqual(pset("build", "--tests", "0", "--out", marked, "constant").returncode, 0)
        notes = os.path.join(marked, "constant", "notes.txt")
        with open(notes, "w") as fh:
            fh.write("mine\n")
        stray = self.fresh("stray")
        self.assertEqual(pset("build", "--tests", "0", "--out", stray, "constant").returncode, 0)
        with open(os.path.join(stray, "constant", "tests", "mine.txt"), "w") as fh:
            fh.write("mine\n")
        afile = os.path.join(self.tmp, "a-file")
        with open(afile, "w") as fh:
            fh.write("mine\n")
        cases = [  # --out, cwd, status, message
            (user, None, 2, "holds no .pset-package"),
            ("", user, 2, "--out must name a folder"),
            (".", user, 2, "holds no .pset-package"),
            (afile, None, 2, "is not a folder"),
            ("/proc/pset-no-such-folder", None, 2, "cannot write"),
            (stray, None, 2, "holds files pset did not write (mine.txt)"),
            (marked, None, 0, ""),
        ]
        # a package an earlier pset wrote, before it marked them, is taken as its own
        earlier = self.fresh("earlier")
        shutil.copytree(os.path.join(self.out, "constant"), os.path.join(earlier, "constant"))
        cases.append((earlier, None, 0, ""))
        for out, cwd, status, message in cases:
            with self.subTest(out=out):
                p = pset("build", "--tests", "0", "--out", out, "constant", cwd=cwd)
                if status == 2:
                    self.assertStops(p, message)
                else:
                    self.assertEqual(p.returncode, 0, p.stderr)
        for path in (os.path.join(user, "constant", "constant_answer.cpp"), notes, afile,
                     os.path.join(stray, "constant", "tests", "mine.txt")):
            with open(path) as fh:
                self.assertEqual(fh.read(), "mine\n", path)
        self.assertEqual(sorted(os.listdir(user)), ["constant"])
        # the project tree is never a package, even marked: tried on a copy of the project
        copy = harness.copy_project(self.fresh("project"), ["constant"])
        open(os.path.join(copy, ".pset-package"), "w").close()
        before = files_of(os.path.join(copy, "constant", "examples"))
        for out in (copy, os.path.dirname(copy)):
            p = pset("build", "--tests", "0", "--out", out, "constant",
                     pset_path=os.path.join(copy, "pset"))
            self.assertStops(p, "is the project tree itself")
        self.assertEqual(files_of(os.path.join(copy, "constant", "examples")), before)
        self.assertFalse(os.path.exists(os.path.join(copy, "constant", "tests")))

    def test_pinned_clock_from_a_path_with_a_blank_or_colon(self):
        for odd in ("a b", "a:b"):
            with self.subTest(path=odd):
                where = os.path.join(self.fresh("odd"), odd)
                fake = self.fake_build(where=where)
                out = os.path.join(where, "out")
                p = pset("build", "--tests", "1", "--seed", "77", "--out", out, "banner",
                         build=fake)
                self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
                with open(generated_test(out, "banner"), "rb") as fh:
                    self.assertEqual(fh.read(), harness.generate("banner_cases", 77))
                p = pset("stress", "banner", "--rounds", "1", "--seed", "78", "--out", out,
                         "--", "sh", "-c", "echo wrong", build=fake)
                self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
                self.assertRemakes(self.reproducer(p)[1])

    def test_judge_needs_a_whole_package(self):
        def broken(how):
            out = harness.package_copy(self.fresh("broken"), ["demolition"])
            folder = os.path.join(out, "demolition", "tests")
            how(folder)
            return out

        def garble(folder):
            for f in os.listdir(folder):
                if f.endswith(".in"):
                    os.unlink(os.path.join(folder, f))
            with open(os.path.join(folder, "manifest"), "w") as fh:
                fh.write("something\nelse\nentirely\n")

        cases = [
            lambda d: [os.unlink(os.path.join(d, f)) for f in os.listdir(d) if f.endswith(".in")],
            garble,
            lambda d: os.unlink(os.path.join(d, "01.ans")),
            lambda d: shutil.copy(os.path.join(d, "01.in"), os.path.join(d, "99.in")),
        ]
        for how in cases:
            p = self.judge("demolition", os.path.join(harness.BIN_DIR, "demolish_solver"),
                           out=broken(how))
            self.assertStops(p, ": run pset build")
            self.assertRegex(p.stderr, r"^pset: package changed: \S+/demolition/tests/")

    def test_a_signal_stops_every_action_and_leaves_nothing(self):
        slow = f"{bin_('demolish_solver')}; sleep 77"
        cases = [  # arguments, signal, status, where it stopped
            (("stress", "demolition", "--rounds", "100000000", "--jobs", "2", "--out", self.tmp,
              "--", "sh", "-c", slow), signal.SIGINT, 130, "in stress of demolition after"),
            (("judge", "constant", "--out", self.out, "--", "sh", "-c",
              "setsid sleep 77 & sleep 77"), signal.SIGTERM, 143, "at test 01"),
            (("build", "--out", self.fresh("stopped"), "demolition"), signal.SIGINT, 130,
             "while building demolition"),
        ]
        for args, sig, status, where in cases:
            with self.subTest(args=args[0]):
                tmpdir = self.fresh("tmpdir")
                # stderr joins stdout: the message must start a line of its own
                proc = subprocess.Popen([sys.executable, PSET, "--build-dir", BUILD, *args],
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        text=True, env=dict(os.environ, TMPDIR=tmpdir))
                # wait until it runs a command of its own, then signal it
                while not harness.children(proc.pid) and proc.poll() is None:
                    time.sleep(0.05)
                proc.send_signal(sig)
                out, _ = proc.communicate(timeout=GUARD)
                self.assertEqual(proc.returncode, status, out)
                self.assertRegex(out, rf"(?m)^pset: stopped by {sig.name} {where}")
                self.assertNotIn("Traceback", out)
                self.assertEqual(token_holders(proc.pid), [])
                self.assertEqual(os.listdir(tmpdir), [])

    def test_judge_leaves_no_descendant(self):
        # each script's sleep lasts a time of its own, to be looked for among all processes
        for script in ("echo 25; sleep 301 >/dev/null &", "echo 25; setsid sleep 302 &",
                       "echo 25; setsid sh -c 'sleep 303 & sleep 303'",
                       "echo 25; env -i setsid sleep 304 &"):
            proc = subprocess.Popen([sys.executable, PSET, "--build-dir", BUILD, "judge",
                                     "constant", "--out", self.out, "--time-limit", "1", "--",
                                     "bash", "-c", script], stdout=subprocess.PIPE, text=True)
            out, _ = proc.communicate(timeout=GUARD)
            self.assertEqual(proc.returncode, 0, out)
            sleep = script.split("sleep ")[1][:3]
            left = harness.processes("cmdline", lambda b: b == f"sleep\0{sleep}\0".encode())
            self.assertEqual(left, [], script)

    def test_stress_stops_at_a_fatal_error(self):
        counter = os.path.join(self.tmp, "counter")
        fake = self.fake_build("demolish_solver", f"echo x >> {counter}; echo broken >&2; exit 3")
        p = pset("stress", "demolition", "--rounds", "50", "--jobs", "1", "--seed", "5",
                 "--out", self.tmp, build=fake)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        with open(counter) as fh:
            self.assertEqual(fh.read(), "x\n")
        self.assertIn("the reference demolish_solver failed under seed 5: RE (3) broken", p.stdout)
        folder, files = self.reproducer(p)
        self.assertEqual(files["expected.stderr"], b"broken\n")
        self.assertRemakes(files)

    def test_one_run_at_a_time_per_package(self):
        out = self.fresh("locked")
        self.assertEqual(pset("build", "--tests", "0", "--out", out, "constant").returncode, 0)
        os.makedirs(os.path.join(out, ".partial-left"))
        with open(os.path.join(out, ".pset-lock"), "a+") as fh:
            fcntl.flock(fh, fcntl.LOCK_EX)
            fh.write("pset build (pid 4711)\n")
            fh.flush()
            # the wait for the lock, shortened: the run gives up all the same
            p = pset("build", "--tests", "0", "--out", out, "constant",
                     env=dict(os.environ, PSET_LOCK_WAIT="0.5"))
        self.assertStops(p, "is in use by pset build (pid 4711)", quiet=False)
        p = pset("build", "--tests", "0", "--out", out, "constant")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("removed .partial-left", p.stdout)
        self.assertEqual(sorted(os.listdir(out)), [".pset-lock", ".pset-package", "constant"])

    def test_a_killed_build_leaves_the_old_or_the_new_package(self):
        # two small problems, killed at moments spread over the time their build takes
        out = self.fresh("killed")
        self.assertEqual(pset("build", "--tests", "1", "--seed", "5", "--out", out, "banner",
                              "constant").returncode, 0)
        old = {n: files_of(os.path.join(out, n, "tests")) for n in ("banner", "constant")}
        for delay in (0.2, 0.5, 0.9, 1.4):
            proc = subprocess.Popen([sys.executable, PSET, "--build-dir", BUILD, "build",
                                     "--tests", "2", "--seed", "9", "--out", out, "banner",
                                     "constant"], stdout=subprocess.DEVNULL,
                                    env=dict(os.environ, TMPDIR=self.tmp))
            time.sleep(delay)
            proc.kill()
            proc.wait()
            for n in old:
                now = files_of(os.path.join(out, n, "tests"))
                self.assertTrue(now == old[n] or b"seed 10\n" in now["manifest"], n)
            for pid in token_holders(proc.pid):  # a killed pset cannot end its programs
                os.kill(pid, signal.SIGKILL)

    def test_options_and_arguments(self):
        afile = os.path.join(self.tmp, "a-file")
        with open(afile, "w") as fh:
            fh.write("x\n")
        noexec = os.path.join(self.tmp, "noexec")
        shebang = os.path.join(self.tmp, "shebang")
        for path, mode, text in ((noexec, 0o644, "#!/bin/sh\n"), (shebang, 0o755, "#!/no/sh\n")):
            with open(path, "w") as fh:
                fh.write(text)
            os.chmod(path, mode)
        judge = ("judge", "demolition", "--out", self.out)
        cases = [
            (("build", "nosuch"), "unknown problem 'nosuch'"),
            (("stress", "nosuch"), "unknown problem 'nosuch'"),
            (("judge", "demolition", "--out", self.fresh("empty"), "--", "true"), "is not built"),
            (judge + ("--", "/no/such/program"), "cannot start /no/such/program: no such"),
            (judge + ("--", noexec), "is not executable"),
            (judge + ("--", shebang), "interpreter that does not exist"),
            (("stress", "demolition", "--rounds", "1", "--", noexec), "is not executable"),
            (("judge", "collider", "--out", self.out, "--", "true"), "no reference answers"),
            (("stress", "sudoku", "--generator"), "no generator"),
            (("stress", "rounding"), "no second solver"),
            (("stress", "collider"), "no reference solver"),
            (("stress", "demolition", "--generator", "--cases", "5"), "takes neither"),
            (("stress", "demolition", "--cases", "-1"), "--cases"),
            (("stress", "demolition", "--max-size", "0"), "--max-size"),
            (judge, "needs a command"),
            (("build", "--", "true"), "takes no command"),
            (("build", "--tests", "x"), "--tests"),
            (("build", "--seed", "-5"), "--seed"),
            (("build", "--seed", "2147483647", "--tests", "2"), "runs past the last clock"),
            (("stress", "demolition", "--out", afile), "cannot write reproducers"),
        ] + [(judge + ("--time-limit", v, "--", "true"), "--time-limit")
             for v in ("nan", "inf", "1e308", "1e9", "0", "-1")] + [
            (("stress", "demolition", "--timeout", v), "--timeout")
            for v in ("nan", "inf", "0", "-1")] + [
            (judge + (opt, v, "--", "true"), opt)
            for opt in ("--memory-limit", "--output-limit", "--jobs") for v in ("-1", "x")]
        for args, text in cases:
            with self.subTest(args=args):
                self.assertStops(pset(*args), text)

    def test_build_counts_and_names(self):
        self.fresh_out = self.fresh("once")
        p = pset("build", "--tests", "0", "--out", self.fresh_out, "banner", "banner")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("building 1 problem into", p.stdout)
        # --tests 0: the examples and the problem's own extra tests, no generated file
        kinds = [kind for _, kind, _ in tests_of(os.path.join(self.fresh_out, "banner", "tests"))]
        examples = len(glob.glob(os.path.join(harness.ROOT, "banner", "examples", "*.in")))
        self.assertEqual(kinds[:examples], ["example"] * examples)
        self.assertIn("maker", kinds)
        self.assertNotIn("generator", kinds)
        self.assertRegex(p.stdout, rf"\nbanner +{len(kinds)} ")
        # past 99 tests the names grow a digit, so that they sort as numbers do
        fake = self.fake_build("demolish_cases", "echo 1; echo 1; echo 5; echo 1")
        out = self.fresh("many")
        p = pset("build", "--tests", "100", "--out", out, "demolition", build=fake)
        self.assertEqual(p.returncode, 0, p.stderr)
        folder = os.path.join(out, "demolition", "tests")
        names = [name for name, _, _ in tests_of(folder)]
        self.assertGreater(len(names), 100)
        self.assertEqual(names, [f"{k:03d}" for k in range(1, len(names) + 1)])
        self.assertEqual(sorted(os.listdir(folder))[:3], ["001.ans", "001.in", "002.ans"])

    def test_help_texts(self):
        p = subprocess.run([sys.executable, PSET], capture_output=True, text=True)
        for word in ("pset build", "pset stress", "pset judge", "Examples:", "-- ./my_"):
            self.assertIn(word, p.stdout)
        for action, defaults in (("build", ("default 10", "default 1765000000")),
                                 ("stress", ("default 100", "default 1000", "default 60",
                                             "-- COMMAND")),
                                 ("judge", ("default 2", "default 1024", "default 64",
                                            "default 1", "-- COMMAND"))):
            p = pset(action, "--help")
            self.assertEqual(p.returncode, 0)
            for word in defaults + ("demolition", "extrema"):
                self.assertIn(word, p.stdout, action)

    def test_make_names_a_missing_tool(self):
        make, cmake = shutil.which("make"), shutil.which("cmake")
        if not make or not cmake:
            self.skipTest("make or cmake is not installed")
        path = self.fresh("path")
        os.symlink(cmake, os.path.join(path, "cmake"))  # python3 left out
        for target in ("all", "check"):
            p = subprocess.run([make, "-s", "-C", harness.ROOT, target], capture_output=True,
                               text=True, env=dict(os.environ, PATH=path), timeout=GUARD)
            self.assertEqual(p.returncode, 2, p.stderr)
            self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
            self.assertIn("python3 is not on PATH", p.stderr)

    def test_a_write_error_is_one_line(self):
        import resource

        def small_files():
            resource.setrlimit(resource.RLIMIT_FSIZE, (20000, 20000))
        p = pset("build", "--tests", "1", "--out", self.fresh("full"), "rounding",
                 preexec_fn=small_files)
        self.assertIn(p.returncode, (1, 2), p.stderr)
        self.assertEqual(p.stderr.count("\n"), 1 if p.returncode == 2 else 2, p.stderr)
        self.assertNotIn("Traceback", p.stderr)


if __name__ == "__main__":
    harness.main()
