#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test headless;
# ends with CTest's summary.
# CTEST_ARGS passes further options to CTest (for example "-E fuzz").
set -euo pipefail
# shellcheck source=SCRIPTDIR/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" test
cd "$BUILD"
# shellcheck disable=SC2086
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ${CTEST_ARGS:-}
