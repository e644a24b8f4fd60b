#!/usr/bin/env bash
# Renders the icon's PNG sizes from linear-graph.svg; run it after changing the
# drawing and keep the PNGs beside it (the build installs them as they are).
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install -y librsvg2-bin" >&2; exit 1; }
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" linear-graph.svg -o "linear-graph-$size.png"
done
