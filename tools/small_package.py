#!/usr/bin/env python3
"""The sanitizer tree's package: a small one, every problem with its extra tests left out and
its limits waived (harness.small_project) and two generated tests each, built by pset with the
tree's programs and then checked by validate --mutate: every program pset runs to build and
validate a package (generators, solvers, second solvers, validators) under the sanitizers.
The plain tree builds, validates and verifies the whole default package (the fixture
`package`)."""

import os
import shutil
import sys
import tempfile

import harness


def main():
    tmp = tempfile.mkdtemp(prefix="pset-small-package-")
    try:
        root = harness.small_project(os.path.join(tmp, "project"))
        out = os.path.join(tmp, "out")
        for args in (("build", "--tests", "2", "--out", out),
                     ("validate", "--mutate", "--out", out)):
            p = harness.pset(*args, pset_path=os.path.join(root, "pset"))
            sys.stdout.write(p.stdout)
            sys.stderr.write(p.stderr)
            if p.returncode != 0 or "Traceback" in p.stderr:
                print(f"small_package: pset {args[0]} failed (status {p.returncode})",
                      file=sys.stderr)
                return 1
        return 0
    finally:
        shutil.rmtree(tmp)


if __name__ == "__main__":
    sys.exit(main())
