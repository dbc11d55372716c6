"""The input of one stress round of small made cases, made again.

    cd PROJECT && python3 -m psetlib.remake PROBLEM SEED CASES MAX_SIZE > input

writes the file that `pset stress` made in the round of that seed: the problem's maker
(`<problem>/maker.py`) with `random.Random(SEED)`, CASES cases, sizes up to MAX_SIZE. `pset
stress` keeps this command line, with the project's folder filled in, in every reproducer of
such a round. Bad arguments: one line on stderr, status 2.
"""

import os
import random
import shlex
import sys
import types
from typing import Optional

from . import problems
from .common import ROOT

_loaded: dict[str, types.SimpleNamespace] = {}


def maker_path(problem: str) -> str:
    return os.path.join(ROOT, problem, "maker.py")


def maker(problem: str) -> Optional[types.SimpleNamespace]:
    """The maker module of a problem (loaded once), or None when it has none."""
    if problem not in _loaded:
        path = maker_path(problem)
        if not os.path.isfile(path):
            return None
        _loaded[problem] = problems.load_script(path)
    return _loaded[problem]


def make(problem: str, seed: int, cases: int, max_size: int) -> str:
    """The text of the round's input."""
    m = maker(problem)
    assert m is not None
    text: str = m.make(random.Random(seed), cases, max_size)
    return text


def command(problem: str, seed: int, cases: int, max_size: int) -> str:
    """One shell command line that writes the round's input again on its standard output,
    from any folder."""
    return (f"(cd {shlex.quote(ROOT)} && python3 -m psetlib.remake {shlex.quote(problem)} "
            f"{seed} {cases} {max_size})")


def main(argv: list[str]) -> int:
    usage = "usage: python3 -m psetlib.remake PROBLEM SEED CASES MAX_SIZE"
    if len(argv) != 4:
        print(f"remake: {usage}", file=sys.stderr)
        return 2
    problem = argv[0]
    try:
        seed, cases, max_size = (int(a) for a in argv[1:])
    except ValueError:
        print(f"remake: SEED, CASES and MAX_SIZE must be whole numbers; {usage}",
              file=sys.stderr)
        return 2
    if "/" in problem or problem.startswith(".") or maker(problem) is None:
        print(f"remake: no maker of small cases for {problem!r} ({maker_path(problem)})",
              file=sys.stderr)
        return 2
    if seed < 0 or cases < 0 or max_size < 1:
        print("remake: SEED and CASES must be 0 or more, MAX_SIZE 1 or more", file=sys.stderr)
        return 2
    try:
        sys.stdout.write(make(problem, seed, cases, max_size))
        sys.stdout.flush()
    except BrokenPipeError:
        os.dup2(os.open(os.devnull, os.O_WRONLY), 1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
