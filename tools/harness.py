"""Shared test tooling: where the programs are, how to run them and pset, the pinned clock and
the C library's random source, stand-in build folders and copies of the project.

CTest sets BIN_DIR (the programs), VALIDATOR_DIR (the input validators), PINCLOCK (the
preload library that pins time()), SANITIZED (1 in the sanitizer tree) and PACKAGE (the
tree's shared package, which the fixture test `package/build` writes: see shared_package()).
Run by hand, the defaults point at build/. CHECK_DEEP=1 (make check-deep) runs the generator
sweeps whole in the sanitizer tree too.
"""

import atexit
import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if ROOT not in sys.path:  # a tool run by hand finds pset's package too
    sys.path.insert(0, ROOT)

from psetlib import programs, runner  # noqa: E402

BIN_DIR = os.path.abspath(os.environ.get("BIN_DIR", os.path.join(ROOT, "build", "bin")))
VALIDATOR_DIR = os.path.abspath(
    os.environ.get("VALIDATOR_DIR", os.path.join(ROOT, "build", "validators")))
PINCLOCK = os.path.abspath(
    os.environ.get("PINCLOCK", os.path.join(ROOT, "build", "lib", "libpinclock.so")))
SANITIZED = os.environ.get("SANITIZED", "0") == "1"
DEEP = os.environ.get("CHECK_DEEP", "0") == "1"

# A run that takes longer than this is a hang, not a slow program.
TIMEOUT = 120
# pset itself (another copy's under PSET_UNDER_TEST), the build folder it is given, and how
# long one of its runs may take before it counts as hung.
PSET = os.environ.get("PSET_UNDER_TEST", os.path.join(ROOT, "pset"))
BUILD = os.path.dirname(BIN_DIR)
PSET_GUARD = 600

# The pinned clocks the generator tests run under: the edges of the seed range and a spread of
# present-day values. The C library seeds 0 and 1 alike.
CLOCKS = [0, 1, 2, 59, 1000, 86400, 123456789, 1700000000, 1800000000, 2147483647] + [
    1765000000 + 7919 * i for i in range(15)]
# The clocks of a sweep that runs a generator's file through other programs (a validator, a
# solver): all of them, but every fifth in the sanitizer tree, where a program's start alone
# costs some 50 ms and the files of the other clocks run the same code (all under CHECK_DEEP).
SWEEP = CLOCKS[::5] if SANITIZED and not DEEP else CLOCKS


def program(name):
    """The built program `name`: one of the problems' programs, or an input validator."""
    path = os.path.join(BIN_DIR, name)
    if not os.access(path, os.X_OK) and name.endswith("_input_check"):
        path = os.path.join(VALIDATOR_DIR, name)
    if not os.access(path, os.X_OK):
        raise FileNotFoundError(f"{path} is not built")
    return path


_tools = None


def clock_env(clock):
    """The environment that pins time() to `clock` seconds in a child process (pset's own,
    which also reaches the library from a folder whose path holds a blank or a colon)."""
    global _tools
    if _tools is None:
        _tools = programs.Programs(os.path.dirname(BIN_DIR))
        _tools.pinclock = PINCLOCK
    return _tools.clock_env(clock)


_scratch = None


def run(name, stdin=b"", args=(), clock=None, cwd=None, timeout=TIMEOUT, stdout=None):
    """Runs a program through pset's runner; returns a CompletedProcess with stdout and stderr
    as bytes.

    `stdin` is bytes or str, or None for a closed standard input. With `clock`, time() is
    pinned to that many seconds. `stdout` None captures standard output; a path sends it to
    that file (such as /dev/full), "closed" closes it; then the result's stdout is empty. A run
    past `timeout` seconds raises subprocess.TimeoutExpired."""
    global _scratch
    if isinstance(stdin, str):
        stdin = stdin.encode()
    if _scratch is None:
        _scratch = tempfile.mkdtemp(prefix="harness-")
        atexit.register(shutil.rmtree, _scratch, True)
    argv = [program(name), *args]
    closed = ([0] if stdin is None else []) + ([1] if stdout == "closed" else [])
    target = stdout if stdout not in (None, "closed") else None
    r = runner.run(argv, stdin=stdin, stdout=target, env=clock_env(clock) if clock is not None
                   else None, cwd=cwd, wall_limit=timeout, folder=_scratch, closed=closed)
    try:
        if r.timed_out:
            raise subprocess.TimeoutExpired(argv, timeout)
        out = b""
        if stdout is None:
            with open(r.stdout, "rb") as fh:
                out = fh.read()
        with open(r.stderr, "rb") as fh:
            err = fh.read()
    finally:
        for path in (r.stdout if target is None else None, r.stderr):
            if path and os.path.exists(path):
                os.unlink(path)
    code = r.status if r.signal is None else -r.signal
    return subprocess.CompletedProcess(argv, code, out, err)


