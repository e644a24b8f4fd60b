#!/usr/bin/env bash
# Sets up, builds and runs every test headless; ends with CTest's summary.
# CTEST_ARGS passes further options to CTest (for example "-E fuzz").
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
# shellcheck disable=SC2086
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ${CTEST_ARGS:-}
