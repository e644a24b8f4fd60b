#!/usr/bin/env bash
# Sets up, builds and opens the window.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$BUILD/linear-graph"
