"""The sandbox of a judged command: bubblewrap (bwrap), and pset_init inside it.

Inside, the command sees the system folders read-only (/usr and the links to it, /etc), a
fresh /proc of its own PID namespace, a minimal /dev, and a fresh private tmpfs at /tmp, its
working folder, HOME and TMPDIR, the one place it can write (the root is read-only); no
network; the environment PATH, LANG=C.UTF-8, HOME and TMPDIR only; it runs as nobody in a
user namespace of its own. The project tree, the package
folders and pset's own temporary folder are not there. What the command line names is: the
program's file, read-only (a script's folder too, and an interpreter outside the system with
its installation), unless the folder holds the project, a package or pset's temporary folder.

pset_init (tools/pset_init.c, built into BUILD/tools) is the namespace's first process: it
serves one command test after test on request (Box), reaps every process of a test's tree,
kills what is left when the command ends, reports the command's wait status and the CPU time
of the whole tree, and empties the working folder before the next test. A program in it
cannot reach keyrings, SysV IPC, POSIX message queues or Internet sockets (its seccomp
filter), and /dev is read-only: nothing a test does outlives it. Without the sandbox, a Box
is pset_init alone, a child subreaper in a private working folder.

configure(mode, build_dir) is called by every action that judges: mode 'auto' uses the sandbox
where it can start and says once on stderr when it cannot; 'require' makes that an error;
'off' never uses it.
"""

import contextlib
import os
import select
import shlex
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
from typing import Any, Callable, ContextManager, Iterable, Optional

MODES = ("auto", "require", "off")
SYSTEM = ("/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32", "/etc")
PATH = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"
INIT_INSIDE = "/.pset-init"
WORK = "/tmp"          # the private working folder inside
TMP_SIZE = 64 << 20    # bytes its tmpfs holds at least (the output limit where larger)

PROJECT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

_lock = threading.Lock()
_mode = "off"
_init: Optional[str] = None  # the pset_init program, None when not built
_usable: Optional[tuple[bool, str]] = None  # (True, "") or (False, why) once probed
_hidden: set[str] = set()  # folders never shown: the project, packages, pset's scratch
_said: set[str] = set()


class Unavailable(Exception):
    """--sandbox require, and the sandbox cannot start: one line saying why."""


def say_once(key: str, text: str) -> None:
    """Says `text` on stderr, once per `key` in the run."""
    with _lock:
        if key in _said:
            return
        _said.add(key)
    sys.stderr.write(f"pset: {text}\n")
    sys.stderr.flush()


def configure(mode: str, build_dir: str, hide: Iterable[str] = ()) -> Optional[bool]:
    """Sets the sandbox for the judged runs that follow; raises Unavailable when `mode` is
    'require' and it cannot start."""
    global _mode, _init
    _mode = mode
    init = os.path.join(build_dir, "tools", "pset_init")
    _init = init if os.access(init, os.X_OK) else None
    _hidden.update(os.path.realpath(h) for h in hide)
    if mode != "require":
        return None  # found out at the first judged run (see active())
    ok, why = usable()
    if not ok:
        raise Unavailable(f"the sandbox cannot start ({why}) and --sandbox require asks for it")
    return True


def hide(*folders: str) -> None:
    """Folders the sandbox must never show (packages, scratch folders)."""
    _hidden.update(os.path.realpath(f) for f in folders if f)


def init() -> Optional[str]:
    """The pset_init program, or None where it is not built."""
    return _init


Guard = Optional[ContextManager[Any]]
Spawned = Optional[Callable[[int], None]]


def active(guard: Guard = None, spawned: Spawned = None) -> bool:
    """True when judged runs go into the sandbox now; the first call with --sandbox auto tries
    it (guard and spawned as for Box), and says once on stderr when it cannot start."""
    if _mode == "off":
        return False
    ok, why = usable(guard, spawned)
    if not ok:
        say_once("sandbox", f"note: judged programs run without a sandbox: {why} "
                  "(--sandbox off says this is meant)")
    return ok


def usable(guard: Guard = None, spawned: Spawned = None) -> tuple[bool, str]:
    """(True, '') when bubblewrap and pset_init can run a command here, else (False, why);
    tried once, with a box whose start holds `guard` and is told to spawned() (see Box)."""
    global _usable
    if _usable is not None:
        return _usable
    if _init is None:
        found = False, "pset_init is not built (run make)"
    elif shutil.which("bwrap") is None:
        found = False, "bubblewrap (bwrap) is not installed"
    else:
        found = False, "bwrap cannot start"
        try:
            with tempfile.TemporaryDirectory(prefix="pset-probe-") as tmp:
                box = Box(["true"], True, "/", tmp, tmp, None, [], {}, guard, spawned)
                try:
                    with open(os.devnull, "rb") as fin, open(os.devnull, "wb") as fout:
                        box.send(0, 0, 0, [fin.fileno(), fout.fileno(), fout.fileno()])
                        answer = box.wait(30)[1]
                    if answer is not None and answer.startswith("ok 0 "):
                        found = True, ""
                finally:
                    box.close()
        except (OSError, BoxError) as exc:
            found = False, f"bwrap cannot start: {exc}"
    _usable = found
    return found


