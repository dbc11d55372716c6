#!/usr/bin/env python3
"""Fuzzing: runs AFL++ on every program that reads input and reports its crashes and hangs.

Usage: fuzz.py [--seconds S] [--jobs J] [--timeout MS] [--resume] [--list] [PROGRAM ...]

The programs come from the problems' manifests (`<problem>/problem.toml`, `[programs]`, read
through pset's schema): the solver and the second solvers, which read standard input (unless
`solvers_read_input = false`, as for a fixed answer); the checker, which reads the files it is
given; and the input check, the problem's validator. Generators read nothing and are left
out. CMake builds them twice with the project's flags and its sanitizer
option: in build-fuzz/ with AFL++'s compiler, and in build-fuzz/repro/ with clang, whose
sanitizer reports name the fault when a finding is replayed.

The seeds come from the case tables (`<folder>/*.cases`, tools/casetable.py): a program's
seeds are the stdin of every case of the tables that run it, then those of the tables of the
other programs of its problem that read the same input (closed-stdin and empty inputs left out,
inputs above --max-seed bytes too). A checker is fuzzed through the files its cases pass it as
arguments (`args:` naming `file NAME:` blocks), once per argument: AFL's file takes that place
and the largest file of its tables every other place, and the seeds are the files' texts.
Targets are named PROG, or PROG.argI for argument I.

Every target runs S seconds (default 20), J at a time (default: the number of cores). A run
that takes longer than --timeout ms (default 30000) is a hang. Findings are saved in
build-fuzz/out/TARGET/default/{crashes,hangs}; a seed that crashes, hangs or ends with a status
its program never ends with (solvers 0 and 2, a checker 0 to 2, an input check 42 and 43)
before AFL starts is saved in build-fuzz/out/TARGET/seeds-failed. Exit status: 0 no crash and
no hang, 1 a crash or a hang, 2 the fuzzing could not be set up or run.
"""

import argparse
import hashlib
import os
import re
import resource
import shlex
import shutil
import signal
import subprocess
import sys
import time

import casetable
from psetlib import problems, runner
from psetlib.common import Stop

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TREE = os.path.join(ROOT, "build-fuzz")  # the fuzz build, the seeds and the findings
REPRO = os.path.join(TREE, "repro")  # the build that replays a finding

# Why 30 s: AFL caps an input at 1 MiB, and a valid input of that size may legitimately take
# seconds. Demolition answers 1 MB (one case, or 60000 small ones) in 0.1 s in this build (AFL's
# instrumentation, ASan and UBSan). The slowest valid input here is made of output: a program
# that flushes at every line end (the banner solver does) writes about four lines per byte of a
# file of one-digit cases, and a stand-in for it, flushing 2.4 million lines of such a 0.7 MB
# file, took 19 s in this build and 17 s unsanitized, on two cores that ran a dozen jobs (most of
# it is the write calls). A loop without end runs past any limit, so a generous one finds it all
# the same; it only costs time when it does.
TIMEOUT_MS = 30000
MAX_SEED = 16384

# The programs of a problem that read input, by their key in the manifest's [programs], and the
# exit statuses each may end with, whatever it is fed.
ROLES = {"solver": {0, 2}, "second": {0, 2}, "checker": {0, 1, 2}, "input_check": {42, 43}}

# The two CMake trees, each with the project's flags and its sanitizer option: the fuzz build
# (AFL++ instruments it; AFL makes a sanitizer report abort, which it counts as a crash) and the
# replay build. Only the programs fuzzed are built in them.
TREES = [(TREE, "afl-clang-fast", "afl-clang-fast++"), (REPRO, "clang", "clang++")]
CONFIGURE = ["-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DSANITIZE=ON"]

# Tokens worth trying in any text input, besides the program's own integer constants.
TOKENS = ["0", "1", "-1", "-", "+", ".", " ", "\n", "\t", "00", "1e308", "-1e308", "1e-320",
          "nan", "inf", "-inf", "0x1p3", "2147483647", "2147483648", "-2147483648",
          "-2147483649", "4294967296", "9223372036854775807", "9223372036854775808",
          "-9223372036854775808", "-9223372036854775809", "99999999999999999999"]


