"""pset validate: every input of the built package (or given files) through the problem's
input validator; the limits no test reaches; with --mutate, the validator's self-check."""

import os

from . import limits as bounds, package, problems, validation
from .common import ROOT, Stop, console, rel

ACTION = "validate"
EXAMPLE = "pset validate demolition -- my_test.in"
TAKES_COMMAND = True
SUMMARY = "check test inputs with the problems' input validators"


def arguments(ap, checks):
    ap.usage = "pset validate [PROBLEM ...] [--mutate] [--out DIR] [-- FILE ...]"
    ap.description = (
        "Runs each problem's input validator (exit 42 valid, 43 invalid) on every input of its "
        "built package, or on the FILEs given after -- (then name exactly one problem). Prints "
        "per problem the limits that no test reaches. With --mutate it also derives broken "
        "files from every valid test (a blank at a line's end, CR LF line ends, the last line "
        "removed, an extra token, a doubled blank, no final line end, a leading zero) and "
        "reports each one the validator accepts.")
    ap.add_argument("problems", nargs="*", metavar="PROBLEM", type=checks.problem,
                    help="problems to check (default: all); one of: " +
                    ", ".join(problems.names()))
    ap.add_argument("--mutate", action="store_true",
                    help="also check that the validator rejects broken copies of every test")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="the package folder (default: out/ at the top of the project)")
    checks.command_help(ap, "input files to check against the one PROBLEM named")


def validator(p, tools):
    """The built validator of problem p."""
    if not p.input_check:
        raise Stop(f"{p.name} names no input validator in its problem.toml")
    path = os.path.join(tools.build_dir, "validators", p.input_check)
    if not os.access(path, os.X_OK):
        raise Stop(f"validator {p.input_check} is missing: {path} is not built (run make)")
    return path


def check_data(path, data, where):
    """(ok, message, limits) of one input (bytes, or a file's path); a validator that cannot
    judge stops the run; a file longer than the validators' input limit is invalid."""
    try:
        return validation.check(path, data)
    except validation.TooLong as exc:
        return False, str(exc), {}
    except validation.ValidatorError as exc:
        raise Stop(f"{where}: {exc}")


def merge(seen, limits):
    for name, (lo, hi) in limits.items():
        a, b = seen.get(name, (lo, hi))
        seen[name] = (min(a, lo), max(b, hi))


def missing(p, seen):
    """What no test reaches: 'no test has n = 1', ... for each named limit's two ends."""
    gaps = []
    for name, (lo, hi, open_below) in bounds.named(p).items():
        if name not in seen:
            gaps.append(f"no test has {name}")
            continue
        a, b = seen[name]
        if a > lo and not open_below:  # a bound the values may not reach is no gap
            gaps.append(f"no test has {name} = {lo:g}" if isinstance(lo, float)
                        else f"no test has {name} = {lo}")
        if b < hi:
            gaps.append(f"no test has {name} = {hi:g}" if isinstance(hi, float)
                        else f"no test has {name} = {hi}")
    return gaps


def mutated(path, data):
    """Descriptions of the broken copies of `data` that the validator accepts."""
    accepted = []
    for description, broken in validation.mutations(data):
        ok, _, _ = check_data(path, broken, f"mutation {description}")
        if ok:
            accepted.append(description)
    return accepted


def check_files(p, tools, files, mutate):
    """Validates the given (label, path) inputs of problem p; returns (bad, seen limits,
    accepted mutations), bad being 'label: line L, column C: what' lines."""
    path = validator(p, tools)
    bad, seen, loose = [], {}, []
    for label, f in files:
        try:
            ok, message, limits = check_data(path, f, label)  # read within the input limit
        except OSError as exc:
            raise Stop(f"cannot read {f}: {exc.strerror}")
        if not ok:
            bad.append(f"{label}: {message}")
            continue
        merge(seen, limits)
        if mutate:
            try:
                with open(f, "rb") as fh:
                    data = fh.read(validation.INPUT + 1)
            except OSError as exc:
                raise Stop(f"cannot read {f}: {exc.strerror}")
            loose += [f"{label}: {d}" for d in mutated(path, data)]
    return bad, seen, loose


def run(opts, tools):
    chosen = problems.choose(opts.problems)
    if opts.command:
        if len(opts.problems) != 1:
            raise Stop("name exactly one problem to check files against, e.g. "
                       f"{EXAMPLE}")
        files = [(rel(f), f) for f in opts.command]
        return report(chosen[0], tools, files, opts.mutate)
    out = package.resolve(opts.out)
    status = 0
    with package.Lock(out, False, "validate"):
        for p in chosen:
            names = package.check_package(out, p)
            folder = package.tests_dir(out, p.name)
            files = [(f"{p.name}/tests/{n}.in", os.path.join(folder, n + ".in")) for n in names]
            status = max(status, report(p, tools, files, opts.mutate))
    return status


def report(p, tools, files, mutate):
    console.where = f"validating {p.name}"
    bad, seen, loose = check_files(p, tools, files, mutate)
    for line in bad:
        console.say(f"{p.name}: invalid: {line}")
    for line in loose:
        console.say(f"{p.name}: the validator accepts a broken file: {line}")
    gaps = missing(p, seen)
    valid = len(files) - len(bad)
    text = f"{p.name}: {valid} of {len(files)} inputs valid"
    if mutate:
        text += f", {len(loose)} broken copies accepted"
    console.say(text + (f"; {'; '.join(gaps)}" if gaps else ""))
    if bad or loose:
        return 1
    return 0