def _under(path: str, folder: str) -> bool:
    return path == folder or path.startswith(folder.rstrip("/") + "/")


_SYSTEM_REAL = tuple(os.path.realpath(s) for s in SYSTEM if os.path.isdir(s))


def _system(path: str) -> bool:
    real = os.path.realpath(path)
    return any(_under(real, s) for s in _SYSTEM_REAL)


def _may_show(folder: str, scratch: str) -> bool:
    """A folder can be shown when it neither is in nor holds the project, a package or
    pset's scratch folder, and is below a top-level folder."""
    folder = os.path.realpath(folder)
    if folder.count("/") < 2:
        return False
    for h in _hidden | {PROJECT, os.path.realpath(scratch)}:
        if _under(folder, h) or _under(h, folder):
            return False
    return True


def _kind(path: str) -> tuple[Optional[str], Optional[str]]:
    try:
        with open(path, "rb") as fh:
            head = fh.read(256)
    except OSError:
        return None, None
    if head.startswith(b"\x7fELF"):
        return "elf", None
    if head.startswith(b"#!"):
        words = head[2:].split(b"\n", 1)[0].split()
        return "script", (words[0].decode(errors="replace") if words else None)
    return "other", None


def _show(path: str, scratch: str, files: set[str], folders: set[str],
          depth: int = 0) -> None:
    """Adds what makes the program at `path` run inside: its file, a script's folder and its
    interpreter, an interpreter's installation."""
    if depth > 3 or not os.path.isfile(path) or _system(path):
        return
    path = os.path.abspath(path)
    files.add(path)
    kind, interpreter = _kind(path)
    folder = os.path.dirname(os.path.realpath(path))
    if kind == "script":
        if _may_show(folder, scratch):
            folders.add(folder)
        if interpreter and interpreter.startswith("/"):
            _show(interpreter, scratch, files, folders, depth + 1)
    elif kind == "elf" and os.path.basename(folder) == "bin":
        prefix = os.path.dirname(folder)
        if os.path.isdir(os.path.join(prefix, "lib")) and _may_show(prefix, scratch):
            folders.add(prefix)


_seen: dict[Any, tuple[list[str], set[str], set[str]]] = {}


def visible(argv: list[str], cwd: Optional[str], scratch: str
            ) -> tuple[list[str], set[str], set[str]]:
    """(argv with the paths it names made absolute, files to show, folders to show)."""
    cwd = cwd or os.getcwd()
    key = (tuple(argv), cwd, scratch, tuple(sorted(_hidden)))
    if key not in _seen:
        _seen[key] = _visible(argv, cwd, scratch)
    return _seen[key]


def _visible(argv: list[str], cwd: str, scratch: str
             ) -> tuple[list[str], set[str], set[str]]:
    files: set[str] = set()
    folders: set[str] = set()
    argv = list(argv)
    prog = argv[0]
    if "/" in prog:
        argv[0] = os.path.join(cwd, prog)
    elif not shutil.which(prog, path=PATH):
        found = shutil.which(prog)
        if found:
            argv[0] = found
    _show(argv[0], scratch, files, folders)
    for k, arg in enumerate(argv[1:], 1):
        if os.path.isfile(os.path.join(cwd, arg)) and not arg.startswith("-"):
            argv[k] = os.path.join(cwd, arg)
            _show(argv[k], scratch, files, folders)
        elif any(c.isspace() for c in arg):  # a script given on the command line
            try:
                words = shlex.split(arg)
            except ValueError:
                words = arg.split()
            for w in words:
                if w.startswith("/") and os.path.isfile(w):
                    _show(w, scratch, files, folders)
    return argv, files, folders


