#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both configurations, runs
# the native suite (sanitizers, in-memory platform) and then the 32-bit suite
# under Wine (real console, registry and tarnwick.dll).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
