#!/usr/bin/env bash
# Benchmarks and the instruction count of the rejected-event path (figures go
# into BENCHMARKS.md by hand). Not part of the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/tools/bench/tarnwick_bench "$@"
tools/bench/count_instructions.sh build/bench/tools/bench/rejected_path 1000000
