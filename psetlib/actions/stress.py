"""pset stress: fresh inputs of many small made cases (or the problem's generator), a second
solver or a command against the reference, and a failing input shrunk to a small one."""

import argparse
import os
import shlex
import shutil
import threading
import time
from typing import Any, Optional

from .. import (compare, judging, making, package, problems, remake, runner, sandbox, shrink,
               validator)
from ..common import Stop, console
from ..problems import Problem
from ..programs import Programs

ACTION = "stress"
EXAMPLE = "pset stress demolition --rounds 500 --jobs 2"
TAKES_COMMAND = True
SUMMARY = "a second solver or a command against the reference on fresh inputs"
DEFAULT_ROUNDS = 100
DEFAULT_CASES = 1000
SIZES = (8, 30, 300)  # the max sizes that maker rounds cycle through unless one is given
DEFAULT_TIMEOUT = 60.0
SHRINK_BUDGET = 10.0  # seconds of shrinking (one more check may run past it)
SHOWN_LINES = 20      # a shrunk input this short is shown on the console
SEEDS = 2**31


def arguments(ap: argparse.ArgumentParser, checks: Any) -> None:
    ap.usage = ("pset stress PROBLEM [--cases N] [--max-size S] [--generator] [--rounds R] "
                "[--jobs J] [--seed S] [--timeout S] [--output-limit MB] [--out DIR] "
                "[--sandbox MODE] [-- COMMAND ...]")
    ap.description = (
        "Each round makes a fresh input, by default one file of N small cases from the "
        "problem's maker (<problem>/maker.py, seeded with the round's seed), with --generator "
        "one file of the problem's generator (its clock pinned to the round's seed); answers "
        "it with the reference solver and with the second solvers, or with COMMAND when one is "
        "given, and compares (Shuttle ride's answers as float_judge does). Rounds are made as "
        "the workers take them. At the first mismatch, crash, time-out or failing reference it "
        "stops; a failing input is shrunk to a small one that fails the same way (for at most "
        "--shrink-seconds; a check started by then runs to its end). The reproducer "
        "goes to DIR/stress/<problem>-<seed>/: input, expected, got, shrunk.in, "
        "shrunk.expected, shrunk.got (or the reference's stderr), seed and remake, the one "
        "command line that writes the input again.")
    ap.add_argument("problem", metavar="PROBLEM", type=checks.problem,
                    help="one of: " + ", ".join(p.name for p in problems.all_problems()
                                                if p.solver))
    ap.add_argument("--cases", type=checks.int_range(0, 10**6), metavar="N",
                    help=f"cases in a made file (default {DEFAULT_CASES})")
    ap.add_argument("--max-size", type=checks.int_range(1, 10**5), metavar="S",
                    help="largest size of a made case: elements, digits, word length (default: "
                    "rounds cycle through " + ", ".join(map(str, SIZES)) + ")")
    ap.add_argument("--generator", action="store_true",
                    help="inputs from the problem's generator instead of its maker")
    ap.add_argument("--rounds", type=checks.int_range(1, 10**9), default=DEFAULT_ROUNDS,
                    metavar="R", help=f"rounds (default {DEFAULT_ROUNDS}; an unseeded "
                    "generator writes one fixed file, so it gets one round)")
    ap.add_argument("--jobs", type=checks.int_range(1, 256), default=os.cpu_count() or 1,
                    metavar="J", help="rounds run at once (default: the cores, "
                    f"{os.cpu_count() or 1} here)")
    ap.add_argument("--seed", type=checks.int_range(0, SEEDS - 1), metavar="S",
                    help="seed of the first round; later rounds count up from it and wrap "
                    f"past {SEEDS - 1} to 0 (default: from the time of day)")
    ap.add_argument("--timeout", type=checks.seconds(0.01, 3600), default=DEFAULT_TIMEOUT,
                    metavar="S", help="wall-clock seconds the checked command may take in "
                    f"one round; longer is a failure (default {DEFAULT_TIMEOUT:g})")
    ap.add_argument("--shrink-seconds", type=checks.seconds(0, 3600), default=SHRINK_BUDGET,
                    metavar="S", help="time given to shrinking a failing input (default "
                    f"{SHRINK_BUDGET:g}; 0 keeps the input as it failed)")
    ap.add_argument("--output-limit", type=checks.int_range(1, 1 << 20),
                    default=judging.DEFAULT_OUTPUT, metavar="MB",
                    help=f"MB the checked command may write (default {judging.DEFAULT_OUTPUT})")
    checks.out(ap, "reproducers go to DIR/stress/ (default: out/ at the top)")
    sandbox.add_option(ap)
    checks.command_help(ap, "the command to check instead of the second solvers")


