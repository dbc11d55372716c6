"""A judged program tried as an adversarial contestant would: one table of attacks, each a
small fixture (a script, or a tiny C program compiled here) with the outcome it must get, run
by pset from a fresh copy of the project in a folder whose name holds a blank. Each attack runs
in the sandbox (--sandbox require) and, where it does not need one, without it (--sandbox off);
one that needs bubblewrap, or a cgroup, is skipped where it cannot be had."""

import glob
import hashlib
import os
import resource
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import harness
from psetlib import cgroup, remake, sandbox

BUILD = harness.BUILD
GUARD = 300
PROBLEMS = ("demolition", "rounding", "constant")

sandbox.configure("off", BUILD)
BOXED, NO_BOX = sandbox.usable()
TREE_MEMORY, NO_GROUP = cgroup.probe()

C_FIXTURES = {
    # a parent that forks a worker, reads the answer from it and never waits for it
    "hide_cpu": r"""
#include <stdio.h>
#include <time.h>
#include <unistd.h>
int main(void) {
  int p[2];
  if (pipe(p)) return 9;
  if (fork() == 0) {
    struct timespec t;
    do clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    while (t.tv_sec * 10 + t.tv_nsec / 100000000 < 8); /* 0.8 s of CPU */
    if (write(p[1], "25\n", 3) != 3) return 9;
    for (;;) {}
  }
  char b[8];
  ssize_t n = read(p[0], b, sizeof b);
  if (n > 0 && write(1, b, n) != n) return 9;
  return 0;
}""",
    # three children of 200 MB each at once
    "three_children": r"""
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
int main(void) {
  for (int i = 0; i < 3; i++)
    if (fork() == 0) {
      volatile char *m = malloc(200 << 20);
      if (!m) _exit(1);
      for (int k = 0; k < 200 << 20; k += 4096) m[k] = 1;
      usleep(400000);
      _exit(0);
    }
  while (wait(NULL) > 0) {}
  puts("25");
  return 0;
}""",
    # 92 MB touched under a 100 MB limit, then a failure that is not about memory
    "touch_92": r"""
#include <stdlib.h>
int main(void) {
  volatile char *m = malloc(92 << 20);
  if (!m) return 1;
  for (int k = 0; k < 92 << 20; k += 4096) m[k] = 1;
  return 3;
}""",
    # 200 MB asked for under a 100 MB limit; a refusal ends it quietly with status 1
    "refused": r"""
#include <stdio.h>
#include <stdlib.h>
int main(void) {
  volatile char *m = malloc(200 << 20);
  if (!m) return 1;
  for (int k = 0; k < 200 << 20; k += 4096) m[k] = 1;
  puts("25");
  return 0;
}""",
    # a crash, saying first what core file it may leave
    "crash": r"""
#include <stdio.h>
#include <sys/resource.h>
int main(void) {
  struct rlimit r;
  getrlimit(RLIMIT_CORE, &r);
  fprintf(stderr, "core limit %llu\n", (unsigned long long)r.rlim_cur);
  fflush(stderr);
  *(volatile int *)0 = 1;
  return 0;
}""",
}

