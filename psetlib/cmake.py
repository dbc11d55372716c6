"""The problems as CMake builds them, read through the one reader of the manifests:

    python3 -m psetlib.cmake FILE

writes FILE, a CMake script that sets PROBLEMS (every folder at the top holding a
problem.toml, in folder order) and, for each problem P, P_INPUT_CHECK (the program its
manifest names as its input validator, which CMake builds apart, with the problem's limits).
CMakeLists.txt runs it at every configure and includes FILE; a manifest that breaks the schema
stops the configure with pset's one line.
"""

import os
import sys

from . import problems
from .common import Stop


def quoted(text: str) -> str:
    """A CMake quoted argument holding `text` as it stands."""
    for c in ("\\", '"', "$", ";"):
        text = text.replace(c, "\\" + c)
    return f'"{text}"'


def script(the_set: problems.ProblemSet) -> str:
    found = sorted(the_set.problems, key=lambda p: p.name)
    lines = ["# The problems of the set, written by psetlib/cmake.py from their manifests at",
             "# every CMake run: change the manifests, never this file.",
             f"set(PROBLEMS {' '.join(quoted(p.name) for p in found)})"]
    lines += [f"set({p.name}_INPUT_CHECK {quoted(p.input_check)})" for p in found]
    return "\n".join(lines) + "\n"


def main(argv: list[str]) -> int:
    if len(argv) != 1:
        print("usage: python3 -m psetlib.cmake FILE", file=sys.stderr)
        return 2
    try:
        text = script(problems.the_set())
    except Stop as exc:
        print(f"pset: {exc}", file=sys.stderr)
        return 2
    path = argv[0]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".new", "w", encoding="utf-8") as fh:
        fh.write(text)
    os.replace(path + ".new", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
