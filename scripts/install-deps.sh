#!/usr/bin/env bash
# Installs what the build and the tests need, on Debian 12, when it is missing.
# Idempotent and quiet when everything is already there. Needs root (or sudo).
set -euo pipefail

packages=(
  cmake ninja-build g++ make python3 python3-pefile
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy clang-format valgrind
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
sudo_if_needed apt-get update -qq
sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
