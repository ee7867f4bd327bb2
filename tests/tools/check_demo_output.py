#!/usr/bin/python3
"""Runs a command, the demo host as a rule, and passes only when it exits
with 0 in time and its output matches a pattern: a demo that prints the right
line and then crashes, fails or hangs has failed.

  check_demo_output.py PATTERN -- COMMAND...
  check_demo_output.py --cases

The pattern is a Python regular expression, searched for in the whole output
(standard output and standard error together), with "." matching line ends
too. The command runs as demo_run.py runs it. --cases runs the check's own
table of cases."""
import re
import sys

import demo_run


def check(pattern, command, show=True, timeout=demo_run.TIMEOUT_SECONDS):
    """(output, what is wrong with the command's run or None). With `show`,
    its output is passed on."""
    output, problem = demo_run.run(command, timeout=timeout)
    if show:
        sys.stdout.write(output)
    if problem is None and not re.search(pattern, output, re.S):
        problem = f"printed nothing that matches {pattern!r}"
    return output, problem


def still_running(pid):
    """Whether the process is alive: neither gone nor a zombie."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (FileNotFoundError, ProcessLookupError):
        return False


# (what, pattern, shell command, whether the check must pass it, time limit).
# A case's command that prints "child PID" has started that process, which
# must not outlive the check.
CASES = [
    ("the line, exit 0", r"Find: \[count\]", "echo 'Find: [count]'", True, None),
    ("the line over two lines of output", r"queued 0 key events.*stayed out",
     "echo 'queued 0 key events'; echo 'the plug-in stayed out'", True, None),
    ("the line, then exit 1", r"Find: \[count\]", "echo 'Find: [count]'; exit 1", False, None),
    ("the line, then a crash", r"Find: \[count\]", "echo 'Find: [count]'; kill -SEGV $$", False, None),
    ("another line, exit 0", r"Find: \[count\]", "echo 'Find: [countdown'", False, None),
    ("nothing, exit 0", r"Find: \[count\]", "true", False, None),
    ("the line, then a hang, with a child of its own", r"Find: \[count\]",
     "echo 'Find: [count]'; sleep 60 >/dev/null 2>&1 & echo \"child $!\"; wait", False, 1),
]


def run_cases():
    failed = 0
    for what, pattern, command, passes, timeout in CASES:
        output, problem = check(pattern, ["/bin/sh", "-c", command], show=False,
                                timeout=timeout or demo_run.TIMEOUT_SECONDS)
        left = [pid for pid in re.findall(r"child (\d+)", output) if still_running(pid)]
        ok = (problem is None) == passes and not left
        failed += not ok
        print(f"{'ok' if ok else 'FAILED'}: {what}: {problem or 'passes'}, must {'pass' if passes else 'fail'}"
              + (f"; left {', '.join(left)} running" if left else ""))
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main(argv):
    if argv[1:] == ["--cases"]:
        return run_cases()
    if len(argv) < 4 or argv[2] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    _, problem = check(argv[1], argv[3:])
    if problem:
        print(f"check_demo_output: {' '.join(argv[3:])}: {problem}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
