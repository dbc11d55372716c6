"""pset statements: every problem's statement written as an HTML page from the tree's shared
package (the default build of the set), opened in headless Chromium (Debian's `chromium`; without it those checks are skipped and
say so): the page as the browser holds it has the title, the time limit, every section of the
statement and every sample complete, each line inside the window, and a screenshot of the whole
page is taken (kept in build/statements-screenshots/ for a look). Where pdflatex is installed,
the PDFs too. And the small converter that sets the statements' mathematics."""

import concurrent.futures
import json
import os
import re
import shutil
import struct
import subprocess
import tempfile
import unittest

import harness
from harness import pset
from psetlib import problems, rendering

CHROMIUM = shutil.which("chromium")
WIDTH = 1000  # the window's width, in CSS pixels: a laptop's browser
SHOTS = os.path.join(harness.BUILD, "statements-screenshots")
# Run in the page after it is laid out: what the browser shows, as JSON in the dumped DOM.
PROBE = """<script>
(function () {
  var doc = document.documentElement, found = {
    width: doc.clientWidth, scrollWidth: doc.scrollWidth, height: doc.scrollHeight,
    h1: Array.from(document.querySelectorAll("h1"), function (e) { return e.textContent; }),
    h2: Array.from(document.querySelectorAll("h2"), function (e) { return e.textContent; }),
    limits: document.querySelector("table.limits").textContent,
    pres: Array.from(document.querySelectorAll("table.sample pre"), function (e) {
      var r = e.getBoundingClientRect();
      return {text: e.textContent, left: r.left, right: r.right,
              scroll: e.scrollWidth, client: e.clientWidth};
    })};
  var out = document.createElement("script");
  out.type = "application/json";
  out.id = "probe";
  out.textContent = JSON.stringify(found);
  document.body.appendChild(out);
})();
</script>"""


