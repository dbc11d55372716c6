"""pset stress: fresh generated inputs, a second solver or a command against the reference."""

import os
import shlex
import shutil
import threading
import time

from . import build, compare, judge, package, problems, runner
from .common import ROOT, Stop, console, rel

ACTION = "stress"
EXAMPLE = "pset stress demolition --rounds 500 --jobs 2"
TAKES_COMMAND = True
SUMMARY = "a second solver or a command against the reference on fresh inputs"
DEFAULT_ROUNDS = 100
DEFAULT_TIMEOUT = 60.0
SEEDS = 2**31


def arguments(ap, checks):
    ap.usage = ("pset stress PROBLEM [--rounds R] [--jobs J] [--seed S] [--timeout S] "
                "[--output-limit MB] [--out DIR] [-- COMMAND ...]")
    ap.description = (
        "Each round makes a fresh input with the problem's generator (the clock pinned to the "
        "round's seed), answers it with the reference solver and with the second solvers, or "
        "with COMMAND when one is given, and compares. Rounds are made as the workers take "
        "them. At the first mismatch, crash, time-out or failing reference it stops and keeps "
        "a reproducer in DIR/stress/<problem>-<seed>/: input, expected, got (or the reference's "
        "stderr), seed and remake, the one command line that writes the input again.")
    ap.add_argument("problem", metavar="PROBLEM", type=checks.problem,
                    help="one of: " + ", ".join(p.name for p in problems.all_problems()
                                                if p.solver and p.generator))
    ap.add_argument("--rounds", type=checks.int_range(1, 10**9), default=DEFAULT_ROUNDS,
                    metavar="R", help=f"rounds (default {DEFAULT_ROUNDS}; an unseeded "
                    "generator writes one fixed file, so it gets one round)")
    ap.add_argument("--jobs", type=checks.int_range(1, 256), default=os.cpu_count() or 1,
                    metavar="J", help="rounds run at once (default: the cores, "
                    f"{os.cpu_count() or 1} here)")
    ap.add_argument("--seed", type=checks.int_range(0, SEEDS - 1), metavar="S",
                    help="clock of the first round; later rounds count up from it and wrap "
                    f"past {SEEDS - 1} to 0 (default: from the time of day)")
    ap.add_argument("--timeout", type=checks.seconds(0.01, 3600), default=DEFAULT_TIMEOUT,
                    metavar="S", help="wall-clock seconds the checked command may take in "
                    f"one round; longer is a failure (default {DEFAULT_TIMEOUT:g})")
    ap.add_argument("--output-limit", type=checks.int_range(1, 1 << 20),
                    default=judge.DEFAULT_OUTPUT, metavar="MB",
                    help=f"MB the checked command may write (default {judge.DEFAULT_OUTPUT})")
    ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR",
                    help="reproducers go to DIR/stress/ (default: out/ at the top)")
    checks.command_help(ap, "the command to check instead of the second solvers")


def writable_folder(path):
    """Makes `path` if need be and proves it can hold a file, before the first round; returns
    the folders it made, deepest last."""
    made = []
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
        raise Stop(f"cannot write reproducers into {rel(path)}: {exc.strerror or exc}")
    return made


class Finding:
    def __init__(self, kind, seed, files, message):
        self.kind = kind        # "mismatch", "reference" or "fatal"
        self.seed = seed
        self.files = files      # reproducer name -> path in the scratch folder
        self.message = message


def run(opts, tools):
    p = problems.get(opts.problem)
    if not p.solver:
        raise Stop(f"{p.name} has no reference solver to stress against")
    if not p.generator:
        raise Stop(f"{p.name} has no generator to make stress inputs")
    if opts.command:
        judge.startable(opts.command)
        candidates = [opts.command]
    elif p.second:
        candidates = [[tools.exe(s)] for s in p.second]
    else:
        raise Stop(f"{p.name} has no second solver; name a command after --")
    tools.check([p], second=not opts.command)
    where = os.path.join(package.resolve(opts.out), "stress")
    made = writable_folder(where)
    rounds = opts.rounds
    if not p.seeded:
        rounds = 1
        console.say(f"note: {p.generator} never seeds: it writes one fixed file, so one round "
                    "is enough")
    base = opts.seed if opts.seed is not None else time.time_ns() // 1000 % SEEDS
    try:
        return Stress(opts, tools, p, candidates, rounds, base, where).go()
    finally:
        for folder in reversed(made):  # made for a reproducer that was not needed
            try:
                os.rmdir(folder)
            except OSError:
                break


