"""A problem's limits, stated once in its problem.toml's [limits] and followed everywhere:

- the input validator includes `problem_limits.h`, written from them (header());
- the statement names them as {{NAME.min}} and {{NAME.max}} (fill());
- the limits report compares them with what the tests reach (missing()).

    python3 -m psetlib.limits header PROBLEM FILE

writes the header of one problem (CMake runs it before it builds the validator).
"""

import os
import re
import sys

_IDENT = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


def named(p):
    """{name: (min, max, min_excluded)} of the manifest's [limits], in its order."""
    found = {}
    for name, bound in p.data.get("limits", {}).items():
        if isinstance(bound, dict) and "min" in bound and "max" in bound:
            found[name] = (bound["min"], bound["max"], bound.get("min_excluded", False))
    return found


def number_text(x):
    """A bound as a person writes it: 200000, 1000000000, 0.5, 1e-09 as 1e-9."""
    if isinstance(x, bool):
        raise TypeError("a bound is a number")
    if isinstance(x, int):
        return str(x)
    if float(x).is_integer() and abs(x) < 1e15:
        return str(int(x))
    text = repr(float(x))
    if "e" in text:
        mantissa, exp = text.split("e")
        text = f"{mantissa}e{int(exp)}"
    return text


def header(p):
    """The C++ header that gives the validator its bounds: in namespace `bound`, NAME_min and
    NAME_max (long long, or double where a bound is not whole), and NAME_min_excluded."""
    lines = [f"// problem_limits.h: the limits of {p.title},",
             f"// written from {p.name}/problem.toml [limits] by psetlib/limits.py.",
             "// Change the limits there, never here: this file is written anew on every build.",
             "#ifndef PROBLEM_LIMITS_H", "#define PROBLEM_LIMITS_H", "", "namespace bound {"]
    for name, (lo, hi, excluded) in named(p).items():
        if not _IDENT.fullmatch(name):
            raise ValueError(f"{p.name}/problem.toml: limit {name!r} is not a C++ name")
        whole = isinstance(lo, int) and isinstance(hi, int)
        kind = "long long" if whole else "double"
        lo_text = number_text(lo) if whole else repr(float(lo))
        hi_text = number_text(hi) if whole else repr(float(hi))
        lines.append(f"constexpr {kind} {name}_min = {lo_text}, {name}_max = {hi_text};")
        lines.append(f"constexpr bool {name}_min_excluded = {'true' if excluded else 'false'};")
    lines += ["} // namespace bound", "", "#endif", ""]
    return "\n".join(lines)


_PLACE = re.compile(r"\{\{\s*([A-Za-z_][A-Za-z0-9_]*)\.(min|max)\s*\}\}")


def fill(p, text, where):
    """The statement text with every {{NAME.min}} and {{NAME.max}} replaced by the bound from
    [limits]; a name it does not know raises ValueError naming `where`."""
    bounds = named(p)

    def one(m):
        name, end = m.group(1), m.group(2)
        if name not in bounds:
            raise ValueError(f"{where}: {m.group(0)} names no limit of {p.name}/problem.toml "
                             f"(its limits: {', '.join(bounds) or 'none'})")
        lo, hi, _ = bounds[name]
        return number_text(lo if end == "min" else hi)

    return _PLACE.sub(one, text)


def main(argv):
    if len(argv) != 3 or argv[0] != "header":
        print("usage: python3 -m psetlib.limits header PROBLEM FILE", file=sys.stderr)
        return 2
    from . import problems
    from .common import Stop
    try:
        p = problems.get(argv[1])
        text = header(p)
    except (Stop, ValueError) as exc:
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
