#!/usr/bin/env bash
# Makes the release of the committed tree into dist/ (or DIST_DIR):
#
#   bash scripts/release.sh            the release of HEAD
#   bash scripts/release.sh v1.1       of another commit or tag
#
#   linear-graph-web-VERSION.zip      the lesson's folder, index.html at the top
#   linear-graph-VERSION.html         the first lesson (index.html) as one file
#   linear-graph-system-VERSION.html  the second (system.html) as one file
#   linear-graph_VERSION_amd64.deb    the Debian package of the desktop program
#   SHA256SUMS                        the SHA-256 sums of them all (sha256sum -c)
#
# VERSION is the one of project(linear_graph VERSION …) in CMakeLists.txt.
# Changes not yet committed are not in the release: it is built from a
# `git archive` of the commit, in a folder of its own (under TMPDIR), removed
# after.
#
# The release is reproducible: built again from the same commit, in another
# folder, at another time, it is the same byte for byte. Every time in it is
# the commit's (SOURCE_DATE_EPOCH), the build folders are mapped away from
# what the compilers write (-ffile-prefix-map), and the archives' entries are
# sorted, owned by root and have fixed modes. On Debian 12, as root, it
# installs what is missing first (scripts/setup.sh release); otherwise it
# prints the one line to run, and stops.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIST="${DIST_DIR:-$ROOT/dist}"
ref=${1:-HEAD}

# shellcheck source=SCRIPTDIR/setup.sh
source "$ROOT/scripts/setup.sh" release

# The same result in any locale, time zone and umask.
export LC_ALL=C.UTF-8 TZ=UTC
umask 022
commit=$(git -C "$ROOT" rev-parse --verify "$ref^{commit}")
SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
if [[ $ref == HEAD && -n $(git -C "$ROOT" status --porcelain --untracked-files=no) ]]; then
  echo "note: the working tree has changes that are not committed; the release is built from $commit alone"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/linear-graph-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/src
mkdir "$src"
git -C "$ROOT" archive --format=tar "$commit" | tar -x -C "$src"
version=$(sed -nE 's/^project\(linear_graph VERSION ([0-9.]+) .*/\1/p' "$src/CMakeLists.txt")
[[ -n $version ]] || { echo "release.sh: no version in CMakeLists.txt's project()" >&2; exit 1; }
echo "Release $version of $commit ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"

# No folder of this build in what the compilers write (file names in the
# debugging information that the package's stripped program is linked from,
# __FILE__, the module of the page).
flags="-ffile-prefix-map=$work=."
jobs=$(nproc)

# --- The Debian package: the desktop program alone, packed by CPack -------------
# CPack's Debian generator dates every entry SOURCE_DATE_EPOCH and owns it
# by root; the folders' modes are set by packaging/folder_modes.cmake.
cmake -S "$src" -B "$work/desktop" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLG_BUILD_TESTS=OFF -DLG_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/desktop" -j"$jobs" --target linear-graph
(cd "$work/desktop" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=linear-graph_${version}_$(dpkg --print-architecture).deb
[[ -f $work/deb/$deb ]] || { cat "$work/cpack.log"; echo "release.sh: CPack made no $deb" >&2; exit 1; }

# --- The lesson's folder, as scripts/web.sh --build-only builds it, zipped ------
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$src" -B "$work/web" -DCMAKE_BUILD_TYPE=Release -DLG_BUILD_TESTS=OFF -DLG_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/web" -j"$jobs" --target site guide
zip=linear-graph-web-$version.zip
/usr/bin/python3 "$ROOT/packaging/zip_site.py" "$work/web/site" "$work/$zip"

# --- Each page of the folder as one file: index.html the lesson's own name,
# every other page the name of its lesson after it ---------------------------
# Made by the commit's own packaging/single_file.py, which knows its start.js:
# a commit from before it had no such files, and its release has none.
# The pages are the lessons' of the commit's lessons.json (the folder holds
# the teachers' guide besides, which is no lesson).
pages=()
if [[ -f $src/packaging/single_file.py ]]; then
  if [[ -f $src/lessons.json ]]; then
    mapfile -t lesson_pages < <(/usr/bin/python3 -c 'import json, sys
for l in json.load(open(sys.argv[1]))["lessons"]: print(l["page"])' "$src/lessons.json")
  else
    lesson_pages=(index.html system.html)
  fi
  for file in "${lesson_pages[@]}"; do
    page=$work/web/site/$file
    lesson=$(basename "$page" .html)
    if [[ $lesson == index ]]; then name=linear-graph-$version.html; else name=linear-graph-$lesson-$version.html; fi
    /usr/bin/python3 "$src/packaging/single_file.py" "$page" "$work/$name"
    pages+=("$name")
  done
fi

# --- Into dist/, with the sums ------------------------------------------------
mkdir -p "$DIST"
rm -f "$DIST"/linear-graph-web-*.zip "$DIST"/linear-graph-*.html "$DIST"/linear-graph_*.deb "$DIST/SHA256SUMS"
for name in "$zip" "${pages[@]}"; do cp "$work/$name" "$DIST/"; done
cp "$work/deb/$deb" "$DIST/"
(cd "$DIST" && sha256sum "$zip" "${pages[@]}" "$deb" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo
echo "The release, in $DIST:"
(cd "$DIST" && ls -l "$zip" "${pages[@]}" "$deb" SHA256SUMS && cat SHA256SUMS)
