"""The one process runner: runs a command the way a contest judge does.

    result = run(argv, stdin=PATH_OR_BYTES, time_limit=2.0, memory_limit=MB, output_limit=MB,
                 judged=True)

- The command starts in a session of its own, its input from a file (or /dev/null), its
  standard output and standard error into files: nothing it prints is held in memory. No run
  writes a core file (RLIMIT_CORE is 0 for pset and everything it starts).
- A judged command (judged=True) is a contestant's. It runs under pset_init
  (tools/pset_init.c), which reaps and accounts its whole tree: in the sandbox (sandbox.py)
  where bubblewrap can start, else in a private working folder; with the environment cleared
  down to PATH, LANG, HOME and TMPDIR; its input a private sealed copy (a memfd), whose path
  tells nothing. pset_init serves one command test after test (a box per worker thread and
  command): between two tests it kills every process the first one left and empties the
  working folder, so a test finds nothing of the one before.
- Its time is the CPU time, user plus system, of every process of its tree, waited for or
  not: pset_init reaps them all. (Where pset_init is not built, a judged run is started as
  our own programs are, and the orphans handed to this process, a child subreaper, are reaped
  here and their time added: those of its cgroup, its mark or its process group.) A
  wall-clock backstop (default twice the time limit plus one second) ends a command that
  sleeps; where a cgroup counts the tree's CPU time, a tree past the time limit is ended at
  once.
- Memory: where a cgroup can be made (cgroup.py), the memory limit is on the whole tree and
  the peak is the tree's; else the limit is each process's address space and the peak the
  largest process's resident size. The output limit caps each of its output files (a write
  past it ends the command).
- At the end of every run all of the command's processes are killed and reaped, whatever
  they did.

The verdict comes from what was measured, never from what the command wrote: TLE when its CPU
time passed the limit or the backstop ended it; OLE when an output file passed the output
limit; MLE when the tree hit its cgroup's limit (its OOM killer ended a process, or it failed
after a charge failed at the limit) or, per process, when it failed with its peak within
MARGIN of the limit; OK on exit status 0; else RE with the exit status or the signal's name,
SIGXCPU, SIGXFSZ and SIGKILL included when no limit was reached.
"""

import ctypes
import errno
import fcntl
import itertools
import math
import os
import re
import resource
import select
import shlex
import shutil
import signal
import subprocess
import tempfile
import threading
import time
from dataclasses import dataclass
from typing import IO, Any, Callable, Iterable, Optional, Union

from . import cgroup, sandbox

MB = 1 << 20
MARGIN = 4 * MB                 # a process maps this much more than it touches
TOKEN_VAR = "PSET_RUN"          # marks every process of one run, to find it after it hid
CPU_POLL = 0.05                 # seconds between looks at a tree's CPU time
_PR_SET_CHILD_SUBREAPER = 36
_OWNER = ".owner"               # the lock file of a scratch folder, held while its pset lives

_libc = ctypes.CDLL(None, use_errno=True)
_lock = threading.Lock()        # guards the registry and the sweep of orphans
_serial = itertools.count(1)
_subreaper: Optional[bool] = None
_scratch: Optional[str] = None
_owner_fd: Optional[int] = None
_own_all = False                # every child of this process is one of our runs' (see own_all)

_refusing = False               # set by kill_all(refuse_new=True): no run starts any more
_critical = 0                   # depth of the main thread's sections a signal must not cut
_pending: Optional[int] = None  # a signal that arrived in one, given again at its end

Input = Union[None, bytes, str]  # a run's standard input: /dev/null, bytes, or a file's path


def _no_cores() -> None:
    try:
        resource.setrlimit(resource.RLIMIT_CORE, (0, resource.getrlimit(resource.RLIMIT_CORE)[1]))
    except (OSError, ValueError):
        pass


_no_cores()


class StartError(OSError):
    """The command could not be started; str() is one line naming it and why."""


class InputTooLong(StartError):
    """The input is longer than the run's input limit."""


class Cancelled(Exception):
    """A run asked for after kill_all(refuse_new=True)."""


@dataclass
class Result:
    """What one run did.

    verdict ('OK', 'TLE', 'MLE', 'OLE', 'RE'), status (exit status, None after a signal),
    signal (number or None), signal_name ('SIGSEGV' or None), cpu and wall (seconds), peak_kb
    (peak memory, KiB: the tree's where a cgroup counted it), memory ('tree' or 'process': how
    the memory limit and the peak were taken), sandboxed, timed_out (the wall-clock backstop
    or the tree's CPU time ended it), stdout and stderr (paths of the files holding them),
    stdout_size (bytes)."""

    argv: list[str]
    verdict: str
    status: Optional[int]
    signal: Optional[int]
    signal_name: Optional[str]
    cpu: float
    wall: float
    peak_kb: int
    memory: str
    sandboxed: bool
    timed_out: bool
    stdout: str
    stderr: str
    stdout_size: int

    @property
    def ok(self) -> bool:
        return self.verdict == "OK"

    def describe(self) -> str:
        """The verdict as a judge's table shows it: 'RE (SIGSEGV)', 'RE (3)', 'TLE', ..."""
        if self.verdict != "RE":
            return self.verdict
        return f"RE ({self.signal_name})" if self.signal is not None else f"RE ({self.status})"

    def stderr_line(self, width: int = 100) -> str:
        """The first non-empty line of the command's stderr, cut to `width` characters."""
        return first_line(self.stderr, width)

    def read_stdout(self, limit: int = 64 * MB) -> bytes:
        with open(self.stdout, "rb") as fh:
            return fh.read(limit)


