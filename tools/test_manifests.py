"""The manifests' schema (psetlib/schema.py): a copy of the project in which one manifest at a
time is broken, each way a user could break one; pset then stops before it does anything, with
one line on stderr that names the file and the key (status 2, never an internal error). The
real manifests pass, and `pset schema` prints what the checks check.

PSET_UNDER_TEST_TREE names another project whose pset and psetlib/ are tried instead (the
manifests stay these), to see the table fail on an older pset.
"""

import os
import re
import shutil
import tempfile
import unittest

import harness
from psetlib import problems, schema


def sub(pattern, new, flags=re.M):
    """An edit of a manifest's text: the first match of `pattern` becomes `new`."""
    def edit(text):
        changed, n = re.subn(pattern, new, text, count=1, flags=flags)
        assert n == 1, f"the fixture no longer holds {pattern!r}"
        return changed
    return edit


def add(line, after=r"^\[programs\]$"):
    """An edit that puts `line` after the first line matching `after`."""
    return sub(f"({after})", lambda m: m.group(1) + "\n" + line)


def before(lines, at=r"^\[answers\]$"):
    """An edit that puts `lines` before the first line matching `at`."""
    return sub(f"({at})", lambda m: lines + "\n" + m.group(1))


def programs_a_number(text):
    """[programs] as a number instead of a table."""
    text = sub(r"^\[programs\]\n(.*\n)*?(?=\[answers\])", "")(text)
    return add("programs = 3", r"^order = \d+")(text)


def replace(text):
    return lambda _: text