class SetupError(Exception):
    pass


def code_only(text):
    """The source without its comments, string literals and character literals."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
                         re.S)
    return pattern.sub(lambda m: " " if m.group(0).startswith("/") else '""', text)


def programs(root=ROOT):
    """The programs that read input, problems in folder order, each problem's in the order of
    ROLES: dicts with prog, problem, role and source. A manifest that breaks pset's schema
    stops the setup."""
    try:
        the_set = problems.load(root)
    except Stop as exc:
        raise SetupError(str(exc))
    found = []
    for p in sorted(the_set.problems, key=lambda p: p.name):
        reads = p.solvers_read_input
        named = {"solver": [p.solver] if p.solver and reads else [],
                 "second": p.second if reads else [],
                 "checker": [p.checker] if p.checker else [],
                 "input_check": [p.input_check]}
        for role in ROLES:
            for prog in named[role]:
                found.append({"prog": prog, "problem": p.name, "role": role,
                              "source": os.path.join(p.folder, prog + ".cpp")})
    return found


def tables(root=ROOT):
    """The case tables, sorted."""
    found = []
    for folder in sorted(os.listdir(root)):
        path = os.path.join(root, folder)
        if folder.startswith((".", "build")) or not os.path.isdir(path):
            continue
        found += [os.path.join(path, n) for n in sorted(os.listdir(path)) if n.endswith(".cases")]
    return found


def file_args(prog, case):
    """The case's arguments if every one names a file of the case, else None."""
    sub = lambda s: s.replace("{prog}", prog)
    args = [sub(a) for a in shlex.split(case.get("args", ""))]
    files = {sub(n) for n in case["files"]}
    return args if args and all(a in files for a in args) else None


def targets(root=ROOT, max_seed=MAX_SEED):
    """The fuzz targets: dicts with name, prog, problem, role, source, normal (its exit
    statuses), args (None: input on stdin, else a list where "@@" is AFL's file and None the
    fixed file), fixed (bytes), seeds (list of bytes)."""
    progs = {p["prog"]: p for p in programs(root)}
    stdin = {p: [] for p in progs}
    files = {p: [] for p in progs}
    arity = {p: {} for p in progs}
    for table in tables(root):
        try:
            names, cases = casetable.parse(table)
        except casetable.TableError as exc:
            raise SetupError(str(exc))
        for prog in names:
            if prog not in progs:
                continue
            for case in cases:
                if progs[prog]["role"] != "checker":
                    if case.get("stdin", b"") is not None:
                        stdin[prog].append(case.get("stdin", b""))
                    continue
                args = file_args(prog, case)
                if args:
                    arity[prog][len(args)] = arity[prog].get(len(args), 0) + 1
                    files[prog] += list(case["files"].values())

    def usable(seeds):
        seen, out = set(), []
        for s in seeds:
            if 0 < len(s) <= max_seed and s not in seen:
                seen.add(s)
                out.append(s)
        return out

    found = []
    for prog, p in progs.items():
        base = dict(p, normal=ROLES[p["role"]])
        if p["role"] != "checker":
            # The programs of a problem that read its input share their seeds, own ones first.
            kin = [q for q in progs if progs[q]["problem"] == p["problem"] and q != prog
                   and progs[q]["role"] != "checker"]
            # A program no table feeds still gets fuzzed, from a one-line seed.
            seeds = usable(stdin[prog] + [s for q in kin for s in stdin[q]]) or [b"1\n"]
            found.append(dict(base, name=prog, args=None, fixed=b"", seeds=seeds))
        else:
            # As many file arguments as most of its cases pass, two (expected, answers) if none.
            k = max(arity[prog], key=lambda n: (arity[prog][n], n)) if arity[prog] else 2
            seeds = usable(files[prog])
            fixed = max(seeds, key=len) if seeds else b"0\n"
            for i in range(k):
                args = [None] * k
                args[i] = "@@"
                found.append(dict(base, name=f"{prog}.arg{i + 1}", args=args, fixed=fixed,
                                  seeds=seeds or [b"0\n"]))
    return found