def chromium(tmp, *args):
    profile = tempfile.mkdtemp(prefix="profile-", dir=tmp)
    cmd = [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           f"--user-data-dir={profile}", *args]
    try:
        return subprocess.run(cmd, capture_output=True, text=True, timeout=180)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def png_size(path):
    """(width, height) of a PNG; AssertionError when it is none."""
    with open(path, "rb") as fh:
        head = fh.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError(f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def sections(name):
    with open(os.path.join(harness.ROOT, name, "statement.md"), encoding="utf-8") as fh:
        return [line.strip()[3:].strip() for line in fh if line.strip().startswith("## ")]


class Pages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-statements-")
        cls.names = problems.names()
        # the shared package, a copy linked to it that the statements go into
        cls.out = harness.package_copy(os.path.join(cls.tmp, "out"))
        cls.made = pset("statements", "--out", cls.out)
        cls.folder = os.path.join(cls.out, "statements")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def setUp(self):
        self.assertEqual(self.made.returncode, 0, self.made.stdout + self.made.stderr)

    def samples_of(self, name):
        """(input, answer or None) of each sample, as the examples and the package hold them."""
        p = problems.get(name)
        tests = os.path.join(self.out, name, "tests")
        with open(os.path.join(tests, "manifest")) as fh:
            made = {line.split()[-1]: line.split()[0] for line in fh if " example " in line}
        found = []
        for stem in p.samples:
            number = made[f"{name}/examples/{stem}.in"]
            with open(os.path.join(harness.ROOT, name, "examples", stem + ".in")) as fh:
                inp = fh.read()
            ans = None
            if p.solver:
                with open(os.path.join(tests, number + ".ans")) as fh:
                    ans = fh.read()
            found.append((inp, ans))
        return found

    def test_every_problem_has_its_page_and_says_so(self):
        self.assertEqual(sorted(f for f in os.listdir(self.folder) if f.endswith(".html")),
                         sorted(n + ".html" for n in self.names))
        for name in self.names:
            self.assertIn(f"{name} ", self.made.stdout)
            with open(os.path.join(self.folder, name + ".html"), encoding="utf-8") as fh:
                page = fh.read()
            # nothing remote and no script: the page stands alone
            self.assertIsNone(re.search(r"<script|<link|https?://|src=", page), name)

    def test_pages_in_a_browser_show_title_sections_limits_and_whole_samples(self):
        if CHROMIUM is None:
            self.skipTest("chromium is not installed (apt-get install chromium): the pages "
                          "were written but not opened in a browser")
        if os.path.isdir(SHOTS):
            shutil.rmtree(SHOTS)
        os.makedirs(SHOTS)

        # every problem's page, and one of a statement whose two samples are as large as a
        # sample may be: 40 lines of 80 of the widest characters
        pages = {}
        for name in self.names:
            p = problems.get(name)
            texts = [t for inp, ans in self.samples_of(name)
                     for t in ([inp] if ans is None else [inp, ans])]
            pages[name] = (os.path.join(self.folder, name + ".html"), p.title, sections(name),
                           texts, p.time_limit, len(p.samples))
        largest = ["".join("W@#M"[(r + c) % 4] for c in range(80)) + "\n" for r in range(40)]
        big = "".join(largest)
        path = os.path.join(self.tmp, "largest-samples.html")
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(rendering.html_page("Largest samples", "Text.\n\n## Input\nIn.\n\n"
                                         "## Output\nOut.\n", [(big.encode(), big.encode())] * 2,
                                         2.5, 256))
        pages["largest-samples"] = (path, "Largest samples", ["Input", "Output"], [big] * 4, 2.5,
                                    2)

        def look(name):
            page_path = pages[name][0]
            probe = os.path.join(self.tmp, name + ".probe.html")
            with open(page_path, encoding="utf-8") as fh:
                page = fh.read()
            with open(probe, "w", encoding="utf-8") as fh:
                fh.write(page.replace("</body>", PROBE + "\n</body>"))
            dumped = chromium(self.tmp, f"--window-size={WIDTH},900", "--dump-dom",
                              "file://" + probe)
            m = re.search(r'<script type="application/json" id="probe">(.*?)</script>',
                          dumped.stdout, re.S)
            if not m:
                return name, None, dumped.stderr[-2000:], None
            found = json.loads(m.group(1))  # a script's text is dumped as it stands
            shot = os.path.join(SHOTS, name + ".png")
            height = max(600, int(found["height"]))
            taken = chromium(self.tmp, f"--window-size={WIDTH},{height}",
                             f"--screenshot={shot}", "file://" + page_path)
            return name, found, taken.stderr[-2000:], (shot, height)

        # a browser's start is mostly waiting, not work: four at a time
        with concurrent.futures.ThreadPoolExecutor(4) as pool:
            looks = list(pool.map(look, pages))
        for name, found, err, shot in looks:
            with self.subTest(name):
                _, title, headings, texts, time_limit, samples = pages[name]
                self.assertIsNotNone(found, f"chromium did not lay out the page: {err}")
                self.assertEqual(found["h1"], [title])
                self.assertEqual(found["h2"], headings + ["Samples" if samples > 1 else "Sample"])
                self.assertIn("Time limit", found["limits"])
                if time_limit is not None:
                    self.assertIn(f"{time_limit:g} second", found["limits"])
                self.assertEqual([pre["text"] for pre in found["pres"]], texts)
                # every line of every sample lies inside the window: nothing cut at the right
                self.assertLessEqual(found["scrollWidth"], found["width"])
                for pre in found["pres"]:
                    self.assertGreaterEqual(pre["left"], 0)
                    self.assertLessEqual(pre["right"], found["width"])
                    self.assertLessEqual(pre["scroll"], pre["client"])
                path, height = shot
                self.assertTrue(os.path.exists(path), f"no screenshot: {err}")
                self.assertEqual(png_size(path), (WIDTH, height))

    def test_pdfs_where_pdflatex_is_installed(self):
        if rendering.pdflatex() is None:
            self.assertIn("no pdflatex on PATH: HTML only", self.made.stdout)
            self.skipTest("pdflatex is not installed: the statements were written as HTML "
                          "only")
        reader = shutil.which("pdftotext")
        for name in self.names:
            with self.subTest(name):
                path = os.path.join(self.folder, name + ".pdf")
                with open(path, "rb") as fh:
                    self.assertEqual(fh.read(5), b"%PDF-")
                if reader:
                    text = subprocess.run([reader, "-layout", path, "-"], capture_output=True,
                                          text=True, timeout=60).stdout
                    self.assertIn(problems.get(name).title, text)
                    # a text extractor keeps the characters of a line, not its spaces
                    squeezed = re.sub(r"\s+", "", text)
                    for inp, ans in self.samples_of(name):
                        for line in (inp + (ans or "")).splitlines():
                            self.assertIn(re.sub(r"\s+", "", line), squeezed)

    def test_a_package_not_built_is_refused(self):
        empty = os.path.join(self.tmp, "empty")
        os.makedirs(empty)
        p = pset("statements", "--out", empty, "rounding")
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        self.assertIn("is not built", p.stderr)
        self.assertFalse(os.path.exists(os.path.join(empty, "statements")))


class Mathematics(unittest.TestCase):
    def test_formulas_of_the_statements(self):
        rows = [
            ("1 \\le n \\le 200000", "1 \u2264 <i>n</i> \u2264 200000"),
            ("a_i", "<i>a</i><sub><i>i</i></sub>"),
            ("10^{-10}", "10<sup>\u221210</sup>"),
            ("\\pi r^2 / 100", "\u03c0 <i>r</i><sup>2</sup> / 100"),
            ("261\\,450", "261\u2009450"),
            ("p_1, \\ldots, p_n", "<i>p</i><sub>1</sub>, \u2026, <i>p</i><sub><i>n</i></sub>"),
            ("\\frac{2i - 2}{2i - 1}",
             '<span class="frac"><span>2<i>i</i> \u2212 2</span>'
             "<span>2<i>i</i> \u2212 1</span></span>"),
            ("x < y & z", "<i>x</i> &lt; <i>y</i> &amp; <i>z</i>"),
            ("\\text{if } k", "if  <i>k</i>"),
            ("\\unknown", "\\unknown"),
            ("x^", "<i>x</i><sup></sup>"),
            ("{", ""),
        ]
        for formula, want in rows:
            with self.subTest(formula):
                self.assertEqual(rendering.math_html(formula), want)

    def test_text_around_the_formulas(self):
        self.assertEqual(rendering.inline_html('Print "Yes" or `a<b` & $n$.'),
                         "Print \u201cYes\u201d or <code>a&lt;b</code> &amp; "
                         '<span class="math"><i>n</i></span>.')


if __name__ == "__main__":
    harness.main()
