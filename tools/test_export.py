"""pset export: a small built package exported, every zip unpacked into a fresh folder and held
to the package format's rules there (layout, names, problem.yaml, statement), the validators
and submissions compiled from the unpacked sources alone and run on the unpacked tests, the
float tolerance against float_judge, byte-identical exports, and the packages it refuses."""

import concurrent.futures
import hashlib
import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import uuid
import zipfile

import harness

from psetlib import exporting, limits, package, problem_yaml, problems, sources, testdata
from psetlib.common import Stop
from psetlib.statement import statement_tex

PROBLEMS = sorted(problems.names())
# Keys of problem.yaml in the legacy format, and of its limits.
YAML_KEYS = {"name", "uuid", "type", "author", "source", "source_url", "license",
             "rights_owner", "keywords", "validation", "validator_flags", "limits"}
LIMIT_KEYS = {"time_multiplier", "time_safety_margin", "memory", "output", "code",
              "compilation_time", "compilation_memory", "validation_time",
              "validation_memory", "validation_output"}
TOP_LEVEL = {"problem.yaml", ".timelimit", "data", "problem_statement", "input_validators",
             "output_validators", "submissions"}
VERDICTS = {"accepted", "wrong_answer", "time_limit_exceeded", "run_time_error"}
TOLERANCE = 1e-6
CXX = ["g++", "-O2", "-std=gnu++17"]   # what a judge compiles a submission with


def manifest(root, name):
    """The problem `name` of the set at `root`, as pset reads its manifest."""
    return problems.load(root).get(name)


def export_cli(*args):
    return harness.pset("export", *args, cwd=harness.ROOT)


def export_api(package_dir, root):
    """Exports every problem of the set at `root` from the package in `package_dir`, in this
    process; returns (status, what it said, why it stopped)."""
    said = []
    the_set = problems.load(root)
    try:
        exporting.export(the_set, the_set.problems, package.Place(package_dir), said.append)
    except Stop as exc:
        return 2, "\n".join(said), str(exc)
    return 0, "\n".join(said), ""


def record_tests(package_dir, root, name, tests):
    """Writes the manifest and the source digest of a package made by hand, as pset build
    does; `tests` are (name, kind, how) of the test files already there."""
    folder = os.path.join(package_dir, name, "tests")
    entries = [testdata.Entry(n, {s: testdata.record(os.path.join(folder, n + s))
                                  for s in (".in", ".ans")}, kind, how)
               for n, kind, how in tests]
    testdata.write(folder, name, entries)
    with open(os.path.join(folder, "sources"), "w") as fh:
        fh.write(sources.digest(manifest(root, name)) + "\n")
    open(os.path.join(package_dir, package.MARKER), "w").close()


def tree(folder):
    """{relative path: bytes} of every file under folder."""
    found = {}
    for top, _, files in os.walk(folder):
        for f in files:
            path = os.path.join(top, f)
            with open(path, "rb") as fh:
                found[os.path.relpath(path, folder).replace(os.sep, "/")] = fh.read()
    return found


def parse_yaml(text):
    """The small YAML of problem.yaml: `key: value` lines, a `key:` line followed by indented
    `key: value` lines for a mapping, plain or double-quoted scalars."""
    top, current = {}, None
    for line in text.splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        m = re.fullmatch(r"( *)([A-Za-z_]+):(?: (.*))?", line)
        if not m:
            raise ValueError(f"not a YAML line of this package: {line!r}")
        indent, key, value = m.groups()
        if value is not None:
            value = value.strip()
            if value.startswith('"'):
                value = json.loads(value)
            elif re.fullmatch(r"-?\d+", value):
                value = int(value)
        if indent:
            if current is None:
                raise ValueError(f"indented line outside a mapping: {line!r}")
            current[key] = value
        else:
            if key in top:
                raise ValueError(f"key {key} twice")
            current = None
            if value is None:
                current = top[key] = {}
            else:
                top[key] = value
    return top


def number(token):
    try:
        return float(token)
    except ValueError:
        return None


def within_tolerance(expected, got, tol=TOLERANCE):
    """The default output checker under float_absolute_tolerance: token by token, numbers within
    tol (equal infinities agree, a NaN never does), other tokens equal; the counts must agree."""
    a, b = expected.split(), got.split()
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        fx, fy = number(x), number(y)
        if fx is None or fy is None:
            if x.lower() != y.lower():
                return False
        elif not (fx == fy or abs(fx - fy) <= tol):
            return False
    return True


