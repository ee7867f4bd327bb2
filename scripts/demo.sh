#!/usr/bin/env bash
# The main job: installs what is missing and builds tarnwick.dll
# (build/windows/bin/tarnwick.dll).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset windows >/dev/null
cmake --build --preset windows --target tarnwick
echo "built build/windows/bin/tarnwick.dll"
