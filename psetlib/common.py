"""What every part of pset shares: where the project is, its ways to stop, its console."""

import os
import sys

# The project: the folder that holds pset, psetlib/ and the problem folders.
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Stop(Exception):
    """pset cannot do its work: one line on stderr, status 2."""


class Failure(Exception):
    """A program failed or a check disagreed: named on stderr, status 1."""


class Interrupted(BaseException):
    """SIGINT or SIGTERM arrived: stop, kill what was started, clean up, say where."""

    def __init__(self, signum: int) -> None:
        super().__init__(signum)
        self.signum = signum


class Console:
    """stdout for the report, stderr for problems; a progress line left open (no line end
    yet) is ended before anything else is written."""

    def __init__(self) -> None:
        self.open_line = False
        self.where = ""  # where the run has got to, for the message of an interruption

    def say(self, text: str = "") -> None:
        self._end()
        print(text, flush=True)

    def progress(self, text: str) -> None:
        """Starts or extends an open line."""
        print(text, end="", flush=True)
        self.open_line = True

    def status(self, text: str) -> None:
        """Rewrites a one-line counter in place, on a terminal only."""
        if sys.stdout.isatty():
            print("\r" + text, end="", flush=True)
            self.open_line = True

    def finish(self, text: str) -> None:
        """Ends an open line with `text`."""
        print(text, flush=True)
        self.open_line = False

    def error(self, text: str) -> None:
        self._end()
        print(f"pset: {text}", file=sys.stderr, flush=True)

    def _end(self) -> None:
        if self.open_line:
            print(flush=True)
            self.open_line = False


console = Console()


def human(n: float) -> str:
    """A size in bytes as people read it: 65 B, 1.6 MB."""
    for unit in ("B", "KB", "MB"):
        if n < 1000:
            return f"{n:.0f} {unit}" if unit == "B" else f"{n:.1f} {unit}"
        n /= 1000
    return f"{n:.1f} GB"