def dictionary(source):
    """AFL dictionary lines: the generic tokens, and each integer constant of the source with
    its neighbours (limits and capacities, and one past them)."""
    with open(source, encoding="utf-8") as fh:
        code = code_only(fh.read())
    words = list(TOKENS)
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)[uUlL]*(?![\w.])", code):
        v = int(m.group(1), 0) if m.group(1)[1:2] in "xX" else int(m.group(1))
        words += [str(v - 1), str(v), str(v + 1), str(-v)]
    seen, lines = set(), []
    for w in words:
        if w not in seen:
            seen.add(w)
            esc = "".join(c if c.isprintable() and c not in '"\\' else f"\\x{ord(c):02x}"
                          for c in w)
            lines.append(f'"{esc}"\n')
    return "".join(lines)


def paths(name):
    return {"seeds": os.path.join(TREE, "seeds", name), "out": os.path.join(TREE, "out", name)}


def exe(tree, target):
    """Where CMake puts the target's program in a tree: input checks in validators/."""
    sub = "validators" if target["role"] == "input_check" else "bin"
    return os.path.join(tree, sub, target["prog"])


def build(found, jobs):
    """Configures the two trees and builds the targets' programs in each, `jobs` at a time."""
    for tool in ("cmake", "afl-fuzz", *(t for tree in TREES for t in tree[1:])):
        if not shutil.which(tool):
            raise SetupError(f"{tool} is not installed (Debian packages cmake, afl++)")
    progs = sorted({t["prog"] for t in found})
    print(f"fuzz: building {len(progs)} program{'s' * (len(progs) != 1)} in build-fuzz/ (AFL++) "
          f"and build-fuzz/repro/ (clang)", flush=True)
    os.makedirs(TREE, exist_ok=True)
    log_path = os.path.join(TREE, "build.log")
    env = dict(os.environ, AFL_QUIET="1")
    with open(log_path, "wb") as log:
        for tree, cc, cxx in TREES:
            for what, cmd in (
                    ("configuring", ["cmake", "-S", ROOT, "-B", tree, *CONFIGURE,
                                     f"-DCMAKE_C_COMPILER={cc}", f"-DCMAKE_CXX_COMPILER={cxx}"]),
                    ("building", ["cmake", "--build", tree, "-j", str(jobs), "--target", *progs])):
                log.write(f"$ {shlex.join(cmd)}\n".encode())
                log.flush()
                status = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=log,
                                        stderr=subprocess.STDOUT, env=env).returncode
                if status != 0:
                    log.close()
                    with open(log_path, encoding="utf-8", errors="replace") as fh:
                        tail = fh.read().splitlines()[-30:]
                    raise SetupError(f"{what} {os.path.relpath(tree, ROOT)}/ failed (status "
                                     f"{status}); the end of {os.path.relpath(log_path, ROOT)}:\n"
                                     + "\n".join("  " + line for line in tail))
    for tree, _, _ in TREES:
        for t in found:
            if not os.path.isfile(exe(tree, t)):
                raise SetupError(f"CMake built no {os.path.relpath(exe(tree, t), ROOT)}")


def command(target, program):
    """The target's command line, with AFL's file as "@@"."""
    if target["args"] is None:
        return [program]
    fixed = os.path.join(paths(target["name"])["seeds"] + ".fixed")
    return [program] + [a if a == "@@" else fixed for a in target["args"]]


def run_input(cmd, data, timeout_s, env=None):
    """Runs a command on one input (stdin, or the file in place of "@@"): (status, stderr),
    status None when it ran past the timeout."""
    tmp = None
    if "@@" in cmd:
        tmp = os.path.join(TREE, f"replay.{os.getpid()}")
        with open(tmp, "wb") as fh:
            fh.write(data)
        cmd = [tmp if a == "@@" else a for a in cmd]
        data = b""
    os.makedirs(TREE, exist_ok=True)
    r = runner.run(cmd, stdin=data, stdout=os.devnull, env=env, wall_limit=timeout_s,
                   folder=TREE)
    with open(r.stderr, "rb") as fh:
        err = fh.read()
    os.unlink(r.stderr)
    status = None if r.timed_out else (r.status if r.signal is None else -r.signal)
    if tmp:
        os.remove(tmp)
    return status, err.decode(errors="replace")