def first_line(path: str, width: int = 100) -> str:
    try:
        with open(path, "rb") as fh:
            head = fh.read(4096)
    except OSError:
        return ""
    for line in head.decode(errors="replace").splitlines():
        if line.strip():
            return line.strip()[:width]
    return ""


def critical() -> bool:
    """True while the main thread starts or ends a run: a signal handler that would raise
    should call defer(signum) and return instead; the signal is raised again at the end of
    the section, when our books agree with the processes that exist."""
    return _critical > 0


def defer(signum: int) -> None:
    global _pending
    _pending = signum


def _enter() -> None:
    global _critical
    if threading.current_thread() is threading.main_thread():
        _critical += 1


def _leave() -> None:
    """Ends a section; a signal deferred in it is given again once outside every section."""
    global _critical, _pending
    if threading.current_thread() is threading.main_thread():
        _critical -= 1
        if _critical == 0 and _pending is not None:
            signum, _pending = _pending, None
            signal.raise_signal(signum)


class _Section:
    def __enter__(self) -> None:
        _enter()

    def __exit__(self, *exc: object) -> None:
        _leave()


def own_all_children() -> None:
    """Declares that this program starts children only through run(): an orphan that lost
    its run's mark (it cleared its environment) is then ended with the run that left it,
    when no other run is going, rather than only by cleanup() at the end."""
    global _own_all
    _own_all = True


def become_subreaper() -> bool:
    """Orphaned descendants of our commands come to this process rather than to init."""
    global _subreaper
    if _subreaper is None:
        _subreaper = _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) == 0
    return bool(_subreaper)


def _stale(path: str) -> bool:
    """True when `path` is the scratch folder of a pset that is gone: its owner lock is free."""
    try:
        fd = os.open(os.path.join(path, _OWNER), os.O_RDONLY | os.O_CLOEXEC)
    except OSError:
        return False
    try:
        fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
        return True
    except OSError:
        return False
    finally:
        os.close(fd)


def sweep_stale(base: str) -> list[str]:
    """Removes what dead pset runs left: scratch folders pset-PID-* in `base` whose owner is
    gone, and their cgroups. Returns the folders removed."""
    removed = []
    try:
        names = os.listdir(base)
    except OSError:
        names = []
    for name in names:
        path = os.path.join(base, name)
        if re.fullmatch(r"pset-\d+-\w+", name) and os.path.isdir(path) and \
                not os.path.islink(path) and _stale(path):
            shutil.rmtree(path, ignore_errors=True)
            removed.append(path)
    cgroup.sweep()
    return removed


def scratch() -> str:
    """A private temporary folder for this process (no blank or colon in its path, so a path
    inside it can stand in LD_PRELOAD); removed by cleanup(). It holds a lock file while this
    process lives, so that a later run can tell it was left by a dead one and remove it."""
    global _scratch, _owner_fd
    with _lock:
        if _scratch is None or not os.path.isdir(_scratch):
            for base in (tempfile.gettempdir(), "/tmp", "/var/tmp", "/dev/shm"):
                if any(c in base for c in " \t\n:"):
                    continue
                try:
                    sweep_stale(base)
                    made = tempfile.mkdtemp(prefix=f"pset-{os.getpid()}-", dir=base)
                    fd = os.open(os.path.join(made, _OWNER), os.O_CREAT | os.O_RDWR |
                                 os.O_CLOEXEC, 0o600)
                    fcntl.flock(fd, fcntl.LOCK_EX)
                    if _owner_fd is not None:
                        os.close(_owner_fd)
                    _scratch, _owner_fd = made, fd
                    break
                except OSError:
                    continue
            else:
                raise OSError("no temporary folder can be made whose path has no blank or colon")
            sandbox.hide(_scratch)
        return _scratch


def cleanup() -> None:
    """Ends every run in progress and refuses new ones, waits (a second at most) for their
    threads to end them, ends every box, kills and reaps every child this process still has
    (whoever started it), removes its cgroups and the scratch folder. For the end of the
    program."""
    global _scratch, _owner_fd
    kill_all(refuse_new=True)
    deadline = time.monotonic() + 1.0
    while _active and time.monotonic() < deadline:
        time.sleep(0.01)
        kill_all()
    with _lock:
        boxes = list(_boxes.values())
        _boxes.clear()
    for held in boxes:
        held.box.kill()
    for held in boxes:
        held.box.close()
    _spared.clear()
    with _lock:
        for _ in range(1000):
            left = [c for c in _children() if c not in _active]
            for c in left:
                _kill(c)
            for c in left:
                try:
                    os.waitpid(c, 0)
                except ChildProcessError:
                    pass
            if not left:
                break
    cgroup.remove_all()
    if _scratch:
        shutil.rmtree(_scratch, ignore_errors=True)
        _scratch = None
    if _owner_fd is not None:
        os.close(_owner_fd)
        _owner_fd = None


