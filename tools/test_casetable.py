"""The case-table runner itself: it must fail a wrong case loudly, with the case's name and a
diff, and refuse a table an editor has damaged."""

import os
import subprocess
import sys
import tempfile
import unittest

import harness

RUNNER = os.path.join(harness.ROOT, "tools", "casetable.py")


def run_table(text):
    with tempfile.NamedTemporaryFile("w", suffix=".cases", delete=False) as fh:
        fh.write(text)
    try:
        return subprocess.run([sys.executable, RUNNER, fh.name], capture_output=True, text=True)
    finally:
        os.unlink(fh.name)


class CaseTable(unittest.TestCase):
    def test_passing_table(self):
        p = run_table("programs: demolish_solver\n=== fine\nstdin: 1 2 1 2 1 2\n"
                      "stdout:\n|2|\n|0|\n")
        self.assertEqual(p.returncode, 0, p.stdout)

    def test_wrong_output_names_the_case_and_shows_a_diff(self):
        p = run_table("programs: demolish_solver\n=== fine\nstdin: 1 1 5 1\nstdout: 0\n"
                      "=== wrong on purpose\nstdin: 1 2 1 2 1 2\nstdout:\n|2 |\n|0|\n")
        self.assertEqual(p.returncode, 1)
        self.assertIn("case 'wrong on purpose' (demolish_solver)", p.stdout)
        self.assertIn("-|2 |", p.stdout)  # the trailing space shows inside the bars
        self.assertIn("+|2|", p.stdout)
        self.assertNotIn("'fine'", p.stdout)

    def test_status_and_stderr_are_checked(self):
        cases = [
            # expected 0, got 2 with a message
            ("stdin: -1\n", "exit status 2, expected 0"),
            # expected a message that does not come
            ("stdin: 0\nstatus: 2\nstderr: {prog}: nothing\n", "stderr should be one line"),
            # a different message
            ("stdin: -1\nstatus: 2\nstderr: {prog}: case count is not\n",
             "stderr should be one line"),
        ]
        for body, text in cases:
            p = run_table("programs: demolish_solver\n=== c\n" + body)
            self.assertEqual(p.returncode, 1, body)
            self.assertIn(text, p.stdout, body)

    def test_damaged_tables_are_refused(self):
        for text in ("=== a\nstdout:\n|0 \n",          # closing bar stripped
                     "=== a\n=== a\n",                 # one name twice
                     "=== a\nstdout: 0\nstdout: 0\n",  # one key twice
                     "=== a\nfrobnicate: 1\n",         # unknown key
                     "=== a\nstdout-full:\nstdout: 0\n",  # output that is not compared
                     "=== a\nstdout-full:\nstdout-closed:\n",
                     "=== a\nargs: x\nargs-python:\n  ['y']\n",
                     "=== a\nargs-python:\n  'x y'\n",   # not a list
                     "# nothing\n"):                   # no cases
            p = run_table("programs: demolish_solver\n" + text)
            self.assertEqual(p.returncode, 2, text)
            self.assertTrue(p.stderr.startswith("casetable: "), p.stderr)

    def test_output_redirections_reach_the_program(self):
        """A case whose output goes to /dev/full or a closed descriptor sees the program's
        status and stderr; the same case expecting success fails."""
        for key, reason in (("stdout-full", "No space left on device"),
                            ("stdout-closed", "Bad file descriptor")):
            body = f"=== w\nstdin: 1 1 5 1\n{key}:\n"
            want = f"status: 2\nstderr: {{prog}}: cannot write the answers: {reason}\n"
            p = run_table("programs: demolish_solver\n" + body + want)
            self.assertEqual(p.returncode, 0, p.stdout)
            p = run_table("programs: demolish_solver\n" + body)
            self.assertEqual(p.returncode, 1, p.stdout)
            self.assertIn("exit status 2, expected 0", p.stdout)

    def test_args_python_passes_a_newline(self):
        p = run_table("programs: float_judge\n=== n\nargs-python:\n  ['x\\ny', 'z']\n"
                      "status: 2\nstderr: {prog}: cannot open x\\ny: No such\n")
        self.assertEqual(p.returncode, 0, p.stdout)


if __name__ == "__main__":
    harness.main()