# (file, edit, what the one line must name besides the file[, what it must not say])
ROWS = [
    # what users got wrong, and what they got back
    ("demolition/problem.toml", sub(r'^solver = "demolish_solver"', "solver = 5"),
     ["[programs] solver", "a string"]),
    ("demolition/problem.toml", programs_a_number, ["[programs]", "must be a table, not 3"]),
    ("demolition/problem.toml", sub(r"^title = .*", "title = 5"), ["title", "a string"]),
    ("demolition/problem.toml", sub(r"^second = .*", 'second = "demolish_solver_dsu"'),
     ["[programs] second", "a list of strings"]),
    ("demolition/problem.toml", sub(r'^solver = "demolish_solver"',
                                    'solver = "demolish_solvr"'),
     ["[programs] solver", "demolition/demolish_solvr.cpp"]),
    ("demolition/problem.toml", sub(r"^\[programs\]$", "[program]"),
     ["unknown table [program]", "did you mean [programs]?"]),
    ("demolition/problem.toml", sub(r"^solver =", "solvr ="),
     ['unknown key "solvr" in [programs]', 'did you mean "solver"?']),
    ("demolition/problem.toml", sub(r"^input_check = .*\n", ""), ["[programs] input_check",
                                                                  "missing"]),
    ("demolition/problem.toml", sub(r"^time_limit =", "time_limt ="),
     ['unknown key "time_limt"', 'did you mean "time_limit"?']),
    ("banner/problem.toml", sub(r"^order = \d+", "order = 1"),
     ["order = 1", "demolition", "banner"]),
    ("demolition/problem.toml", sub(r"^order = .*\n", ""), ["order", "missing"]),
    ("demolition/problem.toml", sub(r"^T +=.*", "T = 5"), ["[limits] T", "must be a table"]),
    ("demolition/problem.toml", sub(r"^n +=.*", 'n = { min = 9, max = 2, what = "n" }'),
     ["[limits] n", "min = 9", "max = 2"]),
    # every other rule: unknown tables and keys
    ("demolition/problem.toml", before("[extra]\nx = 1"),
     ["unknown table [extra]"]),
    ("demolition/problem.toml", add("seed = 5"), ['unknown key "seed" in [programs]',
                                                 '"seeded"']),
    ("demolition/problem.toml", add("generator = 'demolish_cases'", r"^order = \d+"),
     ['unknown key "generator"', "it belongs in [programs]"]),
    ("demolition/problem.toml", sub(r"^(T +=.*)\}", r'\1, maxx = 3 }'),
     ['unknown key "maxx" in [limits.T]']),
    # a wrong type of each kind, and values out of range
    ("demolition/problem.toml", sub(r"^order = \d+", 'order = "1"'), ["order",
                                                                      "an integer"]),
    ("demolition/problem.toml", sub(r"^order = \d+", "order = 1.5"), ["order",
                                                                      "an integer"]),
    ("demolition/problem.toml", sub(r"^order = \d+", "order = 0"), ["order", ">= 1"]),
    ("demolition/problem.toml", sub(r"^time_limit = .*", 'time_limit = "2"'),
     ["time_limit", "a finite number"]),
    ("demolition/problem.toml", sub(r"^time_limit = .*", "time_limit = 601"),
     ["time_limit = 601", "in (0, 600]"]),
    ("demolition/problem.toml", sub(r"^time_limit = .*", "time_limit = 0"),
     ["time_limit = 0", "in (0, 600]"]),
    ("demolition/problem.toml", sub(r"^time_limit = .*", "time_limit = nan"),
     ["time_limit", "a finite number"]),
    ("demolition/problem.toml", sub(r"^seeded = .*", 'seeded = "yes"'),
     ["[programs] seeded", "true or false"]),
    ("demolition/problem.toml", sub(r"^samples = .*", 'samples = "01-worked"'),
     ["samples", "a list of strings"]),
    ("demolition/problem.toml", sub(r"^compare = .*", 'compare = "bytes"'),
     ["[programs] compare", '"exact", "even-words"']),
    ("demolition/problem.toml", sub(r"^judge = .*", 'judge = "approx"'),
     ["[answers] judge", '"exact", "float"']),
    ("demolition/problem.toml", sub(r"^(T +=.*)\}", r'\1, min_excluded = "no" }'),
     ["[limits.T] min_excluded", "true or false"]),
    ("demolition/problem.toml", sub(r'^T +=.*', 'T = { min = 0, max = 9 }'),
     ["[limits.T] what", "missing"]),
    ("demolition/problem.toml", sub(r'^T +=.*', '"sum n" = { min = 0, max = 9, what = "s" }'),
     ['[limits] "sum n"', "C++ identifier"]),
    ("demolition/problem.toml", before("[package]\nmemory = \"big\""),
     ["[package] memory", "an integer"]),
    ("demolition/problem.toml", before("[package]\nlicence = \"x\""),
     ['unknown key "licence" in [package]', 'did you mean "license"?']),
    ("demolition/problem.toml", before("[package]\nlicense = \"MIT\""),
     ['[package] license = "MIT" must be one of', '"unknown"', '"cc by-sa"']),
    # programs without a source, a program named twice
    ("demolition/problem.toml", sub(r"^generator = .*", 'generator = "demolish_gen"'),
     ["[programs] generator", "demolition/demolish_gen.cpp"]),
    ("demolition/problem.toml", sub(r"^second = .*", 'second = ["demolish_solver_dsx"]'),
     ["[programs] second", "demolition/demolish_solver_dsx.cpp"]),
    ("demolition/problem.toml", add('checker = "demolish_solver"'),
     ['[programs] checker "demolish_solver"', "also named by"]),
    # capacities, samples, the tolerance
    ("mirror/problem.toml", sub(r"^mirror_solver_scan = \{", "mirror_solver = {"),
     ["[programs.capacity] mirror_solver", "not a second solver"]),
    ("mirror/problem.toml", sub(r"^(mirror_solver_scan = \{ )length", r"\1lenght"),
     ["[programs.capacity] mirror_solver_scan", '"lenght"', 'did you mean "length"?']),
    ("mirror/problem.toml", sub(r"^(mirror_solver_scan = \{ length = )\d+", r'\1"510"'),
     ["[programs.capacity.mirror_solver_scan] length", "a finite number"]),
    ("demolition/problem.toml", sub(r"^samples = \[", 'samples = ["09-none", '),
     ['samples names "09-none"', "demolition/examples/09-none.in"]),
    ("demolition/problem.toml", sub(r"^samples = .*", "samples = []"),
     ["samples", "at least one"]),
    ("demolition/problem.toml", add("absolute_tolerance = 1e-6", r"^\[answers\]$"),
     ["[answers] absolute_tolerance", 'only with judge = "float"']),
    ("shuttle/problem.toml", sub(r"^absolute_tolerance = .*\n", ""),
     ["[answers] absolute_tolerance", 'required with judge = "float"']),
    ("shuttle/problem.toml", sub(r"^absolute_tolerance = .*", "absolute_tolerance = 0"),
     ["[answers] absolute_tolerance = 0", "> 0"]),
    # not TOML at all
    ("demolition/problem.toml", sub(r"^\[programs\]$", "[programs"), ["not valid TOML"]),
    # the set's own manifest
    ("problemset.toml", sub(r"^name = .*\n", ""), ["name", "missing"]),
    ("problemset.toml", sub(r"^name = .*", "name = 5"), ["name", "a string"]),
    ("problemset.toml", sub(r"^name = .*", 'name = "x"\ntitle = "y"'),
     ['unknown key "title"']),
    ("problemset.toml", sub(r"^name = .*", 'name = "x"\norder = 1'),
     ['unknown key "order"'], ["belongs"]),
    ("problemset.toml", sub(r"^memory = \d+", "memory = 0"), ["[package] memory = 0",
                                                              ">= 1"]),
    ("problemset.toml", sub(r"^\[package\]", "[packages]"),
     ["unknown table [packages]", "did you mean [package]?"]),
    ("problemset.toml", None, ["is missing"]),
]


