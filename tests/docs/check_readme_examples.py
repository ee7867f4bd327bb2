#!/usr/bin/python3
"""Runs each demo example of the README and compares what it prints.

An example is a line "$ scripts/demo.sh ARGS" in a fenced block; the lines
after it, up to the next "$ " line or the end of the block, are what the
command prints on its standard output. The
demo host is run with ARGS from the project root, through the command given
after "--", and must print exactly those lines.

  check_readme_examples.py README ROOT -- COMMAND...
"""
import difflib
import re
import shlex
import subprocess
import sys

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
        run = subprocess.run(command + args, cwd=root, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, timeout=120)
        got = run.stdout.decode("utf-8", "replace").replace("\r\n", "\n").splitlines()
        if run.returncode != 0 or got != want:
            failed += 1
            print(f"FAILED: {shown} (exit {run.returncode})")
            sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                want, got, "README", "printed", lineterm=""))
        else:
            print(f"ok: {shown}")
    print(f"{len(found) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
