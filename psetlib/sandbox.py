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
starts the command, reaps every process of its tree, kills what is left when the command ends
and reports the command's wait status and the CPU time of the whole tree.

configure(mode, build_dir) is called by every action that judges: mode 'auto' uses the sandbox
where it can start and says once on stderr when it cannot; 'require' makes that an error;
'off' never uses it.
"""

import os
import shlex
import shutil
import subprocess
import sys
import threading
from typing import Any, Iterable, Optional

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


def _say_once(key: str, text: str) -> None:
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


def active() -> bool:
    """True when judged runs go into the sandbox now; the first call with --sandbox auto tries
    it, and says once on stderr when it cannot start."""
    if _mode == "off":
        return False
    ok, why = usable()
    if not ok:
        _say_once("sandbox", f"note: judged programs run without a sandbox: {why} "
                  "(--sandbox off says this is meant)")
    return ok


def usable() -> tuple[bool, str]:
    """(True, '') when bubblewrap and pset_init can run a command here, else (False, why)."""
    global _usable
    if _usable is not None:
        return _usable
    bwrap = shutil.which("bwrap")
    if _init is None:
        found = False, "pset_init is not built (run make)"
    elif bwrap is None:
        found = False, "bubblewrap (bwrap) is not installed"
    else:
        r, w0 = os.pipe()
        w: Optional[int] = w0
        try:
            p = subprocess.run(command(["true"], w0, cwd="/"), capture_output=True,
                               pass_fds=(w0,), timeout=30)
            os.close(w0)
            w = None
            report = os.read(r, 200).decode(errors="replace")
            if p.returncode == 0 and report.startswith("ok 0 "):
                found = True, ""
            else:
                err = p.stderr.decode(errors="replace").strip().splitlines()
                found = False, "bwrap cannot start: " + (err[0] if err else
                                                         f"status {p.returncode}")
        except (OSError, subprocess.SubprocessError) as exc:
            found = False, f"bwrap cannot start: {exc}"
        finally:
            os.close(r)
            if w is not None:
                os.close(w)
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


def command(argv: list[str], report_fd: int, cwd: Optional[str] = None,
            scratch: str = "/nonexistent", output_limit: Optional[int] = None,
            block_fd: Optional[int] = None, info_fd: Optional[int] = None) -> list[str]:
    """The command line that runs `argv` in the sandbox under pset_init, its report going to
    descriptor `report_fd`. With block_fd and info_fd, bubblewrap writes the pid of its
    sandboxed child to info_fd and waits for a byte on block_fd before going on."""
    assert _init is not None
    argv, files, folders = visible(argv, cwd, scratch)
    argv = list(argv)
    size = max(TMP_SIZE, output_limit or 0)
    line = ["bwrap", "--unshare-user", "--uid", "65534", "--gid", "65534", "--unshare-ipc",
            "--unshare-pid", "--as-pid-1", "--unshare-net", "--die-with-parent", "--new-session"]
    if block_fd is not None:
        line += ["--block-fd", str(block_fd), "--info-fd", str(info_fd)]
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
    for f in sorted(files):
        if not any(_under(os.path.realpath(f), d) for d in shown):
            line += ["--ro-bind", f, f]
    line += ["--ro-bind", _init, INIT_INSIDE, "--remount-ro", "/", "--chdir", WORK,
             "--clearenv", "--setenv", "PATH", PATH, "--setenv", "LANG", "C.UTF-8",
             "--setenv", "HOME", WORK, "--setenv", "TMPDIR", WORK,
             "--", INIT_INSIDE, str(report_fd)]
    return line + argv


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
        _say_once("memory", f"note: the memory limit is per process (its address space), not "
                  f"on the whole tree: {why}")