def writable_folder(path: str, shown: str) -> list[str]:
    """Makes `path` (named `shown`) if need be and proves it can hold a file, before the first
    round; returns the folders it made, deepest last."""
    made: list[str] = []
    up = path
    while not os.path.exists(up) and os.path.dirname(up) != up:
        made.insert(0, up)
        up = os.path.dirname(up)
    try:
        os.makedirs(path, exist_ok=True)
        probe = os.path.join(path, f".pset-probe-{os.getpid()}")
        with open(probe, "w") as fh:
            fh.write("x")
        os.unlink(probe)
    except OSError as exc:
        raise Stop(f"cannot write reproducers into {shown}: {exc.strerror or exc}")
    return made


def plural(n: int, word: str) -> str:
    return f"{n} {word}" + ("" if n == 1 else "s")


class Finding:
    def __init__(self, kind: str, seed: Optional[int], files: dict[str, str], message: Any,
                 failure: Optional[str] = None, cmd: Optional[list[str]] = None,
                 size: Optional[int] = None) -> None:
        self.kind = kind        # "mismatch", "reference" or "fatal"
        self.seed = seed
        self.files = files      # reproducer name -> path in the scratch folder
        self.message = message
        self.failure = failure  # of a mismatch: "WA", "RE", "TLE" or "OLE"
        self.cmd = cmd          # of a mismatch: the command that failed
        self.size = size        # the max size of a maker round


def run(opts: argparse.Namespace, progs: Programs) -> int:
    p = problems.get(opts.problem)
    if not p.solver:
        raise Stop(f"{p.name} has no reference solver to stress against")
    if opts.generator:
        if opts.cases is not None or opts.max_size is not None:
            raise Stop("--cases and --max-size size the maker's files; --generator takes "
                       "neither")
        if not p.generator:
            raise Stop(f"{p.name} has no generator; leave out --generator to stress it on "
                       "made cases")
    elif remake.maker(p.name) is None:
        raise Stop(f"{p.name} has no maker of small cases ({remake.maker_path(p.name)}); "
                   "use --generator")
    if opts.command:
        runner.check_startable(opts.command)
        console.where = f"in stress of {p.name} after 0 of {opts.rounds} rounds"
        sandbox.setup(opts, progs.build_dir, False, hide=[package.Place(opts.out).real])
        candidates = [opts.command]
    elif p.second:
        candidates = [[progs.exe(s)] for s in p.second]
    else:
        raise Stop(f"{p.name} has no second solver; name a command after --")
    progs.check([p], generators=opts.generator, second=not opts.command)
    place = package.Place(opts.out)
    where = os.path.join(place.real, "stress")
    made = writable_folder(where, place.show("stress"))
    rounds = opts.rounds
    if opts.generator and not p.seeded:
        rounds = 1
        console.say(f"note: {p.generator} never seeds: it writes one fixed file, so one round "
                    "is enough")
    base = opts.seed if opts.seed is not None else time.time_ns() // 1000 % SEEDS
    try:
        return Stress(opts, progs, p, candidates, rounds, base, place).go()
    finally:
        for folder in reversed(made):  # made for a reproducer that was not needed
            try:
                os.rmdir(folder)
            except OSError:
                break


