"""A problem's statement text (`<problem>/statement.md`) as the LaTeX body of a problem
package's `problem_statement/problem.en.tex`.

The text: paragraphs separated by blank lines; `## Input` and `## Output` start those
sections (both are required); lines starting with `- ` make a list (an indented line goes on
with the item); `$...$` and `$$...$$` are mathematics passed to LaTeX as they stand;
`` `text` `` is set in a fixed-width font and "text" in typographic quotes; every other LaTeX
special character is escaped.
"""

import re
from typing import Optional

from .common import Stop

SPECIAL = {"\\": r"\textbackslash{}", "{": r"\{", "}": r"\}", "#": r"\#", "%": r"\%",
           "&": r"\&", "_": r"\_", "~": r"\textasciitilde{}", "^": r"\textasciicircum{}",
           "$": r"\$", "<": r"\textless{}", ">": r"\textgreater{}"}
REQUIRED = ("Input", "Output")


def latex(text: str) -> str:
    """Plain text with every LaTeX special character escaped."""
    return "".join(SPECIAL.get(c, c) for c in text)


def inline(text: str) -> str:
    """Math between dollars as it stands, code between backticks in a fixed-width font, quoted
    words in typographic quotes, everything else escaped."""
    out = []
    for part in re.split(r"(\$\$[^$]+\$\$|\$[^$]+\$|`[^`]+`)", text):
        if part.startswith("$") and part.endswith("$") and len(part) > 1:
            out.append(part)
        elif part.startswith("`") and part.endswith("`") and len(part) > 1:
            out.append("\\texttt{" + latex(part[1:-1]).replace(" ", "\\ ") + "}")
        else:
            out.append(re.sub(r'"([^"]*)"', r"``\1''", latex(part)))
    return "".join(out)


Block = tuple[str, object]  # ("section", heading), ("paragraph", text), ("list", [item, ...])


class _Blocks:
    """The blocks of a statement text being read, with the paragraph or list in hand."""

    def __init__(self) -> None:
        self.out: list[Block] = []
        self.paragraph: list[str] = []
        self.items: Optional[list[str]] = None

    def flush(self) -> None:
        if self.paragraph:
            self.out.append(("paragraph", "\n".join(self.paragraph)))
            self.paragraph = []
        if self.items is not None:
            self.out.append(("list", self.items))
            self.items = None

    def line(self, line: str) -> None:
        stripped = line.strip()
        if not stripped:
            self.flush()
        elif stripped.startswith("## "):
            self.flush()
            self.out.append(("section", stripped[3:].strip()))
        elif stripped.startswith("- "):
            if self.paragraph:
                self.flush()
            if self.items is None:
                self.items = []
            self.items.append(stripped[2:])
        elif self.items is not None and line[:1].isspace():
            self.items[-1] += "\n    " + stripped
        else:
            if self.items is not None:
                self.flush()
            self.paragraph.append(stripped)


def blocks(text: str, where: str = "statement") -> list[Block]:
    """The blocks of a statement text; a text without its required sections stops, naming
    `where`."""
    reader = _Blocks()
    for line in text.splitlines():
        reader.line(line)
    reader.flush()
    sections = {str(value) for kind, value in reader.out if kind == "section"}
    for needed in REQUIRED:
        if needed not in sections:
            raise Stop(f"{where} has no '## {needed}' section")
    return reader.out


def statement_tex(title: str, text: str, where: str = "statement") -> str:
    """The LaTeX body of a statement text; a text without its required sections stops,
    naming `where`."""
    out = [f"\\problemname{{{latex(title)}}}", ""]
    for kind, value in blocks(text, where):
        if kind == "section":
            out += [f"\\section*{{{latex(str(value))}}}", ""]
        elif kind == "paragraph":
            out += [inline(str(value)), ""]
        else:
            assert isinstance(value, list)
            out.append("\\begin{itemize}")
            out += [f"  \\item {inline(item)}" for item in value]
            out += ["\\end{itemize}", ""]
    return "\n".join(out).rstrip("\n") + "\n"
