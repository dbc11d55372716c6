"""The built programs (`--build-dir`, default build/ at the top): the problems' programs in
bin/, the input validators in validators/, the submissions in submissions/, and the pinned
clock lib/libpinclock.so with the environment that preloads it."""

import os
import shlex

from . import runner
from .common import Stop
from .problems import Problem

_LOADER_SEPARATORS = " \t\n:"  # LD_PRELOAD splits its value at these


class Programs:
    """Where the programs and the pinned clock are; checked before any work starts."""

    def __init__(self, build_dir: str) -> None:
        self.build_dir = os.path.abspath(build_dir)
        self.bin = os.path.join(self.build_dir, "bin")
        self.pinclock = os.path.join(self.build_dir, "lib", "libpinclock.so")
        self._link: str = ""

    def exe(self, name: str) -> str:
        """The built program `name`, or a stop saying it is not built."""
        return self._built(os.path.join(self.bin, name), f"program {name}")

    def validator(self, p: Problem) -> str:
        """The built input validator of problem p."""
        return self._built(os.path.join(self.build_dir, "validators", p.input_check),
                           f"validator {p.input_check}")

    def submission(self, p: Problem, verdict: str, name: str) -> str:
        """A built submission of problem p, kept in the folder of its verdict."""
        return self._built(os.path.join(self.build_dir, "submissions", p.name, verdict, name),
                           f"submission {p.name}/{verdict}/{name}")

    @staticmethod
    def _built(path: str, what: str) -> str:
        if not os.path.isfile(path):
            raise Stop(f"{what} is missing: {path} is not built (run make)")
        if not os.access(path, os.X_OK):
            raise Stop(f"{what} is not executable: {path}")
        return path

    def check(self, problems: list[Problem], generators: bool = True,
              second: bool = True) -> None:
        """Stops unless every program the problems need (their generators and second solvers
        as asked) is built."""
        for p in problems:
            for name in ([p.solver] + (p.second if second else []) +
                         [p.generator if generators else None]):
                if name:
                    self.exe(name)
            if p.floats and p.solver:
                self.comparator(p)
        if generators and any(p.generator for p in problems) and not os.path.isfile(
                self.pinclock):
            raise Stop(f"the pinned clock {self.pinclock} is not built (run make)")

    def comparator(self, p: Problem) -> str:
        """The program that judges floating answers: the problem's checker."""
        if not p.checker:
            raise Stop(f"{p.name}/problem.toml: judge = \"float\" needs a checker in [programs] "
                       "to compare answers")
        return self.exe(p.checker)

    def preload_path(self) -> str:
        """The pinned clock as LD_PRELOAD can take it: the loader splits its value at blanks
        and colons, so a path holding one is reached through a link in our scratch folder."""
        if not any(c in self.pinclock for c in _LOADER_SEPARATORS):
            return self.pinclock
        if not self._link or not os.path.exists(self._link):
            link = os.path.join(runner.scratch(), "libpinclock.so")
            try:
                os.symlink(self.pinclock, link)
            except FileExistsError:
                pass  # made by another thread (stress --jobs): the same link
            self._link = link
        return self._link

    def clock_env(self, seed: int) -> dict[str, str]:
        """The environment that pins time() to `seed` in a child process."""
        env = dict(os.environ)
        env["LD_PRELOAD"] = self.preload_path()
        env["PINNED_TIME"] = str(seed)
        opts = env.get("ASAN_OPTIONS", "")
        env["ASAN_OPTIONS"] = (opts + ":" if opts else "") + "verify_asan_link_order=0"
        return env

    def remake_command(self, p: Problem, seed: int) -> str:
        """One shell command line that writes a generated input again, from any folder."""
        assert p.generator
        gen = shlex.quote(self.exe(p.generator))
        if not p.seeded:
            return gen
        lib = self.pinclock
        if not any(c in lib for c in _LOADER_SEPARATORS):
            return f"PINNED_TIME={seed} LD_PRELOAD={shlex.quote(lib)} {gen}"
        # the loader cannot take this path: a link in a fresh temporary folder stands in
        return (f"(d=$(mktemp -d /tmp/remake.XXXXXX) && ln -s {shlex.quote(lib)} \"$d/pin.so\" "
                f"&& PINNED_TIME={seed} LD_PRELOAD=\"$d/pin.so\" {gen}; s=$?; rm -rf \"$d\"; "
                f"exit $s)")
