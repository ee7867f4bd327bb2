#!/usr/bin/env bash
# Benchmarks (figures go into BENCHMARKS.md by hand). Not part of the test
# command.
#   - native: the plug-in's costs per call (Google Benchmark) and the
#     instruction count of the rejected-event path (callgrind);
#   - under Wine: what loading tarnwick.dll costs the host, against a DLL with
#     the same exports and resources and no code: load + look-ups + unload,
#     interleaved, and the working-set growth of one load (fresh processes).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/tools/bench/tarnwick_bench "$@"
tools/bench/count_instructions.sh build/bench/tools/bench/rejected_path 1000000

cmake --preset windows >/dev/null
cmake --build --preset windows --target tarnwick null_plugin load_bench
bin=build/windows/bin
prefix=build/windows/bench-wineprefix
run() { /usr/bin/python3 scripts/wine-run.py --prefix "$prefix" -- "$bin/load_bench.exe" "$@"; }
[ -d "$prefix" ] || /usr/bin/python3 scripts/wine-run.py --prefix "$prefix" --init
ls -l "$bin/tarnwick.dll" "$bin/null_plugin.dll"
run "$bin/null_plugin.dll" "$bin/tarnwick.dll"
for dll in null_plugin tarnwick; do
  for _ in 1 2 3; do run --working-set "$bin/$dll.dll"; done
done
/usr/bin/python3 scripts/wine-run.py --prefix "$prefix" --stop
