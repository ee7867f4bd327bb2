#!/usr/bin/python3
"""Checks that the tests, the fuzz targets, the benchmarks and the demo host
state what Windows and the host define by their numbers (the names of
tests/support/defined_numbers.h, os:: and host::, or the numbers written
out), never through the plug-in's own constants: a test that borrows the
plug-in's value agrees with a wrong one.

The plug-in's constants for such facts are those that its record and seam
headers (FACT_HEADERS) declare, less its own limits (OWN). Any use of one in
tests/ or tools/ outside a comment fails (exit 1), with its file and line.

  check_stated_numbers.py [ROOT]
  check_stated_numbers.py --cases    runs the checker on its own table of cases"""
import pathlib
import re
import sys
import tempfile

FACT_HEADERS = ["src/platform/input_record.h", "src/platform/sys.h", "src/host/editor_records.h",
                "src/host/plugin_records.h"]
OWN = {"kMaxRecordsPerCall", "kHostLayout"}  # the plug-in's choices, not facts of Windows or the host
CHECKED = ["tests", "tools"]
NUMBERS = "tests/support/defined_numbers.h"  # declares os:: and host:: names that may match the plug-in's
CONSTANT = re.compile(r"\bconstexpr\b[^=;(]*\b(k[A-Z]\w*)\s*=")
COMMENT = re.compile(r"//.*?$|/\*.*?\*/", re.S | re.M)


def fact_constants(root):
    names = set()
    for header in FACT_HEADERS:
        path = root / header
        if path.exists():
            names.update(CONSTANT.findall(COMMENT.sub("", path.read_text(encoding="utf-8"))))
    return names - OWN


def problems(root):
    names = fact_constants(root)
    if not names:
        return [f"no constant found in {', '.join(FACT_HEADERS)}: is {root} the project root?"]
    # A name with any qualifier (none, tarnwick::, sys::, ...) but os:: or host::.
    use = re.compile(r"(?<![\w:])((?:\w+::)*)(" + "|".join(sorted(names)) + r")\b")
    found = []
    for folder in CHECKED:
        for path in sorted((root / folder).rglob("*")):
            rel = path.relative_to(root).as_posix()
            if path.suffix not in {".h", ".cpp"} or rel == NUMBERS:
                continue
            # Comments blanked, their line ends kept, so that line numbers hold.
            text = COMMENT.sub(lambda m: "\n" * m.group(0).count("\n"), path.read_text(encoding="utf-8"))
            for number, line in enumerate(text.splitlines(), 1):
                for m in use.finditer(line):
                    if m.group(1).split("::")[-2:-1] in (["os"], ["host"]):
                        continue
                    found.append(f"{rel}:{number}: {m.group(0)} is the plug-in's constant; state the number "
                                 f"(os:: or host:: of {NUMBERS})")
    return found


HEADER = ("src/platform/input_record.h",
          "constexpr std::uint16_t kVkF7 = 0x76;\nconstexpr std::size_t kMaxRecordsPerCall =\n    1000;\n")
COMMANDS = ("src/host/editor_records.h", "constexpr std::int32_t kCmdGetInfo = 6;\n")
SEAM = ("src/platform/sys.h", "namespace tarnwick::sys {\nconstexpr Dword kHeapZeroMemory = 0x00000008;\n}\n")

# (what, files of the tree, whether it passes)
CASES = [
    ("F7 as Windows numbers it", [HEADER, ("tests/a_test.cpp", "Press(os::kVkF7);")], True),
    ("F7 as the plug-in names it", [HEADER, ("tests/a_test.cpp", "Press(kVkF7);")], False),
    ("F7 through the plug-in's namespace", [HEADER, ("tests/a_test.cpp", "Press(tarnwick::kVkF7);")], False),
    ("F7 as Windows numbers it, fully qualified", [HEADER, ("tests/a_test.cpp", "Press(tarnwick::os::kVkF7);")],
     True),
    ("the seam's constant through its namespace",
     [SEAM, ("tests/support/fake.cpp", "if (flags & sys::kHeapZeroMemory) Zero();")], False),
    ("the seam's constant as Windows numbers it",
     [SEAM, ("tests/support/fake.cpp", "if (flags & os::kHeapZeroMemory) Zero();")], True),
    ("F7 as the plug-in names it, in the demo host",
     [HEADER, ("tools/demo_host/demo.cpp", "f7.virtualKeyCode = kVkF7;")], False),
    ("the host's command as the plug-in names it",
     [COMMANDS, ("tests/support/fake.cpp", "case kCmdGetInfo:")], False),
    ("the host's command as the host numbers it",
     [COMMANDS, ("tests/support/fake.cpp", "case host::kEditorGetState:")], True),
    ("a name in a comment", [HEADER, ("tests/a_test.cpp", "// not through kVkF7\n/* nor\n kVkF7 */ Press(0x76);")],
     True),
    ("a longer name that starts the same", [HEADER, ("tests/a_test.cpp", "Press(kVkF7Twice);")], True),
    ("the plug-in's own limit", [HEADER, ("tests/a_test.cpp", "Peek(kMaxRecordsPerCall);")], True),
    ("the numbers header itself", [HEADER, (NUMBERS, "constexpr std::uint16_t kVkF7 = 0x76;")], True),
    ("no fact header to read", [("tests/a_test.cpp", "Press(kVkF7);")], False),
]


def run_cases():
    failed = 0
    for what, files, passes in CASES:
        with tempfile.TemporaryDirectory() as tmp:
            root = pathlib.Path(tmp)
            for name, text in files:
                (root / name).parent.mkdir(parents=True, exist_ok=True)
                (root / name).write_text(text + "\n", encoding="utf-8")
            for folder in CHECKED:
                (root / folder).mkdir(exist_ok=True)
            found = problems(root)
        if (not found) != passes:
            failed += 1
            print(f"FAILED: {what}: {'passes' if not found else 'fails'}, must {'pass' if passes else 'fail'}")
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main():
    if sys.argv[1:] == ["--cases"]:
        return run_cases()
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = problems(root)
    for p in found:
        print(p)
    if not found:
        print(f"{len(fact_constants(root))} constants of the plug-in's for facts of Windows and the host: "
              f"none used in {' or '.join(CHECKED)}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
