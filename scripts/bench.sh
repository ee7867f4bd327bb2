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
build/bench/tools/bench/tarnwick_bench --benchmark_out=build/bench/results.json --benchmark_out_format=json "$@"
# F7 on a 1 MiB selection against F7 on a 1,023-byte one, from the same run.
/usr/bin/python3 - build/bench/results.json <<'EOF'
import json, sys
runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type") == "iteration"}
small, large = runs.get("BM_F7OnASelection/1023"), runs.get("BM_F7OnASelection/1048576")
if small and large:
    print(f"F7 on a 1 MiB selection / on a 1,023-byte one: {large['real_time'] / small['real_time']:.2f}")
EOF
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