def sanitizer_env():
    """A sanitizer report ends the program with SIGABRT, which no program's status can be."""
    env = {k: v for k, v in os.environ.items() if not k.endswith("SAN_OPTIONS")}
    env["ASAN_OPTIONS"] = "detect_leaks=0:abort_on_error=1"
    env["UBSAN_OPTIONS"] = "abort_on_error=1:print_stacktrace=1"
    sym = shutil.which("llvm-symbolizer")
    if sym:
        env["ASAN_SYMBOLIZER_PATH"] = sym
    return env


def prepare(target, timeout_ms, resume):
    """Writes the target's seeds, fixed file and dictionary; runs every seed once on the fuzz
    build and keeps those that crash, hang or end with a status the program never ends with out
    of AFL's input (they are findings)."""
    where = paths(target["name"])
    out = where["out"]
    if os.path.isdir(out) and not resume:
        if findings(out):
            # Keep an earlier campaign's findings: move them aside, never delete them.
            keep = f"{out}.{time.strftime('%Y%m%d-%H%M%S')}"
            os.rename(out, keep)
            print(f"fuzz: earlier findings of {target['name']} kept in "
                  f"{os.path.relpath(keep, ROOT)}", flush=True)
        else:
            shutil.rmtree(out)
    shutil.rmtree(where["seeds"], ignore_errors=True)
    os.makedirs(where["seeds"])
    os.makedirs(out, exist_ok=True)
    with open(where["seeds"] + ".dict", "w", encoding="utf-8") as fh:
        fh.write(dictionary(target["source"]))
    with open(where["seeds"] + ".fixed", "wb") as fh:
        fh.write(target["fixed"])
    cmd = command(target, exe(TREE, target))
    bad = os.path.join(out, "seeds-failed")
    shutil.rmtree(bad, ignore_errors=True)
    kept = 0
    for seed in target["seeds"]:
        digest = hashlib.sha1(seed).hexdigest()[:16]
        status, _ = run_input(cmd, seed, timeout_ms / 1000, sanitizer_env())
        if status not in target["normal"]:
            os.makedirs(bad, exist_ok=True)
            kind = "hang" if status is None else "crash"
            with open(os.path.join(bad, f"{kind}-{digest}"), "wb") as fh:
                fh.write(seed)
            continue
        with open(os.path.join(where["seeds"], digest), "wb") as fh:
            fh.write(seed)
        kept += 1
    return kept


def findings(out):
    """The saved crashing and hanging inputs under an output folder: {"crash": [...], "hang":
    [...]}, paths sorted."""
    found = {"crash": [], "hang": []}
    for sub, kind in (("default/crashes", "crash"), ("default/hangs", "hang")):
        d = os.path.join(out, sub)
        if os.path.isdir(d):
            found[kind] += [os.path.join(d, n) for n in sorted(os.listdir(d))
                            if n.startswith("id:")]
    d = os.path.join(out, "seeds-failed")
    if os.path.isdir(d):
        for n in sorted(os.listdir(d)):
            found["hang" if n.startswith("hang") else "crash"].append(os.path.join(d, n))
    return found if found["crash"] or found["hang"] else None


def afl_env(timeout_ms):
    """The environment AFL needs on a machine whose settings are not ours: no CPU frequency or
    core-dump checks, no screen, no binding to a core that another program may hold."""
    env = {k: v for k, v in os.environ.items() if not k.endswith("SAN_OPTIONS")}
    env.update(AFL_SKIP_CPUFREQ="1", AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES="1", AFL_NO_UI="1",
               AFL_NO_AFFINITY="1", AFL_HANG_TMOUT=str(timeout_ms), AFL_NO_CRASH_README="1",
               AFL_FAST_CAL="1", AFL_IGNORE_UNKNOWN_ENVS="1", AFL_FORKSRV_INIT_TMOUT="30000")
    return env


