#!/usr/bin/python3
"""Checks that every include in src/ points down the folder order:

  dll/       the four exports, the entry point, export table and resources
  word/      the word scanner and the hotkey handler
  host/      the host's records, the startup binding, the editor commands
  console/   the keystroke injector and the type-ahead detector
  platform/  the seam

A file may include its own folder and any folder below it, nothing above and
nothing outside src/. Fails (exit 1) with one line per upward include.

  check_include_order.py [SRC_DIR]"""
import pathlib
import re
import sys

ORDER = ["dll", "word", "host", "console", "platform"]  # top to bottom
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def problems(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        rel = path.relative_to(src)
        folder = rel.parts[0] if len(rel.parts) > 1 else None
        if folder not in ORDER:
            found.append(f"{rel}: not in one of the folders {', '.join(ORDER)}")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target = m.group(1).split("/")[0]
            if target not in ORDER:
                found.append(f"{rel}:{number}: includes \"{m.group(1)}\", outside src/'s folders")
            elif ORDER.index(target) < ORDER.index(folder):
                found.append(f"{rel}:{number}: {folder}/ includes \"{m.group(1)}\", from {target}/ above it")
    return found


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = problems(src)
    for p in found:
        print(p)
    if not found:
        print(f"include order {' > '.join(ORDER)}: every include in {src} points down")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