class _Run:
    """A run in progress: its main process (a box's, for a judged run in a box), its tag, its
    cgroup, its box."""

    def __init__(self, pid: int, tag: Any, group: Optional[cgroup.Group],
                 box: Optional[sandbox.Box] = None) -> None:
        self.pid, self.tag, self.group, self.box = pid, tag, group, box
        self.killed = False

    def kill(self) -> None:
        self.killed = True
        if self.box is not None:
            self.box.kill()
        else:
            _kill(self.pid)
        if self.group is not None:
            self.group.kill()


_active: dict[int, _Run] = {}   # main pid -> every run in progress


def kill_all(refuse_new: bool = False) -> None:
    """Ends every run in progress (from any thread): each then returns as killed. With
    refuse_new, every later run() raises Cancelled instead of starting (a stop)."""
    global _refusing
    with _lock:
        _refusing = _refusing or refuse_new
        runs = list(_active.values())
    for r in runs:
        r.kill()


def kill_tagged(which: Callable[[Any], bool]) -> None:
    """Ends the runs in progress whose tag satisfies which(tag)."""
    with _lock:
        runs = [r for r in _active.values() if which(r.tag)]
    for r in runs:
        r.kill()


def _kill(pid: int) -> None:
    for fn in (os.killpg, os.kill):
        try:
            fn(pid, signal.SIGKILL)
        except OSError:
            pass


def _children() -> set[int]:
    """Pids of our own children (every thread's)."""
    found: set[int] = set()
    try:
        tasks = os.listdir("/proc/self/task")
    except OSError:
        return found
    for t in tasks:
        try:
            with open(f"/proc/self/task/{t}/children") as fh:
                found.update(int(x) for x in fh.read().split())
        except (OSError, ValueError):
            pass
    return found


def _token_of(pid: int) -> Optional[str]:
    """The run token in a process's environment, '' when it has none, None when unreadable."""
    try:
        with open(f"/proc/{pid}/environ", "rb") as fh:
            env = fh.read()
    except OSError:
        return None
    for item in env.split(b"\0"):
        if item.startswith(TOKEN_VAR.encode() + b"="):
            return item.split(b"=", 1)[1].decode(errors="replace")
    return "" if env else None


def _pgid_of(pid: int) -> Optional[int]:
    try:
        return os.getpgid(pid)
    except OSError:
        return None


def _sweep(pid: int, token: str,
           members: Optional[Callable[[], set[int]]] = None) -> float:
    """Kills and reaps every descendant of the run whose main process is `pid` (a zombie or
    gone by now): its process group first, then the orphans handed to us, round after round,
    for an orphan's own children come to us when it dies. `members`: a callable giving the
    pids of the run's cgroup. Returns the CPU seconds of the orphans reaped that were the
    run's (its mark, its cgroup, its process group): a stray of unknown origin that is ended
    here (see own_all_children) adds nothing. The boxes' processes are never touched."""
    cpu = 0.0
    for _ in range(1000):
        try:
            os.killpg(pid, signal.SIGKILL)
        except OSError:
            pass
        with _lock:
            others = [p for p in _active if p != pid]
            inside = members() if members else set()
            victims, ours = [], set()
            for child in _children():
                if child == pid or child in _active or child in _spared:
                    continue
                tok = _token_of(child)
                if child in inside or tok == token or _pgid_of(child) == pid:
                    ours.add(child)
                if child in ours or (_own_all and tok in ("", None) and not others):
                    victims.append(child)
            for v in victims:
                _kill(v)
            for v in victims:
                try:
                    _, _, ru = os.wait4(v, 0)
                    if v in ours:
                        cpu += ru.ru_utime + ru.ru_stime
                except ChildProcessError:
                    pass
        if not victims:
            return cpu
    return cpu


WRAPPER = "pset-run"  # $0 of the shell that sets the limits; names it in its exec errors


def _hard(what: int) -> int:
    return resource.getrlimit(what)[1]


def _limits(memory: Optional[int], output: Optional[int], cpu: Optional[int]) -> list[str]:
    """The shell steps that set the limits."""
    steps = ["ulimit -c 0"]
    for flag, what, value, unit in (("-v", resource.RLIMIT_AS, memory, 1024),
                                    ("-f", resource.RLIMIT_FSIZE,
                                     output + 1 if output else None, 512),
                                    ("-t", resource.RLIMIT_CPU, cpu, 1)):
        if value:
            hard = _hard(what)
            if hard != resource.RLIM_INFINITY:
                value = min(value, hard)
            steps.append(f"ulimit {flag} {max(1, -(-value // unit))}")
    return steps


