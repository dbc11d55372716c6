#!/usr/bin/env python3
"""CTest's fixture `package/build`: the tree's shared package, pset build with its defaults,
written into PACKAGE (build/package) with what build printed beside it (package.summary), for
the tests that read a package of the real problems (harness.shared_package)."""

import sys

import harness

if __name__ == "__main__":
    sys.exit(harness.build_package())