class Stress:
    def __init__(self, opts: argparse.Namespace, progs: Programs, p: Problem,
                 candidates: list[list[str]], rounds: int, base: int,
                 place: package.Place) -> None:
        assert p.solver
        self.opts, self.progs, self.p = opts, progs, p
        self.solver = progs.exe(p.solver)
        self.candidates = candidates
        self.rounds, self.base, self.place = rounds, base, place
        self.checker = progs.validator(p)
        self.cases = DEFAULT_CASES if opts.cases is None else opts.cases
        self.lock = threading.Lock()
        self.stop = threading.Event()
        self.next = 0
        self.done = 0
        self.found: Optional[Finding] = None  # the finding of the lowest round that failed
        self.found_k: Optional[int] = None     # and that round (-1: a fatal one)
        self.scratch = runner.scratch()

    def seed(self, k: int) -> int:
        return (self.base + k) % SEEDS

    def size(self, k: int) -> int:
        """The max size of the maker's cases in round k."""
        return int(self.opts.max_size or SIZES[k % len(SIZES)])

    def take(self) -> Optional[int]:
        with self.lock:
            if self.stop.is_set() or self.next >= self.rounds or \
                    (self.found_k is not None and self.next > self.found_k):
                return None
            self.next += 1
            return self.next - 1

    def report(self, finding: Finding, k: Optional[int] = None) -> None:
        """Keeps a finding: a fatal one (k None) stops every round; a failing round k is kept
        when no lower round failed, and the rounds above it are ended (the ones below run on,
        for the lowest failing seed is the one reported)."""
        with self.lock:
            if k is None:
                if self.found is None or self.found.kind != "fatal":
                    self.found, self.found_k = finding, -1
                self.stop.set()
            elif self.found_k is None or k < self.found_k:
                self.found, self.found_k = finding, k
        if k is None:
            runner.kill_all()
        else:
            runner.kill_tagged(lambda tag: tag is None or tag > k)

    def discarded(self, k: int) -> bool:
        """True when round k's outcome no longer counts: a stop, or a lower round failed."""
        with self.lock:
            return self.stop.is_set() or (self.found_k is not None and k > self.found_k)

    def worker(self, w: int) -> None:
        folder = os.path.join(self.scratch, f"stress-{w}")
        try:
            while True:
                k = self.take()
                if k is None:
                    return
                shutil.rmtree(folder, ignore_errors=True)
                os.makedirs(folder)
                finding = self.round(k, folder)
                if self.discarded(k):
                    return  # a lower round failed, or a stop
                if finding:
                    kept = f"{folder}.kept-{k}"
                    os.rename(folder, kept)
                    finding.files = {n: os.path.join(kept, os.path.basename(f))
                                     for n, f in finding.files.items()}
                    self.report(finding, k)
                    return
                with self.lock:
                    self.done += 1
        except runner.Cancelled:
            return
        except Exception as exc:  # noqa: BLE001 - told in the main thread, which stops
            self.report(Finding("fatal", None, {}, exc))

    def name(self, cmd: list[str]) -> str:
        return shlex.join(cmd) if self.opts.command else os.path.basename(cmd[0])

    def differ(self, inp: str, exp: str, got: str, folder: str,
               tag: Optional[int] = None) -> Optional[str]:
        """None when the answer `got` agrees with the reference's `exp`, else where not."""
        p = self.p
        if p.floats:
            try:
                return compare.by_checker(self.progs.comparator(p), exp, got,
                                          os.path.join(folder, "judge.stderr"),
                                          "a stress round", tag=tag)
            except Stop:
                if tag is not None and self.discarded(tag):
                    return None  # ended because a lower round failed: no verdict needed
                raise
        if compare.agree(p, inp, exp, got):
            return None
        if p.compare == "exact":
            return compare.first_difference(exp, got)
        return "on the answer of an even-length word"

    def check(self, cmd: list[str], inp: str, exp: str, got: str, err: str,
              folder: str, tag: Optional[int] = None) -> tuple[Optional[str], Optional[str]]:
        """Runs one command on an input the reference answered in `exp`: (kind of failure,
        what it did) or (None, None). The command given after -- is judged (sandboxed)."""
        c = runner.run(cmd, stdin=inp, stdout=got, stderr=err, wall_limit=self.opts.timeout,
                       output_limit=self.opts.output_limit * runner.MB,
                       judged=bool(self.opts.command), tag=tag)
        name = self.name(cmd)
        if c.timed_out:
            return "TLE", f"{name} ran past the time-out of {self.opts.timeout:g} s"
        if c.verdict == "OLE":
            return "OLE", f"{name} wrote more than {self.opts.output_limit} MB"
        if not c.ok:
            why = f"was killed by {c.signal_name}" if c.signal else \
                f"exited with status {c.status}"
            return "RE", f"{name} {why}"
        detail = self.differ(inp, exp, got, folder, tag)
        if detail:
            return "WA", f"{name} answered differently: {detail}"
        return None, None

    def make_input(self, k: int, seed: int, inp: str) -> Optional[int]:
        """Writes round k's input; returns the max size of its made cases (None: the
        generator's file)."""
        if self.opts.generator:
            making.generate(self.progs, self.p, seed, inp)
            return None
        size = self.size(k)
        with open(inp, "w") as fh:
            fh.write(remake.make(self.p.name, seed, self.cases, size))
        return size

    def round(self, k: int, folder: str) -> Optional[Finding]:
        p = self.p
        seed = self.seed(k)
        inp = os.path.join(folder, "input")
        size = self.make_input(k, seed, inp)
        exp = os.path.join(folder, "expected")
        r = runner.run([self.solver], stdin=inp, stdout=exp,
                       stderr=os.path.join(folder, "expected.stderr"), tag=k, **making.LIMITS)
        if self.discarded(k):
            return None
        if not r.ok:
            return Finding("reference", seed, {"input": inp, "expected": exp,
                                               "expected.stderr": r.stderr},
                           f"the reference {p.solver} failed under seed {seed}: {r.describe()} "
                           f"{r.stderr_line(80)}".rstrip(), size=size)
        for cmd in self.candidates:
            got = os.path.join(folder, "got")
            err = os.path.join(folder, "got.stderr")
            kind, message = self.check(cmd, inp, exp, got, err, folder, k)
            if self.discarded(k):
                return None
            if kind:
                return Finding("mismatch", seed, {"input": inp, "expected": exp, "got": got,
                                                  "got.stderr": err},
                               message, failure=kind, cmd=cmd, size=size)
        return None

    def go(self) -> int:
        p, jobs = self.p, min(self.opts.jobs, self.rounds)
        threads = [threading.Thread(target=self.worker, args=(w,), daemon=True)
                   for w in range(jobs)]
        try:
            console.where = f"in stress of {p.name} after 0 of {self.rounds} rounds"
            for t in threads:
                t.start()
            while any(t.is_alive() for t in threads):
                console.where = (f"in stress of {p.name} after {self.done} of {self.rounds} "
                                 f"rounds (seeds from {self.base})")
                console.status(f"{p.name}: {self.done}/{self.rounds} rounds")
                for t in threads:
                    t.join(0.1)
        except BaseException:
            self.stop.set()
            runner.kill_all(refuse_new=True)
            for t in threads:
                if t.is_alive():
                    t.join(1)
            raise
        console.where = ""
        if self.found is None:
            self.agreed()
            return 0
        return self.failed(self.found)

    def agreed(self) -> None:
        p = self.p
        last = self.seed(self.rounds - 1)
        wrap = f", wrapping past {SEEDS - 1} to 0" if last < self.base else ""
        made = "" if self.opts.generator else f"{self.rounds * self.cases} made cases; "
        if self.opts.generator and not p.seeded:
            console.say(f"{p.name}: the one round agrees (the generator's one fixed file)")
        elif self.rounds == 1:
            console.say(f"{p.name}: the one round agrees ({made}seed {self.base})")
        else:
            console.say(f"{p.name}: all {self.rounds} rounds agree ({made}seeds "
                        f"{self.base} ... {last}{wrap})")

    def failed(self, f: Finding) -> int:
        if f.kind == "fatal":
            raise f.message
        assert f.seed is not None
        remake_line = self.remake_line(f)
        console.where = f"while keeping the reproducer of seed {f.seed}"
        folder, shown = self.keep(f, remake_line)
        if f.kind == "mismatch":
            console.where = f"while shrinking the failing input of seed {f.seed}"
        console.say(("mismatch" if f.kind == "mismatch" else "failure") +
                    f" under seed {f.seed}: {f.message}")
        if f.kind == "mismatch":
            self.shrink(f, folder)
        console.where = ""
        console.say(f"reproducer kept in {shown}: {', '.join(sorted(os.listdir(folder)))}")
        console.say(f"remake the input: {remake_line}")
        return 1

    def remake_line(self, f: Finding) -> str:
        assert f.seed is not None
        if self.opts.generator:
            return self.progs.remake_command(self.p, f.seed)
        assert f.size is not None
        return remake.command(self.p.name, f.seed, self.cases, f.size)

    def keep(self, f: Finding, remake_line: str) -> tuple[str, str]:
        """Keeps the reproducer in a folder of its own: (its path, as messages name it)."""
        name = f"{self.p.name}-{f.seed}"
        where = os.path.join(self.place.real, "stress")
        n, kept = 1, name
        while os.path.lexists(os.path.join(where, kept)):
            n += 1
            kept = f"{name}.{n}"
        folder = os.path.join(where, kept)
        os.makedirs(folder)
        for dest, src in f.files.items():
            shutil.copyfile(src, os.path.join(folder, dest))
        with open(os.path.join(folder, "seed"), "w") as fh:
            fh.write(f"{f.seed}\n")
        with open(os.path.join(folder, "remake"), "w") as fh:
            fh.write(remake_line + " > input\n")
        return folder, self.place.show("stress", kept)

    def shrink(self, f: Finding, folder: str) -> None:
        """Shrinks the failing input of a mismatch into folder/shrunk.in, with the reference's
        answer and the failing command's beside it; says how far it got."""
        maker = remake.maker(self.p.name)
        if maker is None:
            return
        with open(f.files["input"], "rb") as fh:
            original = fh.read().decode("utf-8", "surrogateescape")
        trial = Trial(self, f, original, os.path.join(self.scratch, "shrink"))
        start = time.monotonic()
        small = shrink.shrink(maker, original, trial.fails, trial.valid,
                              budget_s=self.opts.shrink_seconds)
        took = time.monotonic() - start
        if small == original:
            for name in ("input", "expected", "got"):
                shutil.copyfile(f.files[name], os.path.join(
                    folder, "shrunk." + ("in" if name == "input" else name)))
            console.say(f"no smaller input fails the same way ({trial.checks} checks in "
                        f"{took:.1f} s)")
            return
        _, message = trial.attempt(small)
        for name, path in (("shrunk.in", trial.inp), ("shrunk.expected", trial.exp),
                           ("shrunk.got", trial.got)):
            shutil.copyfile(path, os.path.join(folder, name))
        try:
            count = f"{plural(len(maker.split(original)), 'case')} to " \
                f"{plural(len(maker.split(small)), 'case')}"
        except ValueError:
            count = f"{plural(original.count(chr(10)), 'line')} to " \
                f"{plural(small.count(chr(10)), 'line')}"
        console.say(f"shrunk from {count} in {took:.1f} s ({trial.checks} checks): "
                    f"{message or 'it passes when run again'}")
        lines = small.splitlines()
        if len(lines) <= SHOWN_LINES:
            console.say("shrunk input:")
            for line in lines:
                console.say(f"  {line}")
        else:
            console.say(f"shrunk input: {len(lines)} lines (see shrunk.in)")


