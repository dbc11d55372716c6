"""pset build: writes the problem set's test data package."""

import filecmp
import os
import shutil
import signal
import tempfile

from . import compare, export, package, problems, runner, validate, validation
from .common import ROOT, Failure, Stop, console, human, rel

ACTION = "build"
EXAMPLE = "pset build --tests 3 --seed 42 demolition mirror"
SUMMARY = "write the problem set's test data package"
DEFAULT_SEED = 1765000000
DEFAULT_TESTS = 10
PROGRAM_WALL = 300  # seconds any of our own programs may run before it counts as hung
# The limits of our own programs (solvers, generators): CPU seconds, memory (the tree's where
# a cgroup can be made) and output; past one, a program fails.
LIMITS = {"time_limit": 120, "wall_limit": PROGRAM_WALL, "memory_limit": 4096 * runner.MB,
          "output_limit": 1024 * runner.MB}
MAX_SEED = 2**31 - 1


def arguments(ap, checks):
    ap.usage = "pset build [--tests N] [--seed S] [--out DIR] [PROBLEM ...]"
    ap.description = (
        "Writes, per problem, its hand-written examples and N files of its generator (the "
        "clock pinned to S, S+1, ...; an unseeded generator gives one file), the reference "
        "solver's answers and a manifest into DIR/<problem>/tests/; every second solver answers "
        "every input and must agree. DIR must be new, empty or a package pset wrote (it holds "
        f"{package.MARKER}); only <problem>/tests/ is replaced there, as a whole and in one "
        "step, so a failed or interrupted run leaves the previous package.")
    ap.add_argument("--tests", type=checks.int_range(0, 100000), default=DEFAULT_TESTS,
                    metavar="N", help=f"generated tests per problem (default {DEFAULT_TESTS})")
    ap.add_argument("--seed", type=checks.int_range(0, MAX_SEED), default=DEFAULT_SEED,
                    metavar="S", help=f"clock of the first generated test (default {DEFAULT_SEED})")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to build (default: all): " + ", ".join(problems.names()))


def generate(tools, p, seed, dest):
    r = runner.run([tools.exe(p.generator)], stdout=dest, env=tools.clock_env(seed), **LIMITS)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if "cannot be preloaded" in err:
        raise Stop(f"the pinned clock could not be loaded into {p.generator}: {err}")
    if not r.ok:
        raise Failure(f"{p.generator} under seed {seed} failed: {r.describe()} {err}".rstrip())


def run_solver(name, exe, inp, dest):
    r = runner.run([exe], stdin=inp, stdout=dest, **LIMITS)
    err = runner.first_line(r.stderr)
    os.unlink(r.stderr)
    if not r.ok:
        raise Failure(f"{name} failed on {rel(inp)}: {r.describe()}"
                      f"{' (exit status ' + str(r.status) + ')' if r.status else ''} {err}".rstrip())
    return r


def extra_tests(p):
    """The tests of the problem's own maker `<problem>/extra_tests.py` (its tests() gives
    (name, text) pairs in a fixed order), or [] when it has none."""
    path = os.path.join(p.folder, "extra_tests.py")
    if not os.path.isfile(path):
        return []
    where = os.path.relpath(path, ROOT)
    try:
        made = list(problems.load_script(path).tests())
    except Exception as exc:  # the maker is the problem's own code: name it, not us
        raise Failure(f"{where} failed: {type(exc).__name__}: {exc}")
    seen = set()
    for item in made:
        ok = (isinstance(item, tuple) and len(item) == 2 and isinstance(item[1], str) and
              isinstance(item[0], str) and item[0] and not set(item[0]) - set(NAME_CHARS))
        if not ok or item[0] in seen:
            raise Failure(f"{where}: tests() must give (name, text) pairs with distinct names "
                          f"of lower-case letters, digits and dashes; got {str(item)[:60]!r}")
        seen.add(item[0])
    return [(text, f"maker {where} {name}") for name, text in made]


NAME_CHARS = "abcdefghijklmnopqrstuvwxyz0123456789-"


def check_input(tools, p, inp, name, how, seen):
    """Runs the problem's validator on a test input; an invalid one fails the build."""
    if not p.input_check:
        return {}
    with open(inp, "rb") as fh:
        data = fh.read()
    try:
        ok, message, limits = validation.check(validate.validator(p, tools), data)
    except validation.ValidatorError as exc:
        raise Stop(f"{p.input_check} could not judge test {name} of {p.name}: {exc}")
    if not ok:
        raise Failure(f"test {name} of {p.name} ({how}) is not a valid input: {message}")
    validate.merge(seen, limits)
    return limits


def within(capacity, reached):
    """True when a test whose validator reported `reached` ({limit: (min, max)}) lies within
    a second solver's capacity ({limit: largest value it holds})."""
    return all(name not in reached or reached[name][1] <= most
               for name, most in capacity.items())


