#!/usr/bin/python3
"""Runs a 32-bit Windows program under Wine, with a console.

Wine gives a program a console input queue only when its standard input is a
terminal, so the program's stdin is a fresh pseudo-terminal that nothing ever
writes to; its output goes to a file, which is shown when it ends. The exit
code is the program's.

  wine-run.py --prefix DIR --init          make a new, empty Wine prefix
  wine-run.py --prefix DIR --stop          stop the prefix's wineserver
  wine-run.py --prefix DIR -- PROGRAM ARGS run PROGRAM in the prefix
"""
import argparse
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import threading

TIMEOUT_SECONDS = 300


def wine_env(prefix):
    env = dict(os.environ)
    env.setdefault("HOME", "/tmp")
    env["WINEPREFIX"] = os.path.abspath(prefix)
    env["WINEDEBUG"] = "-all"
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="  # no Mono or Gecko prompts
    env.pop("DISPLAY", None)
    return env


def init(prefix):
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(["wineboot", "-i"], env=wine_env(prefix), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                   timeout=TIMEOUT_SECONDS)
    subprocess.run(["wineserver", "-w"], env=wine_env(prefix), timeout=TIMEOUT_SECONDS)
    return 0


def stop(prefix):
    subprocess.run(["wineserver", "-k"], env=wine_env(prefix), stderr=subprocess.DEVNULL)
    return 0


def run(prefix, program):
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
            rc = subprocess.run(["wine"] + program, env=wine_env(prefix), stdin=slave,
                                stdout=out, stderr=subprocess.STDOUT,
                                timeout=TIMEOUT_SECONDS).returncode
        except subprocess.TimeoutExpired:
            rc = 124
            print(f"wine-run: {program[0]} did not finish in {TIMEOUT_SECONDS} s", flush=True)
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
    parser.add_argument("program", nargs="*")
    args = parser.parse_args()
    if args.init:
        return init(args.prefix)
    if args.stop:
        return stop(args.prefix)
    if not args.program:
        parser.error("no program to run")
    return run(args.prefix, args.program)


if __name__ == "__main__":
    sys.exit(main())
