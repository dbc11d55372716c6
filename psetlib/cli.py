"""pset's command line: the actions, their options checked as they are parsed, and the stops.

Every action is a module of psetlib/actions/ that defines ACTION (its name), SUMMARY (one
line), EXAMPLE (one command line), arguments(ap, checks), run(opts, programs) and, when it
takes a command after --, TAKES_COMMAND = True; it is listed in ACTIONS below, and nowhere
else. Before any action but `schema` starts, every manifest of the set is checked.
"""

import argparse
import math
import os
import signal
from types import ModuleType
from typing import Any, Callable, Optional

from . import problems, runner
from .actions import build, export, judge, new, schema, statements, stress, timelimit
from .actions import validate, verify
from .common import ROOT, Failure, Interrupted, Stop, console
from .programs import Programs

ACTIONS: list[ModuleType] = [new, build, validate, stress, judge, timelimit, verify, export,
                             statements, schema]

EXIT = ("Exit status: 0 all built, all rounds agree, every test OK, every input valid, every "
        "submission as expected; 1 a program failed or a check disagreed (build), a mismatch "
        "or a failing reference (stress), a test not OK (judge), an invalid input or a broken "
        "copy accepted (validate), a submission not as expected (verify), a time-limit "
        "submission that is not too slow (timelimit); 2 it could not do its work (one line on "
        "stderr); 130 or 143 stopped by SIGINT or SIGTERM.")


class Parser(argparse.ArgumentParser):
    def error(self, message: str) -> Any:
        raise Stop(message)


class Checks:
    """Argument types that check a value as it is parsed, and the options several actions
    share."""

    @staticmethod
    def int_range(lo: int, hi: int) -> Callable[[str], int]:
        def check(text: str) -> int:
            try:
                value = int(text)
            except ValueError:
                raise argparse.ArgumentTypeError(f"{text!r} is not a whole number")
            if not lo <= value <= hi:
                raise argparse.ArgumentTypeError(f"{value} is outside {lo} .. {hi}")
            return value
        return check

    @staticmethod
    def seconds(lo: float, hi: float) -> Callable[[str], float]:
        def check(text: str) -> float:
            try:
                value = float(text)
            except ValueError:
                raise argparse.ArgumentTypeError(f"{text!r} is not a number of seconds")
            if not math.isfinite(value) or not lo <= value <= hi:
                raise argparse.ArgumentTypeError(f"{text} is outside {lo:g} .. {hi:g} seconds")
            return value
        return check

    @staticmethod
    def problem(text: str) -> str:
        return problems.get(text).name

    @staticmethod
    def command_help(ap: argparse.ArgumentParser, text: str) -> None:
        ap.epilog = f"-- COMMAND ...: {text}. Everything after -- is the command."

    @staticmethod
    def out(ap: argparse.ArgumentParser,
            text: str = "the package folder (default: out/ at the top of the project)") -> None:
        ap.add_argument("--out", default=os.path.join(ROOT, "out"), metavar="DIR", help=text)


def overview() -> str:
    lines = ["pset: the problem set's workflow over the built programs.", ""]
    for m in ACTIONS:
        lines.append(f"  pset {m.ACTION:<10} {m.SUMMARY}")
    lines += ["", "Examples:"] + [f"  {m.EXAMPLE}" for m in ACTIONS]
    lines += ["", "pset ACTION --help tells an action's options and their defaults.",
              "Problems: " + ", ".join(problems.names()) + ".", "", EXIT]
    return "\n".join(lines)


def _action_named(argv: list[str]) -> Optional[ModuleType]:
    """The action module the command line names, before it is parsed."""
    skip = False
    for arg in argv:
        if skip:
            skip = False
        elif arg == "--build-dir":
            skip = True
        elif not arg.startswith("-"):
            return next((m for m in ACTIONS if m.ACTION == arg), None)
    return None


def parse(argv: list[str]) -> Optional[argparse.Namespace]:
    command: list[str] = []
    if "--" in argv:
        at = argv.index("--")
        argv, command = argv[:at], argv[at + 1:]
    chosen = _action_named(argv)
    if getattr(chosen, "NEEDS_SET", True):
        problems.the_set()  # every manifest checked before anything else
    ap = Parser(prog="pset", add_help=False)
    ap.add_argument("-h", "--help", action="store_true")
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build"),
                    help="where the programs are built (default: build/ at the top)")
    sub = ap.add_subparsers(dest="action")
    for m in ACTIONS:
        a = sub.add_parser(m.ACTION, help=m.SUMMARY, epilog=EXIT)
        if m is chosen:
            m.arguments(a, Checks)
            a.set_defaults(module=m)
    opts = ap.parse_args(argv)
    if opts.help or not opts.action:
        return None
    opts.command = command
    if command and not getattr(opts.module, "TAKES_COMMAND", False):
        raise Stop(f"{opts.action} takes no command after --")
    return opts


def _on_signal(signum: int, frame: object) -> None:
    if _fired[0]:
        return
    if runner.critical():
        runner.defer(signum)  # raised again once the run in hand is started or ended
        return
    _fired[0] = True
    raise Interrupted(signum)


_fired = [False]


def main(argv: list[str]) -> int:
    for s in (signal.SIGINT, signal.SIGTERM):
        signal.signal(s, _on_signal)
    runner.own_all_children()
    code = 2
    try:
        try:
            opts = parse(argv)
            if opts is None:
                print(overview())
                code = 0 if argv else 2
            else:
                code = opts.module.run(opts, Programs(opts.build_dir))
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
