#!/usr/bin/env bash
# Sets up, builds and runs every test headless; ends with CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
