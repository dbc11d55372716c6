"""Control groups for the runs of pset: a group holds the whole process tree of a command,
for a memory limit and a peak on the tree, its CPU time while it runs, and a cap on its
processes. A group is made once (per worker thread and kind of run) and serves run after run,
each taking its figures as differences from the mark it starts with (Group.start).

cgroup v2 is used where this process's group delegates the memory controller to groups below
it; else cgroup v1's memory controller (with cpuacct and pids where they are mounted), under
the groups this process is in. Each group is named pset-PID-START-N after the pset process
that made it (START: that process's start time), so that a later run can tell the groups of
dead runs and remove them (sweep()).
"""

import os
import re
import signal
import threading
import time
from typing import Optional, Union

PIDS_MAX = 512          # processes a run's tree may hold at once
_NAME = re.compile(r"pset-(\d+)-(\d+)-\d+$")
_lock = threading.Lock()
# (kind, {controller: base folder}) once probed; kind None: no cgroup
_found: Optional[tuple[Optional[str], dict[str, str]]] = None
_why = ""
_serial = 0


def _start_time(pid: int) -> Optional[int]:
    """The start time of a process (clock ticks since boot), None when it is gone."""
    try:
        with open(f"/proc/{pid}/stat", "rb") as fh:
            return int(fh.read().rsplit(b")", 1)[1].split()[19])
    except (OSError, IndexError, ValueError):
        return None


def _mounts() -> list[tuple[str, str, set[str]]]:
    """(fstype, mount point, super options) of every cgroup file system mounted."""
    found = []
    try:
        with open("/proc/self/mountinfo") as fh:
            for line in fh:
                left, _, right = line.partition(" - ")
                fields, rest = left.split(), right.split()
                if len(fields) > 4 and rest and rest[0] in ("cgroup", "cgroup2"):
                    found.append((rest[0], fields[4].replace("\\040", " "),
                                  set(rest[2].split(",")) if len(rest) > 2 else set()))
    except OSError:
        pass
    return found


def _own_paths() -> dict[str, str]:
    """{controller or '' (v2): this process's group path}."""
    paths: dict[str, str] = {}
    try:
        with open("/proc/self/cgroup") as fh:
            for line in fh:
                _, ctrls, path = line.rstrip("\n").split(":", 2)
                for c in (ctrls.split(",") if ctrls else [""]):
                    paths[c] = path
    except (OSError, ValueError):
        pass
    return paths


def _usable(base: str) -> bool:
    """True when a group can be made and removed under `base`."""
    probe = os.path.join(base, f"pset-probe-{os.getpid()}")
    try:
        os.mkdir(probe)
    except FileExistsError:
        pass
    except OSError:
        return False
    try:
        os.rmdir(probe)
    except OSError:
        return False
    return True


def _probe() -> tuple[Optional[str], dict[str, str], str]:
    mounts, own = _mounts(), _own_paths()
    # cgroup v2 with the memory controller delegated below our group
    for fstype, point, _ in mounts:
        if fstype != "cgroup2" or "" not in own:
            continue
        base = os.path.normpath(point + own[""])
        try:
            with open(os.path.join(base, "cgroup.subtree_control")) as fh:
                delegated = fh.read().split()
        except OSError:
            continue
        if "memory" in delegated and _usable(base):
            return "v2", {"memory": base}, ""
    # cgroup v1: the memory controller, and cpuacct and pids beside it where mounted
    bases: dict[str, str] = {}
    for ctrl in ("memory", "cpuacct", "pids"):
        for fstype, point, opts in mounts:
            if fstype == "cgroup" and ctrl in opts and ctrl in own:
                base = os.path.normpath(point + own[ctrl])
                if _usable(base):
                    bases[ctrl] = base
                break
    if "memory" in bases:
        return "v1", bases, ""
    if not mounts:
        return None, {}, "no cgroup file system is mounted"
    return None, {}, "no memory cgroup can be made here (not delegated, or not writable)"


def probe() -> tuple[Optional[str], str]:
    """(kind, why): kind 'v1' or 'v2' where a group with a memory limit can be made, else
    None with the reason."""
    global _found, _why
    with _lock:
        if _found is None:
            kind, bases, _why = _probe()
            _found = (kind, bases)
        return _found[0], _why


def _bases() -> dict[str, str]:
    """{controller: the folder our groups are made in}, once probed ({} without a cgroup)."""
    probe()
    return _found[1] if _found is not None else {}


