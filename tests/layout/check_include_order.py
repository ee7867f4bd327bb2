#!/usr/bin/python3
"""Checks that every include in src/ points down the folder order:

  dll/       the four exports, the entry point, export table and resources
  word/      the word scanner and the hotkey handler
  host/      the host's records, the startup binding, the editor commands
  console/   the keystroke injector and the type-ahead detector
  platform/  the seam

A file may include its own folder and any folder below it, nothing above and
nothing outside src/, in quotes or in angle brackets; an include in angle
brackets that names none of these folders is a system header. Fails (exit 1)
with one line per upward include.

  check_include_order.py [SRC_DIR]
  check_include_order.py --cases    runs the checker on its own table of cases"""
import pathlib
import re
import sys
import tempfile

ORDER = ["dll", "word", "host", "console", "platform"]  # top to bottom
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')


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
            quoted, angled = m.groups()
            name = quoted or angled
            target = name.split("/")[0]
            if target not in ORDER:
                if quoted:
                    found.append(f"{rel}:{number}: includes \"{name}\", outside src/'s folders")
            elif ORDER.index(target) < ORDER.index(folder):
                found.append(f"{rel}:{number}: {folder}/ includes {m.group(0).split('include', 1)[1].strip()}, "
                             f"from {target}/ above it")
    return found


# (what, file under src/, its one line, whether the tree passes)
CASES = [
    ("own folder", "word/a.cpp", '#include "word/b.h"', True),
    ("a folder below", "word/a.cpp", '#include "console/b.h"', True),
    ("a folder below, in angle brackets", "word/a.cpp", "#include <platform/sys.h>", True),
    ("a system header", "console/a.cpp", "#include <cstdint>", True),
    ("a system header with a folder", "console/a.cpp", "#include <sys/types.h>", True),
    ("a folder above", "console/a.cpp", '#include "word/b.h"', False),
    ("a folder above, in angle brackets", "console/a.cpp", "#include <word/b.h>", False),
    ("a folder above, spaced out", "platform/a.h", "  #  include   <dll/exports.h>", False),
    ("outside src/'s folders", "word/a.cpp", '#include "support/fake_sys.h"', False),
    ("a file outside the folders", "a.cpp", "", False),
]


def run_cases():
    failed = 0
    for what, file, line, passes in CASES:
        with tempfile.TemporaryDirectory() as tmp:
            path = pathlib.Path(tmp) / file
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(line + "\n", encoding="utf-8")
            got = not problems(pathlib.Path(tmp))
        if got != passes:
            failed += 1
            print(f"FAILED: {what}: {line!r} in {file} {'passes' if got else 'fails'}")
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main():
    if sys.argv[1:] == ["--cases"]:
        return run_cases()
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = problems(src)
    for p in found:
        print(p)
    if not found:
        print(f"include order {' > '.join(ORDER)}: every include in {src} points down")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
