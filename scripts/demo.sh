#!/usr/bin/env bash
# The main job: installs what is missing, builds tarnwick.dll, the release ZIP
# and the demo host, then runs the demo host under Wine. The demo host loads
# tarnwick.dll as FAR does, presses F7 in a simulated editor and prints what
# FAR's find prompt then holds, the selected part in brackets.
#
#   scripts/demo.sh                                   the built-in sample
#   scripts/demo.sh --file F --line N --col C [--select START END] [--ctrl]
#   scripts/demo.sh --queued KEY          a key the user pressed, still waiting
#   scripts/demo.sh --history WORD ...    the prompt's memory, most recent first
#   scripts/demo.sh --file build/windows/long-line.txt --line 1 --select 0 100000
#                                         a selection of 100,000 bytes (the
#                                         build writes that file)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# The build's messages go to standard error; standard output is the demo's alone.
cmake --preset windows >/dev/null
cmake --build --preset windows --target tarnwick demo_host >&2
(cd build/windows && cpack -G ZIP >/dev/null)
echo "built build/windows/bin/tarnwick.dll and build/windows/tarnwick-1.0.1.zip" >&2

prefix=build/windows/demo-wineprefix
[ -d "$prefix" ] || /usr/bin/python3 scripts/wine-run.py --prefix "$prefix" --init
status=0
/usr/bin/python3 scripts/wine-run.py --prefix "$prefix" -- build/windows/bin/demo_host.exe "$@" || status=$?
/usr/bin/python3 scripts/wine-run.py --prefix "$prefix" --stop
exit $status