def pset(*args, build=None, cwd=None, env=None, pset_path=None, **kw):
    """Runs pset with `args` (text out); `build` stands for --build-dir (default: the build
    under test), `pset_path` for another copy of pset."""
    return subprocess.run([sys.executable, pset_path or PSET, "--build-dir", build or BUILD,
                           *args], cwd=cwd, capture_output=True, text=True, timeout=PSET_GUARD,
                          env=env, **kw)


def fake_build(parent, tree="bin", name=None, script="", where=None):
    """A build folder (made in `parent`, or at `where`) like the one under test, but for the
    program `tree/name`, a shell script running `script`. Its bin, lib, validators and
    submissions lead to the real ones; `tree` is a folder of its own whose files do."""
    fake = where or tempfile.mkdtemp(dir=parent)
    os.makedirs(fake, exist_ok=True)
    for sub in ("bin", "lib", "validators", "submissions"):
        real = os.path.join(BUILD, sub)
        if sub == tree:
            os.makedirs(os.path.join(fake, sub))
            for f in os.listdir(real):
                os.symlink(os.path.join(real, f), os.path.join(fake, sub, f))
        else:
            os.symlink(real, os.path.join(fake, sub))
    if name:
        path = os.path.join(fake, tree, name)
        if os.path.lexists(path):
            os.unlink(path)
        with open(path, "w") as fh:
            fh.write("#!/bin/sh\n" + script + "\n")
        os.chmod(path, 0o755)
    return fake


def copy_project(dest, problems=None):
    """A copy of the project at `dest`, for tests that change it: pset, psetlib, the set's
    manifest, the shared headers and the problem folders (`problems`: only those)."""
    ignore = shutil.ignore_patterns("__pycache__")
    os.makedirs(dest, exist_ok=True)
    shutil.copy(os.path.join(ROOT, "pset"), dest)
    shutil.copy(os.path.join(ROOT, "problemset.toml"), dest)
    for part in ("psetlib", "include"):
        shutil.copytree(os.path.join(ROOT, part), os.path.join(dest, part), ignore=ignore)
    for name in sorted(os.listdir(ROOT)):
        if os.path.isfile(os.path.join(ROOT, name, "problem.toml")) and \
                (problems is None or name in problems):
            shutil.copytree(os.path.join(ROOT, name), os.path.join(dest, name), ignore=ignore)
    return dest


# The tree's shared package: pset build with its defaults (every problem, its examples, extra
# tests and generated tests), written once by the CTest fixture `package/build`
# (tools/package_fixture.py) for the tests that read a package of the real problems. It is
# never written by a test: one that writes into a package works on package_copy().
PACKAGE = os.path.abspath(os.environ.get("PACKAGE", os.path.join(BUILD, "package")))
SUMMARY = PACKAGE + ".summary"


def build_package():
    """Builds the shared package (pset build, its defaults) and keeps what build printed in
    SUMMARY; returns pset's status, having passed on its output."""
    if os.path.exists(SUMMARY):
        os.unlink(SUMMARY)
    p = subprocess.run([sys.executable, PSET, "--build-dir", BUILD, "build", "--out", PACKAGE],
                       capture_output=True, text=True, timeout=PSET_GUARD)
    sys.stdout.write(p.stdout)
    sys.stderr.write(p.stderr)
    if p.returncode == 0:
        with open(SUMMARY, "w") as fh:
            fh.write(p.stdout)
    return p.returncode


def shared_package():
    """The shared package's folder and what its build printed. Under CTest the fixture has
    built it; run by hand, a test builds it here when it is missing."""
    if not os.path.exists(SUMMARY) and "PACKAGE" not in os.environ:
        build_package()
    if not os.path.exists(SUMMARY):
        raise RuntimeError(f"the shared package is not built ({SUMMARY} is missing: "
                           "the fixture test package/build failed or did not run)")
    with open(SUMMARY) as fh:
        return PACKAGE, fh.read()


def package_copy(dest, problems=None, link=True):
    """A copy of the shared package at `dest` (its marker and the folders of `problems`, all
    by default), for a test that writes into a package. With `link` its test files are hard
    links to the shared ones: read-only files, which pset never writes in place (it writes new
    files and renames them); a test may remove or replace one, never change it in place
    (link=False copies them too)."""
    folder, _ = shared_package()
    os.makedirs(dest, exist_ok=True)
    shutil.copy(os.path.join(folder, ".pset-package"), dest)
    names = sorted(n for n in os.listdir(folder) if os.path.isdir(os.path.join(folder, n, "tests")))
    for name in names if problems is None else problems:
        def copy(src, dst):
            if link and src.endswith((".in", ".ans")):
                os.link(src, dst)
            else:
                shutil.copy2(src, dst)
        shutil.copytree(os.path.join(folder, name), os.path.join(dest, name),
                        copy_function=copy, ignore=shutil.ignore_patterns("statements"))
    return dest


