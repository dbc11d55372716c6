"""pset new: starts a problem, as a folder that builds and passes at once (see
psetlib/newproblem.py for what it writes)."""

import argparse
from typing import Any

from .. import newproblem, problems
from ..common import console
from ..programs import Programs

ACTION = "new"
EXAMPLE = "pset new sum --title \"Sum of two numbers\""
SUMMARY = "start a new problem: a folder that builds and passes, for you to fill in"


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = "pset new NAME [--title TITLE]"
    ap.description = (
        "Writes the folder NAME/ at the top of the project: a placeholder problem (read T, "
        "then T integers, write each back) with its manifest (the next order of the set), "
        "statement, reference solver, input validator on include/input_check.h and its "
        "limits, an example, extra_tests.py, maker.py, a wrong submission and a case table "
        "for the solver and one for the validator. It builds (make) and passes pset build, "
        "validate --mutate and verify as it stands; then replace the placeholder file by "
        "file (README.md, \"Adding a problem\"). It refuses a name that exists or is not "
        "lower-case letters and digits, and never overwrites anything.")
    ap.add_argument("name", metavar="NAME",
                    help="the problem's folder, programs and package name: lower-case "
                    "letters and digits, starting with a letter")
    ap.add_argument("--title", metavar="TITLE",
                    help="the problem's name as contestants see it (default: NAME, "
                    "capitalized)")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    name = opts.name
    title = opts.title if opts.title is not None else name[:1].upper() + name[1:]
    order, written = newproblem.create(problems.the_set(), name, title)
    console.say(f"new problem {name} ({title}), order {order}: wrote")
    for path in written:
        console.say(f"  {path}")
    solver, check = newproblem.programs_of(name)
    steps = [("make", f"builds {solver}, {check} and the submission, then the package"),
             (f"./pset validate --mutate {name}", "every test valid, every broken copy refused"),
             (f"./pset verify {name}", "every submission gets its folder's verdict")]
    width = max(len(command) for command, _ in steps)
    console.say("")
    console.say("next:")
    for command, what in steps:
        console.say(f"  {command:<{width}}  # {what}")
    console.say(f"then replace the placeholder with your problem, file by file: README.md, "
                f"\"Adding a problem\", names each file of {name}/ and what goes into it.")
    return 0
