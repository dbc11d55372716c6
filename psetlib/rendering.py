"""A problem's statement as a person reads it: an HTML page (html()), and the LaTeX of a small
document around the package's statement body that pdflatex turns into a PDF (latex_document(),
pdf()).

Both show the title, the time and memory limits, the statement text with its limits filled in
(psetlib/statement.py reads it) and the samples, each set in a table of its own: a sample fits
a page (psetlib/samples.py), so a table never needs to break. The page has its stylesheet
inline and nothing remote: mathematics is set from its LaTeX by a small converter of the
commands the statements use (math_html()).
"""

import html
import os
import re
import shutil
import tempfile
from typing import Optional

from . import runner
from .common import Failure
from .limits import number_text
from .statement import blocks

# One sample: its input and its answer (None for a problem without a solver).
Sample = tuple[bytes, Optional[bytes]]

STYLE = """
body { margin: 0; background: #fff; color: #111; font: 17px/1.5 "DejaVu Serif", Georgia, serif; }
main { max-width: 52rem; margin: 0 auto; padding: 1.5rem 2rem 3rem; }
h1 { font-size: 2rem; margin: 0 0 0.5rem; }
h2 { font-size: 1.3rem; margin: 1.6rem 0 0.4rem; border-bottom: 1px solid #ccc; }
code, pre { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; font-size: 0.85rem; }
code { background: #f3f3f3; padding: 0 0.15em; }
.math { white-space: nowrap; }
.math.display { display: block; text-align: center; margin: 0.6rem 0; }
.frac { display: inline-flex; flex-direction: column; vertical-align: middle;
        text-align: center; font-size: 0.85em; }
.frac > span:first-child { border-bottom: 1px solid currentColor; padding: 0 0.2em; }
table { border-collapse: collapse; }
table.limits th, table.limits td { text-align: left; padding: 0.1rem 1rem 0.1rem 0; }
table.limits { margin-bottom: 1rem; color: #333; }
table.sample { margin: 0.8rem 0 1.2rem; border: 1px solid #888; min-width: 60%; }
table.sample caption { text-align: left; font-weight: bold; padding-bottom: 0.2rem; }
table.sample th { background: #eee; text-align: left; padding: 0.2rem 0.6rem;
                  border-top: 1px solid #888; font-weight: normal; font-style: italic; }
table.sample td { padding: 0.3rem 0.6rem; vertical-align: top; }
table.sample pre { margin: 0; white-space: pre; }
"""

SYMBOLS = {
    "le": "\u2264", "leq": "\u2264", "ge": "\u2265", "geq": "\u2265", "ne": "\u2260",
    "neq": "\u2260", "lt": "<", "gt": ">", "cdot": "\u00b7", "cdots": "\u22ef",
    "ldots": "\u2026", "dots": "\u2026", "times": "\u00d7", "pi": "\u03c0", "prod": "\u220f",
    "sum": "\u2211", "infty": "\u221e", "pm": "\u00b1", "to": "\u2192", "in": "\u2208",
    "approx": "\u2248", "lfloor": "\u230a", "rfloor": "\u230b", "lceil": "\u2308",
    "rceil": "\u2309", "alpha": "\u03b1", "beta": "\u03b2", "varepsilon": "\u03b5",
    "epsilon": "\u03b5", "quad": "\u2003", "qquad": "\u2003\u2003", "left": "", "right": "",
    "log": "log", "min": "min", "max": "max", "bmod": "mod", "mod": "mod",
}
SPACES = {",": "\u2009", ";": "\u2005", ":": "\u2005", "!": "", " ": " "}
TEXT_COMMANDS = ("text", "mathrm", "texttt", "textrm", "operatorname")


