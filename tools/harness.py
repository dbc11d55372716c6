"""Shared test tooling: where the programs are, how to run them, the pinned clock and the C
library's random source.

CTest sets BIN_DIR (the programs), PINCLOCK (the preload library that pins time()) and
SANITIZED (1 in the sanitizer tree). Run by hand, the defaults point at build/.
"""

import ctypes
import os
import subprocess
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BIN_DIR = os.path.abspath(os.environ.get("BIN_DIR", os.path.join(ROOT, "build", "bin")))
PINCLOCK = os.path.abspath(
    os.environ.get("PINCLOCK", os.path.join(ROOT, "build", "lib", "libpinclock.so")))
SANITIZED = os.environ.get("SANITIZED", "0") == "1"

# A run that takes longer than this is a hang, not a slow program.
TIMEOUT = 120


def program(name):
    path = os.path.join(BIN_DIR, name)
    if not os.access(path, os.X_OK):
        raise FileNotFoundError(f"{path} is not built")
    return path


def clock_env(clock):
    """The environment that pins time() to `clock` seconds in a child process."""
    env = dict(os.environ)
    env["LD_PRELOAD"] = PINCLOCK
    env["PINNED_TIME"] = str(clock)
    # A sanitized program wants its runtime first in the library list; the pinned clock comes
    # first instead, which is harmless here.
    opts = env.get("ASAN_OPTIONS", "")
    env["ASAN_OPTIONS"] = (opts + ":" if opts else "") + "verify_asan_link_order=0"
    return env


def run(name, stdin=b"", args=(), clock=None, cwd=None, timeout=TIMEOUT):
    """Runs a program; returns the CompletedProcess with stdout and stderr as bytes.

    `stdin` is bytes or str, or None for a closed standard input. With `clock`, time() is
    pinned to that many seconds.
    """
    if isinstance(stdin, str):
        stdin = stdin.encode()
    env = clock_env(clock) if clock is not None else None
    kw = {}
    if stdin is None:
        kw["stdin"] = subprocess.DEVNULL
        # DEVNULL is open; close fd 0 in the child to give it a really closed input.
        kw["preexec_fn"] = lambda: os.close(0)
    else:
        kw["input"] = stdin
    return subprocess.run([program(name), *args], capture_output=True, env=env, cwd=cwd,
                          timeout=timeout, **kw)


def generate(name, clock):
    """Runs a generator under a pinned clock; returns its output, asserting a clean exit."""
    p = run(name, clock=clock)
    if p.returncode != 0 or p.stderr:
        raise AssertionError(f"{name} under clock {clock}: status {p.returncode}, "
                             f"stderr {p.stderr[:500]!r}")
    return p.stdout


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


def main():
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])
