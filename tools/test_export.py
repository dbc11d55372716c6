"""pset export: the tree's shared package (the default build of the set) exported once in each
version of the package format (legacy and 2023-07), every zip unpacked into a fresh folder and
held to that version's rules there (layout, names, problem.yaml's keys and types, the checker's
flags, samples as named, no empty answer, the statement); the validators compiled from the
unpacked sources alone and run on the unpacked tests and on the broken inputs a judge's
verifier feeds them; the submissions exported as the project's own bytes, compiled under the
judge's flags for syntax (their verdicts on these very tests are pset verify's, the fixture
`package/verify`); the float tolerance against float_judge, byte-identical exports (another
time zone, another umask, another copy of the project), the uuid, and the packages it refuses.
A small fixture problem of its own has its submissions of every verdict compiled and judged
from the unpacked package."""

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
LEGACY, CURRENT = "legacy", "2023-07"
FOLDER = {LEGACY: "export", CURRENT: "export-2023-07"}
# Keys of problem.yaml in the legacy version, and of its limits.
YAML_KEYS = {"name", "uuid", "type", "author", "source", "source_url", "license",
             "rights_owner", "keywords", "validation", "validator_flags", "limits"}
LIMIT_KEYS = {"time_multiplier", "time_safety_margin", "memory", "output", "code",
              "compilation_time", "compilation_memory", "validation_time",
              "validation_memory", "validation_output"}
# Keys of problem.yaml in the 2023-07 version, with the types they take, and of its limits.
CURRENT_KEYS = {"problem_format_version": str, "name": str, "uuid": str, "type": (str, list),
                "version": str, "credits": (str, dict), "source": (str, dict, list),
                "license": str, "rights_owner": str, "embargo_until": str, "limits": dict,
                "keywords": list, "languages": (str, list), "allow_file_writing": bool,
                "constants": dict}
CURRENT_LIMITS = {"time_limit": (int, float), "time_multipliers": dict,
                  "time_resolution": (int, float), "memory": int, "output": int, "code": int,
                  "compilation_time": int, "compilation_memory": int, "validation_time": int,
                  "validation_memory": int, "validation_output": int, "validation_passes": int}
LICENSES = {"unknown", "public domain", "cc0", "cc by", "cc by-sa", "educational", "permission"}
TOP_LEVEL = {
    LEGACY: {"problem.yaml", ".timelimit", "data", "problem_statement", "input_validators",
             "output_validators", "submissions"},
    CURRENT: {"problem.yaml", "data", "statement", "input_validators", "output_validator",
              "submissions"}}
STATEMENT_FILE = {LEGACY: "problem_statement/problem.en.tex",
                  CURRENT: "statement/problem.en.tex"}
VERDICTS = {"accepted", "wrong_answer", "time_limit_exceeded", "run_time_error"}
TOLERANCE = 1e-6
CXX = ["g++", "-O2", "-std=gnu++17"]   # what a judge compiles a submission with
# Problems whose input format allows trailing zeros in a decimal's fraction (their statement
# says so and a sample shows one): a judge's verifier warns that their validator accepts them.
TRAILING_ZEROS_VALID = {"rounding"}


def manifest(root, name):
    """The problem `name` of the set at `root`, as pset reads its manifest."""
    return problems.load(root).get(name)


def export_cli(*args, **kw):
    return harness.pset("export", *args, cwd=harness.ROOT, **kw)


def export_api(package_dir, root, fmt=LEGACY):
    """Exports every problem of the set at `root` from the package in `package_dir`, in this
    process; returns (status, what it said, why it stopped)."""
    said = []
    try:
        the_set = problems.load(root)
        exporting.export(the_set, the_set.problems, package.Place(package_dir), said.append,
                         fmt)
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


def replace_test_file(folder, problem, name, data):
    """Replaces the test file `name` (01.ans, ...) of a built package and records it in the
    manifest, as a package built so would hold it."""
    path = os.path.join(folder, name)
    os.unlink(path)  # a new file: the package may be a copy linked to the shared one
    with open(path, "wb") as fh:
        fh.write(data)
    with open(os.path.join(folder, "manifest")) as fh:
        entries, bad = testdata.parse(fh.read())
    assert bad is None
    stem, suffix = os.path.splitext(name)
    entries = [testdata.Entry(e.name, {**e.files, suffix: testdata.record(path)}, e.kind, e.how)
               if e.name == stem else e for e in entries]
    testdata.write(folder, problem, entries)


def tree(folder):
    """{relative path: bytes} of every file under folder."""
    found = {}
    for top, _, files in os.walk(folder):
        for f in files:
            path = os.path.join(top, f)
            with open(path, "rb") as fh:
                found[os.path.relpath(path, folder).replace(os.sep, "/")] = fh.read()
    return found


def _scalar(text):
    if text.startswith('"'):
        return json.loads(text)
    if text in ("true", "false"):
        return text == "true"
    if re.fullmatch(r"-?\d+", text):
        return int(text)
    if re.fullmatch(r"-?\d+\.\d*(e-?\d+)?|-?\d+e-?\d+", text):
        return float(text)
    if text[:1] in "[{&*!|>'%@`" or ": " in text or " #" in text:
        raise ValueError(f"not a plain scalar of this package: {text!r}")
    return text