def command(argv: list[str], ctrl_fd: int, join_fds: Iterable[int] = (),
            cwd: Optional[str] = None, scratch: str = "/nonexistent",
            output_limit: Optional[int] = None) -> list[str]:
    """The command line of bubblewrap's sandbox with pset_init in it, serving `argv` on the
    socket `ctrl_fd` (see Box); pset_init enters the cgroups whose cgroup.procs files are open
    on `join_fds` first."""
    assert _init is not None
    argv, files, folders = visible(argv, cwd, scratch)
    size = max(TMP_SIZE, output_limit or 0)
    line = ["bwrap", "--unshare-user", "--uid", "65534", "--gid", "65534", "--unshare-ipc",
            "--unshare-pid", "--as-pid-1", "--unshare-net", "--die-with-parent", "--new-session"]
    for s in SYSTEM:
        if os.path.islink(s):
            line += ["--symlink", os.readlink(s), s]
        elif os.path.isdir(s):
            line += ["--ro-bind", s, s]
    line += ["--proc", "/proc", "--dev", "/dev", "--size", str(size), "--tmpfs", WORK]
    for h in sorted(_hidden | {PROJECT}):
        if _system(h) and os.path.isdir(h):
            line += ["--tmpfs", h]
    shown = sorted(folders, key=len)
    for f in shown:
        line += ["--ro-bind", f, f]
    for f in sorted(files):  # a file is shown at the path named, links and all
        if not any(_under(f, d) for d in shown):
            line += ["--ro-bind", f, f]
    # the root and /dev read-only: /tmp, emptied after every test, is the one place to write
    line += ["--ro-bind", _init, INIT_INSIDE, "--remount-ro", "/dev", "--remount-ro", "/",
             "--chdir", WORK, "--clearenv", "--setenv", "PATH", PATH, "--setenv", "LANG",
             "C.UTF-8", "--setenv", "HOME", WORK, "--setenv", "TMPDIR", WORK,
             "--", INIT_INSIDE, "-s", "-w", WORK]
    for fd in join_fds:
        line += ["-j", str(fd)]
    return line + [str(ctrl_fd)] + argv


class BoxError(Exception):
    """A box could not start; str() says why in one line; `join` is True when it was its
    cgroup that pset_init could not enter."""

    def __init__(self, why: str, join: bool = False) -> None:
        super().__init__(why)
        self.join = join


READY_WAIT = 60.0  # seconds a box may take to start
CLEAN_WAIT = 60.0  # seconds it may take to empty its working folder after a test


