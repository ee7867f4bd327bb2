#!/usr/bin/python3
"""Builds the release ZIP with CPack and checks that it unpacks into FAR's
Plugins folder as Tarnwick/tarnwick.dll plus the install text, and that every
text file in it ends its lines with CR LF, as Notepad on the systems the
package is for needs."""
import re
import subprocess
import sys
import zipfile

TEXT_SUFFIXES = (".txt", ".md", ".ini", ".reg")


def bare_line_feeds(data):
    """The 1-based numbers of the lines that end in LF without CR."""
    return [data.count(b"\n", 0, m.start()) + 1 for m in re.finditer(rb"(?<!\r)\n", data)]


def main():
    cpack, build_dir = sys.argv[1], sys.argv[2]
    subprocess.run([cpack, "-G", "ZIP"], cwd=build_dir, check=True, stdout=subprocess.DEVNULL)
    path = f"{build_dir}/tarnwick-1.0.1.zip"
    with zipfile.ZipFile(path) as z:
        files = sorted(n for n in z.namelist() if not n.endswith("/"))
        contents = {n: z.read(n) for n in files}
    want = ["Tarnwick/Install.txt", "Tarnwick/tarnwick.dll"]
    if files != want or not contents["Tarnwick/tarnwick.dll"].startswith(b"MZ"):
        print(f"check_package: {path} holds {files}, want {want}")
        return 1
    failed = False
    for name in files:
        if not name.lower().endswith(TEXT_SUFFIXES):
            continue
        lines = bare_line_feeds(contents[name])
        if lines or b"\n" not in contents[name]:
            print(f"check_package: {name} has no CR before the LF of line(s) {lines[:10] or '(no line ends)'}")
            failed = True
    if failed:
        return 1
    print(f"check_package: {path}: {', '.join(files)}; text in CR LF lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