_sanitized_cache: dict[tuple[str, int, int], bool] = {}


def _sanitized(prog: str) -> bool:
    """True when the program is built with the address sanitizer, whose shadow memory cannot
    live in an address-space limit."""
    path = prog if "/" in prog else shutil.which(prog)
    if path is None:
        return False
    try:
        st = os.stat(path)
    except OSError:
        return False
    key = (path, st.st_mtime_ns, st.st_size)
    if key not in _sanitized_cache:
        try:
            with open(path, "rb") as fh:
                _sanitized_cache[key] = b"__asan_init" in fh.read(64 * MB)
        except OSError:
            _sanitized_cache[key] = False
    return _sanitized_cache[key]


def _exec_failure(argv: list[str], status: Optional[int], stderr_path: str) -> Optional[str]:
    """The shell's own word that it could not start the command, as one line; None when the
    command did start."""
    if status not in (126, 127):
        return None
    line = first_line(stderr_path, 300)
    if not line.startswith(WRAPPER + ": "):
        return None
    if line.endswith("not found"):
        return cannot_start(argv[0], "missing")
    if line.endswith("Permission denied"):
        return cannot_start(argv[0], "denied")
    return cannot_start(argv[0], line.split(": ")[-1])


def _closer(fds: Iterable[int]) -> Callable[[], None]:
    fds = tuple(fds)

    def close() -> None:
        for fd in fds:
            os.close(fd)
    return close


def _copy(src_fd: int, dst_fd: int, limit: Optional[int]) -> bool:
    """Copies src into dst, at most `limit` bytes (None: all); True when src held more."""
    copied = 0
    use_sendfile = True
    while True:
        want = 1 << 20 if limit is None else min(1 << 20, limit + 1 - copied)
        if want <= 0:
            return True
        n = 0
        if use_sendfile:
            try:
                n = os.sendfile(dst_fd, src_fd, None, want)
            except OSError as exc:
                if exc.errno not in (errno.EINVAL, errno.ENOSYS, errno.ESPIPE):
                    raise
                use_sendfile = False
                continue
        else:
            data = os.read(src_fd, want)
            n = len(data)
            view = memoryview(data)
            while view:
                view = view[os.write(dst_fd, view):]
        if n == 0:
            return False
        copied += n
        if limit is not None and copied > limit:
            return True


def _sealed(fill: Callable[[int], None]) -> IO[bytes]:
    """A memfd that fill(fd) writes, then sealed against any change and rewound."""
    fd = os.memfd_create("input", os.MFD_CLOEXEC | os.MFD_ALLOW_SEALING)
    try:
        fill(fd)
        fcntl.fcntl(fd, fcntl.F_ADD_SEALS, fcntl.F_SEAL_SHRINK | fcntl.F_SEAL_GROW |
                    fcntl.F_SEAL_WRITE | fcntl.F_SEAL_SEAL)
        os.lseek(fd, 0, os.SEEK_SET)
        return os.fdopen(fd, "rb")
    except BaseException:
        os.close(fd)
        raise


def _open_in(stdin: Input, private: bool, limit: Optional[int]) -> IO[bytes]:
    """The command's standard input: /dev/null, the bytes given, or the file given (a private
    sealed copy when `private` or when its length is limited)."""
    if stdin is None:
        return open(os.devnull, "rb")
    if isinstance(stdin, (bytes, bytearray)):
        data = bytes(stdin)
        if limit is not None and len(data) > limit:
            raise InputTooLong(f"the input is too long: more than {limit // MB} MB")

        def fill_bytes(fd: int) -> None:
            view = memoryview(data)
            while view:
                view = view[os.write(fd, view):]
        return _sealed(fill_bytes)
    if not private and limit is None:
        return open(stdin, "rb")
    path = stdin
    with open(path, "rb") as src:
        def fill_file(fd: int) -> None:
            if _copy(src.fileno(), fd, limit):
                assert limit is not None
                raise InputTooLong(f"{path}: too long: more than {limit // MB} MB")
        return _sealed(fill_file)


def cannot_start(prog: str, why: str) -> str:
    """The one line saying that `prog` cannot start: `why` is "missing" (no such file, or its
    #! interpreter is missing), "denied" (not executable, or a folder) or a reason in words."""
    if why == "missing":
        if "/" in prog and os.path.isfile(prog):
            return f"cannot start {prog}: its #! line names an interpreter that does not exist"
        return f"cannot start {prog}: no such program"
    if why == "denied":
        return f"cannot start {prog}: it is " + (
            "a folder" if os.path.isdir(prog) else "not executable")
    return f"cannot start {prog}: {why}"


def start_problem(argv: list[str], exc: OSError) -> str:
    """One line saying why `argv` could not start."""
    if isinstance(exc, FileNotFoundError):
        return cannot_start(argv[0], "missing")
    if isinstance(exc, PermissionError):
        return cannot_start(argv[0], "denied")
    return cannot_start(argv[0], exc.strerror or str(exc))


