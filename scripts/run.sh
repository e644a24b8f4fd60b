#!/usr/bin/env bash
# Installs what the program needs, builds the program alone and opens the window.
set -euo pipefail
# shellcheck source=SCRIPTDIR/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" run
exec "$BUILD/linear-graph"
