"""A new problem folder, written from the skeleton in psetlib/skeleton/: a placeholder problem
(read T, then T integers, write each back) that builds and passes `pset build`,
`pset validate --mutate` and `pset verify` as it stands, for the setter to replace file by file.

Every file of the skeleton ends in `.tmpl`; the word NAME in its path becomes the problem's
name, and in its text @name@, @title@, @title_toml@ (the title as a TOML string) and @order@
become the problem's. Nothing that exists is ever overwritten.
"""

import json
import os
import re

from .common import Stop
from .problems import ProblemSet

SKELETON = os.path.join(os.path.dirname(os.path.abspath(__file__)), "skeleton")
SUFFIX = ".tmpl"
NAME = re.compile(r"[a-z][a-z0-9]{0,31}")
_PLACEHOLDER = re.compile(r"@(name|title|title_toml|order)@")
# Names at the top that belong to the project's tooling, not to a problem.
RESERVED = {"build": "make's build folder", "out": "pset's default package folder",
            "include": "the validators' shared headers", "tools": "the shared tooling",
            "psetlib": "pset's library"}


def programs_of(name: str) -> list[str]:
    """The programs the skeleton of problem `name` names in its manifest."""
    return [f"{name}_solver", f"{name}_input_check"]


def check_name(the_set: ProblemSet, name: str) -> None:
    """Stops unless `name` can be a new problem of the set."""
    if not NAME.fullmatch(name):
        raise Stop(f"{name!r} is not a plain lower-case name: letters a to z and digits, "
                   "starting with a letter, at most 32 (it names the folder, its programs and "
                   "its exported package)")
    if name in RESERVED:
        raise Stop(f"{name!r} is taken: {name}/ is {RESERVED[name]}")
    if os.path.lexists(os.path.join(the_set.root, name)):
        raise Stop(f"{name}/ already exists: pset new writes a new folder and never touches "
                   "one that is there")
    taken = {}
    for p in the_set.problems:
        for prog in [p.solver, *p.second, p.generator, p.input_check, p.checker]:
            if prog:
                taken[prog] = p.name
    for prog in programs_of(name):
        if prog in taken:
            raise Stop(f"{name!r} would name the program {prog}, which is {taken[prog]}'s; "
                       "choose another name")


def check_title(title: str) -> None:
    if not title.strip() or any(not c.isprintable() or c in '"\\' for c in title):
        raise Stop(f"the title {title!r} must be printable text without quotes or "
                   "backslashes (write any title into problem.toml afterwards)")


def files(name: str) -> list[tuple[str, str]]:
    """(path in the new folder, template path) of every file of the skeleton, sorted."""
    found = []
    for top, dirs, names in os.walk(SKELETON):
        dirs.sort()
        for f in sorted(names):
            if f.endswith(SUFFIX):
                src = os.path.join(top, f)
                rel = os.path.relpath(src, SKELETON)[:-len(SUFFIX)].replace("NAME", name)
                found.append((rel.replace(os.sep, "/"), src))
    return sorted(found)


def create(the_set: ProblemSet, name: str, title: str) -> tuple[int, list[str]]:
    """Writes the folder of the new problem `name`; returns its order and the paths written
    (relative to the project). A failure part way removes what it wrote, and only that."""
    check_name(the_set, name)
    check_title(title)
    order = max((p.order for p in the_set.problems), default=0) + 1
    values = {"@name@": name, "@title@": title,
              "@title_toml@": json.dumps(title, ensure_ascii=False), "@order@": str(order)}
    folder = os.path.join(the_set.root, name)
    try:
        os.mkdir(folder)
    except FileExistsError:
        raise Stop(f"{name}/ already exists: pset new writes a new folder and never touches "
                   "one that is there")
    made_dirs, made_files, written = [folder], [], []
    try:
        for rel, src in files(name):
            path = os.path.join(folder, rel)
            parent = os.path.dirname(path)
            missing = []
            while not os.path.isdir(parent):
                missing.append(parent)
                parent = os.path.dirname(parent)
            for d in reversed(missing):
                os.mkdir(d)
                made_dirs.append(d)
            with open(src, encoding="utf-8") as fh:
                text = fh.read()
            text = _PLACEHOLDER.sub(lambda m: values[m.group(0)], text)
            with open(path, "x", encoding="utf-8", newline="") as fh:
                made_files.append(path)
                fh.write(text)
            written.append(f"{name}/{rel}")
    except BaseException:
        for path in reversed(made_files):
            os.unlink(path)
        for d in reversed(made_dirs):
            os.rmdir(d)
        raise
    return order, written
