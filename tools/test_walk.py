#!/usr/bin/env python3
"""The walk of README.md's "Adding a problem", as a setter takes it, in a copy of the project
whose path holds a blank:

1. `pset new sum` writes the placeholder problem; built, it passes `pset build`,
   `validate --mutate` and `verify` as it stands (and its sources are formatted);
2. the toy problem of the fixture in tools/walk_sum/ (sum of two numbers) replaces the
   placeholder, file by file as README.md lists them: the title and [limits] in problem.toml
   (limits.toml), the statement, the solver, the validator, the example, extra_tests.py,
   maker.py, the case tables and a wrong submission in place of the placeholder's;
3. built again, `pset build`, `validate --mutate`, `verify` and `export` of sum pass, CMake has
   registered sum's case tables, and the CTest tests that walk every problem (input checks,
   makers, validation, submissions, export, format) walk sum too and pass in the copy's build
   tree;
4. no file outside sum/ has changed (git status in the copy).

The copy builds in its own build tree only what the walk changes: sum's programs, validator
and submissions (and the pinned clock). The other problems' programs, which the copy holds
unchanged, are links to the build under test. The sanitizer tree leaves the walk to the plain
tree: it checks files and wiring, which the sanitizers do not change.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import harness
from psetlib import problems, submissions

FIXTURE = os.path.join(harness.ROOT, "tools", "walk_sum")
NAME = "sum"
TITLE = "Sum of two numbers"
# The CTest tests that walk every problem, and the format check of every source.
WALKERS = ["tools/test_input_checks", "tools/test_makers", "tools/test_validation",
           "tools/test_submissions", "tools/test_export"]
SLOW = 3600  # seconds: the nested test run, which exports the whole set, may take this long


def project_files():
    """The project's files as git knows them (tracked, and new ones it does not ignore), or
    None outside a git checkout."""
    try:
        p = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                           cwd=harness.ROOT, capture_output=True, timeout=120)
    except OSError:
        return None
    if p.returncode != 0:
        return None
    return [f for f in p.stdout.decode().split("\0")
            if f and os.path.isfile(os.path.join(harness.ROOT, f))]


class Walk(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if harness.SANITIZED:
            raise unittest.SkipTest("the plain tree walks (files and wiring only)")
        cls.files = project_files()
        if cls.files is None:
            raise unittest.SkipTest("not a git checkout: the copy is made from git's list")
        cls.tmp = tempfile.mkdtemp(prefix="pset walk ")
        cls.root = os.path.join(cls.tmp, "a project")
        for f in cls.files:
            dest = os.path.join(cls.root, f)
            os.makedirs(os.path.dirname(dest), exist_ok=True)
            shutil.copy2(os.path.join(harness.ROOT, f), dest)
        cls.build = os.path.join(cls.root, "build")
        # the environment of the build under test must not reach into the copy
        cls.env = {k: v for k, v in os.environ.items()
                   if k not in ("BIN_DIR", "VALIDATOR_DIR", "PINCLOCK", "SANITIZED", "PYTHONPATH",
                                "PSET_UNDER_TEST", "MAKEFLAGS")}
        cls.env["PYTHONDONTWRITEBYTECODE"] = "1"
        cls.git("init", "-q")
        cls.git("add", "-A")
        cls.git("commit", "-q", "-m", "the project as copied")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    @classmethod
    def git(cls, *args):
        p = subprocess.run(["git", "-c", "user.name=walk", "-c", "user.email=walk@localhost",
                            *args], cwd=cls.root, capture_output=True, text=True, timeout=300)
        if p.returncode != 0:
            raise AssertionError(f"git {' '.join(args)}: {p.stderr}")
        return p.stdout

    def run_in_copy(self, *argv, timeout=1800):
        p = subprocess.run(list(argv), cwd=self.root, capture_output=True, text=True,
                           env=self.env, timeout=timeout)
        self.assertEqual(p.returncode, 0, f"{' '.join(argv)}:\n{p.stdout[-3000:]}\n"
                         f"{p.stderr[-3000:]}")
        return p

    def pset(self, *args):
        return self.run_in_copy(sys.executable, os.path.join(self.root, "pset"), *args)

    def make(self):
        """What `make programs` does in the copy, for what the walk changes: configure (which
        finds the problems from their manifests), then build sum's targets; every other
        program is a link to the build under test, built from the same sources."""
        self.run_in_copy("cmake", "-S", self.root, "-B", self.build, "-DCMAKE_BUILD_TYPE=Release")
        p = problems.load(self.root).get(NAME)
        targets = [t for t in [p.solver, *p.second, p.generator, p.checker, p.input_check] if t]
        for verdict, source in submissions.sources(p):
            stem = os.path.basename(source).rsplit(".", 1)[0]
            targets.append(f"sub_{NAME}_{verdict}_{stem}")
        self.run_in_copy("cmake", "--build", self.build, "-j", "2", "--target", "pinclock",
                         *targets)
        for sub in ("bin", "validators", "submissions"):
            real = os.path.join(harness.BUILD, sub)
            for top, dirs, names in os.walk(real):
                rel = os.path.relpath(top, real)
                if sub == "submissions" and rel.split(os.sep)[0] == NAME:
                    continue
                os.makedirs(os.path.join(self.build, sub, rel), exist_ok=True)
                for f in names:
                    link = os.path.join(self.build, sub, rel, f)
                    if not os.path.lexists(link):
                        os.symlink(os.path.join(top, f), link)
        return p

    def test_the_walk(self):
        # 1. pset new, and the placeholder passes as it stands
        said = self.pset("new", NAME, "--title", TITLE).stdout
        folder = os.path.join(self.root, NAME)
        written = sorted(os.path.relpath(os.path.join(top, f), self.root)
                         for top, _, names in os.walk(folder) for f in names)
        listed = sorted(line.strip() for line in said.splitlines()
                        if line.startswith(f"  {NAME}/"))
        self.assertEqual(listed, written, said)
        for want in ("problem.toml", "statement.md", "sum_solver.cpp", "sum_input_check.cpp",
                     "examples/01-example.in", "extra_tests.py", "maker.py",
                     "sum_solver.cases", "sum_input_check.cases"):
            self.assertIn(f"{NAME}/{want}", written)
        self.assertTrue(any(w.startswith(f"{NAME}/submissions/wrong_answer/") for w in written))
        placeholder = problems.load(self.root).get(NAME)
        self.assertEqual(placeholder.order, max(p.order for p in problems.all_problems()) + 1)
        self.assertEqual(placeholder.title, TITLE)
        clang_format = shutil.which("clang-format")
        if clang_format:
            sources = [os.path.join(self.root, w) for w in written if w.endswith(".cpp")]
            self.run_in_copy(clang_format, "--dry-run", "-Werror", *sources)
        self.make()
        self.pset("build", NAME)
        self.assertIn(f"{NAME}: 3 of 3 inputs valid, 0 broken copies accepted",
                      self.pset("validate", "--mutate", NAME).stdout)
        self.assertIn("every submission as expected", self.pset("verify", NAME).stdout)

        # 2. the toy problem replaces the placeholder, file by file
        for sub in placeholder_submissions(folder):
            os.unlink(sub)
        for top, _, names in os.walk(FIXTURE):
            for f in names:
                src = os.path.join(top, f)
                rel = os.path.relpath(src, FIXTURE)
                if rel == "limits.toml":
                    continue
                os.makedirs(os.path.dirname(os.path.join(folder, rel)), exist_ok=True)
                shutil.copyfile(src, os.path.join(folder, rel))
        manifest = os.path.join(folder, "problem.toml")
        with open(manifest, encoding="utf-8") as fh:
            text = fh.read()
        with open(os.path.join(FIXTURE, "limits.toml"), encoding="utf-8") as fh:
            limits = fh.read()
        self.assertIn("\n[limits]\n", text)
        text = text[:text.index("\n[limits]\n") + 1] + limits
        with open(manifest, "w", encoding="utf-8") as fh:
            fh.write(text)

        # 3. built again, the whole of pset on sum, then the tests that walk every problem
        self.make()
        self.pset("build", NAME)
        self.assertIn(f"{NAME}: 3 of 3 inputs valid, 0 broken copies accepted",
                      self.pset("validate", "--mutate", NAME).stdout)
        verified = self.pset("verify", NAME).stdout
        self.assertRegex(verified, r"int_sum +wrong_answer +W")
        self.assertIn("every submission as expected", verified)
        exported = self.pset("export", NAME).stdout
        self.assertTrue(os.path.isfile(os.path.join(self.root, "out", "export", NAME + ".zip")),
                        exported)
        listed = self.run_in_copy("ctest", "--test-dir", self.build, "-N").stdout
        for table in ("sum/sum_solver.cases", "sum/sum_input_check.cases"):
            self.assertIn(table, listed)
        walkers = [w for w in WALKERS if w in listed]
        self.assertEqual(walkers, WALKERS, "a walking test is not registered in the copy")
        pattern = "^(" + "|".join(walkers + ["sum/.*", "format"]) + ")$"
        p = subprocess.run(["ctest", "--test-dir", self.build, "-R", pattern, "-j", "2", "-V"],
                           cwd=self.root, capture_output=True, text=True, env=self.env,
                           timeout=SLOW)
        ran = p.stdout
        failed = re.findall(r"(?m)^\s+(\d+) - (\S+) \(", ran.split("tests FAILED:")[-1]) \
            if p.returncode else []
        shown = "\n".join(f"{name}:\n" + "\n".join(
            line for line in ran.splitlines() if line.startswith(f"{n}: "))[-4000:]
            for n, name in failed)
        self.assertEqual(p.returncode, 0, f"in the copy: {shown or ran[-3000:]}")
        walked = re.findall(r"walked: ([^:\n]+): ([^\n]*)", ran)
        what = {w for w, _ in walked}
        self.assertEqual(what, {"input checks", "makers", "validation", "submissions",
                                "export"}, ran[-3000:])
        for w, names in walked:
            self.assertIn(NAME, names.split(", "), f"{w} did not walk {NAME}")

        # 4. nothing outside sum/ changed
        status = self.git("status", "--porcelain", "--untracked-files=all")
        outside = [line for line in status.splitlines() if not line[3:].startswith(f"{NAME}/")]
        self.assertEqual(outside, [], status)
        self.assertTrue(status.strip(), "the walk left no trace in sum/")


def placeholder_submissions(folder):
    top = os.path.join(folder, "submissions")
    return [os.path.join(t, f) for t, _, names in os.walk(top) for f in names]


if __name__ == "__main__":
    harness.main()