def parse_yaml(text):
    """The small YAML of the packages: `key: value` lines, a `key:` line followed by more
    indented lines for a mapping or `- value` items for a list, plain or double-quoted
    scalars, numbers and booleans. Anything else is a ValueError."""
    lines = [line for line in text.split("\n") if line.strip() and
             not line.lstrip().startswith("#")]

    def indent(k):
        return len(lines[k]) - len(lines[k].lstrip(" "))

    def block(k, depth):
        if lines[k][depth:].startswith("- "):
            items = []
            while k < len(lines) and indent(k) == depth and lines[k][depth:].startswith("- "):
                items.append(_scalar(lines[k][depth + 2:].strip()))
                k += 1
            return items, k
        found = {}
        while k < len(lines) and indent(k) == depth:
            m = re.fullmatch(r"([A-Za-z_]+):(?: (.*))?", lines[k][depth:])
            if not m:
                raise ValueError(f"not a YAML line of this package: {lines[k]!r}")
            key, value = m.groups()
            if key in found:
                raise ValueError(f"key {key} twice")
            k += 1
            if value is None:
                if k >= len(lines) or indent(k) <= depth:
                    raise ValueError(f"{key}: holds nothing")
                found[key], k = block(k, indent(k))
            else:
                found[key] = _scalar(value.strip())
        return found, k

    data, end = block(0, 0) if lines else ({}, 0)
    if end != len(lines):
        raise ValueError(f"a line out of place: {lines[end]!r}")
    return data


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


def precompiled(folder):
    """A folder holding bits/stdc++.h precompiled under the judge's flags, which g++ takes
    in place of the header (and ignores, parsing the header, should the flags differ): a third
    of the submissions include it, and its parse is most of their syntax check. None when it
    cannot be made."""
    header = subprocess.run([*CXX, "-x", "c++", "-E", "-"], input="#include <bits/stdc++.h>\n",
                            capture_output=True, text=True, timeout=300)
    found = re.search(r'^# \d+ "([^"]*/bits/stdc\+\+\.h)"', header.stdout, re.M)
    if header.returncode or not found:
        return None
    os.makedirs(os.path.join(folder, "bits"), exist_ok=True)
    p = subprocess.run([*CXX, "-x", "c++-header", found.group(1), "-o",
                        os.path.join(folder, "bits", "stdc++.h.gch")], capture_output=True,
                       timeout=300)
    return folder if p.returncode == 0 else None


_pch: dict = {}


def shared_pch(tmp):
    """The one precompiled header folder of this run, made in `tmp` the first time it is
    asked for (None when it cannot be made)."""
    if "folder" not in _pch:
        _pch["folder"] = precompiled(os.path.join(tmp, "pch"))
    return _pch["folder"]


def compile_all(jobs, pch=None):
    """Compiles (sources, output, cwd) jobs two at a time, an output of None for syntax only
    (-fsyntax-only, with the precompiled headers in `pch`); returns {output or first source:
    error text or None}."""
    def one(job):
        sources, output, cwd = job
        how = ["-o", output] if output else ["-fsyntax-only"] + (["-I", pch] if pch else [])
        p = subprocess.run([*CXX, *how, *sources], cwd=cwd, capture_output=True,
                           text=True, timeout=300)
        return output or os.path.join(cwd, sources[0]), \
            (p.stderr or "failed") if p.returncode else None

    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        return dict(pool.map(one, jobs))


