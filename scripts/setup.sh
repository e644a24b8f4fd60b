#!/usr/bin/env bash
# Installs what the build needs on Debian 12 and builds the program into build/.
# Sourced by run.sh and test.sh; stops with the one line to run when it cannot install.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PACKAGES=(build-essential cmake qt6-base-dev libgl-dev libbenchmark-dev
          fonts-ipafont-gothic fonts-noto-cjk xvfb xauth libx11-dev
          clang-14 libclang-rt-14-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages. Run this once, then the command again:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
fi

BUILD="${BUILD_DIR:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