class Stress:
    def __init__(self, opts, tools, p, candidates, rounds, base, where):
        self.opts, self.tools, self.p = opts, tools, p
        self.candidates = candidates
        self.rounds, self.base, self.where = rounds, base, where
        self.lock = threading.Lock()
        self.stop = threading.Event()
        self.next = 0
        self.done = 0
        self.found = None
        self.scratch = runner.scratch()

    def seed(self, k):
        return (self.base + k) % SEEDS

    def take(self):
        with self.lock:
            if self.stop.is_set() or self.next >= self.rounds:
                return None
            self.next += 1
            return self.next - 1

    def report(self, finding):
        with self.lock:
            if self.found is None:
                self.found = finding
                self.stop.set()
        runner.kill_all()

    def worker(self, w):
        folder = os.path.join(self.scratch, f"stress-{w}")
        try:
            while True:
                k = self.take()
                if k is None:
                    return
                shutil.rmtree(folder, ignore_errors=True)
                os.makedirs(folder)
                finding = self.round(self.seed(k), folder)
                if self.stop.is_set():
                    return  # another worker found something first, or a stop
                if finding:
                    kept = folder + ".kept"
                    os.rename(folder, kept)
                    finding.files = {n: os.path.join(kept, os.path.basename(f))
                                     for n, f in finding.files.items()}
                    self.report(finding)
                    return
                with self.lock:
                    self.done += 1
        except runner.Cancelled:
            return
        except Exception as exc:  # noqa: BLE001 - told in the main thread, which stops
            self.report(Finding("fatal", None, {}, exc))

    def round(self, seed, folder):
        p, tools = self.p, self.tools
        inp = os.path.join(folder, "input")
        build.generate(tools, p, seed, inp)
        exp = os.path.join(folder, "expected")
        r = runner.run([tools.exe(p.solver)], stdin=inp, stdout=exp,
                       stderr=os.path.join(folder, "expected.stderr"),
                       wall_limit=build.PROGRAM_WALL)
        if self.stop.is_set():
            return None
        if not r.ok:
            return Finding("reference", seed, {"input": inp, "expected": exp,
                                               "expected.stderr": r.stderr},
                           f"the reference {p.solver} failed under seed {seed}: {r.describe()} "
                           f"{r.stderr_line(80)}".rstrip())
        for cmd in self.candidates:
            got = os.path.join(folder, "got")
            c = runner.run(cmd, stdin=inp, stdout=got, stderr=os.path.join(folder, "got.stderr"),
                           wall_limit=self.opts.timeout,
                           output_limit=self.opts.output_limit * runner.MB)
            if self.stop.is_set():
                return None
            files = {"input": inp, "expected": exp, "got": got, "got.stderr": c.stderr}
            name = shlex.join(cmd) if self.opts.command else os.path.basename(cmd[0])
            if c.timed_out:
                return Finding("mismatch", seed, files, f"{name} ran past the time-out of "
                               f"{self.opts.timeout:g} s")
            if c.verdict == "OLE":
                return Finding("mismatch", seed, files, f"{name} wrote more than "
                               f"{self.opts.output_limit} MB")
            if not c.ok:
                why = f"was killed by {c.signal_name}" if c.signal else \
                    f"exited with status {c.status}"
                return Finding("mismatch", seed, files, f"{name} {why}")
            if not compare.agree(p, inp, exp, got):
                detail = compare.first_difference(exp, got) if p.compare == "exact" else \
                    "on the answer of an even-length word"
                return Finding("mismatch", seed, files, f"{name} answered differently: {detail}")
        return None

    def go(self):
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
            last = self.seed(self.rounds - 1)
            wrap = f", wrapping past {SEEDS - 1} to 0" if last < self.base else ""
            if not p.seeded:
                console.say(f"{p.name}: the one round agrees (the generator's one fixed file)")
            elif self.rounds == 1:
                console.say(f"{p.name}: the one round agrees (seed {self.base})")
            else:
                console.say(f"{p.name}: all {self.rounds} rounds agree (seeds {self.base} ... "
                            f"{last}{wrap})")
            return 0
        f = self.found
        if f.kind == "fatal":
            raise f.message
        folder = self.keep(f)
        remake = self.tools.remake_command(p, f.seed)
        console.say(("mismatch" if f.kind == "mismatch" else "failure") +
                    f" under seed {f.seed}: {f.message}")
        console.say(f"reproducer kept in {rel(folder)}: {', '.join(sorted(os.listdir(folder)))}")
        console.say(f"remake the input: {remake}")
        return 1

    def keep(self, f):
        name = f"{self.p.name}-{f.seed}"
        folder = os.path.join(self.where, name)
        n = 1
        while os.path.lexists(folder):
            n += 1
            folder = os.path.join(self.where, f"{name}.{n}")
        os.makedirs(folder)
        for dest, src in f.files.items():
            shutil.copyfile(src, os.path.join(folder, dest))
        with open(os.path.join(folder, "seed"), "w") as fh:
            fh.write(f"{f.seed}\n")
        with open(os.path.join(folder, "remake"), "w") as fh:
            fh.write(self.tools.remake_command(self.p, f.seed) + " > input\n")
        return folder
