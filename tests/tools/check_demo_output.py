#!/usr/bin/python3
"""Runs a command, the demo host as a rule, and passes only when it exits
with 0 in time and its output matches a pattern: a demo that prints the right
line and then crashes, fails or hangs has failed.

  check_demo_output.py PATTERN -- COMMAND...
  check_demo_output.py --cases [-- WINDOWS_COMMAND...]

The pattern is a Python regular expression, searched for in the whole output
(standard output and standard error together), with "." matching line ends
too. The command runs as demo_run.py runs it. --cases runs the check's own
table of cases; the rows that run a Windows program run only when given the
command that runs it (wine-run.py with a short limit, and never_exits.exe)."""
import re
import sys

import demo_run
from demo_run import process_group


def check(pattern, command, show=True, timeout=demo_run.TIMEOUT_SECONDS):
    """(output, what is wrong with the command's run or None, its session).
    With `show`, its output is passed on."""
    output, problem, session = demo_run.run(command, timeout=timeout)
    if show:
        sys.stdout.write(output)
    if not re.search(pattern, output, re.S):
        problem = (problem + "; " if problem else "") + f"printed nothing that matches {pattern!r}"
    return output, problem, session


WINDOWS = None  # a case's command: the one given after "--cases --"
HANG_IN_A_GROUP_OF_ITS_OWN = f"""{sys.executable} -c 'import os; os.setpgid(0, 0); os.execvp("sleep", ["sleep", "60"])' &"""
# A process ends only once its memory is freed: with 256 MiB, some 15 ms after
# the SIGKILL, whatever the scheduler does, so a runner that does not wait
# for it returns while it still runs. (It lets go of the output, which it
# would close only after freeing its memory, holding the runner up.)
HANG_SLOW_TO_END = (f"""{sys.executable} -c 'import os, time; held = bytearray(256 << 20); """
                    """print("child", os.getpid(), flush=True); os.dup2(os.open(os.devnull, os.O_WRONLY), 1); """
                    """time.sleep(60)' 2>/dev/null &""")

# (what, pattern, shell command or WINDOWS, what the check must find wrong (a regular
# expression for all of it) or None where it must pass, time limit or None for
# demo_run's). No process of a case's session may be left running after it: a
# case's command that prints "child PID" has started that process, which is
# looked at first, in one quick read, before the kill can have landed late.
CASES = [
    ("the line, exit 0", r"Find: \[count\]", "echo 'Find: [count]'", None, None),
    ("the line over two lines of output", r"queued 0 key events.*stayed out",
     "echo 'queued 0 key events'; echo 'the plug-in stayed out'", None, None),
    ("the line, then exit 1", r"Find: \[count\]", "echo 'Find: [count]'; exit 1", "exited with 1", None),
    ("the line, then a crash", r"Find: \[count\]", "echo 'Find: [count]'; kill -SEGV $$",
     "was ended by signal 11", None),
    ("another line, exit 0", r"Find: \[count\]", "echo 'Find: [countdown'", "printed nothing that matches .*", None),
    ("nothing, exit 0", r"Find: \[count\]", "true", "printed nothing that matches .*", None),
    ("nothing, then exit 1", r"Find: \[count\]", "exit 1", "exited with 1; printed nothing that matches .*", None),
    ("the line, then a hang, with a child of its own", r"Find: \[count\]",
     "echo 'Find: [count]'; sleep 60 >/dev/null 2>&1 & echo \"child $!\"; wait", "did not finish in 1 s", 1),
    ("the line, then a hang, with a child in a process group of its own", r"Find: \[count\]",
     f"echo 'Find: [count]'; {HANG_IN_A_GROUP_OF_ITS_OWN} echo \"child $!\"; wait", "did not finish in 1 s", 1),
    ("the line, then a hang, with a child that is slow to end", r"Find: \[count\]",
     f"echo 'Find: [count]'; {HANG_SLOW_TO_END} wait", "did not finish in 1 s", 1),
    ("a Windows program that never exits, nor its copy, under wine-run.py's limit",
     r"wine-run: \S*never_exits\.exe did not finish in \d+ s\n.*never_exits: running, and so is its copy",
     WINDOWS, "exited with 124", None),
]


def run_cases(windows):
    ran = failed = 0
    for what, pattern, command, wrong, timeout in CASES:
        if command is WINDOWS and not windows:
            print(f"skipped: {what}: runs only with a command after --cases --")
            continue
        output, problem, session = check(pattern, windows if command is WINDOWS else ["/bin/sh", "-c", command],
                                         show=False, timeout=timeout or demo_run.TIMEOUT_SECONDS)
        children = [int(pid) for pid in re.findall(r"child (\d+)", output)]
        left = [pid for pid in children if process_group.runs(pid)]
        left += [pid for pid in process_group.running(process_group.SESSION, session)
                 if pid not in left]
        if left:  # named below; ended here, so that they do not outlast the check
            process_group.end(process_group.SESSION, session)
        ran += 1
        right = problem is None if wrong is None else problem is not None and re.fullmatch(wrong, problem)
        ok = right and not left
        failed += not ok
        print(f"{'ok' if ok else 'FAILED'}: {what}: {problem or 'passes'}, must {wrong and 'fail' or 'pass'}"
              + (f" ({wrong})" if wrong and not right else "")
              + (f"; left {', '.join(map(str, left))} running" if left else ""))
        if not ok:
            sys.stdout.write("".join(f"  | {line}\n" for line in output.splitlines()))
    print(f"{ran - failed} passed, {failed} failed")
    return 1 if failed else 0


def main(argv):
    if argv[1:2] == ["--cases"] and argv[2:3] in ([], ["--"]):
        return run_cases(argv[3:])
    if len(argv) < 4 or argv[2] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    _, problem, _ = check(argv[1], argv[3:])
    if problem:
        print(f"check_demo_output: {' '.join(argv[3:])}: {problem}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
