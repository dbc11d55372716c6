"""pset's command line: the actions, their options checked as they are parsed, and the stops.

Every action is a module of this package that defines ACTION (its name), SUMMARY (one line),
EXAMPLE (one command line), arguments(ap, checks), run(opts, tools) and, when it takes a
command after --, TAKES_COMMAND = True; it is registered by
its name in ACTIONS below, and nowhere else.
"""

import argparse
import importlib
import math
import os
import signal

from . import problems, runner
from .common import ROOT, Failure, Interrupted, Stop, console

ACTIONS = ["build", "validate", "stress", "judge", "timelimit", "verify", "export"]

EXIT = ("Exit status: 0 all built, all rounds agree, every test OK, every input valid, every "
        "submission as expected; 1 a program failed or a check disagreed (build), a mismatch "
        "or a failing reference (stress), a test not OK (judge), an invalid input or a broken "
        "copy accepted (validate), a submission not as expected (verify), a time-limit "
        "submission that is not too slow (timelimit); 2 it could not do its work (one line on "
        "stderr); 130 or 143 stopped by SIGINT or SIGTERM.")


class Parser(argparse.ArgumentParser):
    def error(self, message):
        raise Stop(message)


class Checks:
    """Argument types that check a value as it is parsed."""

    @staticmethod
    def int_range(lo, hi):
        def check(text):
            try:
                value = int(text)
            except ValueError:
                raise argparse.ArgumentTypeError(f"{text!r} is not a whole number")
            if not lo <= value <= hi:
                raise argparse.ArgumentTypeError(f"{value} is outside {lo} .. {hi}")
            return value
        return check

    @staticmethod
    def seconds(lo, hi):
        def check(text):
            try:
                value = float(text)
            except ValueError:
                raise argparse.ArgumentTypeError(f"{text!r} is not a number of seconds")
            if not math.isfinite(value) or not lo <= value <= hi:
                raise argparse.ArgumentTypeError(f"{text} is outside {lo:g} .. {hi:g} seconds")
            return value
        return check

    @staticmethod
    def problem(text):
        return problems.get(text).name

    @staticmethod
    def command_help(ap, text):
        ap.epilog = f"-- COMMAND ...: {text}. Everything after -- is the command."


def modules():
    return [importlib.import_module(f"psetlib.{name}") for name in ACTIONS]


def overview():
    lines = ["pset: the problem set's workflow over the built programs.", ""]
    for m in modules():
        lines.append(f"  pset {m.ACTION:<9} {m.SUMMARY}")
    lines += ["", "Examples:"] + [f"  {m.EXAMPLE}" for m in modules()]
    lines += ["", "pset ACTION --help tells an action's options and their defaults.",
              "Problems: " + ", ".join(problems.names()) + ".", "", EXIT]
    return "\n".join(lines)


def parse(argv):
    command = []
    if "--" in argv:
        at = argv.index("--")
        argv, command = argv[:at], argv[at + 1:]
    ap = Parser(prog="pset", add_help=False)
    ap.add_argument("-h", "--help", action="store_true")
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build"),
                    help="where the programs are built (default: build/ at the top)")
    sub = ap.add_subparsers(dest="action")
    for m in modules():
        a = sub.add_parser(m.ACTION, help=m.SUMMARY, epilog=EXIT)
        m.arguments(a, Checks)
        a.set_defaults(module=m)
    opts = ap.parse_args(argv)
    if opts.help or not opts.action:
        return None
    opts.command = command
    if command and not getattr(opts.module, "TAKES_COMMAND", False):
        raise Stop(f"{opts.action} takes no command after --")
    return opts


def _on_signal(signum, frame):
    if _on_signal.fired:
        return
    if runner.critical():
        runner.defer(signum)  # raised again once the run in hand is started or ended
        return
    _on_signal.fired = True
    raise Interrupted(signum)


_on_signal.fired = False


def main(argv):
    for s in (signal.SIGINT, signal.SIGTERM):
        signal.signal(s, _on_signal)
    runner.own_all_children()
    code = None
    try:
        try:
            opts = parse(argv)
            if opts is None:
                print(overview())
                code = 0 if argv else 2
            else:
                tools = problems.Tools(opts.build_dir)
                code = opts.module.run(opts, tools)
        finally:
            runner.cleanup()
    except Interrupted as exc:
        runner.cleanup()
        name = signal.Signals(exc.signum).name
        where = f" {console.where}" if console.where else ""
        console.error(f"stopped by {name}{where}; every process it started is ended and its "
                      "temporary files are removed")
        return 128 + exc.signum
    except Stop as exc:
        console.error(str(exc))
        return 2
    except Failure as exc:
        console.error(str(exc))
        return 1
    except runner.StartError as exc:
        console.error(str(exc))
        return 2
    except BrokenPipeError:
        # whoever read our output has gone: stop without a word
        os.dup2(os.open(os.devnull, os.O_WRONLY), 1)
        return 2
    except OSError as exc:
        what = f"{exc.filename}: " if exc.filename else ""
        console.error(f"{what}{exc.strerror or exc}")
        return 2
    except Exception as exc:  # noqa: BLE001 - never a traceback for the user
        console.error(f"internal error: {type(exc).__name__}: {exc}")
        return 2
    return code
