#!/usr/bin/python3
"""Runs each demo example of the README and compares what it prints.

An example is a line "$ scripts/demo.sh ARGS" in a fenced block; the lines
after it, up to the next "$ " line or the end of the block, are what the
command prints on its standard output. The
demo host is run with ARGS from the project root, through the command given
after "--", as tests/tools/demo_run.py runs it: it must exit with 0 in time
and print exactly those lines.

  check_readme_examples.py README ROOT -- COMMAND...
"""
import difflib
import os
import re
import shlex
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import demo_run  # noqa: E402  (found through the line above)

PROMPT = "$ scripts/demo.sh"


def examples(text):
    for block in re.findall(r"^```[a-z]*\n(.*?)^```", text, re.M | re.S):
        command, printed = None, []
        for line in block.splitlines() + ["$ "]:
            if line.startswith("$ "):
                if command == PROMPT or (command or "").startswith(PROMPT + " "):
                    yield command, shlex.split(command[len(PROMPT):]), printed
                command, printed = line, []
            elif command is not None:
                printed.append(line)


def main(argv):
    if len(argv) < 5 or argv[3] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    readme, root, command = argv[1], argv[2], argv[4:]
    with open(readme, encoding="utf-8") as f:
        found = list(examples(f.read()))
    if not found:
        print(f"no example in {readme} starts with '{PROMPT}'")
        return 1
    failed = 0
    for shown, args, want in found:
        output, problem, _ = demo_run.run(command + args, cwd=root)
        got = output.replace("\r\n", "\n").splitlines()
        if problem or got != want:
            failed += 1
            print(f"FAILED: {shown}" + (f": {problem}" if problem else ""))
            sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                want, got, "README", "printed", lineterm=""))
        else:
            print(f"ok: {shown}")
    print(f"{len(found) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
