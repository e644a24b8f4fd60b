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
# run and stops.
set -euo pipefail

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

if [[ -n ${BUILD_DIR:-} ]]; then export WEB_BUILD_DIR=$BUILD_DIR; fi
# shellcheck source=SCRIPTDIR/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" web
echo "The lesson's folder: $WEB_BUILD/site"

if ((serve)); then
  echo "Serving it at http://127.0.0.1:$PORT/  (Ctrl+C to stop)"
  exec /usr/bin/python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$WEB_BUILD/site"
fi