def shifted(text, delta, last_only=False):
    nums = text.split()
    out = [f"{float(t) + delta:.12f}" if not last_only or i == len(nums) - 1 else t
           for i, t in enumerate(nums)]
    return "\n".join(out) + "\n"


def compile_all(jobs):
    """Compiles (sources, output, cwd) jobs two at a time; returns {output: error text or None}."""
    def one(job):
        sources, output, cwd = job
        p = subprocess.run([*CXX, "-o", output, *sources], cwd=cwd, capture_output=True,
                           text=True, timeout=300)
        return output, (p.stderr or "failed") if p.returncode else None

    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        return dict(pool.map(one, jobs))


def run_on(exe, inp, timeout):
    with open(inp, "rb") as fh:
        try:
            p = subprocess.run([exe], stdin=fh, capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            return None, b""
    return p.returncode, p.stdout


class Unpacked:
    """One exported problem, unpacked from its zip into a fresh folder."""

    def __init__(self, name, zip_path, dest):
        self.name = name
        self.zip = zip_path
        self.dir = dest
        with zipfile.ZipFile(zip_path) as zf:
            self.infos = zf.infolist()
            zf.extractall(dest)
        self.tests = []     # (name, .in path, .ans path) in the order a judge runs them
        for kind in ("sample", "secret"):
            folder = os.path.join(dest, "data", kind)
            if os.path.isdir(folder):
                stems = sorted(f[:-3] for f in os.listdir(folder) if f.endswith(".in"))
                self.tests += [(f"{kind}/{s}", os.path.join(folder, s + ".in"),
                                os.path.join(folder, s + ".ans")) for s in stems]

    def judge(self, floats, exe, timeout, first_failure=False):
        """The verdict of every test in order, OK, WA, TLE or RE; with first_failure, up to the
        first that is not OK."""
        verdicts = []
        for test, inp, ans in self.tests:
            if first_failure and verdicts and verdicts[-1][1] != "OK":
                break
            status, out = run_on(exe, inp, timeout)
            with open(ans, "rb") as fh:
                expected = fh.read()
            if status is None:
                verdicts.append((test, "TLE"))
            elif status != 0:
                verdicts.append((test, "RE"))
            elif floats:
                verdicts.append((test, "OK" if within_tolerance(
                    expected.decode(), out.decode(errors="replace")) else "WA"))
            else:
                verdicts.append((test, "OK" if out == expected else "WA"))
        return verdicts


class PackageChecks:
    """The format's rules, checked on unpacked packages; used on the real set and on fixtures."""

    def check_zip(self, u):
        names = [i.filename for i in u.infos]
        self.assertEqual(names, sorted(names), u.name)
        for info in u.infos:
            self.assertFalse(info.filename.startswith(("/", u.name + "/")), info.filename)
            self.assertNotIn("..", info.filename.split("/"))
            self.assertEqual(info.date_time, (1980, 1, 1, 0, 0, 0), info.filename)
            self.assertEqual(info.external_attr >> 16, 0o100644, info.filename)
        with open(u.zip, "rb") as fh:
            digest = hashlib.sha256(fh.read()).hexdigest()
        with open(u.zip + ".sha256") as fh:
            self.assertEqual(fh.read(), f"{digest}  {u.name}.zip\n")
        return digest

    def check_layout(self, u, root, package_dir):
        """Top level, tests in pairs with good names, and the tests are the package's, samples
        from the examples, in the package's order."""
        self.assertTrue(re.fullmatch(r"[a-z0-9]+", u.name))
        self.assertLessEqual(set(os.listdir(u.dir)), TOP_LEVEL, u.name)
        self.assertTrue(os.path.isdir(os.path.join(u.dir, "data", "sample")), u.name)
        for kind in ("sample", "secret"):
            folder = os.path.join(u.dir, "data", kind)
            files = os.listdir(folder) if os.path.isdir(folder) else []
            stems = {f.rsplit(".", 1)[0] for f in files}
            self.assertEqual(sorted(files), sorted([s + ".in" for s in stems] +
                                                   [s + ".ans" for s in stems]), u.name)
            for s in stems:
                self.assertTrue(re.fullmatch(r"[a-z0-9][a-z0-9_-]*", s), s)
        built = os.path.join(package_dir, u.name, "tests")
        with open(os.path.join(built, "manifest")) as fh:
            lines = [line for line in fh.read().split("\n")[:-1] if not line.startswith("#")]
        samples = manifest(root, u.name).samples
        self.assertEqual(len(u.tests), len(lines), u.name)
        for line, (test, inp, ans) in zip(lines, u.tests):
            number, kind, how = re.fullmatch(
                r"(\d+)(?: (?:in|ans) \d+ [0-9a-f]{64})+ (\w+) (.+)", line).groups()
            sample = kind == "example" and os.path.basename(how)[:-3] in samples
            self.assertEqual(test.startswith("sample/"), sample, (line, test))
            for path, suffix in ((inp, ".in"), (ans, ".ans")):
                with open(path, "rb") as a, open(os.path.join(built, number + suffix),
                                                 "rb") as b:
                    self.assertEqual(a.read(), b.read(), (test, line))
            if kind == "example":
                with open(inp, "rb") as a, open(os.path.join(root, how), "rb") as b:
                    self.assertEqual(a.read(), b.read(), test)

    def check_yaml(self, u, root):
        conf = manifest(root, u.name)
        with open(os.path.join(u.dir, "problem.yaml")) as fh:
            y = parse_yaml(fh.read())
        self.assertLessEqual(set(y), YAML_KEYS, u.name)
        self.assertLessEqual(set(y.get("limits", {})), LIMIT_KEYS, u.name)
        self.assertEqual(y["name"], conf.title)
        self.assertEqual(uuid.UUID(y["uuid"]).version, 5)
        self.assertEqual(y["validation"], "default")
        for key in ("source", "license"):
            self.assertIsInstance(y[key], str)
            self.assertTrue(y[key])
        self.assertIsInstance(y["limits"]["memory"], int)
        if conf.judge == "float":
            tol = conf.tolerance
            flag, value = y["validator_flags"].split()
            self.assertEqual(flag, "float_absolute_tolerance")
            self.assertEqual(float(value), tol)
        else:
            # Exact text: the default checker must heed case and white space.
            self.assertEqual(set(y["validator_flags"].split()),
                             {"case_sensitive", "space_change_sensitive"})
        limit = os.path.join(u.dir, ".timelimit")
        if conf.time_limit is not None:
            with open(limit) as fh:
                self.assertEqual(float(fh.read()), conf.time_limit)
        else:
            self.assertFalse(os.path.exists(limit))
        return y

    def check_statement(self, u, title):
        with open(os.path.join(u.dir, "problem_statement", "problem.en.tex")) as fh:
            tex = fh.read()
        self.assertTrue(tex.startswith(f"\\problemname{{{title}}}\n"), tex[:80])
        self.assertLess(tex.index("\\section*{Input}"), tex.index("\\section*{Output}"))
        body = re.sub(r"\\[{}$%#&_]", "", tex)
        self.assertEqual(body.count("{"), body.count("}"), u.name)
        self.assertEqual(body.count("$") % 2, 0, u.name)
        self.assertIsNone(re.search(r"(?<!\\)[%#&]", tex), u.name)

    def check_programs(self, u, floats, validator_expected, capacity=None):
        """Validators from the unpacked source alone accept every input; accepted submissions
        pass every test (a second solver with a `capacity`, {program: {limit: most}}, every
        test whose validator's report lies within it); every other submission fails the way
        its folder says, first."""
        jobs, bins = [], u.dir.rstrip(os.sep) + ".bin"
        os.makedirs(bins, exist_ok=True)
        vdir = os.path.join(u.dir, "input_validators")
        validators = sorted(os.listdir(vdir)) if os.path.isdir(vdir) else []
        self.assertEqual(bool(validators), validator_expected, u.name)
        for v in validators:
            folder = os.path.join(vdir, v)
            jobs.append((sorted(f for f in os.listdir(folder) if f.endswith(".cpp")),
                         os.path.join(bins, "validator-" + v), folder))
        subs = []
        sdir = os.path.join(u.dir, "submissions")
        for verdict in sorted(os.listdir(sdir)):
            self.assertIn(verdict, VERDICTS)
            for f in sorted(os.listdir(os.path.join(sdir, verdict))):
                exe = os.path.join(bins, f"{verdict}-{f}")
                jobs.append(([f], exe, os.path.join(sdir, verdict)))
                subs.append((verdict, f, exe))
        self.assertTrue(any(v == "accepted" for v, _, _ in subs), u.name)
        errors = compile_all(jobs)
        for output, error in errors.items():
            self.assertIsNone(error, f"{u.name}: {output} does not compile:\n{error}")
        reached = {}  # test -> {limit: largest value}, from the validators' reports
        for v in validators:
            for test, inp, _ in u.tests:
                status, out = run_on(os.path.join(bins, "validator-" + v), inp, 60)
                self.assertEqual(status, 42, f"{u.name}: validator {v} on {test}")
                rows = [line.split() for line in out.decode().splitlines()]
                reached[test] = {w[0]: float(w[2]) for w in rows if len(w) == 3}
        limit = 2.0
        if os.path.exists(os.path.join(u.dir, ".timelimit")):
            with open(os.path.join(u.dir, ".timelimit")) as fh:
                limit = float(fh.read())
        expected_first = {"wrong_answer": "WA", "time_limit_exceeded": "TLE",
                          "run_time_error": "RE"}
        for verdict, f, exe in subs:
            got = u.judge(floats, exe, limit if verdict == "time_limit_exceeded" else 60,
                          first_failure=verdict != "accepted")
            failed = [(t, v) for t, v in got if v != "OK"]
            holds = (capacity or {}).get(f[:-len(".cpp")], {})
            failed = [(t, v) for t, v in failed if verdict != "accepted" or all(
                reached.get(t, {}).get(k, most) <= most for k, most in holds.items())]
            if verdict == "accepted":
                self.assertEqual(failed, [], f"{u.name}: accepted {f}")
            else:
                self.assertTrue(failed, f"{u.name}: {verdict}/{f} passes every test")
                self.assertEqual(failed[0][1], expected_first[verdict],
                                 f"{u.name}: {verdict}/{f} first fails {failed[0]}")
        return [s[:2] for s in subs]


class RealSet(PackageChecks, unittest.TestCase):
    """The problem set itself, built small, exported and unpacked."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-test-")
        cls.out = os.path.join(cls.tmp, "out")
        p = harness.pset("build", "--tests", "1", "--seed", "1000", "--out", cls.out)
        if p.returncode != 0:
            raise RuntimeError(f"pset build failed: {p.stderr}")
        cls.first = export_cli("--out", cls.out)
        cls.exported = sorted(n for n in PROBLEMS if manifest(harness.ROOT, n).solver)
        cls.unpacked = {}
        if cls.first.returncode == 0:
            for n in cls.exported:
                cls.unpacked[n] = Unpacked(n, os.path.join(cls.out, "export", n + ".zip"),
                                           os.path.join(cls.tmp, "unpacked", n))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.first.returncode, 0, self.first.stderr)

    def test_writes_a_zip_per_problem_with_a_solver_and_says_why_not_for_the_others(self):
        harness.walked("export", self.exported)
        skipped = set(PROBLEMS) - set(self.exported)
        self.assertEqual(skipped, {"collider"})
        self.assertIn("collider: no reference solver", self.first.stdout)
        zips = sorted(f[:-4] for f in os.listdir(os.path.join(self.out, "export"))
                      if f.endswith(".zip"))
        self.assertEqual(zips, self.exported)
        self.assertEqual(self.first.stderr, "")

    def test_zips_are_sorted_at_root_fixed_and_their_checksums_printed(self):
        for name, u in self.unpacked.items():
            with self.subTest(name):
                digest = self.check_zip(u)
                self.assertIn(f"{digest}  ", self.first.stdout)
                # The zip holds exactly the package directory written beside it.
                self.assertEqual(tree(u.dir), tree(os.path.join(self.out, "export", name)))

    def test_layout_names_and_tests_follow_the_package(self):
        for name, u in self.unpacked.items():
            with self.subTest(name):
                self.check_layout(u, harness.ROOT, self.out)

    def test_problem_yaml_holds_only_known_keys(self):
        uuids = set()
        for name, u in self.unpacked.items():
            with self.subTest(name):
                y = self.check_yaml(u, harness.ROOT)
                uuids.add(y["uuid"])
        self.assertEqual(len(uuids), len(self.unpacked))
        with open(os.path.join(self.out, "export", "shuttle", "problem.yaml")) as fh:
            self.assertIn("validator_flags: float_absolute_tolerance 1e-6\n", fh.read())

    def test_statements_name_the_problem_and_have_input_and_output(self):
        for name, u in self.unpacked.items():
            with self.subTest(name):
                self.check_statement(u, manifest(harness.ROOT, name).title)

    def test_every_problem_has_a_statement_text_collider_too(self):
        for name in PROBLEMS:
            with self.subTest(name), open(os.path.join(harness.ROOT, name, "statement.md"),
                                          encoding="utf-8") as fh:
                tex = statement_tex(manifest(harness.ROOT, name).title, fh.read())
                self.assertIn("\\section*{Output}", tex)

    def test_validators_and_submissions_from_the_unpacked_sources(self):
        seen = []
        for name, u in self.unpacked.items():
            with self.subTest(name):
                conf = manifest(harness.ROOT, name)
                has_source = os.path.isfile(
                    os.path.join(harness.ROOT, name, conf.input_check + ".cpp"))
                floats = conf.floats
                subs = self.check_programs(u, floats, has_source, conf.capacity)
                seen += [(name, v, f) for v, f in subs]
        solvers = {(n, "accepted", p + ".cpp") for n in self.exported
                   for p in [manifest(harness.ROOT, n).solver, *manifest(harness.ROOT, n).second]}
        self.assertLessEqual(solvers, set(seen))

    def test_tolerance_check_agrees_with_float_judge(self):
        u = self.unpacked["shuttle"]
        judge = harness.program("float_judge")
        for test, _, ans in u.tests:
            with open(ans) as fh:
                expected = fh.read()
            rows = [(expected, True), (shifted(expected, 0.9e-6), True),
                    (shifted(expected, -0.9e-6), True), (shifted(expected, 1.1e-6), False),
                    (shifted(expected, -1.1e-6), False),
                    (shifted(expected, 1.1e-6, last_only=True), False),
                    (expected + "1.0\n", False),
                    ("".join(line + "\n" for line in expected.split("\n")[:-2]), False)]
            if not expected.split():  # no answers (no cases): only an extra number differs
                rows = [(expected, True), (expected + "1.0\n", False)]
            for k, (got, accept) in enumerate(rows):
                with self.subTest(test=test, row=k):
                    path = os.path.join(self.tmp, "got")
                    with open(path, "w") as fh:
                        fh.write(got)
                    status = subprocess.run([judge, ans, path], capture_output=True).returncode
                    self.assertEqual(status, 0 if accept else 1)
                    self.assertEqual(within_tolerance(expected, got), accept)

    def test_a_second_export_gives_the_same_bytes(self):
        before = {n: tree(os.path.join(self.out, "export", n)) for n in self.exported}
        zips = {}
        for n in self.exported:
            with open(os.path.join(self.out, "export", n + ".zip"), "rb") as fh:
                zips[n] = fh.read()
        again = export_cli("--out", self.out)
        self.assertEqual(again.returncode, 0, again.stderr)
        self.assertEqual(again.stdout, self.first.stdout)
        for n in self.exported:
            with open(os.path.join(self.out, "export", n + ".zip"), "rb") as fh:
                self.assertEqual(fh.read(), zips[n], n)
            self.assertEqual(tree(os.path.join(self.out, "export", n)), before[n], n)
        self.assertEqual(sorted(f for f in os.listdir(os.path.join(self.out, "export"))
                                if f.startswith(".partial")), [])


class Refusals(unittest.TestCase):
    """Packages export must refuse: one line, status 2, nothing written, nothing deleted."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-refuse-")
        cls.good = os.path.join(cls.tmp, "good")
        p = harness.pset("build", "--tests", "1", "--seed", "7", "--out", cls.good, "rings",
                         "ratio")
        if p.returncode != 0:
            raise RuntimeError(f"pset build failed: {p.stderr}")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def copy(self):
        out = tempfile.mkdtemp(dir=self.tmp)
        for n in ("rings", "ratio"):
            shutil.copytree(os.path.join(self.good, n), os.path.join(out, n))
        shutil.copy(os.path.join(self.good, package.MARKER), out)
        return out

    def assertRefused(self, p, text):
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        self.assertEqual(p.stderr.count("\n"), 1, p.stderr)
        self.assertTrue(p.stderr.startswith("pset: "), p.stderr)
        self.assertIn(text, p.stderr)
        self.assertNotIn("Traceback", p.stderr)

    def test_damaged_packages_are_refused_and_nothing_is_written(self):
        def write(path, text):
            with open(path, "w") as fh:
                fh.write(text)

        cases = [
            ("not built", lambda t: os.remove(os.path.join(t, "manifest")), "is not built"),
            ("an answer missing", lambda t: os.remove(os.path.join(t, "02.ans")),
             "02.ans is missing"),
            ("an input missing", lambda t: os.remove(os.path.join(t, "01.in")),
             "01.in is missing"),
            ("a test the manifest lacks", lambda t: write(os.path.join(t, "07.in"), "1\n0 0\n"),
             "07.in is not in its manifest"),
            ("a manifest line garbled", lambda t: write(os.path.join(t, "manifest"),
                                                         "01 example\nsecond\n"), "damaged"),
            ("stale", lambda t: write(os.path.join(t, "sources"), "0" * 64 + "\n"),
             "older than its sources"),
            ("no digest recorded", lambda t: os.remove(os.path.join(t, "sources")),
             "sources is missing"),
        ]
        for label, damage, text in cases:
            with self.subTest(label):
                out = self.copy()
                damage(os.path.join(out, "rings", "tests"))
                p = export_cli("--out", out, "ratio", "rings")
                self.assertRefused(p, text)
                self.assertIn("rings", p.stderr)
                self.assertFalse(os.path.exists(os.path.join(out, "export", "ratio.zip")))

    def test_unknown_problem_and_missing_package_are_refused(self):
        out = self.copy()
        self.assertRefused(export_cli("--out", out, "nosuch"), "unknown problem 'nosuch'")
        self.assertRefused(export_cli("--out", out, "trend"), "is not built")
        self.assertFalse(os.path.exists(os.path.join(out, "export")))

    def test_files_export_did_not_write_are_never_deleted(self):
        out = self.copy()
        self.assertEqual(export_cli("--out", out, "rings").returncode, 0)
        mine = os.path.join(out, "export", "rings", "notes.txt")
        other = os.path.join(out, "export", "readme.txt")
        for path in (mine, other):
            with open(path, "w") as fh:
                fh.write("kept\n")
        self.assertRefused(export_cli("--out", out, "rings"), "notes.txt was not written by")
        os.remove(mine)
        stray = os.path.join(out, "export", "ratio.zip")
        with open(stray, "w") as fh:
            fh.write("a zip of someone else\n")
        self.assertRefused(export_cli("--out", out, "ratio"), "ratio.zip was not written by")
        with open(stray) as fh:
            self.assertEqual(fh.read(), "a zip of someone else\n")
        os.remove(stray)
        p = export_cli("--out", out, "rings", "ratio")
        self.assertEqual(p.returncode, 0, p.stderr)
        with open(other) as fh:
            self.assertEqual(fh.read(), "kept\n")


