"""Runs a demo host command the one way the demo checks run it
(check_demo_output.py, check_readme_examples.py): in a session of its own,
with its standard output and standard error together, and with a time limit.
A run has gone wrong when the command does not exit with 0 in time."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import process_group  # noqa: E402  (found through the line above)

# Below the 90 s that ctest gives each test under Wine (tests/CMakeLists.txt),
# so that a hung demo is ended here, with the reason, before ctest ends the
# check; and above wine-run.py's own limit and settling time (45 + 5 s), so
# that a hung Windows program is ended by wine-run.py, which names it.
TIMEOUT_SECONDS = 60


def run(command, cwd=None, timeout=TIMEOUT_SECONDS):
    """(output, problem, session): what the command printed, decoded; what
    went wrong with its run, or None; and the id of its session. When it does
    not finish in time, every process of its session is ended, those in
    process groups of their own (wine-run.py gives Wine one) too, and this
    returns once none of them runs, or says which still do."""
    proc = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        problem = None
    except subprocess.TimeoutExpired:
        left = process_group.end(process_group.SESSION, proc.pid)
        problem = f"did not finish in {timeout} s"
        if left:
            problem += (f", and {', '.join(map(str, left))} still ran"
                        f" {process_group.SETTLE_SECONDS} s after it was ended")
        try:
            out, _ = proc.communicate(timeout=5)
        except subprocess.TimeoutExpired:  # a process outside the session holds the output open
            out = b""
    if problem is None and proc.returncode < 0:
        problem = f"was ended by signal {-proc.returncode}"
    elif problem is None and proc.returncode != 0:
        problem = f"exited with {proc.returncode}"
    return out.decode("utf-8", "replace"), problem, proc.pid