class Box:
    """pset_init serving one judged command, test after test (tools/pset_init.c): in
    bubblewrap's sandbox (`boxed`), or without it as a child subreaper in the private working
    folder `work`, with the environment `env`. It enters the cgroups whose cgroup.procs files
    are `join` first, so every test is born in them. It is started holding `guard`, and
    spawned(pid) is told its process there (the runner's books, which its sweeps of orphans
    read). Used by one thread at a time; kill() may come from any."""

    def __init__(self, argv: list[str], boxed: bool, cwd: Optional[str], scratch: str,
                 work: str, output_limit: Optional[int], join: list[str],
                 env: dict[str, str], guard: Guard = None, spawned: Spawned = None) -> None:
        assert _init is not None
        self.boxed = boxed
        self.killed = False
        self.ended = False
        ours, theirs = socket.socketpair(socket.AF_UNIX, socket.SOCK_SEQPACKET)
        err_fd, self._err = tempfile.mkstemp(dir=scratch, suffix=".box")
        fds: list[int] = []
        try:
            fds = [os.open(f, os.O_WRONLY | os.O_CLOEXEC) for f in join]
            ctrl = theirs.fileno()
            if boxed:
                line = command(argv, ctrl, fds, cwd, scratch, output_limit)
            else:
                line = [_init, "-w", work] + [w for fd in fds for w in ("-j", str(fd))] + \
                    [str(ctrl)] + visible(argv, cwd, scratch)[0]
            with guard or contextlib.nullcontext():
                self.proc = subprocess.Popen(line, stdin=subprocess.DEVNULL,
                                             stdout=subprocess.DEVNULL, stderr=err_fd, env=env,
                                             cwd="/", pass_fds=(ctrl, *fds),
                                             start_new_session=True)
                if spawned is not None:
                    spawned(self.proc.pid)
        except BaseException:
            ours.close()
            os.unlink(self._err)
            raise
        finally:
            theirs.close()
            os.close(err_fd)
            for fd in fds:
                os.close(fd)
        self.sock = ours
        self.pid = self.proc.pid
        self._poll = select.poll()
        self._poll.register(ours.fileno(), select.POLLIN)
        self._pidfd = os.pidfd_open(self.pid)
        self._poll.register(self._pidfd, select.POLLIN)
        done, ready = self.wait(READY_WAIT)
        if ready != "ready":
            self.close()
            raise BoxError(self._why(ready if done else "no word within "
                                     f"{READY_WAIT:g} s"),
                           join=bool(ready and ready.startswith("join ")))

    def _why(self, said: Optional[str]) -> str:
        words = (said or "").split()
        if len(words) == 2 and words[0] in ("join", "folder") and words[1].isdigit():
            what = "enter its cgroup" if words[0] == "join" else "enter its working folder"
            return f"pset_init could not {what}: {os.strerror(int(words[1]))}"
        try:
            with open(self._err, "rb") as fh:
                lines = fh.read(4096).decode(errors="replace").strip().splitlines()
        except OSError:
            lines = []
        return lines[0] if lines else (said or f"it ended with status {self.proc.returncode}")

    def send(self, cpu: int, fsize: int, address_space: int, fds: list[int]) -> None:
        """Asks for one test: CPU seconds, output bytes and address space bytes (0: no limit),
        its standard input, output and error on `fds`."""
        socket.send_fds(self.sock, [f"run {cpu} {fsize} {address_space}".encode()], fds)

    def wait(self, seconds: Optional[float]) -> tuple[bool, Optional[str]]:
        """(False, None) when nothing came within `seconds` (None: no bound); (True, the next
        message) when one came; (True, None) when the box ended."""
        ms = None if seconds is None else max(0, int(seconds * 1000) + 1)
        if not self._poll.poll(ms):
            return False, None
        try:
            data = self.sock.recv(512, socket.MSG_DONTWAIT)
        except BlockingIOError:
            data = b""  # the process ended with nothing more to say
        except OSError:
            data = b""
        if not data:
            self.ended = True
            return True, None
        return True, data.decode(errors="replace")

    def _ended_within(self, seconds: float) -> bool:
        """True when the box's process ends within `seconds` (not yet reaped)."""
        done = select.poll()
        done.register(self._pidfd, select.POLLIN)
        return bool(done.poll(int(seconds * 1000)))

    def alive(self) -> bool:
        return not (self.killed or self.ended) and self.proc.poll() is None

    def kill(self) -> None:
        """Ends the box and every process in it, at once (from any thread). In the sandbox,
        the death of bubblewrap takes pset_init and its PID namespace with it; without it,
        pset_init ends its tree on SIGHUP."""
        self.killed = True
        try:
            if self.boxed:
                os.kill(self.pid, signal.SIGKILL)
            else:
                os.kill(self.pid, signal.SIGHUP)
                os.kill(self.pid, signal.SIGCONT)
        except OSError:
            pass

    def close(self) -> None:
        """Ends the box (closing its socket ends an idle pset_init), waits for it and frees
        what it held."""
        if self.proc.returncode is None:
            self.sock.close()
            if not self._ended_within(0.5):
                self.kill()
                if not self._ended_within(1.0):
                    os.kill(self.pid, signal.SIGKILL)
            self.proc.wait()
        self.ended = True
        self.sock.close()
        try:
            os.close(self._pidfd)
        except OSError:
            pass
        try:
            os.unlink(self._err)
        except OSError:
            pass


def reply(text: Optional[str]) -> Optional[tuple[str, int, float, int]]:
    """pset_init's answer to a test: ('ok', wait status, CPU seconds, largest peak KiB) or
    ('exec', errno, 0.0, 0); None when it is not one. (Its second message, "clean 1", says the
    box is ready for the next test.)"""
    parts = (text or "").split()
    try:
        if parts[0] == "ok" and len(parts) == 5:
            return "ok", int(parts[1]), (int(parts[2]) + int(parts[3])) / 1e6, int(parts[4])
        if parts[0] == "exec" and len(parts) == 2:
            return "exec", int(parts[1]), 0.0, 0
    except (IndexError, ValueError):
        pass
    return None


def environment(work: str) -> dict[str, str]:
    """The environment of a judged command run without the sandbox."""
    return {"PATH": os.environ.get("PATH", PATH), "LANG": "C.UTF-8", "HOME": work,
            "TMPDIR": work}


def add_option(ap: Any) -> None:
    """The --sandbox option of an action that judges."""
    ap.add_argument("--sandbox", choices=MODES, default="auto",
                    help="run the judged command in bubblewrap's sandbox: auto (where it can "
                    "start, else without, saying so once), require (an error where it cannot "
                    "start), off (default auto)")


def setup(opts: Any, build_dir: str, memory_limited: bool = True,
          hide: Iterable[str] = ()) -> None:
    """Sets up the sandbox for an action's judged runs from its --sandbox option; says once on
    stderr when the memory limit can only be per process. Raises Stop where --sandbox require
    cannot be met."""
    from . import cgroup
    from .common import Stop
    try:
        configure(opts.sandbox, build_dir, hide)
    except Unavailable as exc:
        raise Stop(str(exc))
    kind, why = cgroup.probe()
    if memory_limited and kind is None:
        say_once("memory", f"note: the memory limit is per process (its address space), not "
                  f"on the whole tree: {why}")