class Fixture(PackageChecks, unittest.TestCase):
    """A small problem of its own, with a validator and a header, submissions of every verdict,
    a time limit and overridden package keys: every path of the export, whatever the set holds
    today."""

    VALIDATOR = r"""// Fixture validator: lines of printable characters, each ended, or nothing.
#include "input_check.h"
int main() {
  int c, last = '\n';
  while ((c = getchar()) != EOF) {
    if (c != '\n' && (c < ' ' || c > '~')) reject();
    last = c;
  }
  if (last != '\n') reject();
  accept();
}
"""
    HEADER = r"""// Fixture header: exit codes of a validator.
#include <cstdio>
#include <cstdlib>
[[noreturn]] inline void accept() { std::exit(42); }
[[noreturn]] inline void reject() { std::exit(43); }
"""
    SUBMISSIONS = {
        "accepted/echo_sum.cpp": "#include <cstdio>\nint main() { std::puts(\"25\"); }\n",
        "wrong_answer/off_by_one.cpp":
            "#include <cstdio>\nint main() { std::puts(\"24\"); }\n",
        "wrong_answer/loud.cpp": "#include <cstdio>\nint main() { std::puts(\"25 \"); }\n",
        "run_time_error/crash.cpp": "int main() { return 3; }\n",
        "time_limit_exceeded/spin.cpp":
            "int main() { volatile unsigned long x = 0; for (;;) ++x; }\n",
    }

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-fixture-")
        cls.root = os.path.join(cls.tmp, "root")
        src = os.path.join(harness.ROOT, "constant")
        dst = os.path.join(cls.root, "constant")
        os.makedirs(os.path.join(dst, "examples"))
        for f in ("constant_answer.cpp", "statement.md", "examples/01-empty.in"):
            shutil.copyfile(os.path.join(src, f), os.path.join(dst, f))
        # the fixture's validator takes any lines: an example the program ignores
        with open(os.path.join(dst, "examples", "02-ignored.in"), "w") as fh:
            fh.write("anything at all\n")
        shutil.copyfile(os.path.join(src, "constant_answer.cpp"),
                        os.path.join(dst, "constant_twice.cpp"))
        files = {
            "problemset.toml": 'name = "Fixture set"\n[package]\nsource = "Fixture set"\n'
                               'license = "cc by-sa"\nmemory = 256\n',
            "constant/problem.toml": 'title = "Constant: answer #1"\ntime_limit = 0.5\n'
                                     'order = 1\nsamples = ["01-empty"]\n'
                                     "[programs]\nsolver = \"constant_answer\"\n"
                                     'second = ["constant_twice"]\n'
                                     'generator = "constant_cases"\n'
                                     'input_check = "constant_input_check"\n'
                                     '[package]\nsource = "Fixture round, day 1"\n'
                                     "[answers]\njudge = \"exact\"\n",
            "constant/constant_input_check.cpp": cls.VALIDATOR,
            "constant/constant_cases.cpp": "int main() {}\n",
            "include/input_check.h": cls.HEADER,
        }
        for path, sub in cls.SUBMISSIONS.items():
            files["constant/submissions/" + path] = sub
        files["constant/submissions/accepted/NOTES.txt"] = "not a submission\n"
        for path, text in files.items():
            full = os.path.join(cls.root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as fh:
                fh.write(text)
        # The built package: the two examples as tests, answered; the first is the sample.
        cls.pkg = os.path.join(cls.tmp, "out")
        tests = os.path.join(cls.pkg, "constant", "tests")
        os.makedirs(tests)
        for k, example in enumerate(("01-empty", "02-ignored"), 1):
            shutil.copyfile(os.path.join(dst, "examples", example + ".in"),
                            os.path.join(tests, f"0{k}.in"))
            with open(os.path.join(tests, f"0{k}.ans"), "w") as fh:
                fh.write("25\n")
        record_tests(cls.pkg, cls.root, "constant",
                     [("01", "example", "constant/examples/01-empty.in"),
                      ("02", "example", "constant/examples/02-ignored.in")])
        cls.status, cls.said, cls.err = export_api(cls.pkg, cls.root)
        cls.u = None
        if cls.status == 0:
            cls.u = Unpacked("constant", os.path.join(cls.pkg, "export", "constant.zip"),
                             os.path.join(cls.tmp, "unpacked"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.status, 0, self.err)

    def test_the_fixture_package_follows_the_format(self):
        self.check_zip(self.u)
        self.check_layout(self.u, self.root, self.pkg)
        self.check_statement(self.u, "Constant: answer \\#1")

    def test_package_keys_come_from_the_set_and_the_problem_overrides_them(self):
        y = self.check_yaml(self.u, self.root)
        self.assertEqual(y["name"], "Constant: answer #1")
        self.assertEqual(y["source"], "Fixture round, day 1")
        self.assertEqual(y["license"], "cc by-sa")
        self.assertEqual(y["limits"], {"memory": 256})
        with open(os.path.join(self.u.dir, ".timelimit")) as fh:
            self.assertEqual(fh.read(), "0.5\n")
        self.assertNotIn("no time_limit", self.said)

    def test_validator_with_its_header_and_every_verdict_of_submission(self):
        self.assertEqual(sorted(os.listdir(os.path.join(self.u.dir, "input_validators",
                                                        "constant_input_check"))),
                         ["constant_input_check.cpp", "input_check.h"])
        subs = self.check_programs(self.u, False, True)
        self.assertEqual(sorted(subs), sorted(
            [("accepted", "constant_answer.cpp"), ("accepted", "constant_twice.cpp")] +
            [tuple(p.split("/")) for p in self.SUBMISSIONS]))
        # The validator is a real one: it rejects what it must.
        exe = os.path.join(self.u.dir + ".bin", "validator-constant_input_check")
        for data, status in ((b"", 42), (b"any line\n\n", 42), (b"no end", 43),
                             (b"a\x00b\n", 43)):
            p = subprocess.run([exe], input=data, capture_output=True)
            self.assertEqual(p.returncode, status, data)

    def test_a_wrong_submission_that_passes_is_caught(self):
        # The check itself: a submission filed under wrong_answer that is right must fail it.
        bad = os.path.join(self.tmp, "bad")
        shutil.copytree(self.u.dir, bad)
        shutil.copyfile(os.path.join(bad, "submissions", "accepted", "constant_answer.cpp"),
                        os.path.join(bad, "submissions", "wrong_answer", "right.cpp"))
        u = Unpacked.__new__(Unpacked)
        u.name, u.dir, u.tests = "constant", bad, self.u.tests
        with self.assertRaises(AssertionError) as caught:
            self.check_programs(u, False, True)
        self.assertIn("wrong_answer/right.cpp passes every test", str(caught.exception))

    def test_source_digest_follows_every_source_and_nothing_else(self):
        name = "constant"
        problem = manifest(self.root, name)
        base = sources.digest(problem)
        self.assertEqual(sources.digest(problem), base)
        touched = ["constant/problem.toml", "constant/examples/01-empty.in",
                   "constant/constant_answer.cpp", "constant/constant_twice.cpp",
                   "constant/constant_input_check.cpp", "include/input_check.h",
                   "constant/constant_cases.cpp"]
        created = ["constant/extra_tests.py", "constant/examples/03-new.in"]
        ignored = ["constant/statement.md", "constant/submissions/accepted/echo_sum.cpp",
                   "constant/test_constant.py", "problemset.toml"]
        for path in touched + created + ignored:
            with self.subTest(path):
                full = os.path.join(self.root, path)
                old = None
                if os.path.exists(full):
                    with open(full, "rb") as fh:
                        old = fh.read()
                with open(full, "ab") as fh:
                    fh.write(b"\n")
                try:
                    changed = sources.digest(problem) != base
                    self.assertEqual(changed, path not in ignored)
                finally:
                    if old is None:
                        os.remove(full)
                    else:
                        with open(full, "wb") as fh:
                            fh.write(old)
                self.assertEqual(sources.digest(problem), base)


class Statements(unittest.TestCase):
    def test_statement_text_becomes_latex(self):
        rows = [
            ("Costs 5% & more_than #1 {x}.", "Costs 5\\% \\& more\\_than \\#1 \\{x\\}."),
            ("Keep $a_i \\le 10^9$ as it is.", "Keep $a_i \\le 10^9$ as it is."),
            ("Print `No Response` or \"Yes\".", "Print \\texttt{No\\ Response} or ``Yes''."),
            ("a ~ b ^ c \\ d < e", "a \\textasciitilde{} b \\textasciicircum{} c "
                                   "\\textbackslash{} d \\textless{} e"),
            ("$$\\sum_i i$$ shown", "$$\\sum_i i$$ shown"),
        ]
        for text, want in rows:
            with self.subTest(text):
                tex = statement_tex("T", f"{text}\n\n## Input\nx\n\n## Output\ny\n")
                self.assertIn("\n" + want + "\n", tex)
        tex = statement_tex("T", "Intro\n## Input\n- one\n  more\n- two\n## Output\nz\n")
        self.assertIn("\\begin{itemize}\n  \\item one\n    more\n  \\item two\n"
                      "\\end{itemize}", tex)
        for text in ("## Input\nx\n", "## Output\nx\n", "No sections\n"):
            with self.subTest(text), self.assertRaises(Stop):
                statement_tex("T", text)

    def test_test_names_sort_in_package_order_past_99_tests(self):
        kinds = [("example", "demolition/examples/01-worked.in"),
                 ("example", "demolition/examples/edge_cases.in")]
        kinds += [("generator", f"demolish_cases seed {1765000000 + k}") for k in range(115)]
        kinds += [("generator", "mirror_cases (unseeded: the same file on every run)"),
                  ("maker", "demolition/extra_tests.py Long_Runs"), ("shrunk", "")]
        entries = [(f"{k:02d}", kind, how) for k, (kind, how) in enumerate(kinds, 1)]
        names = exporting.test_names(entries)
        self.assertEqual(sorted(names), names)
        self.assertEqual(len(set(names)), len(names))
        self.assertEqual(names[:3], ["001-worked", "002-edge-cases", "003-seed-1765000000"])
        self.assertEqual(names[-3:], ["118-generated", "119-long-runs", "120-shrunk"])
        for n in names:
            self.assertRegex(n, r"^[a-z0-9][a-z0-9-]*$")

    def test_numbers_and_scalars_of_problem_yaml(self):
        for x, want in ((1e-6, "1e-6"), (2, "2"), (2.0, "2"), (0.5, "0.5"), (1.5e-9, "1.5e-9")):
            self.assertEqual(limits.number_text(x), want)
        for text in ("Segment demolition", "yes", "Round: 1", "#x", "12ab", "a \"b\"", "x ",
                     "cc by-sa", "Problem setters' working set"):
            with self.subTest(text):
                self.assertEqual(parse_yaml(f"k: {problem_yaml.scalar(text)}\n")["k"], text)


if __name__ == "__main__":
    unittest.main()
