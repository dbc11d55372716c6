#!/usr/bin/env python3
"""pset new, in a copy of the project: what it refuses (a table: status 2, one line on stderr,
nothing written anywhere), and what it writes (every file it names, and only those; the set
reads the new manifest, with the next order; a second run refuses and changes nothing).
tools/test_walk.py takes the new folder on through the build, verify and export."""

import hashlib
import os
import shutil
import tempfile
import unittest

import harness
from psetlib import problems

# (arguments after "new", what the one line must say)
REFUSED = [
    (["demolition"], "demolition/ already exists"),
    (["notes"], "notes/ already exists"),                   # a file of the user's at the top
    (["build"], "'build' is taken"),
    (["out"], "'out' is taken"),
    (["tools"], "'tools' is taken"),
    (["demolish"], "would name the program demolish_solver, which is demolition's"),
    (["Sum"], "'Sum' is not a plain lower-case name"),
    (["9lives"], "'9lives' is not a plain lower-case name"),
    (["two words"], "'two words' is not a plain lower-case name"),
    (["x_y"], "'x_y' is not a plain lower-case name"),
    (["sum.old"], "'sum.old' is not a plain lower-case name"),
    (["../sum"], "'../sum' is not a plain lower-case name"),
    (["summe\u00e9"], "is not a plain lower-case name"),
    ([""], "'' is not a plain lower-case name"),
    (["a" * 33], "is not a plain lower-case name"),
    (["sum", "--title", 'say "hi"'], "must be printable text without quotes"),
    (["sum", "--title", "two\nlines"], "must be printable text without quotes"),
    (["sum", "--title", " "], "must be printable text without quotes"),
    ([], "the following arguments are required: NAME"),
    (["sum", "extra"], "unrecognized arguments: extra"),
]


def digest(root):
    """A digest of every file under root, with its path and mode."""
    h = hashlib.sha256()
    for top, dirs, names in sorted(os.walk(root)):
        dirs.sort()
        for f in sorted(names):
            path = os.path.join(top, f)
            h.update(os.path.relpath(path, root).encode() + b"\0")
            h.update(oct(os.lstat(path).st_mode).encode())
            if os.path.isfile(path) and not os.path.islink(path):
                with open(path, "rb") as fh:
                    h.update(fh.read())
    return h.hexdigest()


class New(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset new ")
        cls.root = harness.copy_project(os.path.join(cls.tmp, "a project"))
        with open(os.path.join(cls.root, "notes"), "w") as fh:
            fh.write("mine\n")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def new(self, *args):
        return harness.pset("new", *args, pset_path=os.path.join(self.root, "pset"),
                            cwd=self.tmp)

    def test_refusals(self):
        before = digest(self.root)
        for args, text in REFUSED:
            with self.subTest(args=args):
                p = self.new(*args)
                self.assertEqual((p.returncode, p.stdout), (2, ""), p.stderr)
                self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
                self.assertTrue(p.stderr.startswith("pset: "), p.stderr)
                self.assertIn(text, p.stderr)
                self.assertEqual(digest(self.root), before, "something was written")

    def test_writes_a_problem_and_never_again(self):
        p = self.new("fresh", "--title", "A fresh problem")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertEqual(p.stderr, "")
        folder = os.path.join(self.root, "fresh")
        written = sorted(os.path.relpath(os.path.join(top, f), self.root)
                         for top, _, names in os.walk(folder) for f in names)
        listed = sorted(line.strip() for line in p.stdout.splitlines()
                        if line.startswith("  fresh/"))
        self.assertEqual(listed, written)
        self.assertIn("fresh/problem.toml", written)
        self.assertIn("next:", p.stdout)
        the_set = problems.load(self.root)
        new = the_set.get("fresh")
        others = [q.order for q in the_set.problems if q.name != "fresh"]
        self.assertEqual(new.order, max(others) + 1)
        self.assertEqual((new.title, new.solver, new.input_check),
                         ("A fresh problem", "fresh_solver", "fresh_input_check"))
        self.assertEqual(new.samples, ["01-example"])
        self.assertTrue(new.limits)
        # no placeholder is left unfilled
        for path in written:
            with open(os.path.join(self.root, path), encoding="utf-8") as fh:
                text = fh.read()
            self.assertNotRegex(text, r"@\w+@", path)
            self.assertNotIn("NAME", path)
        before = digest(folder)
        again = self.new("fresh")
        self.assertEqual(again.returncode, 2)
        self.assertIn("fresh/ already exists", again.stderr)
        self.assertEqual(digest(folder), before)


if __name__ == "__main__":
    harness.main()