def start(target, seconds, timeout_ms, resume):
    where = paths(target["name"])
    out = where["out"]
    fresh = not (resume and os.path.exists(os.path.join(out, "default", "fuzzer_stats")))
    cmd = ["afl-fuzz", "-i", where["seeds"] if fresh else "-", "-o", out,
           "-t", str(timeout_ms), "-m", "none", "-V", str(seconds), "-x", where["seeds"] + ".dict",
           "--", *command(target, exe(TREE, target))]
    log = open(os.path.join(out, "afl.log"), "wb")
    p = subprocess.Popen(cmd, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                         env=afl_env(timeout_ms), start_new_session=True)
    log.close()
    return p


def stats(out):
    values = {}
    path = os.path.join(out, "default", "fuzzer_stats")
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as fh:
            for line in fh:
                key, _, value = line.partition(":")
                values[key.strip()] = value.strip()
    return values


def diagnose(target, path, timeout_ms):
    """One line on a finding, from a replay on the repro build."""
    with open(path, "rb") as fh:
        data = fh.read()
    cmd = command(target, exe(REPRO, target))
    status, err = run_input(cmd, data, timeout_ms / 1000, sanitizer_env())
    if status is None:
        return f"still running after {timeout_ms / 1000:g} s"
    lines = err.splitlines()
    what = next((l for l in lines if "runtime error" in l or "ERROR: " in l), None)
    if what is None and status >= 0 and status not in target["normal"]:
        normal = " or ".join(str(s) for s in sorted(target["normal"]))
        return f"exit status {status}, where it may end with {normal} only"
    if what is None:
        return f"exit status {status} on replay, no sanitizer report"
    what = re.sub(r"^==\d+==(ERROR: )?", "", what).strip()
    what = re.sub(r" on (unknown )?address .*", "", what)
    src = os.path.basename(target["source"])
    frame = next((l for l in lines if src in l and l.lstrip().startswith("#")), None)
    if frame and src not in what:
        what += "; at " + frame.split(" in ", 1)[-1].strip().replace(ROOT + "/", "")
    return what.replace(ROOT + "/", "")