def check_startable(command: list[str]) -> None:
    """Raises StartError before any work when the command's program cannot be found or run."""
    prog = command[0]
    path = prog if "/" in prog else shutil.which(prog)
    if path is None:
        # on PATH but without the run bit?
        for d in os.environ.get("PATH", "").split(os.pathsep):
            if os.path.isfile(os.path.join(d or ".", prog)):
                raise StartError(cannot_start(prog, f"{os.path.join(d, prog)} is not executable"))
        raise StartError(cannot_start(prog, "missing"))
    if not os.path.exists(path):
        raise StartError(cannot_start(prog, "missing"))
    if os.path.isdir(path) or not os.access(path, os.X_OK):
        raise StartError(cannot_start(prog, "denied"))


def memory_kind() -> str:
    """'tree' where a cgroup limits a run's whole tree, else 'process'."""
    return "tree" if cgroup.probe()[0] and not _no_box_groups else "process"


_workdirs: dict[tuple[int, str], str] = {}


def _workdir(folder: str) -> str:
    """The private working folder of this thread's judged runs without the sandbox, in
    `folder`; it is emptied after every run."""
    key = (threading.get_ident(), folder)
    if key not in _workdirs or not os.path.isdir(_workdirs[key]):
        _workdirs[key] = tempfile.mkdtemp(dir=folder, prefix="work-")
    return _workdirs[key]


def _empty(folder: str) -> None:
    """Removes whatever a run left in its working folder."""
    try:
        left = os.listdir(folder)
    except OSError:
        return
    for name in left:
        path = os.path.join(folder, name)
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path, ignore_errors=True)
        else:
            try:
                os.unlink(path)
            except OSError:
                pass


def _verdict(time_limit: Optional[float], output_limit: Optional[int],
             per_process: Optional[int], timed_out: bool, cpu: float, status: Optional[int],
             sig: Optional[int], sizes: tuple[int, int], hit: Union[bool, str],
             peak_kb: int) -> str:
    """The verdict of a run from what was measured."""
    ended = status != 0 or sig is not None
    if timed_out or (time_limit is not None and cpu > time_limit):
        return "TLE"
    if output_limit is not None and max(sizes) > output_limit:
        return "OLE"
    if hit == "oom" or (hit and ended) or (
            per_process and ended and peak_kb * 1024 >= per_process - MARGIN):
        return "MLE"
    return "RE" if ended else "OK"


def _result(argv: list[str], wstatus: int, paths: list[str], time_limit: Optional[float],
            output_limit: Optional[int], per_process: Optional[int], stopped: bool, cpu: float,
            wall: float, hit: Union[bool, str], peak_kb: int, tree: bool,
            boxed: bool) -> Result:
    """The Result of an ended run from its wait status and what was measured."""
    sig = os.WTERMSIG(wstatus) if os.WIFSIGNALED(wstatus) else None
    status = os.WEXITSTATUS(wstatus) if os.WIFEXITED(wstatus) else None
    sizes = _sizes(paths)
    verdict = _verdict(time_limit, output_limit, per_process, stopped, cpu, status, sig, sizes,
                       hit, peak_kb)
    return Result(argv=list(argv), verdict=verdict, status=status, signal=sig,
                  signal_name=signal.Signals(sig).name if sig else None, cpu=cpu, wall=wall,
                  peak_kb=peak_kb, memory="tree" if tree else "process", sandboxed=boxed,
                  timed_out=stopped, stdout=paths[0], stderr=paths[1], stdout_size=sizes[0])


def _sizes(paths: list[str]) -> tuple[int, int]:
    out, err = (os.path.getsize(p) if os.path.isfile(p) else 0 for p in paths)
    return out, err


# ------------------------------------------------------------------ judged runs in a box

class _Held:
    """The box a thread holds, and what it serves (argv, folders, tmpfs size, sandbox)."""

    def __init__(self, key: tuple[Any, ...], box: sandbox.Box) -> None:
        self.key, self.box = key, box


_boxes: dict[int, _Held] = {}            # thread ident -> its box
_groups: dict[int, cgroup.Group] = {}    # thread ident -> the cgroup of its boxes
_spared: set[int] = set()                # the boxes' processes, which no sweep may touch
_no_box_groups = False                   # pset_init could not enter a cgroup: none for boxes


class _JoinFailed(Exception):
    """A box's pset_init could not enter its cgroup."""


def _box_group() -> Optional[cgroup.Group]:
    """This thread's cgroup for its boxes, made at its first judged run; None without one."""
    me = threading.get_ident()
    if _no_box_groups:
        return None
    if me not in _groups:
        if not cgroup.probe()[0]:
            return None
        try:
            group = cgroup.Group()
        except OSError:
            return None
        with _lock:
            _groups[me] = group
    return _groups[me]


def _drop_box(group: Optional[cgroup.Group]) -> None:
    """Ends this thread's box, and with it every process in its cgroup."""
    with _lock:
        held = _boxes.pop(threading.get_ident(), None)
    if held is not None:
        held.box.kill()
        if group is not None:
            group.kill()
        held.box.close()
        _spared.discard(held.box.pid)
    if group is not None:
        group.empty()