class _Math:
    """A LaTeX formula read from left to right into HTML."""

    def __init__(self, src: str) -> None:
        self.src = src
        self.at = 0

    def group(self, closing: bool) -> str:
        """HTML up to the closing brace (when `closing`) or the end."""
        out: list[str] = []
        while self.at < len(self.src):
            c = self.src[self.at]
            if c == "}" and closing:
                self.at += 1
                return "".join(out)
            out.append(self.item())
        return "".join(out)

    def argument(self) -> str:
        """The HTML of the next argument: a braced group, a command or one character."""
        while self.at < len(self.src) and self.src[self.at] == " ":
            self.at += 1
        if self.at >= len(self.src):
            return ""
        if self.src[self.at] == "{":
            self.at += 1
            return self.group(True)
        return self.item()

    def raw_argument(self) -> str:
        """The text of the next braced argument, as it stands."""
        if self.src.startswith("{", self.at):
            end = self.src.find("}", self.at)
            end = len(self.src) if end < 0 else end
            text, self.at = self.src[self.at + 1:end], end + 1
            return text
        return self.argument()

    def item(self) -> str:
        src, c = self.src, self.src[self.at]
        if c == "{":
            self.at += 1
            return self.group(True)
        if c == "\\":
            m = re.match(r"\\([A-Za-z]+)|\\(.)", src[self.at:], re.S)
            assert m
            self.at += len(m.group(0))
            name = m.group(1)
            if name is None:
                other = m.group(2)
                return SPACES.get(other, html.escape(other))
            if name == "frac":
                top = self.argument()
                bottom = self.argument()
                return f'<span class="frac"><span>{top}</span><span>{bottom}</span></span>'
            if name in TEXT_COMMANDS:
                return html.escape(self.raw_argument())
            if name in SYMBOLS:
                return SYMBOLS[name]
            return html.escape("\\" + name)
        if c in "^_":
            self.at += 1
            tag = "sup" if c == "^" else "sub"
            return f"<{tag}>{self.argument()}</{tag}>"
        if c.isalpha():
            m = re.match(r"[A-Za-z]+", src[self.at:])
            run = m.group(0) if m else c
            self.at += len(run)
            return f"<i>{run}</i>"
        if c == " ":
            while self.at < len(src) and src[self.at] == " ":
                self.at += 1
            return " "
        self.at += 1
        return "\u2212" if c == "-" else html.escape(c)


def math_html(formula: str) -> str:
    """A LaTeX formula (without its dollars) as HTML."""
    return _Math(formula.strip()).group(False)


def inline_html(text: str) -> str:
    """Statement text as HTML: mathematics between dollars set by math_html(), code between
    backticks in a fixed-width font, quoted words in typographic quotes."""
    out = []
    for part in re.split(r"(\$\$[^$]+\$\$|\$[^$]+\$|`[^`]+`)", text):
        if part.startswith("$$") and part.endswith("$$") and len(part) > 4:
            out.append(f'<span class="math display">{math_html(part[2:-2])}</span>')
        elif part.startswith("$") and part.endswith("$") and len(part) > 1:
            out.append(f'<span class="math">{math_html(part[1:-1])}</span>')
        elif part.startswith("`") and part.endswith("`") and len(part) > 1:
            out.append(f"<code>{html.escape(part[1:-1])}</code>")
        else:
            out.append(re.sub(r'"([^"]*)"', "\u201c\\1\u201d", html.escape(part, quote=False)))
    return "".join(out)


def _seconds(limit: float) -> str:
    return f"{number_text(limit)} second{'' if limit == 1 else 's'}"


def _limits(time_limit: Optional[float], memory: Optional[int]) -> list[tuple[str, str]]:
    rows = [("Time limit", _seconds(time_limit) if time_limit is not None
             else "the judge's default")]
    if memory is not None:
        rows.append(("Memory limit", f"{memory} MB"))
    return rows


def _text(data: bytes) -> str:
    return data.decode("utf-8", errors="replace")


def html_page(title: str, text: str, samples: list[Sample], time_limit: Optional[float],
              memory: Optional[int], where: str = "statement") -> str:
    """The statement as one HTML page: `text` is statement.md with its limits filled in."""
    out = ["<!DOCTYPE html>", '<html lang="en">', "<head>", '<meta charset="utf-8">',
           '<meta name="viewport" content="width=device-width, initial-scale=1">',
           f"<title>{html.escape(title)}</title>", f"<style>{STYLE}</style>", "</head>",
           "<body>", "<main>", f"<h1>{html.escape(title)}</h1>", '<table class="limits">']
    out += [f"<tr><th>{k}</th><td>{html.escape(v)}</td></tr>"
            for k, v in _limits(time_limit, memory)]
    out.append("</table>")
    for kind, value in blocks(text, where):
        if kind == "section":
            out.append(f"<h2>{html.escape(str(value))}</h2>")
        elif kind == "paragraph":
            out.append(f"<p>{inline_html(str(value))}</p>")
        else:
            assert isinstance(value, list)
            out.append("<ul>")
            out += [f"<li>{inline_html(item)}</li>" for item in value]
            out.append("</ul>")
    if samples:
        out.append(f"<h2>Sample{'s' if len(samples) > 1 else ''}</h2>")
    for k, (inp, ans) in enumerate(samples, 1):
        out += ['<table class="sample">', f"<caption>Sample {k}</caption>",
                "<tr><th>Input</th></tr>",
                f"<tr><td><pre>{html.escape(_text(inp))}</pre></td></tr>"]
        if ans is not None:
            out += ["<tr><th>Output</th></tr>",
                    f"<tr><td><pre>{html.escape(_text(ans))}</pre></td></tr>"]
        out.append("</table>")
    out += ["</main>", "</body>", "</html>", ""]
    return "\n".join(out)


