"""What a problem's built package is made from, and its digest: `pset build` records it in
`<out>/<problem>/tests/sources`, and `pset export` refuses a package whose record differs
from the sources of today.

The sources: the problem's problem.toml, its examples, its extra_tests.py, the sources of its
solvers, generator and validator, and the headers the validator includes (beside it, or the
shared ones in include/). A named file that does not exist counts too: making one changes the
digest.
"""

import hashlib
import os
import re
from typing import Optional

from .problems import Problem

INCLUDE_DIR = "include"                # the headers every validator may include
GENERATED_HEADER = "problem_limits.h"  # the validator's bounds, written from [limits]
_INCLUDE = re.compile(rb'^\s*#\s*include\s*"([^"]+)"', re.M)


def included(source: str) -> list[str]:
    """The quoted includes of a C++ source."""
    with open(source, "rb") as fh:
        return [m.decode() for m in _INCLUDE.findall(fh.read())]


def find_header(p: Problem, header: str) -> Optional[str]:
    """Where a quoted include of the problem's validator is: beside it, or in include/."""
    for folder in (p.folder, os.path.join(p.root, INCLUDE_DIR)):
        path = os.path.join(folder, header)
        if os.path.isfile(path):
            return path
    return None


def files(p: Problem) -> list[str]:
    """The files the problem's package is made from, relative to the project, sorted."""
    name = p.name
    found = {f"{name}/problem.toml", f"{name}/extra_tests.py"}
    examples = os.path.join(p.folder, "examples")
    if os.path.isdir(examples):
        found.update(f"{name}/examples/{f}" for f in os.listdir(examples)
                     if os.path.isfile(os.path.join(examples, f)))
    for prog in [p.solver, *p.second, p.generator, p.input_check]:
        if prog:
            found.add(f"{name}/{prog}.cpp")
    source = os.path.join(p.folder, p.input_check + ".cpp")
    if os.path.isfile(source):
        for header in included(source):
            if header == GENERATED_HEADER:
                continue  # written from problem.toml, which is listed
            path = find_header(p, header)
            found.add(os.path.relpath(path, p.root).replace(os.sep, "/") if path
                      else f"{name}/{header}")
    return sorted(found)


def digest(p: Problem) -> str:
    """SHA-256 over the problem's sources (see files())."""
    h = hashlib.sha256()
    for path in files(p):
        try:
            with open(os.path.join(p.root, path), "rb") as fh:
                data = fh.read()
            h.update(f"{path}\0{len(data)}\0".encode())
            h.update(data)
        except FileNotFoundError:
            h.update(f"{path}\0absent\0".encode())
    return h.hexdigest()