def _box_for(argv: list[str], cwd: Optional[str], folder: str, output_limit: Optional[int],
             boxed: bool, group: Optional[cgroup.Group]) -> sandbox.Box:
    """This thread's box for `argv`: the one it holds when it serves the same, else a new
    one (the old one ended)."""
    key = (tuple(argv), cwd or os.getcwd(), folder, boxed, max(sandbox.TMP_SIZE,
                                                              output_limit or 0))
    held = _boxes.get(threading.get_ident())
    if held is not None and held.key == key and held.box.alive():
        return held.box
    _drop_box(group)
    work = sandbox.WORK if boxed else _workdir(folder)
    env = sandbox.environment(work)
    started: list[int] = []

    def spawned(pid: int) -> None:
        _spared.add(pid)
        started.append(pid)
    try:
        box = sandbox.Box(argv, boxed, cwd, folder, work, output_limit,
                          group.join_files if group is not None else [], env, guard=_lock,
                          spawned=spawned)
    except (sandbox.BoxError, OSError) as exc:
        _spared.difference_update(started)
        if isinstance(exc, OSError):
            raise StartError(start_problem(argv, exc)) from None
        if exc.join and group is not None:
            raise _JoinFailed(str(exc)) from None
        where = "in the sandbox" if boxed else "under pset_init"
        raise StartError(f"cannot start {argv[0]} {where}: {exc}") from None
    with _lock:
        _boxes[threading.get_ident()] = _Held(key, box)
    return box


def _run_in_box(argv: list[str], stdin: Input, paths: list[str], cwd: Optional[str],
                time_limit: Optional[float], wall_limit: Optional[float],
                memory_limit: Optional[int], output_limit: Optional[int], folder: str,
                input_limit: Optional[int], tag: Any, cpu_cap: Optional[int]) -> Result:
    global _no_box_groups
    try:
        return _test_in_box(argv, stdin, paths, cwd, time_limit, wall_limit, memory_limit,
                            output_limit, folder, input_limit, tag, cpu_cap)
    except _JoinFailed as exc:
        # the boxes go without cgroups from now on: their memory limits are per process
        _no_box_groups = True
        sandbox.say_once("memory", "note: the memory limit is per process (its address "
                         f"space), not on the whole tree: {exc}")
        return _test_in_box(argv, stdin, paths, cwd, time_limit, wall_limit, memory_limit,
                            output_limit, folder, input_limit, tag, cpu_cap)


def _test_in_box(argv: list[str], stdin: Input, paths: list[str], cwd: Optional[str],
                 time_limit: Optional[float], wall_limit: Optional[float],
                 memory_limit: Optional[int], output_limit: Optional[int], folder: str,
                 input_limit: Optional[int], tag: Any, cpu_cap: Optional[int]) -> Result:
    """One test of a judged command in this thread's box (started here when it has none for
    the command)."""
    probe: list[int] = []

    def spawned(pid: int) -> None:
        _spared.add(pid)
        probe.append(pid)
    boxed = sandbox.active(_lock, spawned)  # the first one tries the sandbox: spare its box
    _spared.difference_update(probe)
    group = _box_group()
    per_process = memory_limit if group is None else None
    run: Optional[_Run] = None
    _enter()  # from here until the test is in our books, a signal waits
    try:
        with _open_in(stdin, True, input_limit) as fin, open(paths[0], "wb") as fout, \
                open(paths[1], "wb") as ferr:
            for attempt in (1, 2):
                box = _box_for(argv, cwd, folder, output_limit, boxed, group)
                if group is not None:
                    group.set_limit(memory_limit)
                with _lock:
                    if _refusing:
                        raise Cancelled()
                    run = _Run(box.pid, tag, group, box)
                    _active[box.pid] = run
                mark = group.start() if group is not None else None
                start = time.monotonic()
                try:
                    box.send(cpu_cap or 0, output_limit + 1 if output_limit else 0,
                             per_process or 0, [fin.fileno(), fout.fileno(), ferr.fileno()])
                    break
                except OSError:
                    if attempt == 2:
                        raise
                    with _lock:  # the box ended while idle: another one takes the test
                        _active.pop(box.pid, None)
                    run = None
                    _drop_box(group)
    except BaseException:
        if run is not None:
            with _lock:
                _active.pop(run.pid, None)
            _drop_box(group)
        _leave()
        raise
    answer: Optional[str] = None
    timed_out = cpu_stopped = done = False
    watch_cpu = group is not None and time_limit is not None and mark is not None and \
        mark.cpu is not None
    try:
        _leave()  # a signal that came while it started is raised now, and ends it cleanly
        while not done:
            left = None if wall_limit is None else wall_limit - (time.monotonic() - start)
            if left is not None and left <= 0:
                timed_out = True
                break
            step = left
            if watch_cpu:
                step = CPU_POLL if step is None else min(step, CPU_POLL)
            done, answer = box.wait(step)
            if not done and watch_cpu and group is not None and mark is not None and \
                    (group.cpu_since(mark) or 0) > (time_limit or 0):
                cpu_stopped = True
                break
    finally:
        with _Section():
            with _lock:
                _active.pop(box.pid, None)
            killed = run is None or run.killed
            parsed = sandbox.reply(answer)
            tree_cpu = peak = None
            hit: Union[bool, str] = False
            if group is not None and mark is not None:
                if parsed is None:
                    box.kill()  # the test did not end by itself: nothing of it may go on
                    group.empty()
                tree_cpu = group.cpu_since(mark)
                peak, hit = group.memory_since(mark)
            # the box serves the next test once its folder is empty again
            if parsed is None or box.wait(sandbox.CLEAN_WAIT)[1] != "clean 1":
                _drop_box(group)
    wall = time.monotonic() - start
    if parsed is not None and parsed[0] == "exec":
        err = parsed[1]
        if err == errno.ENOMEM and memory_limit:
            hit = "oom"  # its image alone does not fit in the memory limit
            parsed = None
        else:
            raise StartError(start_problem(argv, OSError(err, os.strerror(err))))
    if parsed is not None:
        wstatus, cpu, peak_kb = parsed[1], parsed[2], parsed[3]
    else:
        # ended from here (the backstop, the tree's CPU time, a stop) or by the kernel
        if not (killed or timed_out or cpu_stopped or hit):
            raise StartError(f"cannot start {argv[0]}: its box ended during the test")
        wstatus, cpu, peak_kb = signal.SIGKILL, tree_cpu or 0.0, 0
    if peak is not None:
        peak_kb = peak // 1024
    return _result(argv, wstatus, paths, time_limit, output_limit, per_process,
                   timed_out or cpu_stopped, cpu, wall, hit, peak_kb, group is not None, boxed)