def _write(path: str, text: str) -> None:
    with open(path, "w") as fh:
        fh.write(text)


def _read(path: str) -> str:
    try:
        with open(path) as fh:
            return fh.read()
    except OSError:
        return ""


def _pids_in(folder: str) -> list[int]:
    return [int(x) for x in _read(os.path.join(folder, "cgroup.procs")).split()]


def _remove(folder: str) -> bool:
    """Kills whatever is left in a group and removes it; False when it would not go."""
    for _ in range(200):
        for pid in _pids_in(folder):
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        try:
            os.rmdir(folder)
            return True
        except FileNotFoundError:
            return True
        except OSError:
            time.sleep(0.005)
    return False


class Mark:
    """A group's counters when a run started in it (Group.start): what the run did is the
    difference."""

    def __init__(self, cpu: Optional[float], oom: int, fails: int, peak: bool) -> None:
        self.cpu, self.oom, self.fails, self.peak = cpu, oom, fails, peak


def _table(text: str) -> dict[str, int]:
    found = {}
    for line in text.splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[1].lstrip("-").isdigit():
            found[parts[0]] = int(parts[1])
    return found


class Group:
    """A group in every controller at hand, made once and used by run after run (one at a
    time): Group.start() before each run, then cpu_since(), memory_since(); empty() ends what
    is left of a run. join_files: the cgroup.procs files a process writes its pid (or 0, for
    itself) into to enter it."""

    def __init__(self) -> None:
        global _serial
        kind, _ = probe()
        if kind is None:
            raise OSError("no cgroup")
        self.kind = kind
        with _lock:
            _serial += 1
            name = f"pset-{os.getpid()}-{_start_time(os.getpid())}-{_serial}"
        self.dirs: dict[str, str] = {}
        self.limit: Optional[int] = None
        self._peak_fd: Optional[int] = None
        self._runs = 0
        try:
            for ctrl, base in _bases().items():
                folder = os.path.join(base, name)
                os.mkdir(folder)
                self.dirs[ctrl] = folder
            mem = self.dirs["memory"]
            if kind == "v2":
                if os.path.exists(os.path.join(mem, "memory.swap.max")):
                    _write(os.path.join(mem, "memory.swap.max"), "0")
                if os.path.exists(os.path.join(mem, "pids.max")):
                    _write(os.path.join(mem, "pids.max"), str(PIDS_MAX))
                try:  # a peak that can be reset, through this descriptor (Linux 6.12)
                    self._peak_fd = os.open(os.path.join(mem, "memory.peak"),
                                            os.O_RDWR | os.O_CLOEXEC)
                except OSError:
                    self._peak_fd = None
            elif "pids" in self.dirs:
                _write(os.path.join(self.dirs["pids"], "pids.max"), str(PIDS_MAX))
        except OSError:
            self.remove()
            raise
        self.join_files = [os.path.join(d, "cgroup.procs") for d in self.dirs.values()]
        with _lock:
            _groups.add(self)

    def _file(self, name: str, ctrl: str = "memory") -> str:
        return os.path.join(self.dirs[ctrl], name)

    def set_limit(self, memory_limit: Optional[int]) -> None:
        """The memory limit of the whole group, bytes (None: none), for the runs that follow;
        set while no run is in it."""
        if memory_limit == self.limit:
            return
        value = str(memory_limit) if memory_limit else ("max" if self.kind == "v2" else "-1")
        if self.kind == "v2":
            _write(self._file("memory.max"), value)
        else:
            memsw = self._file("memory.memsw.limit_in_bytes")
            both = [self._file("memory.limit_in_bytes")] + (
                [memsw] if os.path.exists(memsw) else [])
            # memory.limit_in_bytes may never pass memory.memsw.limit_in_bytes
            raising = not memory_limit or (self.limit is not None and memory_limit > self.limit)
            for f in (reversed(both) if raising else both):
                _write(f, value)
        self.limit = memory_limit

    def cpu(self) -> Optional[float]:
        """CPU seconds used so far by every process that was in the group, None unknown."""
        if self.kind == "v2":
            usec = _table(_read(self._file("cpu.stat"))).get("usage_usec")
            return usec / 1e6 if usec is not None else None
        if "cpuacct" not in self.dirs:
            return None
        text = _read(self._file("cpuacct.usage", "cpuacct")).strip()
        return int(text) / 1e9 if text.isdigit() else None

    def start(self) -> Mark:
        """Marks the start of a run: its peak is taken from here (where the group's peak can
        be reset, or on its first run), its CPU time, fail and OOM counts as differences."""
        first = self._runs == 0
        self._runs += 1
        peak = first
        if self.kind == "v2":
            events = _table(_read(self._file("memory.events")))
            oom, fails = events.get("oom_kill", 0), events.get("max", 0)
            if self._peak_fd is not None:
                try:
                    os.write(self._peak_fd, b"reset\n")
                    peak = True
                except OSError:
                    pass
        else:
            oom = _table(_read(self._file("memory.oom_control"))).get("oom_kill", 0)
            try:
                _write(self._file("memory.max_usage_in_bytes"), "0")
                peak = True
            except OSError:
                pass
            fails_text = _read(self._file("memory.failcnt")).strip()
            fails = int(fails_text) if fails_text.isdigit() else 0
        return Mark(self.cpu(), oom, fails, peak)

    def cpu_since(self, mark: Mark) -> Optional[float]:
        """CPU seconds of the group since the mark, None unknown."""
        now = self.cpu()
        return None if now is None or mark.cpu is None else now - mark.cpu

    def memory_since(self, mark: Mark) -> tuple[Optional[int], Union[bool, str]]:
        """(peak bytes since the mark, None unknown; the limit was hit since: 'oom' when its
        OOM killer ended a process, True when a charge failed at the limit, else False)."""
        peak: Optional[int] = None
        if self.kind == "v2":
            events = _table(_read(self._file("memory.events")))
            oom = events.get("oom_kill", 0) > mark.oom
            hit = events.get("max", 0) > mark.fails
            if mark.peak:
                if self._peak_fd is not None:
                    try:
                        text = os.pread(self._peak_fd, 64, 0).decode().strip()
                    except OSError:
                        text = ""
                else:
                    text = _read(self._file("memory.peak")).strip()
                peak = int(text) if text.isdigit() else None
        else:
            oom = _table(_read(self._file("memory.oom_control"))).get("oom_kill", 0) > mark.oom
            fails_text = _read(self._file("memory.failcnt")).strip()
            hit = (int(fails_text) if fails_text.isdigit() else 0) > mark.fails
            if mark.peak:
                text = _read(self._file("memory.max_usage_in_bytes")).strip()
                peak = int(text) if text.isdigit() else None
        return peak, ("oom" if oom else hit)

    def kill(self) -> None:
        """Kills every process in the group (from any thread: its folders are read from a
        copy, as another thread may be removing the group)."""
        for folder in list(self.dirs.values()):
            for pid in _pids_in(folder):
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass

    def pids(self) -> set[int]:
        found = set()
        for folder in list(self.dirs.values()):
            found.update(_pids_in(folder))
        return found

    def empty(self, seconds: float = 2.0) -> bool:
        """Kills every process in the group and waits (at most `seconds`) until none is left;
        True when it is empty."""
        deadline = time.monotonic() + seconds
        while True:
            self.kill()
            if not self.pids():
                return True
            if time.monotonic() > deadline:
                return False
            time.sleep(0.002)

    def remove(self) -> None:
        """Kills what is left in the group and removes it."""
        if self._peak_fd is not None:
            os.close(self._peak_fd)
            self._peak_fd = None
        for ctrl, folder in list(self.dirs.items()):
            if _remove(folder):
                self.dirs.pop(ctrl, None)
        with _lock:
            _groups.discard(self)


_groups: set[Group] = set()


def remove_all() -> None:
    """Removes every group this process made (at its end)."""
    with _lock:
        made = list(_groups)
    for g in made:
        g.remove()


def sweep() -> int:
    """Removes the groups that pset runs which are gone left behind (a run killed by
    SIGKILL cannot remove its own); returns how many."""
    kind, _ = probe()
    if kind is None:
        return 0
    removed = 0
    for base in _bases().values():
        try:
            names = os.listdir(base)
        except OSError:
            continue
        for name in names:
            m = _NAME.match(name)
            if not m or int(m.group(1)) == os.getpid():
                continue
            if str(_start_time(int(m.group(1)))) == m.group(2):
                continue  # its pset is still running
            removed += _remove(os.path.join(base, name))
    return removed
