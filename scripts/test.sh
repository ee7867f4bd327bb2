#!/usr/bin/env bash
# Runs every test: installs what is missing, then
#   - the native suite (sanitizers and leak checks, in-memory platform, format
#     and clang-tidy checks),
#   - a bounded fuzz run of each libFuzzer target (20 s each),
#   - the 32-bit suite under Wine (real console, registry and tarnwick.dll)
#     with the checks of the built file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