# ------------------------------------------------------------------------------------- PDF

def _tt_line(line: str) -> str:
    """One line of a sample in LaTeX, every character as it stands in a fixed-width font."""
    out = []
    for c in line.replace("\t", "    "):
        if c.isascii() and c.isalnum():
            out.append(c)
        elif c == " ":
            out.append("\\ ")
        elif " " < c < "\x7f":
            out.append(f"{{\\char{ord(c)}}}")
        else:
            out.append("?")
    return "".join(out)


def _sample_table(caption: str, data: bytes) -> list[str]:
    lines = _text(data).split("\n")
    if lines[-1] == "":
        lines.pop()
    rows = [f"{{\\footnotesize\\ttfamily\\mbox{{}}{_tt_line(line)}}}\\\\" for line in lines]
    return ["\\par\\noindent\\begin{tabular}{|l|}\\hline",
            f"\\textbf{{{caption}}}\\\\\\hline", *rows, "\\hline", "\\end{tabular}\\par",
            "\\medskip"]


def latex_document(body_file: str, samples: list[Sample], time_limit: Optional[float],
                   memory: Optional[int]) -> str:
    """A LaTeX document that sets the statement body in `body_file` (the package's
    problem.en.tex, which opens with \\problemname) and then its samples."""
    limits = ", ".join(f"{k}: {v}" for k, v in _limits(time_limit, memory))
    out = ["\\documentclass[11pt,a4paper]{article}", "\\usepackage[utf8]{inputenc}",
           "\\usepackage{amsmath,amssymb}", "\\usepackage[margin=2.2cm]{geometry}",
           "\\setlength{\\parindent}{0pt}", "\\setlength{\\parskip}{0.5em}",
           "\\newcommand{\\problemname}[1]{\\begin{center}{\\LARGE\\bfseries #1\\par}"
           f"\\smallskip {limits}\\end{{center}}}}",
           "\\begin{document}", f"\\input{{{body_file}}}"]
    if samples:
        out.append(f"\\section*{{Sample{'s' if len(samples) > 1 else ''}}}")
    for k, (inp, ans) in enumerate(samples, 1):
        out += _sample_table(f"Sample input {k}", inp)
        if ans is not None:
            out += _sample_table(f"Sample output {k}", ans)
    out += ["\\end{document}", ""]
    return "\n".join(out)


def pdflatex() -> Optional[str]:
    return shutil.which("pdflatex")


def pdf(body_tex: str, samples: list[Sample], time_limit: Optional[float],
        memory: Optional[int], dest: str, shown: str) -> None:
    """Writes the PDF of the statement body `body_tex` and its samples into `dest` with
    pdflatex (which must be installed); a run that fails is a Failure naming `shown`."""
    engine = pdflatex()
    assert engine
    with tempfile.TemporaryDirectory(prefix="pset-statement-") as tmp:
        with open(os.path.join(tmp, "problem.en.tex"), "w", encoding="utf-8") as fh:
            fh.write(body_tex)
        with open(os.path.join(tmp, "statement.tex"), "w", encoding="utf-8") as fh:
            fh.write(latex_document("problem.en.tex", samples, time_limit, memory))
        env = dict(os.environ, SOURCE_DATE_EPOCH="0", FORCE_SOURCE_DATE="1")
        r = runner.run([engine, "-interaction=nonstopmode", "-halt-on-error", "-no-shell-escape",
                        "statement.tex"], cwd=tmp, env=env, stdout=os.devnull, wall_limit=120)
        os.unlink(r.stderr)
        made = os.path.join(tmp, "statement.pdf")
        if not r.ok or not os.path.exists(made):
            log = _first_error(os.path.join(tmp, "statement.log"))
            raise Failure(f"pdflatex could not set {shown}: {log or r.describe()}")
        shutil.copyfile(made, dest + ".new")
        os.replace(dest + ".new", dest)


def _first_error(log: str) -> str:
    """The first error line of a LaTeX log ("! Undefined control sequence."), or ""."""
    try:
        with open(log, encoding="utf-8", errors="replace") as fh:
            for line in fh:
                if line.startswith("!"):
                    return line.strip()
    except OSError:
        pass
    return ""
