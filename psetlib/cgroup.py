"""Control groups for the runs of pset: one group per run, holding the whole process tree of
its command, for a memory limit and a peak on the tree, its CPU time while it runs, and a cap
on its processes.

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


class Group:
    """One run's group in every controller at hand. join_files: the cgroup.procs files a
    process writes its pid into to enter it."""

    def __init__(self, memory_limit: Optional[int] = None) -> None:
        global _serial
        kind, _ = probe()
        if kind is None:
            raise OSError("no cgroup")
        self.kind = kind
        with _lock:
            _serial += 1
            name = f"pset-{os.getpid()}-{_start_time(os.getpid())}-{_serial}"
        self.dirs: dict[str, str] = {}
        try:
            for ctrl, base in _bases().items():
                folder = os.path.join(base, name)
                os.mkdir(folder)
                self.dirs[ctrl] = folder
            mem = self.dirs["memory"]
            if kind == "v2":
                if memory_limit:
                    _write(os.path.join(mem, "memory.max"), str(memory_limit))
                    if os.path.exists(os.path.join(mem, "memory.swap.max")):
                        _write(os.path.join(mem, "memory.swap.max"), "0")
                if os.path.exists(os.path.join(mem, "pids.max")):
                    _write(os.path.join(mem, "pids.max"), str(PIDS_MAX))
            else:
                if memory_limit:
                    _write(os.path.join(mem, "memory.limit_in_bytes"), str(memory_limit))
                    memsw = os.path.join(mem, "memory.memsw.limit_in_bytes")
                    if os.path.exists(memsw):
                        _write(memsw, str(memory_limit))
                if "pids" in self.dirs:
                    _write(os.path.join(self.dirs["pids"], "pids.max"), str(PIDS_MAX))
        except OSError:
            self.remove()
            raise
        self.join_files = [os.path.join(d, "cgroup.procs") for d in self.dirs.values()]

    def cpu(self) -> Optional[float]:
        """CPU seconds used so far by every process that was in the group, None unknown."""
        if self.kind == "v2":
            for line in _read(os.path.join(self.dirs["memory"], "cpu.stat")).splitlines():
                if line.startswith("usage_usec "):
                    return int(line.split()[1]) / 1e6
            return None
        if "cpuacct" not in self.dirs:
            return None
        text = _read(os.path.join(self.dirs["cpuacct"], "cpuacct.usage")).strip()
        return int(text) / 1e9 if text else None

    def memory(self) -> tuple[Optional[int], Union[bool, str]]:
        """(peak bytes or None, the limit was hit: True when its OOM killer ended a process or
        a charge failed at the limit, 'oom' for the former)."""
        mem = self.dirs["memory"]
        if self.kind == "v2":
            peak = _read(os.path.join(mem, "memory.peak")).strip()
            events = dict(line.split() for line in
                          _read(os.path.join(mem, "memory.events")).splitlines() if line)
            oom = int(events.get("oom_kill", 0)) > 0
            hit = oom or int(events.get("max", 0)) > 0
            return (int(peak) if peak else None), ("oom" if oom else hit)
        peak = _read(os.path.join(mem, "memory.max_usage_in_bytes")).strip()
        control = dict(line.split() for line in
                       _read(os.path.join(mem, "memory.oom_control")).splitlines() if line)
        oom = int(control.get("oom_kill", 0)) > 0
        fails = _read(os.path.join(mem, "memory.failcnt")).strip()
        hit = oom or (fails not in ("", "0"))
        return (int(peak) if peak else None), ("oom" if oom else hit)

    def kill(self) -> None:
        for folder in self.dirs.values():
            for pid in _pids_in(folder):
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass

    def pids(self) -> set[int]:
        found = set()
        for folder in self.dirs.values():
            found.update(_pids_in(folder))
        return found

    def remove(self) -> None:
        for ctrl in list(self.dirs):
            if _remove(self.dirs[ctrl]):
                del self.dirs[ctrl]


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