class BrokenManifests(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-manifests-")
        cls.root = harness.copy_project(os.path.join(cls.tmp, "project"))
        other = os.environ.get("PSET_UNDER_TEST_TREE")
        if other:  # another pset, these manifests
            for part in ("psetlib", "pset"):
                target = os.path.join(cls.root, part)
                if os.path.isdir(target):
                    shutil.rmtree(target)
                else:
                    os.unlink(target)
                copy = shutil.copytree if part == "psetlib" else shutil.copy
                copy(os.path.join(other, part), target)
        cls.pset = os.path.join(cls.root, "pset")
        cls.empty = os.path.join(cls.tmp, "no-package")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def run_pset(self, *args):
        return harness.pset(*args, pset_path=self.pset, cwd=self.tmp)

    def test_the_real_manifests_pass(self):
        the_set = problems.load(self.root)
        self.assertEqual(set(the_set.names()),
                         {f for f in os.listdir(self.root)
                          if os.path.isfile(os.path.join(self.root, f, schema.PROBLEM_FILE))})
        p = self.run_pset("validate", "--out", self.empty)
        self.assertEqual(p.stderr, f"pset: the package is not built in {self.empty} (run make "
                         "or pset build)\n")

    def test_each_broken_manifest_stops_pset_in_one_line_naming_file_and_key(self):
        # any action checks them first: a reader of the package, one that runs a command
        actions = (("validate", "--out", self.empty), ("judge", "demolition", "--", "true"))
        for k, (path, edit, names, *unsaid) in enumerate(ROWS):
            full = os.path.join(self.root, path)
            with open(full, encoding="utf-8") as fh:
                before = fh.read()
            with self.subTest(file=path, names=names):
                try:
                    if edit is None:
                        os.unlink(full)
                    else:
                        with open(full, "w", encoding="utf-8") as fh:
                            fh.write(edit(before))
                    p = self.run_pset(*actions[k % 2])
                    self.assertEqual((p.returncode, p.stdout), (2, ""), p.stderr)
                    self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
                    self.assertTrue(p.stderr.startswith("pset: "), p.stderr)
                    self.assertIn(path, p.stderr)
                    self.assertNotIn("internal error", p.stderr)
                    for name in names:
                        self.assertIn(name, p.stderr)
                    for words in unsaid:
                        for word in words:
                            self.assertNotIn(word, p.stderr)
                finally:
                    with open(full, "w", encoding="utf-8") as fh:
                        fh.write(before)

    def test_the_schema_prints_every_key_it_checks(self):
        p = self.run_pset("schema")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertEqual(p.stdout, schema.describe() + "\n")
        tables = [schema.PROBLEM, schema.SET, schema.LIMIT]
        tables += [s for t in tables for s in t.tables]
        tables += [s for t in tables for s in t.tables]
        keys = 0
        for t in tables:
            for key in t.keys:
                self.assertRegex(p.stdout, rf"(?m)^ +{key.name} +"
                                 rf"{re.escape(key.kind_text()[:20])}")
                keys += 1
        self.assertGreater(keys, 25)
        for table in ("[programs]", "[programs.capacity]", "[answers]", "[limits]",
                      "[package]"):
            self.assertIn(f"\n{table}: ", p.stdout)


if __name__ == "__main__":
    harness.main()