def main(argv=None):
    # a crash found or replayed writes no core file: every program started here inherits this
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seconds", type=int, default=20, help="fuzzing time per target")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 1,
                    help="targets fuzzed at a time")
    ap.add_argument("--timeout", type=int, default=TIMEOUT_MS,
                    help="milliseconds after which a run is a hang")
    ap.add_argument("--max-seed", type=int, default=MAX_SEED,
                    help="largest case input taken as a seed, in bytes")
    ap.add_argument("--resume", action="store_true",
                    help="go on with the targets' earlier corpus and findings")
    ap.add_argument("--list", action="store_true", help="list the targets and their seeds")
    ap.add_argument("programs", nargs="*", help="programs or targets (default: all)")
    opts = ap.parse_args(argv)
    try:
        found = targets(max_seed=opts.max_seed)
        if opts.programs:
            known = {t["name"] for t in found} | {t["prog"] for t in found}
            unknown = [p for p in opts.programs if p not in known]
            if unknown:
                raise SetupError(f"not a fuzz target: {' '.join(unknown)} (targets: "
                                 f"{' '.join(t['name'] for t in found)})")
            found = [t for t in found if t["name"] in opts.programs or t["prog"] in opts.programs]
        if not found:
            raise SetupError("no program reads input")
        if opts.list:
            for t in found:
                how = "stdin" if t["args"] is None else " ".join(a or "FIXED" for a in t["args"])
                print(f"{t['name']:<26} {t['role']:<12} {os.path.relpath(t['source'], ROOT):<40} "
                      f"{how:<12} {len(t['seeds'])} seeds")
            return 0
        build(found, max(1, opts.jobs))
        return campaign(found, opts)
    except SetupError as exc:
        print(f"fuzz: {exc}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        print("fuzz: interrupted", file=sys.stderr)
        return 2


def campaign(found, opts):
    for t in found:
        t["kept"] = prepare(t, opts.timeout, opts.resume)
    queue = [t for t in found if t["kept"]]
    running = []
    failed = []
    try:
        fuzz_all(queue, running, failed, opts)
    finally:
        # Interrupted: stop the fuzzers started here, each by its own session.
        for _, p, _ in running:
            if p.poll() is None:
                os.killpg(p.pid, signal.SIGTERM)
                p.wait()
    return report(found, failed, opts)


def fuzz_all(queue, running, failed, opts):
    """Runs the targets of `queue`, `opts.jobs` at a time, until all are done."""
    while queue or running:
        while queue and len(running) < max(1, opts.jobs):
            t = queue.pop(0)
            print(f"fuzz: {t['name']}: {opts.seconds} s from {t['kept']} seeds", flush=True)
            running.append((t, start(t, opts.seconds, opts.timeout, opts.resume), time.time()))
        time.sleep(0.5)
        for item in list(running):
            t, p, began = item
            late = time.time() - began > opts.seconds + 300
            if p.poll() is None and not late:
                continue
            running.remove(item)
            if late:
                # afl-fuzz runs far past its -V limit: stop the session it leads.
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
                failed.append((t, "did not stop after its time"))
            elif p.returncode != 0 or not stats(paths(t["name"])["out"]):
                failed.append((t, f"afl-fuzz exited with status {p.returncode}"))


def report(found, failed, opts):
    print()
    print(f"{'target':<26} {'execs':>10} {'exec/s':>8} {'corpus':>7} {'edges':>7} "
          f"{'crashes':>8} {'hangs':>6}")
    bad = 0
    detail = []
    for t in found:
        out = paths(t["name"])["out"]
        s = stats(out)
        f = findings(out) or {"crash": [], "hang": []}
        print(f"{t['name']:<26} {s.get('execs_done', '-'):>10} "
              f"{s.get('execs_per_sec', '-').split('.')[0]:>8} "
              f"{s.get('corpus_count', s.get('paths_total', '-')):>7} "
              f"{s.get('edges_found', '-'):>7} "
              f"{len(f['crash']):>8} {len(f['hang']):>6}")
        if f["crash"] or f["hang"]:
            bad += 1
            detail.append((t, f))
    for t, f in detail:
        print(f"\n{t['name']}: {len(f['crash'])} crashing, {len(f['hang'])} hanging inputs")
        for kind in ("crash", "hang"):
            dirs = sorted({os.path.relpath(os.path.dirname(p), ROOT) for p in f[kind]})
            for d in dirs:
                print(f"  {kind}es in {d}/" if kind == "crash" else f"  {kind}s in {d}/")
            # A hang replays until the timeout: only the first is shown.
            for path in f[kind][:3 if kind == "crash" else 1]:
                print(f"    {os.path.basename(path)}: {diagnose(t, path, opts.timeout)}")
        example = f["crash"][0] if f["crash"] else f["hang"][0]
        repro = os.path.relpath(exe(REPRO, t), ROOT)
        rel = os.path.relpath(example, ROOT)
        if t["args"] is None:
            line = f"{repro} < '{rel}'"
        else:
            fixed = os.path.relpath(paths(t["name"])["seeds"] + ".fixed", ROOT)
            line = repro + " " + " ".join(f"'{rel}'" if a == "@@" else fixed for a in t["args"])
        print(f"  replay: {line}")
    for t, why in failed:
        log = os.path.join(paths(t["name"])["out"], "afl.log")
        print(f"\nfuzz: {t['name']}: {why}; the end of {os.path.relpath(log, ROOT)}:",
              file=sys.stderr)
        try:
            with open(log, encoding="utf-8", errors="replace") as fh:
                tail = fh.read().splitlines()[-15:]
        except OSError:
            tail = []
        print("\n".join("  " + re.sub(r"\x1b\[[0-9;]*m", "", l) for l in tail), file=sys.stderr)
    bad += len([t for t, _ in failed if t not in [d[0] for d in detail]])
    print(f"\nfuzz: {len(found) - bad} passed, {bad} failed")
    if failed:
        return 2
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