SCRIPTS = {
    # prints the answer file beside its input, found through /proc/self/fd/0
    "reads_answer": r"""#!/usr/bin/env python3
import os, sys
where = os.readlink("/proc/self/fd/0")
try:
    with open(where[:-3] + ".ans") as fh:
        sys.stdout.write(fh.read())
except OSError as exc:
    print(f"not read: {where}: {exc}", file=sys.stderr)
""",
    # overwrites the answer beside its input (and the input itself), then prints the same
    "rewrites_answer": r"""#!/usr/bin/env python3
import os, sys
where = os.readlink("/proc/self/fd/0")
for path in (where[:-3] + ".ans", "/proc/self/fd/0", where):
    try:
        with open(path, "w") as fh:
            fh.write("0\n")
    except OSError:
        pass
print(0)
""",
    # deletes a file of the project and appends to another: from its working folder, from
    # its input's path and from its own
    "changes_project": r"""#!/usr/bin/env python3
import os
bases = [os.getcwd(), os.path.dirname(os.path.abspath(__file__))]
try:
    bases.append(os.path.join(os.path.dirname(os.readlink("/proc/self/fd/0")), "..", "..", ".."))
except OSError:
    pass
for base in bases:
    for up in ("", "..", "../..", "../../.."):
        root = os.path.join(base, up)
        try:
            os.remove(os.path.join(root, "demolition", "examples", "01-worked.in"))
        except OSError:
            pass
        try:
            with open(os.path.join(root, "demolition", "demolish_solver.cpp"), "a") as fh:
                fh.write("// changed\n")
        except OSError:
            pass
print(0)
""",
}

SCRIPTS.update({
    # looks for what an earlier test of its command left, then leaves a file in its working
    # folder, HOME and TMPDIR, and a process that left its session and cleared its mark
    "leaves_traces": r"""#!/usr/bin/env python3
import os, subprocess, sys
places = {os.getcwd(), os.environ.get("HOME", "/"), os.environ.get("TMPDIR", "/")}
seen = [p for p in places if os.path.exists(os.path.join(p, "left-behind"))]
for pid in filter(str.isdigit, os.listdir("/proc")):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as fh:
            if fh.read() == b"sleep\0" b"7.4163\0":
                seen.append("a process")
    except OSError:
        pass
print("found " + ", ".join(sorted(seen)) if seen else 25, flush=True)
for p in places:
    try:
        with open(os.path.join(p, "left-behind"), "w") as fh:
            fh.write("x")
    except OSError:
        pass
subprocess.run(["setsid", "sh", "-c", "(unset PSET_RUN; exec sleep 7.4163) &"])
""",
    # the same in the kernel: a file in /dev/shm, a SysV shared memory segment, a POSIX message
    # queue, keys in its session and user keyrings, a TCP connection left in TIME_WAIT
    "leaves_kernel_state": r"""#!/usr/bin/env python3
import ctypes, os, platform, socket
libc = ctypes.CDLL(None, use_errno=True)
rt = ctypes.CDLL("librt.so.1", use_errno=True)
ADD_KEY = {"x86_64": 248, "aarch64": 217}.get(platform.machine())
SHM_KEY, QUEUE = 0x5e7e7, b"/left-behind"
seen = []
if os.path.exists("/dev/shm/left-behind"):
    seen.append("/dev/shm")
if libc.shmget(SHM_KEY, 0, 0) >= 0:
    seen.append("shm")
if rt.mq_open(QUEUE, os.O_RDONLY) >= 0:
    seen.append("queue")
for where, left in (("/proc/keys", lambda text: "left-behind" in text),
                    ("/proc/net/tcp", lambda text: len(text.splitlines()) > 1)):
    try:
        with open(where) as fh:
            if left(fh.read()):
                seen.append(where)
    except OSError:  # a kernel without keyrings
        pass
print("found " + ", ".join(seen) if seen else 25, flush=True)
try:
    with open("/dev/shm/left-behind", "w") as fh:
        fh.write("x")
except OSError:
    pass
libc.shmget(SHM_KEY, 4096, 0o1666)
rt.mq_open(QUEUE, os.O_CREAT | os.O_RDWR, 0o666, None)
if ADD_KEY:
    for ring in (-3, -4):  # session, user
        libc.syscall(ADD_KEY, b"user", b"left-behind", b"x", 1, ring)
try:
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen()
    client = socket.create_connection(server.getsockname())
    server.accept()[0].close()
    client.close()  # the side that closes first waits in TIME_WAIT
except OSError:
    pass
""",
    # moves the folder that holds its own program (inside the sandbox, under its /tmp)
    "moves_its_folder": r"""#!/usr/bin/env python3
import os
print(25, flush=True)
here = os.path.dirname(os.path.abspath(__file__))
while os.path.dirname(here) not in ("/tmp", "/"):
    here = os.path.dirname(here)
try:
    os.rename(here, here + "-moved")
except OSError:
    pass
""",
})