class Trial:
    """The checks of the shrinker's candidates: each must pass the problem's validator, be
    answered by the reference solver and fail the way the original did."""

    def __init__(self, stress: Stress, f: Finding, original: str, work: str) -> None:
        os.makedirs(work, exist_ok=True)
        self.stress, self.f, self.original = stress, f, original
        self.inp, self.exp, self.got, self.err = (os.path.join(work, n)
                                                  for n in ("in", "expected", "got", "err"))
        self.work = work
        self.deadline = time.monotonic() + stress.opts.shrink_seconds
        self.checks = 0

    def attempt(self, text: str) -> tuple[Optional[str], Optional[str]]:
        """(kind, message) of the failing command on `text`; (None, None) when it passes or
        the reference cannot answer it."""
        with open(self.inp, "wb") as fh:
            fh.write(text.encode("utf-8", "surrogateescape"))
        r = runner.run([self.stress.solver], stdin=self.inp, stdout=self.exp, stderr=self.err,
                       **making.LIMITS)
        if not r.ok:
            return None, None
        assert self.f.cmd is not None
        return self.stress.check(self.f.cmd, self.inp, self.exp, self.got, self.err, self.work)

    def fails(self, text: str) -> Optional[str]:
        if text == self.original:
            return self.f.failure
        if time.monotonic() > self.deadline:
            return None
        self.checks += 1
        return self.attempt(text)[0]

    def valid(self, text: str) -> bool:
        data = text.encode("utf-8", "surrogateescape")
        return validator.judge(self.stress.checker, data, "a shrunk input")[0]
