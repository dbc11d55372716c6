"""Making test inputs and answering them: a problem's examples, its own extra tests
(`<problem>/extra_tests.py`), its generator under a pinned clock, and its solvers."""

import filecmp
import functools
import os
import shutil
from typing import Any, Callable

from . import problems, runner
from .common import Failure, Stop
from .problems import Problem
from .programs import Programs

PROGRAM_WALL = 300  # seconds any of our own programs may run before it counts as hung
# The limits of our own programs (solvers, generators): CPU seconds, memory (the tree's where
# a cgroup can be made) and output; past one, a program fails.
LIMITS: dict[str, Any] = {"time_limit": 120, "wall_limit": PROGRAM_WALL,
                          "memory_limit": 4096 * runner.MB, "output_limit": 1024 * runner.MB}
NAME_CHARS = "abcdefghijklmnopqrstuvwxyz0123456789-"

# One test to make: its name in the package, how it is made (the manifest says so), and the
# function that writes its input into the path it is given.
Source = tuple[str, str, Callable[[str], None]]


def generate(progs: Programs, p: Problem, seed: int, dest: str) -> None:
    """Writes the generator's file under a clock pinned to `seed` into `dest`."""
    assert p.generator
    r = runner.run([progs.exe(p.generator)], stdout=dest, env=progs.clock_env(seed), **LIMITS)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if "cannot be preloaded" in err:
        raise Stop(f"the pinned clock could not be loaded into {p.generator}: {err}")
    if not r.ok:
        raise Failure(f"{p.generator} under seed {seed} failed: {r.describe()} {err}".rstrip())


def answer(name: str, exe: str, inp: str, dest: str, shown: str) -> runner.Result:
    """Runs the solver `name` on the input `inp` (named `shown` in messages) into `dest`; a
    solver that fails is a Failure."""
    r = runner.run([exe], stdin=inp, stdout=dest, **LIMITS)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if not r.ok:
        status = f" (exit status {r.status})" if r.status else ""
        raise Failure(f"{name} failed on {shown}: {r.describe()}{status} {err}".rstrip())
    return r


def extra_tests(p: Problem) -> list[tuple[str, str]]:
    """The (name, text) tests of the problem's own maker `<problem>/extra_tests.py` (its
    tests() gives them in a fixed order), or [] when it has none."""
    path = os.path.join(p.folder, "extra_tests.py")
    if not os.path.isfile(path):
        return []
    where = f"{p.name}/extra_tests.py"
    try:
        made = list(problems.load_script(path).tests())
    except Exception as exc:  # the maker is the problem's own code: name it, not us
        raise Failure(f"{where} failed: {type(exc).__name__}: {exc}")
    seen = set()
    for item in made:
        ok = (isinstance(item, tuple) and len(item) == 2 and isinstance(item[1], str) and
              isinstance(item[0], str) and item[0] and not set(item[0]) - set(NAME_CHARS))
        if not ok or item[0] in seen:
            raise Failure(f"{where}: tests() must give (name, text) pairs with distinct names "
                          f"of lower-case letters, digits and dashes; got {str(item)[:60]!r}")
        seen.add(item[0])
    return made


def test_sources(progs: Programs, p: Problem, count: int, seed: int,
                 scratch: str) -> list[Source]:
    """Every test of the problem's package, in order: the examples, the extra tests, then
    `count` files of the generator from clock `seed` on (one of an unseeded generator, none
    without a generator). Names are numbers from 1, padded so that they sort as numbers do."""
    made: list[tuple[str, Callable[[str], None]]] = []
    for path in p.examples():
        made.append((f"example {p.name}/examples/{os.path.basename(path)}",
                     functools.partial(_copy, path)))
    for name, text in extra_tests(p):
        made.append((f"maker {p.name}/extra_tests.py {name}", functools.partial(_write, text)))
    if p.generator and count:
        for s in range(seed, seed + (count if p.seeded else 1)):
            how = f"generator {p.generator} seed {s}" if p.seeded else \
                f"generator {p.generator} (unseeded: the same file on every run)"
            made.append((how, functools.partial(_generate_twice, progs, p, s, scratch)))
    width = max(2, len(str(len(made))))
    return [(f"{k:0{width}d}", how, make) for k, (how, make) in enumerate(made, 1)]


def _copy(source: str, dest: str) -> None:
    shutil.copyfile(source, dest)


def _write(text: str, dest: str) -> None:
    with open(dest, "w", encoding="utf-8", newline="") as fh:
        fh.write(text)


def _generate_twice(progs: Programs, p: Problem, seed: int, scratch: str, dest: str) -> None:
    """Generates the file twice: a generator must write the same file under the same clock."""
    generate(progs, p, seed, dest)
    again = os.path.join(scratch, f"{p.name}.again")
    generate(progs, p, seed, again)
    same = filecmp.cmp(dest, again, shallow=False)
    os.unlink(again)
    if not same:
        raise Failure(f"{p.generator} is not deterministic: seed {seed} gave two files")