def run_on(exe, inp, timeout, data=None):
    with open(inp, "rb") if data is None else open(os.devnull, "rb") as fh:
        try:
            p = subprocess.run([exe], stdin=fh if data is None else None, input=data,
                               capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            return None, b""
    return p.returncode, p.stdout


class Unpacked:
    """One exported problem, unpacked from its zip into a fresh folder."""

    def __init__(self, name, zip_path, dest, fmt=LEGACY):
        self.name = name
        self.zip = zip_path
        self.dir = dest
        self.format = fmt
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

    def read(self, path):
        with open(os.path.join(self.dir, path), "rb") as fh:
            return fh.read()

    def yaml(self, path="problem.yaml"):
        return parse_yaml(self.read(path).decode())

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


class Compiled:
    """The validators and submissions of an unpacked package, compiled from its sources alone:
    {validator: program}, [(verdict, source file, program)] and {program: compiler errors}.
    With whole=False the submissions are compiled for syntax only (their program is None)."""

    def __init__(self, u, whole=True):
        jobs, bins = [], u.dir.rstrip(os.sep) + ".bin"
        os.makedirs(bins, exist_ok=True)
        self.validators, self.submissions = {}, []
        vdir = os.path.join(u.dir, "input_validators")
        for v in sorted(os.listdir(vdir)) if os.path.isdir(vdir) else []:
            folder = os.path.join(vdir, v)
            self.validators[v] = os.path.join(bins, "validator-" + v)
            jobs.append((sorted(f for f in os.listdir(folder) if f.endswith(".cpp")),
                         self.validators[v], folder))
        sdir = os.path.join(u.dir, "submissions")
        for verdict in sorted(os.listdir(sdir)):
            for f in sorted(os.listdir(os.path.join(sdir, verdict))):
                exe = os.path.join(bins, f"{verdict}-{f}") if whole else None
                jobs.append(([f], exe, os.path.join(sdir, verdict)))
                self.submissions.append((verdict, f, exe))
        pch = None if whole else shared_pch(os.path.dirname(bins))
        self.errors = {k: v for k, v in compile_all(jobs, pch).items() if v}


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
        """Top level, tests in pairs with good names and no empty answer, and the tests are the
        package's: the samples those the manifest names, in its order, every other test secret,
        in the package's order."""
        self.assertTrue(re.fullmatch(r"[a-z0-9]+", u.name))
        self.assertLessEqual(set(os.listdir(u.dir)), TOP_LEVEL[u.format], u.name)
        for kind in ("sample", "secret"):
            folder = os.path.join(u.dir, "data", kind)
            files = [f for f in os.listdir(folder) if not f.endswith(".yaml")]
            stems = {f.rsplit(".", 1)[0] for f in files}
            self.assertEqual(sorted(files), sorted([s + ".in" for s in stems] +
                                                   [s + ".ans" for s in stems]), u.name)
            for s in stems:
                self.assertTrue(re.fullmatch(r"[a-z0-9][a-z0-9_-]*", s), s)
                self.assertGreater(os.path.getsize(os.path.join(folder, s + ".ans")), 0,
                                   f"{u.name}: {kind}/{s}.ans is empty")
        built = os.path.join(package_dir, u.name, "tests")
        with open(os.path.join(built, "manifest")) as fh:
            lines = [line for line in fh.read().split("\n")[:-1] if not line.startswith("#")]
        conf = manifest(root, u.name)
        by_sample, secret = {}, []
        for line in lines:
            number, kind, how = re.fullmatch(
                r"(\d+)(?: (?:in|ans) \d+ [0-9a-f]{64})+ (\w+) (.+)", line).groups()
            stem = os.path.basename(how)[:-3]
            if kind == "example" and stem in conf.samples:
                by_sample[stem] = (number, how)
            else:
                secret.append((number, how))
        expected = [("sample", *by_sample[stem]) for stem in conf.samples] + \
            [("secret", *t) for t in secret]
        self.assertEqual([t.split("/")[0] for t, _, _ in u.tests], [e[0] for e in expected])
        for (kind, number, how), (test, inp, ans) in zip(expected, u.tests):
            for path, suffix in ((inp, ".in"), (ans, ".ans")):
                with open(path, "rb") as a, open(os.path.join(built, number + suffix),
                                                 "rb") as b:
                    self.assertEqual(a.read(), b.read(), (test, how))
            if kind == "sample":
                with open(inp, "rb") as a, open(os.path.join(root, how), "rb") as b:
                    self.assertEqual(a.read(), b.read(), test)

    def check_files(self, u):
        """The 2023-07 rules on every file: names, text files in UTF-8 with LF and a final line
        end, no link, at most 100 MiB."""
        for top, dirs, files in os.walk(u.dir):
            for d in dirs:
                self.assertRegex(d, r"^[A-Za-z0-9][A-Za-z0-9_-]*[A-Za-z0-9]$")
            for f in files:
                path = os.path.join(top, f)
                self.assertRegex(f, r"^[A-Za-z0-9][A-Za-z0-9_.-]{0,253}[A-Za-z0-9]$")
                self.assertFalse(os.path.islink(path), path)
                self.assertLessEqual(os.path.getsize(path), 100 << 20, path)
                with open(path, "rb") as fh:
                    data = fh.read()
                data.decode("utf-8")
                self.assertFalse(data.startswith(b"\xef\xbb\xbf"), path)
                self.assertNotIn(b"\r", data, path)
                if data:
                    self.assertTrue(data.endswith(b"\n"), path)

    def check_yaml(self, u, root):
        """problem.yaml of the legacy version."""
        conf = manifest(root, u.name)
        y = u.yaml()
        self.assertLessEqual(set(y), YAML_KEYS, u.name)
        self.assertLessEqual(set(y.get("limits", {})), LIMIT_KEYS, u.name)
        self.assertEqual(y["name"], conf.title)
        self.assertEqual(uuid.UUID(y["uuid"]).version, 5)
        self.assertEqual(y["validation"], "default")
        self.check_license(y, u.name)
        self.assertIsInstance(y["source"], str)
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

    def check_license(self, y, name):
        self.assertIn(y["license"], LICENSES, name)
        self.assertNotEqual(y["license"], "unknown", name)
        if y["license"] == "public domain":
            self.assertNotIn("rights_owner", y)
        else:
            self.assertIsInstance(y["rights_owner"], str)
            self.assertTrue(y["rights_owner"].strip(), name)

    def check_current_yaml(self, u, root):
        """problem.yaml of the 2023-07 version: every key known, of its type, the version
        string every tool takes, the limits, and nothing of the legacy version."""
        conf = manifest(root, u.name)
        y = u.yaml()
        for key, value in y.items():
            self.assertIn(key, CURRENT_KEYS, f"{u.name}: unknown key {key}")
            self.assertIsInstance(value, CURRENT_KEYS[key], f"{u.name}: {key}")
        for key, value in y.get("limits", {}).items():
            self.assertIn(key, CURRENT_LIMITS, f"{u.name}: unknown key limits.{key}")
            self.assertIsInstance(value, CURRENT_LIMITS[key], f"{u.name}: limits.{key}")
            self.assertGreater(value, 0)
        self.assertEqual(y["problem_format_version"], "2023-07-draft")
        self.assertEqual(y["name"], conf.title)
        self.assertEqual(y["type"], "pass-fail")
        self.assertEqual(str(uuid.UUID(y["uuid"])), y["uuid"])
        self.assertEqual(uuid.UUID(y["uuid"]).version, 5)
        self.assertIs(y["allow_file_writing"], False)
        self.check_license(y, u.name)
        if conf.time_limit is not None:
            self.assertEqual(y["limits"]["time_limit"], conf.time_limit)
        else:
            self.assertNotIn("time_limit", y.get("limits", {}))
        # the checker's flags: a list in test_group.yaml, the same as one string in the
        # testdata.yaml beside it, in sample/ and secret/ alone
        wanted = (["float_absolute_tolerance", limits.number_text(conf.tolerance)]
                  if conf.judge == "float" else ["case_sensitive", "space_change_sensitive"])
        found = {os.path.relpath(os.path.join(top, f), u.dir)
                 for top, _, files in os.walk(u.dir) for f in files if f.endswith(".yaml")}
        self.assertEqual(found, {"problem.yaml"} | {f"data/{g}/{f}" for g in ("sample", "secret")
                                                    for f in ("test_group.yaml",
                                                              "testdata.yaml")})
        for group in ("sample", "secret"):
            self.assertEqual(u.yaml(f"data/{group}/test_group.yaml"),
                             {"output_validator_args": wanted})
            self.assertEqual(u.yaml(f"data/{group}/testdata.yaml"),
                             {"output_validator_flags": " ".join(wanted)})
            self.assertEqual([d for d in os.listdir(os.path.join(u.dir, "data", group))
                              if os.path.isdir(os.path.join(u.dir, "data", group, d))], [])
        self.assertEqual(sorted(os.listdir(os.path.join(u.dir, "data"))), ["sample", "secret"])
        self.assertFalse(os.path.exists(os.path.join(u.dir, ".timelimit")))
        return y

    def check_statement(self, u, title):
        with open(os.path.join(u.dir, STATEMENT_FILE[u.format])) as fh:
            tex = fh.read()
        self.assertTrue(tex.startswith(f"\\problemname{{{title}}}\n"), tex[:80])
        self.assertLess(tex.index("\\section*{Input}"), tex.index("\\section*{Output}"))
        body = re.sub(r"\\[{}$%#&_]", "", tex)
        self.assertEqual(body.count("{"), body.count("}"), u.name)
        self.assertEqual(body.count("$") % 2, 0, u.name)
        self.assertIsNone(re.search(r"(?<!\\)[%#&]", tex), u.name)

    def check_sources(self, u, root, validator_expected, built):
        """The sources of an unpacked package are the project's own bytes: the validator with
        its headers (the limits header as the build writes it), the reference and second
        solvers as accepted submissions, every kept submission under its verdict. They compile
        under the judge's flags (the submissions for syntax), and the validator accepts every
        test."""
        conf = manifest(root, u.name)
        self.assertEqual(bool(built.validators), validator_expected, u.name)
        self.assertEqual(built.errors, {}, u.name)
        subs = built.submissions
        self.assertTrue(all(v in VERDICTS for v, _, _ in subs), u.name)
        self.assertTrue(any(v == "accepted" for v, _, _ in subs), u.name)
        for v in built.validators:
            folder = os.path.join(u.dir, "input_validators", v)
            for f in sorted(os.listdir(folder)):
                if f == "problem_limits.h":
                    want = limits.header(conf).encode()
                else:
                    local = os.path.join(root, u.name, f)
                    with open(local if os.path.exists(local) else
                              os.path.join(root, "include", f), "rb") as fh:
                        want = fh.read()
                self.assertEqual(u.read(f"input_validators/{v}/{f}"), want, f"{u.name}: {f}")
        solvers = {conf.solver, *conf.second}
        for verdict, f, _ in subs:
            stem = f[:-len(".cpp")] if f.endswith(".cpp") else f
            own = os.path.join(root, u.name, f) if verdict == "accepted" and stem in solvers \
                else os.path.join(root, u.name, "submissions", verdict, f)
            with open(own, "rb") as fh:
                self.assertEqual(u.read(f"submissions/{verdict}/{f}"), fh.read(),
                                 f"{u.name}: {verdict}/{f}")
        kept = {(verdict, f) for verdict, f in
                ((d, f) for d in sorted(os.listdir(os.path.join(root, u.name, "submissions")))
                 for f in os.listdir(os.path.join(root, u.name, "submissions", d)))
                if f.endswith(".cpp")}
        self.assertLessEqual(kept, {s[:2] for s in subs}, u.name)
        for v, exe in built.validators.items():
            for test, inp, _ in u.tests:
                status, _ = run_on(exe, inp, 60)
                self.assertEqual(status, 42, f"{u.name}: validator {v} on {test}")
        return [s[:2] for s in subs]

    def check_programs(self, u, floats, validator_expected, built=None):
        """Validators from the unpacked source alone accept every input; accepted submissions
        pass every test; every other submission fails the way its folder says, first."""
        built = built or Compiled(u)
        self.assertEqual(bool(built.validators), validator_expected, u.name)
        self.assertEqual(built.errors, {}, u.name)
        subs = built.submissions
        self.assertTrue(all(v in VERDICTS for v, _, _ in subs), u.name)
        self.assertTrue(any(v == "accepted" for v, _, _ in subs), u.name)
        for v, exe in built.validators.items():
            for test, inp, _ in u.tests:
                status, _ = run_on(exe, inp, 60)
                self.assertEqual(status, 42, f"{u.name}: validator {v} on {test}")
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
            if verdict == "accepted":
                self.assertEqual(failed, [], f"{u.name}: accepted {f}")
            else:
                self.assertTrue(failed, f"{u.name}: {verdict}/{f} passes every test")
                self.assertEqual(failed[0][1], expected_first[verdict],
                                 f"{u.name}: {verdict}/{f} first fails {failed[0]}")
        return [s[:2] for s in subs]


class RealSet(PackageChecks, unittest.TestCase):
    """The problem set itself: the shared package (a copy linked to it, which the exports go
    into), exported in both versions and unpacked."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-test-")
        cls.out = harness.package_copy(os.path.join(cls.tmp, "out"))
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            cls.first = dict(zip((LEGACY, CURRENT), pool.map(
                lambda fmt: export_cli("--out", cls.out, "--format", fmt), (LEGACY, CURRENT))))
        cls.exported = sorted(n for n in PROBLEMS if manifest(harness.ROOT, n).solver)
        cls.unpacked = {LEGACY: {}, CURRENT: {}}
        for fmt, first in cls.first.items():
            if first.returncode == 0:
                for n in cls.exported:
                    cls.unpacked[fmt][n] = Unpacked(
                        n, os.path.join(cls.out, FOLDER[fmt], n + ".zip"),
                        os.path.join(cls.tmp, "unpacked-" + fmt, n), fmt)
        # the legacy packages' validators compiled once and their submissions checked for
        # syntax (the 2023-07 ones hold the same sources)
        cls.compiled = {n: Compiled(u, whole=False) for n, u in cls.unpacked[LEGACY].items()}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        for fmt, first in self.first.items():
            self.assertEqual(first.returncode, 0, f"{fmt}: {first.stderr}")

    def each(self, formats=(LEGACY, CURRENT)):
        """(format, name, unpacked package) of every package, each in a subTest."""
        for fmt in formats:
            for name, u in self.unpacked[fmt].items():
                with self.subTest(format=fmt, problem=name):
                    yield fmt, name, u

    def test_writes_a_zip_per_problem_with_a_solver_and_says_why_not_for_the_others(self):
        harness.walked("export", self.exported)
        skipped = set(PROBLEMS) - set(self.exported)
        self.assertEqual(skipped, {"collider"})
        for fmt, first in self.first.items():
            self.assertIn("collider: no reference solver", first.stdout)
            zips = sorted(f[:-4] for f in os.listdir(os.path.join(self.out, FOLDER[fmt]))
                          if f.endswith(".zip"))
            self.assertEqual(zips, self.exported)
            self.assertEqual(first.stderr, "")

    def test_zips_are_sorted_at_root_fixed_and_their_checksums_printed(self):
        for fmt, name, u in self.each():
            digest = self.check_zip(u)
            self.assertIn(f"{digest}  {os.path.join(self.out, FOLDER[fmt], name)}.zip\n",
                          self.first[fmt].stdout)
            # The zip holds exactly the package directory written beside it.
            self.assertEqual(tree(u.dir), tree(os.path.join(self.out, FOLDER[fmt], name)))

    def test_layout_names_samples_and_tests_follow_the_package(self):
        for fmt, name, u in self.each():
            self.check_layout(u, harness.ROOT, self.out)
            if fmt == CURRENT:
                self.check_files(u)

    def test_both_versions_hold_the_same_tests_validators_and_submissions(self):
        for name, u in self.unpacked[LEGACY].items():
            with self.subTest(name):
                legacy = tree(u.dir)
                current = tree(self.unpacked[CURRENT][name].dir)
                for part in ("data/", "input_validators/", "submissions/"):
                    self.assertEqual(
                        {k: v for k, v in legacy.items() if k.startswith(part)},
                        {k: v for k, v in current.items() if k.startswith(part)
                         and not k.endswith(".yaml")}, part)
                self.assertEqual(legacy["problem_statement/problem.en.tex"],
                                 current["statement/problem.en.tex"])

    def test_problem_yaml_holds_only_known_keys_and_the_sets_license(self):
        the_set = problems.load(harness.ROOT)
        self.assertIn(the_set.package["license"], LICENSES - {"unknown"})
        uuids = {LEGACY: {}, CURRENT: {}}
        for fmt, name, u in self.each():
            y = self.check_yaml(u, harness.ROOT) if fmt == LEGACY else \
                self.check_current_yaml(u, harness.ROOT)
            self.assertEqual(y["license"], the_set.package["license"])
            self.assertEqual(y.get("rights_owner"), the_set.package.get("rights_owner"))
            self.assertEqual(y["source"], the_set.package["source"])
            uuids[fmt][name] = y["uuid"]
        # one uuid a problem, the same in both versions, none shared
        self.assertEqual(uuids[LEGACY], uuids[CURRENT])
        self.assertEqual(len(set(uuids[LEGACY].values())), len(self.exported))
        with open(os.path.join(self.out, "export", "shuttle", "problem.yaml")) as fh:
            self.assertIn("validator_flags: float_absolute_tolerance 1e-6\n", fh.read())

    def test_statements_name_the_problem_and_have_input_and_output(self):
        for fmt, name, u in self.each():
            self.check_statement(u, manifest(harness.ROOT, name).title)

    def test_every_problem_has_a_statement_text_collider_too(self):
        for name in PROBLEMS:
            with self.subTest(name), open(os.path.join(harness.ROOT, name, "statement.md"),
                                          encoding="utf-8") as fh:
                tex = statement_tex(manifest(harness.ROOT, name).title, fh.read())
                self.assertIn("\\section*{Output}", tex)

    def test_validators_and_submissions_from_the_unpacked_sources(self):
        seen = []
        for fmt, name, u in self.each((LEGACY,)):
            conf = manifest(harness.ROOT, name)
            has_source = os.path.isfile(
                os.path.join(harness.ROOT, name, conf.input_check + ".cpp"))
            subs = self.check_sources(u, harness.ROOT, has_source, self.compiled[name])
            seen += [(name, v, f) for v, f in subs]
        # every solver is accepted, but a second one that cannot hold the largest inputs
        solvers = {(n, "accepted", p + ".cpp") for n in self.exported
                   for p in [manifest(harness.ROOT, n).solver, *manifest(harness.ROOT, n).second]}
        short = {(n, "accepted", s + ".cpp") for n in self.exported
                 for s in manifest(harness.ROOT, n).second
                 if exporting.short_of_limits(manifest(harness.ROOT, n), s)}
        self.assertEqual(short, {("mirror", "accepted", "mirror_solver_scan.cpp")})
        self.assertLessEqual(solvers - short, set(seen))
        self.assertEqual(short & set(seen), set())
        for fmt, first in self.first.items():
            self.assertRegex(first.stdout, r"\nmirror .*; left out: mirror_solver_scan \(holds "
                             r"length up to 510 of 10000\), short of the problem's limits\n")
            self.assertFalse(os.path.exists(os.path.join(
                self.out, FOLDER[fmt], "mirror", "submissions", "accepted",
                "mirror_solver_scan.cpp")))

    def test_validators_reject_what_a_judges_verifier_feeds_them(self):
        # an empty file; every decimal of a test with ten trailing zeros added to its fraction,
        # which only a format that allows them may take (its statement and a sample say so)
        decimal = re.compile(rb"\.[0-9]+\b")
        for fmt, name, u in self.each((LEGACY,)):
            for v, exe in self.compiled[name].validators.items():
                self.assertEqual(run_on(exe, None, 60, b"")[0], 43, f"{v} takes an empty file")
                accepted = []
                for test, inp, _ in u.tests:
                    with open(inp, "rb") as fh:
                        data = fh.read()
                    if decimal.search(data):
                        mutated = decimal.sub(lambda m: m.group(0) + b"0" * 10, data)
                        accepted += [test] if run_on(exe, None, 60, mutated)[0] == 42 else []
                if name in TRAILING_ZEROS_VALID:
                    self.assertTrue(accepted, f"{v} rejects every trailing zero")
                    with open(os.path.join(harness.ROOT, name, "statement.md")) as fh:
                        self.assertIn("trailing zeros", fh.read())
                    self.assertTrue(any(re.search(rb"\.[0-9]*0\n", self.read_test(inp))
                                        for test, inp, _ in u.tests
                                        if test.startswith("sample/")))
                else:
                    self.assertEqual(accepted, [], f"{v} takes trailing zeros")

    @staticmethod
    def read_test(path):
        with open(path, "rb") as fh:
            return fh.read()

    def test_tolerance_check_agrees_with_float_judge(self):
        u = self.unpacked[LEGACY]["shuttle"]
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
            for k, (got, accept) in enumerate(rows):
                with self.subTest(test=test, row=k):
                    path = os.path.join(self.tmp, "got")
                    with open(path, "w") as fh:
                        fh.write(got)
                    status = subprocess.run([judge, ans, path], capture_output=True).returncode
                    self.assertEqual(status, 0 if accept else 1)
                    self.assertEqual(within_tolerance(expected, got), accept)

    def test_a_second_export_gives_the_same_bytes_elsewhere_and_at_another_time(self):
        # the second export runs from a copy of the project, in another time zone and umask
        before, zips = {}, {}
        for fmt in (LEGACY, CURRENT):
            for n in self.exported:
                folder = os.path.join(self.out, FOLDER[fmt])
                before[fmt, n] = tree(os.path.join(folder, n))
                with open(os.path.join(folder, n + ".zip"), "rb") as fh:
                    zips[fmt, n] = fh.read()
        copy = harness.copy_project(os.path.join(self.tmp, "a copy of the project"))
        env = dict(os.environ, TZ="Pacific/Kiritimati")

        def again(fmt):
            return harness.pset("export", "--out", self.out, "--format", fmt, env=env,
                                pset_path=os.path.join(copy, "pset"),
                                preexec_fn=lambda: os.umask(0o077))

        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            second = dict(zip((LEGACY, CURRENT), pool.map(again, (LEGACY, CURRENT))))
        for fmt in (LEGACY, CURRENT):
            self.assertEqual(second[fmt].returncode, 0, second[fmt].stderr)
            self.assertEqual(second[fmt].stdout, self.first[fmt].stdout)
            folder = os.path.join(self.out, FOLDER[fmt])
            for n in self.exported:
                with open(os.path.join(folder, n + ".zip"), "rb") as fh:
                    self.assertEqual(fh.read(), zips[fmt, n], (fmt, n))
                self.assertEqual(tree(os.path.join(folder, n)), before[fmt, n], (fmt, n))
            self.assertEqual([f for f in os.listdir(folder) if f.startswith(".partial")], [])


class Refusals(unittest.TestCase):
    """Packages export must refuse: one line, status 2, nothing written, nothing deleted."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-refuse-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def copy(self):
        """rings and ratio of the shared package, linked: a damage removes or replaces a file."""
        return harness.package_copy(tempfile.mkdtemp(dir=self.tmp), ["rings", "ratio"])

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

        def sample_test(t):
            """The name of the test of rings's first sample."""
            with open(os.path.join(t, "manifest")) as fh:
                first = manifest(harness.ROOT, "rings").samples[0]
                return next(line.split()[0] for line in fh
                            if line.endswith(f"example rings/examples/{first}.in\n"))

        cases = [
            ("not built", lambda t: os.remove(os.path.join(t, "manifest")), "is not built"),
            ("an answer missing", lambda t: os.remove(os.path.join(t, "02.ans")),
             "02.ans is missing"),
            ("an input missing", lambda t: os.remove(os.path.join(t, "01.in")),
             "01.in is missing"),
            ("a test the manifest lacks", lambda t: write(os.path.join(t, "97.in"), "1\n0 0\n"),
             "97.in is not in its manifest"),
            ("a manifest line garbled", lambda t: write(os.path.join(t, "manifest"),
                                                         "01 example\nsecond\n"), "damaged"),
            ("stale", lambda t: write(os.path.join(t, "sources"), "0" * 64 + "\n"),
             "older than its sources"),
            ("no digest recorded", lambda t: os.remove(os.path.join(t, "sources")),
             "sources is missing"),
            # what an older build let through
            ("an empty answer", lambda t: replace_test_file(t, "rings", "02.ans", b""),
             "test 02 of rings ("),
            ("a sample answer too long", lambda t: replace_test_file(
                t, "rings", sample_test(t) + ".ans", b"1\n" * 41),
             "does not fit: its answer: line 41 is one too many (41 lines)"),
            ("a sample input too wide", lambda t: replace_test_file(
                t, "rings", sample_test(t) + ".in", b"1\n" + b"0" * 70 + b" " + b"0" * 10 +
                b"\n"), "does not fit: its input: line 2 has 81 columns"),
        ]
        for fmt in (LEGACY, CURRENT):
            for label, damage, text in cases:
                with self.subTest(format=fmt, case=label):
                    out = self.copy()
                    damage(os.path.join(out, "rings", "tests"))
                    p = export_cli("--out", out, "--format", fmt, "ratio", "rings")
                    self.assertRefused(p, text)
                    self.assertIn("rings", p.stderr)
                    self.assertFalse(os.path.exists(os.path.join(out, FOLDER[fmt])))
                    if label == "an empty answer":
                        self.assertIn("has an empty answer", p.stderr)

    def test_unknown_problem_format_and_missing_package_are_refused(self):
        out = self.copy()
        self.assertRefused(export_cli("--out", out, "nosuch"), "unknown problem 'nosuch'")
        self.assertRefused(export_cli("--out", out, "trend"), "is not built")
        self.assertRefused(export_cli("--out", out, "--format", "2025-09"),
                           "invalid choice: '2025-09'")
        self.assertFalse(os.path.exists(os.path.join(out, "export")))
        self.assertFalse(os.path.exists(os.path.join(out, "export-2023-07")))

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
        # the other version goes into a folder of its own and leaves this one as it is
        p = export_cli("--out", out, "--format", "2023-07", "rings")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertTrue(os.path.isfile(os.path.join(out, "export-2023-07", "rings.zip")))
        self.assertTrue(os.path.isfile(os.path.join(out, "export", "ratio.zip")))


class Fixture(PackageChecks, unittest.TestCase):
    """A small problem of its own, with a validator and a header, submissions of every verdict,
    a time limit, samples in an order of their own and overridden package keys: every path of
    the export, whatever the set holds today."""

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
    SET = ('name = "Fixture set"\n[package]\nsource = "Fixture set"\nlicense = "cc by-sa"\n'
           'rights_owner = "Fixture owners"\nauthor = "Ada Lovelace and Alan Turing"\n'
           "memory = 256\n")
    EXAMPLES = ("01-empty", "02-ignored", "03-more")
    SAMPLES = '["03-more", "01-empty"]'  # the secret test between them

    @classmethod
    def make_root(cls, root, problemset=None, samples=None):
        """The fixture's set at `root`: its problemset.toml and the samples of its problem
        may be others."""
        src = os.path.join(harness.ROOT, "constant")
        dst = os.path.join(root, "constant")
        os.makedirs(os.path.join(dst, "examples"))
        shutil.copyfile(os.path.join(src, "constant_answer.cpp"),
                        os.path.join(dst, "constant_answer.cpp"))
        shutil.copyfile(os.path.join(src, "constant_answer.cpp"),
                        os.path.join(dst, "constant_twice.cpp"))
        files = {
            "problemset.toml": problemset or cls.SET,
            "constant/problem.toml": 'title = "Constant: answer #1"\ntime_limit = 0.5\n'
                                     f"order = 1\nsamples = {samples or cls.SAMPLES}\n"
                                     "[programs]\nsolver = \"constant_answer\"\n"
                                     'second = ["constant_twice"]\n'
                                     'generator = "constant_cases"\n'
                                     'input_check = "constant_input_check"\n'
                                     '[package]\nsource = "Fixture round, day 1"\n'
                                     'source_url = "https://example.org/round-1"\n'
                                     "[answers]\njudge = \"exact\"\n",
            "constant/statement.md": "Print 25.\n\n## Input\nAnything.\n\n## Output\n"
                                     "The line 25.\n",
            "constant/constant_input_check.cpp": cls.VALIDATOR,
            "constant/constant_cases.cpp": "int main() {}\n",
            "include/input_check.h": cls.HEADER,
            # the fixture's validator takes any lines, and the program ignores them
            "constant/examples/01-empty.in": "",
            "constant/examples/02-ignored.in": "anything at all\n",
            "constant/examples/03-more.in": "more\nlines\n",
        }
        for path, sub in cls.SUBMISSIONS.items():
            files["constant/submissions/" + path] = sub
        files["constant/submissions/accepted/NOTES.txt"] = "not a submission\n"
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as fh:
                fh.write(text)

    @classmethod
    def make_package(cls, root, pkg):
        """The built package of the fixture: every example a test, answered."""
        tests = os.path.join(pkg, "constant", "tests")
        os.makedirs(tests)
        for k, example in enumerate(cls.EXAMPLES, 1):
            shutil.copyfile(os.path.join(root, "constant", "examples", example + ".in"),
                            os.path.join(tests, f"0{k}.in"))
            with open(os.path.join(tests, f"0{k}.ans"), "w") as fh:
                fh.write("25\n")
        record_tests(pkg, root, "constant",
                     [(f"0{k}", "example", f"constant/examples/{example}.in")
                      for k, example in enumerate(cls.EXAMPLES, 1)])

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-export-fixture-")
        cls.root = os.path.join(cls.tmp, "root")
        cls.make_root(cls.root)
        cls.pkg = os.path.join(cls.tmp, "out")
        cls.make_package(cls.root, cls.pkg)
        cls.results = {fmt: export_api(cls.pkg, cls.root, fmt) for fmt in (LEGACY, CURRENT)}
        cls.u = {fmt: Unpacked("constant", os.path.join(cls.pkg, FOLDER[fmt], "constant.zip"),
                               os.path.join(cls.tmp, "unpacked-" + fmt), fmt)
                 for fmt, (status, _, _) in cls.results.items() if status == 0}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        for fmt, (status, _, err) in self.results.items():
            self.assertEqual(status, 0, f"{fmt}: {err}")

    def test_the_fixture_packages_follow_the_format(self):
        for fmt, u in self.u.items():
            with self.subTest(fmt):
                self.check_zip(u)
                self.check_layout(u, self.root, self.pkg)
                self.check_statement(u, "Constant: answer \\#1")
                self.assertEqual([t for t, _, _ in u.tests],
                                 ["sample/01-more", "sample/02-empty", "secret/02-ignored"])
        self.check_files(self.u[CURRENT])

    def test_package_keys_come_from_the_set_and_the_problem_overrides_them(self):
        y = self.check_yaml(self.u[LEGACY], self.root)
        self.assertEqual(y["name"], "Constant: answer #1")
        self.assertEqual(y["source"], "Fixture round, day 1")
        self.assertEqual(y["source_url"], "https://example.org/round-1")
        self.assertEqual((y["license"], y["rights_owner"]), ("cc by-sa", "Fixture owners"))
        self.assertEqual(y["author"], "Ada Lovelace and Alan Turing")
        self.assertEqual(y["limits"], {"memory": 256})
        with open(os.path.join(self.u[LEGACY].dir, ".timelimit")) as fh:
            self.assertEqual(fh.read(), "0.5\n")
        self.assertNotIn("no time_limit", self.results[LEGACY][1])
        y = self.check_current_yaml(self.u[CURRENT], self.root)
        self.assertEqual(y["source"], {"name": "Fixture round, day 1",
                                       "url": "https://example.org/round-1"})
        self.assertEqual(y["credits"], {"authors": ["Ada Lovelace", "Alan Turing"]})
        self.assertEqual(y["limits"], {"time_limit": 0.5, "memory": 256})
        self.assertIn("constant: warning: time_limit 0.5 is not a whole number of seconds",
                      self.results[CURRENT][1])

    def test_the_uuid_belongs_to_the_set_and_the_problem(self):
        ids = {fmt: u.yaml()["uuid"] for fmt, u in self.u.items()}
        self.assertEqual(ids[LEGACY], ids[CURRENT])
        # a set of another name, with a problem folder of the same name, has another uuid;
        # the same set again has the same
        for name, same in (("Another set", False), ("Fixture set", True)):
            with self.subTest(name):
                root = os.path.join(tempfile.mkdtemp(dir=self.tmp), "root")
                self.make_root(root, self.SET.replace("Fixture set", name, 1))
                pkg = os.path.join(os.path.dirname(root), "out")
                self.make_package(root, pkg)
                status, _, err = export_api(pkg, root, CURRENT)
                self.assertEqual(status, 0, err)
                with open(os.path.join(pkg, FOLDER[CURRENT], "constant", "problem.yaml")) as fh:
                    other = parse_yaml(fh.read())["uuid"]
                self.assertEqual(other == ids[CURRENT], same)
        real = problems.load(harness.ROOT).name
        self.assertNotEqual(problem_yaml.problem_uuid(real, "constant"), ids[LEGACY])

    def test_sets_a_judge_would_refuse_are_refused(self):
        rows = [
            (self.SET.replace('rights_owner = "Fixture owners"\n', ""), None,
             "license = 'cc by-sa' needs a rights_owner"),
            (self.SET.replace('license = "cc by-sa"', 'license = "public domain"'), None,
             "rights_owner is not allowed with license = 'public domain'"),
            (self.SET.replace('license = "cc by-sa"', 'license = "mit"'), None,
             'license = "mit" must be one of "unknown", "public domain"'),
            (None, '["01-empty", "03-more", "02-ignored"]', "constant has no secret test"),
        ]
        for text, samples, why in rows:
            with self.subTest(why):
                root = os.path.join(tempfile.mkdtemp(dir=self.tmp), "root")
                self.make_root(root, text, samples)
                pkg = os.path.join(os.path.dirname(root), "out")
                try:
                    self.make_package(root, pkg)
                except Stop as exc:  # the manifests are read before anything else
                    status, err = 2, str(exc)
                else:
                    status, _, err = export_api(pkg, root, CURRENT)
                self.assertEqual(status, 2)
                self.assertIn(why, err)
                self.assertFalse(os.path.exists(os.path.join(pkg, FOLDER[CURRENT])))

    def test_validator_with_its_header_and_every_verdict_of_submission(self):
        u = self.u[LEGACY]
        self.assertEqual(sorted(os.listdir(os.path.join(u.dir, "input_validators",
                                                        "constant_input_check"))),
                         ["constant_input_check.cpp", "input_check.h"])
        subs = self.check_programs(u, False, True)
        self.assertEqual(sorted(subs), sorted(
            [("accepted", "constant_answer.cpp"), ("accepted", "constant_twice.cpp")] +
            [tuple(p.split("/")) for p in self.SUBMISSIONS]))
        # The validator is a real one: it rejects what it must.
        exe = os.path.join(u.dir + ".bin", "validator-constant_input_check")
        for data, status in ((b"", 42), (b"any line\n\n", 42), (b"no end", 43),
                             (b"a\x00b\n", 43)):
            p = subprocess.run([exe], input=data, capture_output=True)
            self.assertEqual(p.returncode, status, data)

    def test_a_wrong_submission_that_passes_is_caught(self):
        # The check itself: a submission filed under wrong_answer that is right must fail it.
        bad = os.path.join(self.tmp, "bad")
        shutil.copytree(self.u[LEGACY].dir, bad)
        shutil.copyfile(os.path.join(bad, "submissions", "accepted", "constant_answer.cpp"),
                        os.path.join(bad, "submissions", "wrong_answer", "right.cpp"))
        u = Unpacked.__new__(Unpacked)
        u.name, u.dir, u.tests = "constant", bad, self.u[LEGACY].tests
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
        created = ["constant/extra_tests.py", "constant/examples/04-new.in"]
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

    def test_numbers_scalars_and_mappings_of_problem_yaml(self):
        for x, want in ((1e-6, "1e-6"), (2, "2"), (2.0, "2"), (0.5, "0.5"), (1.5e-9, "1.5e-9")):
            self.assertEqual(limits.number_text(x), want)
        for text in ("Segment demolition", "yes", "Round: 1", "#x", "12ab", "a \"b\"", "x ",
                     "cc by-sa", "Problem setters' working set", "2023-07-draft", "1e-6",
                     "case_sensitive", "true", "a\\b\n"):
            with self.subTest(text):
                self.assertEqual(parse_yaml(f"k: {problem_yaml.scalar(text)}\n")["k"], text)
        data = {"a": "x", "b": {"c": 1, "d": [0.5, "e f", True], "g": {"h": False}}, "i": 2}
        self.assertEqual(parse_yaml(problem_yaml.dump(data)), data)


if __name__ == "__main__":
    unittest.main()
