#!/usr/bin/python3
"""Runs a 32-bit Windows program under Wine, with a console.

Wine gives a program a console input queue only when its standard input is a
terminal, so the program's stdin is a fresh pseudo-terminal that nothing ever
writes to; its output goes to a file, which is shown when it ends. The exit
code is the program's.

Wine runs in a process group of its own, which holds the program, the
Windows processes it starts and their console (the prefix's services and
wineserver go into sessions of their own). When the program does not finish
within the time limit, that whole group is ended, and the runner prints which
program did not finish in how many seconds and exits with 124, once none of
the group's processes runs any more.

  wine-run.py --prefix DIR --init          make a new, empty Wine prefix
  wine-run.py --prefix DIR --stop          stop the prefix's wineserver
  wine-run.py --prefix DIR -- PROGRAM ARGS run PROGRAM in the prefix

  --timeout SECONDS   the time limit: by default 45 s for a program and for
                      --stop, 200 s for --init (making a prefix takes 10 to
                      20 s)
"""
import argparse
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import process_group

# Below the limits of the callers that run a program: tests/tools/demo_run.py's
# 60 s and the 90 s that ctest gives each test under Wine (tests/CMakeLists.txt);
# --init's below the 240 s ctest gives the test that makes the prefix.
TIMEOUT_SECONDS = 45
INIT_TIMEOUT_SECONDS = 200


def wine_env(prefix):
    env = dict(os.environ)
    env.setdefault("HOME", "/tmp")
    env["WINEPREFIX"] = os.path.abspath(prefix)
    env["WINEDEBUG"] = "-all"
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="  # no Mono or Gecko prompts
    env.pop("DISPLAY", None)
    return env


def run_limited(name, argv, deadline, **popen_args):
    """argv's exit code, run in a process group of its own; or, when it has
    not finished by `deadline` (time.monotonic()), 124 once its whole group
    has ended, with a message that names it `name`."""
    started = time.monotonic()
    proc = subprocess.Popen(argv, process_group=0, **popen_args)
    try:
        return proc.wait(timeout=max(0, deadline - time.monotonic()))
    except subprocess.TimeoutExpired:
        left = process_group.end(process_group.GROUP, proc.pid)
        if proc.pid not in left:
            proc.wait()
        print(f"wine-run: {name} did not finish in {round(deadline - started)} s"
              + (f"; {', '.join(map(str, left))} still ran {process_group.SETTLE_SECONDS} s after"
                 " its process group was ended" if left else ""), flush=True)
        return 124


def init(prefix, limit):
    shutil.rmtree(prefix, ignore_errors=True)
    deadline = time.monotonic() + limit
    quiet = dict(env=wine_env(prefix), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                 stderr=subprocess.DEVNULL)
    return (run_limited("wineboot", ["wineboot", "-i"], deadline, **quiet)
            or run_limited("wineserver", ["wineserver", "-w"], deadline, **quiet))


def stop(prefix, limit):
    """0, whatever wineserver -k says (there may be no server to stop), unless it hangs."""
    rc = run_limited("wineserver", ["wineserver", "-k"], time.monotonic() + limit, env=wine_env(prefix),
                     stderr=subprocess.DEVNULL)
    return 124 if rc == 124 else 0


def run(prefix, program, limit):
    master, slave = pty.openpty()

    def drain():  # whatever Wine writes to the terminal is read and dropped
        try:
            while os.read(master, 4096):
                pass
        except OSError:
            pass

    threading.Thread(target=drain, daemon=True).start()
    with tempfile.TemporaryFile() as out:
        try:
            rc = run_limited(program[0], ["wine"] + program, time.monotonic() + limit, env=wine_env(prefix),
                             stdin=slave, stdout=out, stderr=subprocess.STDOUT)
        finally:
            os.close(slave)
        out.seek(0)
        sys.stdout.buffer.write(out.read())
        sys.stdout.flush()
    return rc


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--init", action="store_true")
    parser.add_argument("--stop", action="store_true")
    parser.add_argument("--timeout", type=float)
    parser.add_argument("program", nargs="*")
    args = parser.parse_args()
    if args.init:
        return init(args.prefix, args.timeout or INIT_TIMEOUT_SECONDS)
    if args.stop:
        return stop(args.prefix, args.timeout or TIMEOUT_SECONDS)
    if not args.program:
        parser.error("no program to run")
    return run(args.prefix, args.program, args.timeout or TIMEOUT_SECONDS)


if __name__ == "__main__":
    sys.exit(main())