def small_project(dest, problems=None):
    """copy_project() without the problems' extra tests (their largest files), every limit
    waived: a set whose packages build in a moment, for the tests of pset's mechanics."""
    copy_project(dest, problems)
    for name in sorted(os.listdir(dest)):
        manifest = os.path.join(dest, name, "problem.toml")
        if os.path.isfile(manifest):
            extra = os.path.join(dest, name, "extra_tests.py")
            if os.path.exists(extra):
                os.unlink(extra)
            waive_limits(manifest)
    return dest


def waive_limits(manifest, why="a test's fixture, built without its largest tests"):
    """Waives both ends of every limit of a copied problem.toml, for a fixture that leaves out
    the tests that reach them (each limit stands on one line, as a table)."""
    with open(manifest, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    inside = False
    for k, line in enumerate(lines):
        if line.startswith("["):
            inside = line.strip() == "[limits]"
        elif inside and line.rstrip().endswith("}") and "=" in line:
            head = line.rstrip()[:-1].rstrip()
            lines[k] = f'{head}, waive_min = "{why}", waive_max = "{why}" }}'
    with open(manifest, "w", encoding="utf-8") as fh:
        fh.write("\n".join(lines))


def walked(what, names):
    """Says on stderr which problems a test that walks every problem took (from the
    manifests), so that a run shows them: `walked: WHAT: a, b, c`."""
    print(f"walked: {what}: {', '.join(sorted(names))}", file=sys.stderr, flush=True)


def generate(name, clock):
    """Runs a generator under a pinned clock; returns its output, asserting a clean exit."""
    p = run(name, clock=clock)
    if p.returncode != 0 or p.stderr:
        raise AssertionError(f"{name} under clock {clock}: status {p.returncode}, "
                             f"stderr {p.stderr[:500]!r}")
    return p.stdout


_generated = {}


def generated(name, clock):
    """generate(), run once per generator and clock and then kept for the other tests."""
    if (name, clock) not in _generated:
        _generated[name, clock] = generate(name, clock)
    return _generated[name, clock]


class CRand:
    """The C library's rand()/srand(), the very ones the generators call."""

    def __init__(self, seed=None):
        self.libc = ctypes.CDLL("libc.so.6")
        self.libc.rand.restype = ctypes.c_int
        self.libc.srand.argtypes = [ctypes.c_uint]
        if seed is not None:
            self.srand(seed)

    def srand(self, seed):
        self.libc.srand(seed & 0xFFFFFFFF)

    def __call__(self):
        return self.libc.rand()


class ProgramTest(unittest.TestCase):
    """unittest.TestCase with checks for a program's run."""

    def assertClean(self, p, what=""):
        """Status 0 and nothing on stderr (a sanitizer report lands there)."""
        msg = f"{what}: status {p.returncode}, stderr: {p.stderr[:2000].decode(errors='replace')}"
        self.assertEqual(p.returncode, 0, msg)
        self.assertEqual(p.stderr, b"", msg)

    def assertSolversAgree(self, solvers, text, what=""):
        """Every solver answers `text` cleanly and byte for byte alike; returns the answer."""
        outs = []
        for prog in solvers:
            p = run(prog, text)
            self.assertClean(p, f"{prog} {what}")
            outs.append(p.stdout)
        for prog, out in zip(solvers[1:], outs[1:]):
            self.assertEqual(out, outs[0], f"{prog} against {solvers[0]} {what}")
        return outs[0]

    def assertMatchesModel(self, name, model, clocks):
        """The generator's whole file, byte for byte, is what `model(clock)` predicts from the
        C library's rand(): its layout, ranges and the order of its draws."""
        for clock in clocks:
            self.assertEqual(generated(name, clock), model(clock), f"{name} under clock {clock}")

    def assertRepeatsAndVaries(self, name, clocks):
        """Under one clock the generator writes the same file again; under different clocks
        (clock 0 left out, which the C library seeds as 1) different files."""
        clocks = [c for c in clocks if c != 0]
        files = {c: generated(name, c) for c in clocks}
        for c in clocks:
            self.assertEqual(generate(name, c), files[c], f"{name} under clock {c} again")
        self.assertEqual(len(set(files.values())), len(clocks), f"{name}: two clocks alike")


def main():
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])


def children(pid):
    """The children of a process, started by any of its threads."""
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as fh:
                found += fh.read().split()
    except OSError:
        pass
    return found


def cmdline(pid):
    """A process's command line, its arguments joined by blanks ("" once it is gone)."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as fh:
            return fh.read().replace(b"\0", b" ").decode(errors="replace")
    except OSError:
        return ""


def processes(part, holds):
    """Pids of the processes whose /proc/PID/<part> (cmdline, environ) satisfies holds(bytes)."""
    found = []
    for d in os.listdir("/proc"):
        if d.isdigit():
            try:
                with open(f"/proc/{d}/{part}", "rb") as fh:
                    if holds(fh.read()):
                        found.append(int(d))
            except OSError:
                pass
    return found