def build_problem(tools, p, tests, seed, dest):
    """Writes one problem's tests into `dest`; returns its summary row."""
    made = [(path, f"example {os.path.relpath(path, ROOT)}") for path in p.examples()]
    extra = extra_tests(p)
    count = 0 if not p.generator or tests == 0 else (tests if p.seeded else 1)
    total = len(made) + len(extra) + count
    width = max(2, len(str(total)))
    os.makedirs(dest)
    scratch = runner.scratch()
    manifest = []
    largest, slowest = 0, 0.0
    seen = {}
    covered = {second: 0 for second in p.second}
    for i in range(1, total + 1):
        name = f"{i:0{width}d}"
        inp = os.path.join(dest, name + ".in")
        console.where = f"while building {p.name}, test {name} of {total}"
        if i <= len(made):
            shutil.copyfile(made[i - 1][0], inp)
            how = made[i - 1][1]
        elif i <= len(made) + len(extra):
            text, how = extra[i - len(made) - 1]
            with open(inp, "w", encoding="utf-8", newline="") as fh:
                fh.write(text)
        else:
            s = seed + i - len(made) - len(extra) - 1
            generate(tools, p, s, inp)
            again = os.path.join(scratch, f"{p.name}.again")
            generate(tools, p, s, again)
            same = filecmp.cmp(inp, again, shallow=False)
            os.unlink(again)
            if not same:
                raise Failure(f"{p.generator} is not deterministic: seed {s} gave two files")
            how = f"generator {p.generator} seed {s}" if p.seeded else \
                f"generator {p.generator} (unseeded: the same file on every run)"
        manifest.append(f"{name} {how}")
        reached = check_input(tools, p, inp, name, how, seen)
        largest = max(largest, os.path.getsize(inp))
        if not p.solver:
            continue
        ans = os.path.join(dest, name + ".ans")
        r = run_solver(p.solver, tools.exe(p.solver), inp, ans)
        slowest = max(slowest, r.cpu)
        for second in p.second:
            if not within(p.capacity.get(second, {}), reached):
                continue
            covered[second] += 1
            other = os.path.join(scratch, f"{p.name}.second")
            run_solver(second, tools.exe(second), inp, other)
            same = compare.agree(p, inp, ans, other)
            os.unlink(other)
            if not same:
                raise Failure(f"{second} disagrees with {p.solver} on {rel(inp)}")
    with open(os.path.join(dest, "manifest"), "w") as fh:
        fh.write("".join(line + "\n" for line in manifest))
    # what the package was made from, so that export can tell a package older than its sources
    with open(os.path.join(dest, "sources"), "w") as fh:
        fh.write(export.source_digest(ROOT, p.name) + "\n")
    verdict = "none"
    if p.second and total:
        verdict = "agrees: " + ", ".join(f"{s} on {covered[s]} of {total}" for s in p.second)
    gaps = validate.missing(p, seen) if p.input_check else []
    return (p.name, total, largest, slowest if p.solver else None, verdict, gaps)


def run(opts, tools):
    chosen = problems.choose(opts.problems)
    tools.check(chosen)
    for p in chosen:
        if p.input_check:
            validate.validator(p, tools)
    last = opts.seed + opts.tests - 1
    if opts.tests and last > MAX_SEED:
        raise Stop(f"--seed {opts.seed} with --tests {opts.tests} runs past the last clock "
                   f"{MAX_SEED}; take a seed of at most {MAX_SEED - opts.tests + 1}")
    empty = [p.name for p in chosen if not p.examples() and not (p.generator and opts.tests)]
    if empty:
        raise Stop(f"nothing to write for {', '.join(empty)}: no examples and no generated tests")
    out = package.resolve(opts.out)
    package.prepare(out, problems.names())
    with package.Lock(out, True, "build"):
        package.remove_leftovers(out)
        for p in chosen:
            package.check_replaceable(out, p)
        partial = tempfile.mkdtemp(prefix=package.PARTIAL, dir=out)
        try:
            return _build(opts, tools, chosen, out, partial)
        except Failure:
            raise  # the partial package stays for a look at the failing file
        except BaseException:
            shutil.rmtree(partial, ignore_errors=True)
            raise
        finally:
            if os.path.isdir(partial) and not os.listdir(partial):
                os.rmdir(partial)


def _build(opts, tools, chosen, out, partial):
    plural = "" if len(chosen) == 1 else "s"
    console.say(f"building {len(chosen)} problem{plural} into {rel(out)} (seed {opts.seed}, "
                f"{opts.tests} generated test{'' if opts.tests == 1 else 's'} each)")
    rows = []
    for p in chosen:
        console.progress(f"  {p.name:<11} ...")
        try:
            row = build_problem(tools, p, opts.tests, opts.seed, os.path.join(partial, p.name))
        except Failure as exc:
            console.finish(" FAILED")
            console.where = ""
            raise Failure(f"{exc}\npset: the unfinished package stays in {rel(partial)} (the next "
                          f"build removes it); the package in {rel(out)} is unchanged") from None
        rows.append(row)
        console.finish(f" {row[1]} test{'' if row[1] == 1 else 's'}, cross-check: {row[4]}")
    console.where = f"while putting the new package in place in {rel(out)}"
    # A signal waits until every problem's folder is swapped: each one is old or new.
    old = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
    try:
        for p in chosen:
            gone = package.put_in_place(os.path.join(partial, p.name),
                                        package.tests_dir(out, p.name))
            if gone:
                shutil.rmtree(gone)
    finally:
        signal.pthread_sigmask(signal.SIG_SETMASK, old)
    console.where = ""
    console.say("")
    console.say(f"{'problem':<11} {'tests':>5} {'largest input':>14} {'slowest ref':>12}  "
                "cross-check")
    for name, n, largest, slowest, verdict, _ in rows:
        ms = f"{slowest * 1000:.0f} ms" if slowest is not None else "-"
        console.say(f"{name:<11} {n:>5} {human(largest):>14} {ms:>12}  {verdict}")
    gaps = [(row[0], gap) for row in rows for gap in row[5]]
    if gaps:
        console.say("")
        console.say("limits no test reaches:")
        for name, gap in gaps:
            console.say(f"  {name}: {gap}")
    console.say(f"package written to {rel(out)}/<problem>/tests")
    return 0
