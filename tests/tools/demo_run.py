"""Runs a demo host command the one way the demo checks run it
(check_demo_output.py, check_readme_examples.py): in a process group of its
own, with its standard output and standard error together, and with a time
limit. A run has gone wrong when the command does not exit with 0 in time."""
import os
import signal
import subprocess

# Below the 90 s that ctest gives each test under Wine (tests/CMakeLists.txt),
# so that a hung demo is ended here, with the reason, before ctest ends the check.
TIMEOUT_SECONDS = 60


def run(command, cwd=None, timeout=TIMEOUT_SECONDS):
    """(output, problem): what the command printed, decoded, and what went
    wrong with its run, or None. When it does not finish in time its whole
    process group is ended, Wine's processes among them."""
    proc = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            process_group=0)
    try:
        out, _ = proc.communicate(timeout=timeout)
        problem = None
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        try:
            out, _ = proc.communicate(timeout=5)
        except subprocess.TimeoutExpired:  # a process outside the group holds the output open
            out = b""
        problem = f"did not finish in {timeout} s"
    if problem is None and proc.returncode < 0:
        problem = f"was ended by signal {-proc.returncode}"
    elif problem is None and proc.returncode != 0:
        problem = f"exited with {proc.returncode}"
    return out.decode("utf-8", "replace"), problem
