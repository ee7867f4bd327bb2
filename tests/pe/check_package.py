#!/usr/bin/python3
"""Builds the release ZIP with CPack and checks that it unpacks into FAR's
Plugins folder as Tarnwick/tarnwick.dll plus the install text."""
import subprocess
import sys
import zipfile

cpack, build_dir = sys.argv[1], sys.argv[2]
subprocess.run([cpack, "-G", "ZIP"], cwd=build_dir, check=True, stdout=subprocess.DEVNULL)
path = f"{build_dir}/tarnwick-1.0.1.zip"
with zipfile.ZipFile(path) as z:
    files = sorted(n for n in z.namelist() if not n.endswith("/"))
    dll = z.read("Tarnwick/tarnwick.dll") if "Tarnwick/tarnwick.dll" in files else b""
want = ["Tarnwick/Install.txt", "Tarnwick/tarnwick.dll"]
if files != want or not dll.startswith(b"MZ"):
    print(f"check_package: {path} holds {files}, want {want}")
    sys.exit(1)
print(f"check_package: {path}: {', '.join(files)}")
