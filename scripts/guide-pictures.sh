#!/usr/bin/env bash
# The pictures of the teachers' guide (docs/guide.md): screenshots of the real
# page, made again from the page as it is built now.
#
#   bash scripts/guide-pictures.sh
#
# Builds the lesson's folder through the set-up's browser purpose (into
# build-web/, or WEB_BUILD_DIR; with the tests' reading of the lesson's state),
# drives both its lessons in the machine's Chromium, headless, as a learner
# does, full screen at a Chromebook's 1366 × 768 and a 10.2-inch iPad's
# 1080 × 810 (scripts/guide-pictures.mjs), optimises the PNGs losslessly
# with optipng and puts them in docs/guide/ in place of the old ones.
# Nothing is written there unless every picture was made. Run as root it
# installs what is missing; otherwise it prints the one line to run and stops.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/docs/guide"

# The browser and the test driver's npm, and optipng, besides what the page needs.
export LG_MORE_PACKAGES="chromium npm optipng"
# shellcheck source=SCRIPTDIR/setup.sh
source "$ROOT/scripts/setup.sh" web

# The pictures' command reads the lesson's state as the page's tests do
# (lg_inspect), which only a build with the tests has: the folder is built so.
emcmake cmake -S "$ROOT" -B "$WEB_BUILD" -DLG_BUILD_TESTS=ON >/dev/null
cmake --build "$WEB_BUILD" -j"$(nproc)" --target site

# The driver, puppeteer-core, as the page's tests pin it (it downloads no browser).
if [[ ! -d $ROOT/tests/web/node_modules/puppeteer-core ]]; then
  (cd "$ROOT/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
fi

shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
LG_SITE="$WEB_BUILD/site" node "$ROOT/scripts/guide-pictures.mjs" "$shots"
optipng -quiet -o5 -strip all "$shots"/*.png

mkdir -p "$OUT"
rm -f "$OUT"/*.png
cp "$shots"/*.png "$OUT"/
echo "The guide's pictures, in $OUT:"
/usr/bin/python3 - "$OUT" <<'LIST'
import os, struct, sys
for name in sorted(os.listdir(sys.argv[1])):
    path = os.path.join(sys.argv[1], name)
    with open(path, "rb") as f:
        width, height = struct.unpack(">II", f.read(24)[16:24])
    print(f"  {name:24} {width:5} x {height:<5} {os.path.getsize(path):8,} bytes")
LIST
