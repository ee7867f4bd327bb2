"""Ends every process of a process group or a session, and waits for them.

A SIGKILL only marks a process: the kernel ends it when it next runs, which on
a busy machine can be well after kill() has returned. So end() returns only
once none of the processes is still running (a zombie, or a process that is
gone, has ended), or after SETTLE_SECONDS with the ones that still run.
Used by wine-run.py and tests/tools/demo_run.py."""
import os
import signal
import time

GROUP, SESSION = 2, 3  # where /proc/PID/stat has them, counted from the state (0) after the name
SETTLE_SECONDS = 5


def _stat(pid):
    """The fields of /proc/PID/stat from the state on, or None when it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None


def _runs(fields):
    return fields is not None and fields[0] not in ("Z", "X", "x")


def runs(pid):
    """Whether the process still runs: it is neither gone nor a zombie."""
    return _runs(_stat(pid))


def running(field, ident):
    """The pids of the processes whose process group (GROUP) or session
    (SESSION) is `ident` and that still run."""
    pids = []
    for name in filter(str.isdigit, os.listdir("/proc")):
        fields = _stat(name)
        if _runs(fields) and int(fields[field]) == ident:
            pids.append(int(name))
    return pids


def end(field, ident, settle=SETTLE_SECONDS):
    """Kills every process of the group or session, those it starts meanwhile
    too, and returns once none of them runs: []. After `settle` seconds it
    returns the pids of those still running."""
    deadline = time.monotonic() + settle
    while True:
        left = running(field, ident)
        for pid in left:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if not left or time.monotonic() >= deadline:
            return left
        time.sleep(0.01)
