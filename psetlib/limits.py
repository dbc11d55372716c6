"""A problem's limits, stated once in its problem.toml's [limits] and followed everywhere:

- the input validator includes `problem_limits.h`, written from them (header());
- the statement names them as {{NAME.min}} and {{NAME.max}} (fill());
- the limits report compares them with what the tests reach (merge(), unreached(), missing()),
  and the build fails on an end no test reaches unless the manifest waives it (waived());
- a second solver cross-checks only the tests within its capacity (within()).

    python3 -m psetlib.limits header PROBLEM FILE

writes the header of one problem (CMake runs it before it builds the validator).
"""

import os
import re
import sys
from typing import Mapping, Optional

from .problems import Limit, Problem

# What a validator reports of one file: {limit: (least, largest value the file holds)}.
Reached = dict[str, tuple[float, float]]


def number_text(x: float) -> str:
    """A number as a person writes it: 200000, 1000000000, 0.5, 1e-6 (never 1e-06 or 2.0)."""
    if isinstance(x, int) and not isinstance(x, bool):
        return str(x)
    if float(x).is_integer() and abs(x) < 1e15:
        return str(int(x))
    text = repr(float(x))
    if "e" in text:
        mantissa, exp = text.split("e")
        text = f"{mantissa}e{int(exp)}"
    return text


def header(p: Problem) -> str:
    """The C++ header that gives the validator its bounds: in namespace `bound`, NAME_min and
    NAME_max (long long, or double where a bound is not whole), and NAME_min_excluded."""
    lines = [f"// problem_limits.h: the limits of {p.title},",
             f"// written from {p.name}/problem.toml [limits] by psetlib/limits.py.",
             "// Change the limits there, never here: this file is written anew on every build.",
             "#ifndef PROBLEM_LIMITS_H", "#define PROBLEM_LIMITS_H", "", "namespace bound {"]
    for name, limit in p.limits.items():
        lo, hi = limit.min, limit.max
        whole = isinstance(lo, int) and isinstance(hi, int)
        kind = "long long" if whole else "double"
        lo_text = number_text(lo) if whole else repr(float(lo))
        hi_text = number_text(hi) if whole else repr(float(hi))
        lines.append(f"constexpr {kind} {name}_min = {lo_text}, {name}_max = {hi_text};")
        excluded = "true" if limit.min_excluded else "false"
        lines.append(f"constexpr bool {name}_min_excluded = {excluded};")
    lines += ["} // namespace bound", "", "#endif", ""]
    return "\n".join(lines)


_PLACE = re.compile(r"\{\{\s*([A-Za-z_][A-Za-z0-9_]*)\.(min|max)\s*\}\}")


def fill(p: Problem, text: str, where: str) -> str:
    """The statement text with every {{NAME.min}} and {{NAME.max}} replaced by the bound from
    [limits]; a name it does not know raises ValueError naming `where`."""
    def one(m: re.Match[str]) -> str:
        name, end = m.group(1), m.group(2)
        if name not in p.limits:
            raise ValueError(f"{where}: {m.group(0)} names no limit of {p.name}/problem.toml "
                             f"(its limits: {', '.join(p.limits) or 'none'})")
        limit = p.limits[name]
        return number_text(limit.min if end == "min" else limit.max)

    return _PLACE.sub(one, text)


def merge(seen: Reached, reached: Reached) -> None:
    """Widens `seen` by what one more file reached."""
    for name, (lo, hi) in reached.items():
        a, b = seen.get(name, (lo, hi))
        seen[name] = (min(a, lo), max(b, hi))


class Gap:
    """An end of a limit that no test reaches: `end` is "min" or "max" (or None when no test
    reports the limit at all)."""

    def __init__(self, limit: "Limit", end: Optional[str]) -> None:
        self.limit, self.end = limit, end

    def __str__(self) -> str:
        if self.end is None:
            return f"no test has {self.limit.name}"
        value = self.limit.min if self.end == "min" else self.limit.max
        return f"no test has {self.limit.name} = {number_text(value)}"

    def failure(self, p: Problem) -> str:
        """The gap as the build's failure names it, with the way out."""
        if self.end is None:
            return (f"{p.name}: no test reports limit {self.limit.name} ({self.limit.what}); "
                    f"the validator must report it")
        which = "lower" if self.end == "min" else "upper"
        value = self.limit.min if self.end == "min" else self.limit.max
        return (f"{p.name}: limit {self.limit.name} ({self.limit.what}) is not reached at its "
                f"{which} end {number_text(value)} by any test (add a test that reaches it, "
                f"or waive it: waive_{self.end} = \"why\" in {p.name}/problem.toml)")


def unreached(p: Problem, seen: Reached) -> list[Gap]:
    """The ends of the limits that no test reaches, but for an end the values may not take
    (min_excluded) or one waived (waive_min, waive_max)."""
    gaps = []
    for name, limit in p.limits.items():
        if name not in seen:
            gaps.append(Gap(limit, None))
            continue
        a, b = seen[name]
        if a > limit.min and not limit.min_excluded and limit.waive_min is None:
            gaps.append(Gap(limit, "min"))
        if b < limit.max and limit.waive_max is None:
            gaps.append(Gap(limit, "max"))
    return gaps


def missing(p: Problem, seen: Reached) -> list[str]:
    """What no test reaches: 'no test has n = 1', ... (see unreached())."""
    return [str(gap) for gap in unreached(p, seen)]


def waived(p: Problem) -> list[str]:
    """The limit ends the manifest waives, each with its reason: 'n = 1 (lower end): why'."""
    found = []
    for limit in p.limits.values():
        for end, value, why in (("lower", limit.min, limit.waive_min),
                                ("upper", limit.max, limit.waive_max)):
            if why is not None:
                found.append(f"{limit.name} = {number_text(value)} ({end} end): {why}")
    return found


def within(capacity: Mapping[str, float], reached: Reached) -> bool:
    """True when a test whose validator reported `reached` lies within a second solver's
    capacity ({limit: largest value it holds})."""
    return all(name not in reached or reached[name][1] <= most
               for name, most in capacity.items())


def main(argv: list[str]) -> int:
    if len(argv) != 3 or argv[0] != "header":
        print("usage: python3 -m psetlib.limits header PROBLEM FILE", file=sys.stderr)
        return 2
    from . import problems
    from .common import Stop
    try:
        text = header(problems.get(argv[1]))
    except Stop as exc:
        print(f"limits: {exc}", file=sys.stderr)
        return 2
    tmp = argv[2] + ".new"
    os.makedirs(os.path.dirname(os.path.abspath(argv[2])), exist_ok=True)
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write(text)
    os.replace(tmp, argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
