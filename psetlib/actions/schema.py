"""pset schema: every key of problem.toml and problemset.toml, from the schema pset checks
them against."""

import argparse

from .. import schema
from ..common import console
from ..programs import Programs

ACTION = "schema"
EXAMPLE = "pset schema"
SUMMARY = "print the keys of problem.toml and problemset.toml"
NEEDS_SET = False  # it helps to mend a manifest that breaks the schema


def arguments(ap: argparse.ArgumentParser, checks: object) -> None:
    ap.usage = "pset schema"
    ap.description = ("Prints every key of a problem's problem.toml and of the set's "
                      "problemset.toml: its type, whether it is required, its default, its "
                      "allowed values and its meaning. pset checks every manifest against "
                      "this schema before any other action.")


def run(opts: argparse.Namespace, progs: Programs) -> int:
    console.say(schema.describe())
    return 0