SHELL = {
    "bad_alloc": "echo 'terminate called after throwing std::bad_alloc' >&2; exit 1",
    "sigxcpu": "kill -XCPU $$",
    "sigxfsz": "printf '25\\n'; kill -XFSZ $$",
    # setsid, two forks, the run's mark cleared: a process that outlives its test if it can
    "escapee": "setsid sh -c '(unset PSET_RUN; exec sleep 7.31) &' & echo 0; sleep 0.1",
}


def digest(folder):
    h = hashlib.sha256()
    for path in sorted(glob.glob(os.path.join(folder, "**"), recursive=True)):
        if os.path.isfile(path):
            h.update(path.encode())
            with open(path, "rb") as fh:
                h.update(fh.read())
    return h.hexdigest()


def sleepers(arg):
    """Pids of processes running `sleep ARG`."""
    return harness.processes("cmdline", lambda b: b == b"sleep\0" + arg.encode() + b"\0")


def running(top, text):
    """The processes among `top` and its descendants whose command line holds `text` (never
    another test's, which may run the same programs at the same time)."""
    found, todo = [], [str(top)]
    while todo:
        pid = todo.pop()
        if text in harness.cmdline(pid):
            found.append(pid)
        todo += harness.children(pid)
    return found


class Attacks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="pset-sandbox-")
        cls.tree = harness.copy_project(os.path.join(cls.tmp, "a clone"))
        cls.out = os.path.join(cls.tree, "out")
        p = cls.pset("build", "--tests", "0", *PROBLEMS)
        assert p.returncode == 0, p.stdout + p.stderr
        cls.fixtures = os.path.join(cls.tmp, "fixtures")
        os.makedirs(cls.fixtures)
        cc = shutil.which("cc") or shutil.which("gcc")
        for name, source in C_FIXTURES.items():
            src = os.path.join(cls.fixtures, name + ".c")
            with open(src, "w") as fh:
                fh.write(source)
            subprocess.run([cc, "-O1", "-o", os.path.join(cls.fixtures, name), src], check=True)
        for name, text in SCRIPTS.items():
            path = os.path.join(cls.fixtures, name)
            with open(path, "w") as fh:
                fh.write(text)
            os.chmod(path, 0o755)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    @classmethod
    def pset(cls, *args, tmpdir=None, **kw):
        env = dict(os.environ, TMPDIR=tmpdir or cls.tmp)
        return subprocess.run([sys.executable, os.path.join(cls.tree, "pset"), "--build-dir",
                               BUILD, *args], cwd=cls.tree, capture_output=True, text=True,
                              timeout=GUARD, env=env, preexec_fn=cap_memory, **kw)

    def fixture(self, name):
        if name in SHELL:
            return ["sh", "-c", SHELL[name]]
        return [os.path.join(self.fixtures, name)]

    def judge(self, problem, command, mode, *extra):
        """The run and its table: {test: (verdict, detail)}."""
        p = self.pset("judge", problem, "--out", self.out, "--sandbox", mode, *extra, "--",
                      *command)
        self.assertNotIn("Traceback", p.stderr)
        lines = p.stdout.splitlines()
        rows = {}
        if lines and lines[0].startswith("test"):
            at, detail = lines[0].index("verdict"), lines[0].index("detail")
            for line in lines[1:-1]:
                rows[line.split()[0]] = (line[at:at + 14].strip(), line[detail:].strip())
        return p, rows

    def require(self, needs, mode):
        if mode == "require" and not BOXED:
            self.skipTest(f"no sandbox here: {NO_BOX}")
        if "cgroup" in needs and not TREE_MEMORY:
            self.skipTest(f"no cgroup here: {NO_GROUP}")

    # ------------------------------------------------------------------- the attack table

    def test_attacks(self):
        package = os.path.join(self.out, "demolition")
        project = os.path.join(self.tree, "demolition")
        table = [  # name, fixture, problem, options, needs, check
            ("reads the .ans beside its input", "reads_answer", "demolition", (), {"sandbox"},
             self.wrong_and_unread),
            ("rewrites the .ans", "rewrites_answer", "demolition", (), {"sandbox"},
             self.unchanged(package)),
            ("deletes and changes project files", "changes_project", "demolition", (),
             {"sandbox"}, self.unchanged(project)),
            ("hides CPU in an unwaited child", "hide_cpu", "constant",
             ("--time-limit", "0.5"), set(), self.only("TLE")),
            ("three children of 200 MB under 300 MB", "three_children", "constant",
             ("--memory-limit", "300"), {"cgroup"}, self.only("MLE")),
            ("prints bad_alloc and exits 1", "bad_alloc", "constant", (), set(),
             self.only("RE (1)")),
            ("touches 92 MB of a 100 MB limit, exits 3", "touch_92", "constant",
             ("--memory-limit", "100"), set(), self.only("RE (3)")),
            ("malloc refused at the limit, exits 1", "refused", "constant",
             ("--memory-limit", "100"), {"cgroup"}, self.only("MLE")),
            ("raises SIGXCPU itself", "sigxcpu", "constant", (), set(),
             self.only("RE (SIGXCPU)")),
            ("raises SIGXFSZ itself after 3 bytes", "sigxfsz", "constant", (), set(),
             self.only("RE (SIGXFSZ)")),
            ("crashes", "crash", "constant", (), set(), self.no_core),
            ("leaves a file and a process for the next test", "leaves_traces", "constant",
             (), set(), self.nothing_left),
            ("leaves kernel state for the next test", "leaves_kernel_state", "constant",
             (), {"sandbox"}, self.all_ok),
            ("moves the folder its program is shown in", "moves_its_folder", "constant",
             (), {"sandbox"}, self.all_ok),
        ]
        for name, fixture, problem, options, needs, check in table:
            for mode in ("require",) if "sandbox" in needs else ("require", "off"):
                with self.subTest(attack=name, sandbox=mode):
                    self.require(needs, mode)
                    before = {d: digest(d) for d in (package, project)}
                    p, rows = self.judge(problem, self.fixture(fixture), mode, *options)
                    self.assertTrue(rows, p.stdout + p.stderr)
                    check(p, rows)
                    if mode == "require":  # whatever it did, nothing outside changed
                        self.assertEqual({d: digest(d) for d in before}, before)

    def only(self, verdict):
        def check(p, rows):
            self.assertEqual({v for v, _ in rows.values()}, {verdict}, p.stdout + p.stderr)
            self.assertEqual(p.returncode, 1)
        return check

    def all_ok(self, p, rows):
        self.assertGreater(len(rows), 1)  # a test after the first, of the same command
        self.assertEqual({v for v, _ in rows.values()}, {"OK"}, p.stdout + p.stderr)
        self.assertEqual(p.returncode, 0)

    def nothing_left(self, p, rows):
        """Every test finds nothing of the one before; yet the fixture does see what it left
        itself when it runs twice in one test."""
        self.all_ok(p, rows)
        mode = p.args[p.args.index("--sandbox") + 1]
        fixture = shlex.quote(self.fixture("leaves_traces")[0])
        _, twice = self.judge("constant", ["sh", "-c", f"{fixture}; {fixture}"], mode)
        self.assertEqual({v for v, _ in twice.values()}, {"WA"}, twice)
        self.assertEqual(sleepers("7.4163"), [])

    def wrong_and_unread(self, p, rows):
        for test, (verdict, _) in rows.items():
            with open(os.path.join(self.out, "demolition", "tests", test + ".ans")) as fh:
                if fh.read():  # an empty answer is right whatever
                    self.assertEqual(verdict, "WA", p.stdout)

    def unchanged(self, folder):
        before = digest(folder)

        def check(p, rows):
            self.assertEqual(digest(folder), before, p.stdout)
        return check

    def no_core(self, p, rows):
        self.assertEqual(set(rows.values()), {("RE (SIGSEGV)", "core limit 0")}, p.stdout)
        for where in (self.tree, self.out, os.getcwd(), self.tmp):
            self.assertEqual(glob.glob(os.path.join(where, "core*")), [], where)

    # ------------------------------------------------------- escapes, kills and stops

    def test_escapee_dies_with_its_test(self):
        for mode in ("require", "off"):
            with self.subTest(sandbox=mode):
                # without the sandbox, its cgroup tells an escapee that cleared its mark
                self.require(set() if mode == "require" else {"cgroup"}, mode)
                proc = subprocess.Popen(
                    [sys.executable, os.path.join(self.tree, "pset"), "--build-dir", BUILD,
                     "judge", "demolition", "--out", self.out, "--jobs", "2", "--sandbox", mode,
                     "--", *self.fixture("escapee")], stdout=subprocess.PIPE,
                    stderr=subprocess.PIPE, text=True, env=dict(os.environ, TMPDIR=self.tmp),
                    preexec_fn=cap_memory)
                most = 0
                while proc.poll() is None:
                    most = max(most, len(sleepers("7.31")))
                    time.sleep(0.005)
                out, err = proc.communicate(timeout=GUARD)
                self.assertIn(proc.returncode, (0, 1), out + err)
                self.assertEqual(sleepers("7.31"), [])
                # each escapee dies with its test: never more alive than tests running
                self.assertLessEqual(most, 2, out)
                self.assertGreater(most, 0)

    def test_kill_9_leaves_no_judged_process_and_the_next_run_cleans(self):
        for mode in ("require",):  # bubblewrap's --die-with-parent
            with self.subTest(sandbox=mode):
                self.require(set(), mode)
                tmpdir = tempfile.mkdtemp(dir=self.tmp)
                proc = subprocess.Popen(
                    [sys.executable, os.path.join(self.tree, "pset"), "--build-dir", BUILD,
                     "judge", "constant", "--out", self.out, "--sandbox", mode, "--", "sh",
                     "-c", "sleep 9.17"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                    env=dict(os.environ, TMPDIR=tmpdir), preexec_fn=cap_memory)
                deadline = time.monotonic() + 60
                while not sleepers("9.17") and time.monotonic() < deadline:
                    time.sleep(0.01)
                self.assertTrue(sleepers("9.17"))
                proc.kill()
                proc.wait()
                deadline = time.monotonic() + 2
                while sleepers("9.17") and time.monotonic() < deadline:
                    time.sleep(0.01)
                self.assertEqual(sleepers("9.17"), [])
                left = os.listdir(tmpdir)
                self.assertEqual(len(left), 1, left)  # its scratch folder stays
                groups = [g for base in (cgroup._found[1].values() if TREE_MEMORY else ())
                          for g in glob.glob(os.path.join(base, f"pset-{proc.pid}-*"))]
                # a folder of another pset still running is kept
                other = subprocess.Popen(["sleep", "30"])
                live = os.path.join(tmpdir, f"pset-{other.pid}-x")
                try:
                    os.makedirs(live)
                    import fcntl
                    with open(os.path.join(live, ".owner"), "w") as fh:
                        fcntl.flock(fh, fcntl.LOCK_EX)
                        p = self.pset("judge", "constant", "--out", self.out, "--sandbox", mode,
                                      "--", "sh", "-c", "echo 25", tmpdir=tmpdir)
                        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
                        self.assertEqual(os.listdir(tmpdir), [os.path.basename(live)])
                        self.assertEqual([g for g in groups if os.path.exists(g)], [])
                finally:
                    other.kill()
                    other.wait()

    def test_sigint_during_verify_all_stops_within_a_second(self):
        slow = os.path.join(BUILD, "submissions", "rounding", "time_limit_exceeded") + "/"
        proc = subprocess.Popen([sys.executable, os.path.join(self.tree, "pset"), "--build-dir",
                                 BUILD, "verify", "rounding", "--all", "--out", self.out],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                env=dict(os.environ, TMPDIR=self.tmp), preexec_fn=cap_memory)
        deadline = time.monotonic() + 120
        while not running(proc.pid, slow) and time.monotonic() < deadline and \
                proc.poll() is None:
            time.sleep(0.01)
        seen = running(proc.pid, slow)
        self.assertTrue(seen, "no slow submission ran")
        time.sleep(0.2)  # the slow submission is well into its test
        sent = time.monotonic()
        proc.send_signal(signal.SIGINT)
        out, _ = proc.communicate(timeout=GUARD)
        took = time.monotonic() - sent
        self.assertEqual(proc.returncode, 130, out)
        self.assertLess(took, 1.0, out)
        self.assertEqual([pid for pid in seen if slow in harness.cmdline(pid)], [])

    def test_stress_keeps_the_lowest_failing_seed(self):
        # every seed fails; seed 1's check is the slow one, so seed 2 fails first
        first = os.path.join(self.tmp, "seed-1.in")
        with open(first, "w") as fh:
            fh.write(remake.make("demolition", 1, 5, 8))
        script = f"if cmp -s - {shlex.quote(first)}; then sleep 1; fi; echo wrong"
        out = os.path.join(self.tmp, "stress-out")
        p = self.pset("stress", "demolition", "--seed", "1", "--rounds", "6", "--jobs", "2",
                      "--cases", "5", "--max-size", "8", "--shrink-seconds", "0", "--out", out,
                      "--", "sh", "-c", script)
        self.assertEqual(p.returncode, 1, p.stdout + p.stderr)
        self.assertIn("mismatch under seed 1:", p.stdout)
        self.assertEqual(os.listdir(os.path.join(out, "stress")), ["demolition-1"])

    def test_validate_dev_zero_is_a_prompt_refusal(self):
        start = time.monotonic()
        p = self.pset("validate", "demolition", "--", "/dev/zero")
        took = time.monotonic() - start
        self.assertIn(p.returncode, (1, 2), p.stdout + p.stderr)
        self.assertIn("too long", p.stdout + p.stderr)
        self.assertNotIn("Traceback", p.stderr)
        self.assertLessEqual((p.stdout + p.stderr).count("\n"), 2, p.stdout + p.stderr)
        self.assertLess(took, 10)

    def test_sandbox_require_where_it_cannot_start(self):
        # a build folder without pset_init: the sandbox cannot start
        fake = harness.fake_build(self.tmp)
        line = [sys.executable, os.path.join(self.tree, "pset"), "--build-dir", fake, "judge",
                "constant", "--out", self.out]
        command = ["--", "sh", "-c", "echo 25"]
        p = subprocess.run(line + ["--sandbox", "require"] + command, capture_output=True,
                           text=True, timeout=GUARD)
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        self.assertIn("pset_init is not built", p.stderr)
        p = subprocess.run(line + command, capture_output=True, text=True, timeout=GUARD)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertEqual(p.stderr.count("without a sandbox"), 1, p.stderr)


def cap_memory():
    """A pset under test never takes the machine's memory, whatever it does (a sanitized
    build's shadow memory cannot live under such a cap); and it starts as from a shell that
    allows core files, so that it is pset that must forbid them."""
    if not harness.SANITIZED:
        resource.setrlimit(resource.RLIMIT_AS, (3 << 30, 3 << 30))
    hard = resource.getrlimit(resource.RLIMIT_CORE)[1]
    resource.setrlimit(resource.RLIMIT_CORE, (hard, hard))


if __name__ == "__main__":
    harness.main()
