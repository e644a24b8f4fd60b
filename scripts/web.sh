#!/usr/bin/env bash
# The lesson in the browser: installs what is missing on Debian 12, builds the
# lesson's folder into build-web/site (or BUILD_DIR/site) with Emscripten, and
# serves it on this machine at http://127.0.0.1:8000/ (PORT to change) until
# Ctrl+C.
#
#   bash scripts/web.sh               build and serve
#   bash scripts/web.sh --build-only  build the folder, no server
#
# Run as root it installs what is missing; otherwise it prints the one line to
# run and stops. CMAKE_ARGS passes further options to the configure step.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build-web}"
PORT="${PORT:-8000}"

serve=1
case ${1:-} in
  "") ;;
  --build-only) serve=0 ;;
  *)
    echo "usage: web.sh [--build-only]  (not '$1')" >&2
    exit 2
    ;;
esac

# --- The packages -------------------------------------------------------------
# The compiler to WebAssembly and what runs it (node, with Debian's acorn), the
# build tools, the face and what cuts it down (fontTools, brotli for WOFF2).
PACKAGES=(emscripten nodejs node-acorn cmake make python3 python3-fonttools python3-brotli
          fonts-ipafont-gothic)

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

# --- Configure and build --------------------------------------------------------
# emcc finds acorn among Debian's node modules.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# (CMAKE_ARGS last, so that it can override; split into words on purpose.)
# shellcheck disable=SC2086
emcmake cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLG_BUILD_TESTS=OFF -DLG_BUILD_BENCH=OFF \
  ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target site
echo "The lesson's folder: $BUILD/site"

# --- Serve ----------------------------------------------------------------------
if ((serve)); then
  echo "Serving it at http://127.0.0.1:$PORT/  (Ctrl+C to stop)"
  exec /usr/bin/python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$BUILD/site"
fi
