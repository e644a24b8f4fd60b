#!/usr/bin/env bash
# Installs what one purpose needs on Debian 12 and builds what it needs into
# build/ (or BUILD_DIR):
#
#   run    the program alone: the compiler, Qt, the font; target linear-graph
#   test   everything the tests need besides; every target
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
              "${PKGS_FUZZ[@]}" "${PKGS_PACKAGE[@]}")
    CONFIGURE=(-DLG_BUILD_TESTS=ON -DLG_BUILD_BENCH=ON)
    TARGETS=(all)
    ;;
  *)
    echo "usage: setup.sh [run|test]  (not '$purpose')" >&2
    exit 2
    ;;
esac

# --- Install what is missing ------------------------------------------------
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

# --- Configure and build ----------------------------------------------------
# (CMAKE_ARGS last, so that it can override; split into words on purpose.)
# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CONFIGURE[@]}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}"
