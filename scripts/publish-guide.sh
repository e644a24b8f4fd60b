#!/usr/bin/env bash
# Fills the published address into the teachers' guide of a built folder
# (guide.html, which the target `site` makes from docs/guide.md):
#
#   bash scripts/publish-guide.sh ADDRESS SITE-FOLDER
#   bash scripts/publish-guide.sh https://example.github.io/lesson/ build-web/site
#
# - every https://OWNER.github.io/REPOSITORY/ of the guide becomes ADDRESS
#   (a slash is put at its end if it has none), link targets included;
# - the comment <!-- qr-code --> becomes the QR code of ADDRESS, made by
#   qrencode into guide/address-qr.png;
# - what stands between <!-- placeholder-note --> and <!-- /placeholder-note -->
#   (a note that the address is a placeholder) is taken out, with the comments.
#
# The workflow main.yml runs it on the folder it publishes, with the address
# that GitHub Pages reports. It fails, changing nothing, when the address is
# not a plain http(s) address or the guide has nothing to fill in (no
# placeholder or no <!-- qr-code -->: a guide filled in already, say).
set -euo pipefail

if (($# != 2)); then
  echo "usage: publish-guide.sh ADDRESS SITE-FOLDER" >&2
  exit 2
fi
address=$1
site=$2
[[ $address == */ ]] || address+=/
# Letters, digits and the few signs of a plain address only: nothing that
# would read as markup in the page.
if [[ ! $address =~ ^https?://[A-Za-z0-9.-]+(:[0-9]+)?/([A-Za-z0-9._~%-]+/)*$ ]]; then
  echo "publish-guide.sh: '$1' is not a plain http(s) address of a folder" >&2
  exit 1
fi
if [[ ! -f $site/guide.html ]]; then
  echo "publish-guide.sh: $site has no guide.html (bash scripts/web.sh --build-only makes it)" >&2
  exit 1
fi
command -v qrencode >/dev/null || { echo "publish-guide.sh: qrencode is missing: apt-get install qrencode" >&2; exit 1; }

qr=guide/address-qr.png
mkdir -p "$site/guide"
# Medium error correction, 8 pixels a module and the quiet zone of 4 modules
# that a reader needs around it.
qrencode --type=PNG --level=M --size=8 --margin=4 --output="$site/$qr.part" -- "$address"

/usr/bin/python3 - "$address" "$site/guide.html" "$qr" "$site/$qr.part" <<'FILL'
import os
import re
import struct
import sys

address, page, qr, made = sys.argv[1:]
PLACEHOLDER = "https://OWNER.github.io/REPOSITORY/"
MARKER = "<!-- qr-code -->"
with open(page, encoding="utf-8") as f:
    text = f.read()
missing = [what for what in (PLACEHOLDER, MARKER) if what not in text]
if missing:
    os.remove(made)
    sys.exit(f"publish-guide.sh: {page} holds no {' and no '.join(missing)}: nothing to fill in")

# The note that the address is a placeholder, with its comments, and a
# paragraph it leaves empty.
text = re.sub(r"<!-- placeholder-note -->.*?<!-- /placeholder-note -->", "", text, flags=re.S)
text = re.sub(r"<p>\s*</p>\n?", "", text)
text = text.replace(PLACEHOLDER, address)
with open(made, "rb") as f:
    width, height = struct.unpack(">II", f.read(24)[16:24])
image = (f'<img class="qr" src="{qr}" alt="この教材のアドレスのQRコード" '
         f'width="{width}" height="{height}">')
text = text.replace(MARKER, image)
os.replace(made, made[:-len(".part")])
with open(page + ".part", "w", encoding="utf-8") as f:
    f.write(text)
os.replace(page + ".part", page)
FILL
echo "The guide in $site/guide.html names $address, with its QR code in $site/$qr"