# ------------------------------------------------------------------ every other run

def _run_plain(argv: list[str], stdin: Input, paths: list[str], env: Optional[dict[str, str]],
               cwd: Optional[str], time_limit: Optional[float], wall_limit: Optional[float],
               memory_limit: Optional[int], output_limit: Optional[int], folder: str,
               closed: Iterable[int], judged: bool, input_limit: Optional[int], tag: Any,
               cpu_cap: Optional[int]) -> Result:
    """A run started by this process itself (through a shell that sets its cgroup and
    limits where it has any), its orphans reaped here."""
    token = f"{os.getpid()}.{next(_serial)}"
    group = None
    work = None
    proc: Optional["subprocess.Popen[bytes]"] = None
    spawning = False
    _enter()  # from here until the run is in our books, a signal waits
    try:
        if (memory_limit or judged) and cgroup.probe()[0]:
            try:
                group = cgroup.Group()
                group.set_limit(memory_limit)
            except OSError:
                if group is not None:
                    group.remove()
                group = None
        per_process = memory_limit if group is None and memory_limit and not (
            not judged and _sanitized(argv[0])) else None
        cmd, run_cwd = list(argv), cwd
        if judged:
            work = _workdir(folder)
            run_env = sandbox.environment(work)
            run_cwd = work
            cmd = sandbox.visible(cmd, cwd, folder)[0]
        else:
            run_env = dict(os.environ if env is None else env)
        run_env[TOKEN_VAR] = token
        steps = [f"echo $$ > {shlex.quote(f)}" for f in (group.join_files if group else [])]
        if steps or memory_limit or output_limit or cpu_cap:
            steps += _limits(per_process, output_limit, cpu_cap)
            cmd = ["/bin/sh", "-c", " && ".join(steps) + ' && exec "$@"', WRAPPER] + cmd
        mark = group.start() if group is not None else None
        with _open_in(stdin, judged, input_limit) as fin, open(paths[0], "wb") as fout, \
                open(paths[1], "wb") as ferr:
            start = time.monotonic()
            with _lock:
                if _refusing:
                    raise Cancelled()
                spawning = True
                if closed:
                    proc = subprocess.Popen(cmd, stdin=fin, stdout=fout, stderr=ferr,
                                            env=run_env, cwd=run_cwd, start_new_session=True,
                                            preexec_fn=_closer(closed))
                else:
                    proc = subprocess.Popen(cmd, stdin=fin, stdout=fout, stderr=ferr,
                                            env=run_env, cwd=run_cwd, start_new_session=True)
                _active[proc.pid] = _Run(proc.pid, tag, group)
            spawning = False
    except BaseException as exc:
        if proc is not None:
            _kill(proc.pid)
            with _lock:
                _active.pop(proc.pid, None)
            _sweep(proc.pid, token)
            try:
                os.waitpid(proc.pid, 0)
            except ChildProcessError:
                pass
            proc.returncode = 0
        if group is not None:
            group.remove()
        if work:
            _empty(work)
        _leave()
        if spawning and isinstance(exc, (OSError, subprocess.SubprocessError)):
            raise StartError(start_problem(argv, exc if isinstance(exc, OSError)
                                           else OSError(str(exc)))) from None
        raise
    pid = proc.pid
    timed_out = cpu_stopped = False
    watch_cpu = group is not None and time_limit is not None and mark is not None and \
        mark.cpu is not None
    try:
        _leave()  # a signal that came while it started is raised now, and ends it cleanly
        pidfd = os.pidfd_open(pid)
        try:
            poller = select.poll()
            poller.register(pidfd, select.POLLIN)
            while True:
                left = None if wall_limit is None else wall_limit - (time.monotonic() - start)
                if left is not None and left <= 0:
                    timed_out = True
                    _active[pid].kill()
                    poller.poll(1000)
                    break
                step = left
                if watch_cpu:
                    step = CPU_POLL if step is None else min(step, CPU_POLL)
                if poller.poll(None if step is None else max(1, int(step * 1000) + 1)):
                    break
                if watch_cpu and group is not None and mark is not None and \
                        (group.cpu_since(mark) or 0) > (time_limit or 0):
                    cpu_stopped = True
                    _active[pid].kill()
                    poller.poll(1000)
                    break
        finally:
            os.close(pidfd)
    finally:
        with _Section():
            if not _exited(pid):
                _kill(pid)
            if group is not None:
                group.kill()
            # once it is a zombie, every child it left has come to us: end them all
            os.waitid(os.P_PID, pid, os.WEXITED | os.WNOWAIT)
            orphans = _sweep(pid, token, group.pids if group is not None else None)
            _, wstatus, rusage = os.wait4(pid, 0)
            proc.returncode = 0  # reaped here; keeps Popen from waiting on a reused pid
            with _lock:
                _active.pop(pid)
            peak: Optional[int] = None
            hit: Union[bool, str] = False
            tree_cpu = None
            if group is not None and mark is not None:
                tree_cpu = group.cpu_since(mark)
                peak, hit = group.memory_since(mark)
                group.remove()
            if work:
                _empty(work)
    wall = time.monotonic() - start
    cpu = rusage.ru_utime + rusage.ru_stime + orphans
    if tree_cpu is not None:
        cpu = max(cpu, tree_cpu)
    peak_kb = rusage.ru_maxrss if peak is None else peak // 1024
    failed = _exec_failure(argv, os.WEXITSTATUS(wstatus) if os.WIFEXITED(wstatus) else None,
                           paths[1])
    if failed:
        raise StartError(failed)
    return _result(argv, wstatus, paths, time_limit, output_limit, per_process,
                   timed_out or cpu_stopped, cpu, wall, hit, peak_kb, group is not None, False)


