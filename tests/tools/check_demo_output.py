#!/usr/bin/python3
"""Runs a command, the demo host as a rule, and passes only when it exits
with 0 and its output matches a pattern: a demo that prints the right line
and then crashes or fails has failed.

  check_demo_output.py PATTERN -- COMMAND...
  check_demo_output.py --cases

The pattern is a Python regular expression, searched for in the whole output
(standard output and standard error together), with "." matching line ends
too. --cases runs the check's own table of cases."""
import re
import subprocess
import sys

TIMEOUT_SECONDS = 240


def check(pattern, command, show=True):
    """What is wrong with the command's run, or None. With `show`, its output is
    passed on."""
    try:
        run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        return f"did not finish in {TIMEOUT_SECONDS} s"
    output = run.stdout.decode("utf-8", "replace")
    if show:
        sys.stdout.write(output)
    if run.returncode != 0:
        return f"exited with {run.returncode}"
    if not re.search(pattern, output, re.S):
        return f"printed nothing that matches {pattern!r}"
    return None


# (what, pattern, shell command, whether the check must pass it)
CASES = [
    ("the line, exit 0", r"Find: \[count\]", "echo 'Find: [count]'", True),
    ("the line over two lines of output", r"queued 0 key events.*stayed out",
     "echo 'queued 0 key events'; echo 'the plug-in stayed out'", True),
    ("the line, then exit 1", r"Find: \[count\]", "echo 'Find: [count]'; exit 1", False),
    ("the line, then a crash", r"Find: \[count\]", "echo 'Find: [count]'; kill -SEGV $$", False),
    ("another line, exit 0", r"Find: \[count\]", "echo 'Find: [countdown'", False),
    ("nothing, exit 0", r"Find: \[count\]", "true", False),
]


def run_cases():
    failed = 0
    for what, pattern, command, passes in CASES:
        problem = check(pattern, ["/bin/sh", "-c", command], show=False)
        ok = (problem is None) == passes
        failed += not ok
        print(f"{'ok' if ok else 'FAILED'}: {what}: {problem or 'passes'}, must {'pass' if passes else 'fail'}")
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main(argv):
    if argv[1:] == ["--cases"]:
        return run_cases()
    if len(argv) < 4 or argv[2] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    problem = check(argv[1], argv[3:])
    if problem:
        print(f"check_demo_output: {' '.join(argv[3:])}: {problem}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
