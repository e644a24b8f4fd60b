#!/bin/bash
# The lesson in WebKit, headless under Xvfb:
#   tests/webkit/run.sh SITE-FOLDER [--screenshot FILE.png]
#   tests/webkit/run.sh SINGLE-FOLDER --single [--screenshot FILE.png]
# (--single: the folder of the pages made each into one file, opened from the
# disk with a problem by link.)
# Exits 0 when every step held and non-zero when one did not. Where WebKitGTK
# (its GObject bindings for Debian's Python) is not installed it says so and
# exits 77, which CTest counts as skipped, never as passed; the machine's
# set-up installs it:
#   python3-gi python3-gi-cairo gir1.2-webkit2-4.1 xvfb xauth
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ]; then
  echo "usage: $0 SITE-FOLDER [--single] [--screenshot FILE.png]" >&2
  exit 2
fi
site=$1
shift

# Debian's own Python, which has the bindings (not one of the user's).
python=/usr/bin/python3
probe='import gi
try:
    gi.require_version("WebKit2", "4.1")
except ValueError:
    gi.require_version("WebKit2", "4.0")
from gi.repository import WebKit2'
if [ ! -x "$python" ] || ! "$python" -I -c "$probe" 2>/dev/null; then
  echo "test_webkit skipped: WebKitGTK is not installed" \
       "(apt-get install python3-gi python3-gi-cairo gir1.2-webkit2-4.1 xvfb xauth)"
  exit 77
fi

# Every lesson's page of lessons.json, and in the folder its program NAME.js.
single=0
case " $* " in *" --single "*) single=1 ;; esac
needed=$("$python" -I -c 'import json, sys
for l in json.load(open(sys.argv[1]))["lessons"]:
    print(l["page"] + ("" if sys.argv[2] == "1" else " " + l["name"] + ".js"))' "$here/../../lessons.json" "$single" | paste -sd' ')
for file in $needed; do
  if [ ! -f "$site/$file" ]; then
    echo "test_webkit: no lesson in $site ($needed): build the page first" >&2
    exit 1
  fi
done

if command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 2560x2048x24" "$python" -I "$here/lesson.py" "$site" "$@"
elif [ -n "${DISPLAY:-}" ]; then
  exec "$python" -I "$here/lesson.py" "$site" "$@"
else
  echo "test_webkit: WebKitGTK is installed but there is no display and no xvfb-run (apt-get install xvfb xauth)" >&2
  exit 1
fi