def run(argv: list[str], *, stdin: Input = None, stdout: Optional[str] = None,
        stderr: Optional[str] = None, env: Optional[dict[str, str]] = None,
        cwd: Optional[str] = None, time_limit: Optional[float] = None,
        wall_limit: Optional[float] = None, memory_limit: Optional[int] = None,
        output_limit: Optional[int] = None, folder: Optional[str] = None,
        closed: Iterable[int] = (), judged: bool = False, input_limit: Optional[int] = None,
        tag: Any = None) -> Result:
    """Runs `argv` to its end; returns a Result. Raises StartError when it cannot start.

    stdin: a path, bytes, or None for /dev/null. stdout, stderr: paths to write (created or
    truncated), or None for fresh files in `folder` (default: scratch()), which the caller
    removes when done. time_limit: CPU seconds (None: none). wall_limit: seconds before the
    run is killed (default: 2 * time_limit + 1, none without a time limit). memory_limit and
    output_limit: bytes (None: none). closed: descriptors (0, 1) the command starts with
    closed, for tests of programs that must cope with that. judged: a contestant's command
    (a box, private folder and input, cleared environment; env and closed are not used).
    input_limit: bytes the input may hold; a longer one raises InputTooLong. tag: any value,
    for kill_tagged()."""
    become_subreaper()
    folder = folder or scratch()
    if wall_limit is None and time_limit is not None:
        wall_limit = 2 * time_limit + 1
    paths = []
    for given, suffix in ((stdout, ".out"), (stderr, ".err")):
        if given is None:
            fd, given = tempfile.mkstemp(dir=folder, suffix=suffix)
            os.close(fd)
        paths.append(given)
    cpu_cap = int(math.ceil(time_limit)) + 1 if time_limit is not None else None
    if judged and sandbox.init() is not None:
        return _run_in_box(list(argv), stdin, paths, cwd, time_limit, wall_limit, memory_limit,
                           output_limit, folder, input_limit, tag, cpu_cap)
    return _run_plain(list(argv), stdin, paths, env, cwd, time_limit, wall_limit, memory_limit,
                      output_limit, folder, closed, judged, input_limit, tag, cpu_cap)


def _exited(pid: int) -> bool:
    """True when the process is a zombie (or gone): it ran to its end."""
    try:
        with open(f"/proc/{pid}/stat", "rb") as fh:
            return fh.read().rsplit(b")", 1)[1].split()[0] in (b"Z", b"X")
    except (OSError, IndexError):
        return True
