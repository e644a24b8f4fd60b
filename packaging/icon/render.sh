#!/usr/bin/env bash
# Renders the icon's PNG sizes from linear-graph.svg; run it after changing the
# drawing and keep the PNGs beside it (the build installs and copies them as
# they are, so that no converter is needed to build).
# Needs rsvg-convert (Debian: librsvg2-bin).
#
#   linear-graph-{48,256}.png            the desktop's icon (hicolor theme)
#   linear-graph-{192,512}.png           the page's icon as drawn (the manifest's "any")
#   linear-graph-maskable-{180,192,512}.png
#       the drawing on a full square of the page's green, scaled to 3/4 so that
#       the axes and the points lie inside the middle circle of 80 % that any
#       mask keeps (the manifest's "maskable"); the 180 one is the home-screen
#       icon of an iPad, which rounds the corners itself and would show
#       transparent ones black.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install -y librsvg2-bin" >&2; exit 1; }

for size in 48 256 192 512; do
  rsvg-convert -w "$size" -h "$size" linear-graph.svg -o "linear-graph-$size.png"
done

# The drawing nested in a green square: everything between the outer <svg …>
# and </svg> lines of linear-graph.svg, in a 192-unit square at (32, 32).
maskable=$(mktemp --suffix=.svg)
trap 'rm -f "$maskable"' EXIT
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
  echo '<rect width="256" height="256" fill="#008000"/>'
  echo '<svg x="32" y="32" width="192" height="192" viewBox="0 0 256 256">'
  sed -n '/^<svg /,/^<\/svg>/p' linear-graph.svg | sed '1d;$d'
  echo '</svg>'
  echo '</svg>'
} >"$maskable"
for size in 180 192 512; do
  rsvg-convert -w "$size" -h "$size" "$maskable" -o "linear-graph-maskable-$size.png"
done
