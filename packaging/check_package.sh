#!/usr/bin/env bash
# Builds the Debian package afresh into a folder of its own and checks what it
# holds: the program, a menu entry for each lesson of lessons.json and no
# other (read from the unpacked package), both icons, the changelog and the
# copyright file, and the control fields,
# dependencies above all; and, where lintian is installed, that lintian finds
# no error in it.
#
#   check_package.sh BUILD_DIR PROGRAM VERSION LESSONS_JSON
# CMAKE and CPACK name the tools of the build (default: those on PATH).
# (pass never fails, so `test && pass || fail` reads as if-then-else here.)
# shellcheck disable=SC2015
set -euo pipefail

build=$1
program=$2
version=$3
lessons_json=$4
cmake=${CMAKE:-cmake}
cpack=${CPACK:-cpack}

trap 'echo "FAIL: check_package.sh stopped at line $LINENO: $BASH_COMMAND"' ERR

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# CPack packs what the build made, by the CPackConfig.cmake of the last
# configure: bring both up to date first (nothing to do after a full build).
if ! "$cmake" --build "$build" --target linear-graph >"$tmp/build.log" 2>&1; then
  cat "$tmp/build.log"
  echo "FAIL: could not build the program"
  exit 1
fi
[[ -x $program ]] || { echo "FAIL: no program at $program"; exit 1; }

# Packed under a umask that closes every new folder to others: the package's
# folders must not depend on it.
if ! (umask 077 && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out") >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
shopt -s nullglob
debs=("$tmp"/out/*.deb)
if ((${#debs[@]} != 1)); then
  cat "$tmp/cpack.log"
  echo "FAIL: expected one .deb, found ${#debs[@]}"
  exit 1
fi
deb=${debs[0]}
echo "package: $(basename "$deb")"

# --- Control fields -------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == linear-graph ]] && pass "Package: linear-graph" || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] && pass "Version: $version" || fail "Version is '$(field Version)', not $version"
[[ $(field Section) == education ]] && pass "Section: education" || fail "Section is '$(field Section)'"
[[ -n $(field Maintainer) ]] && pass "Maintainer: $(field Maintainer)" || fail "no Maintainer"
[[ -n $(field Description) ]] && pass "Description present" || fail "no Description"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] && pass "Architecture: $(field Architecture)" \
  || fail "Architecture is '$(field Architecture)'"

depends=$(field Depends)
echo "Depends: $depends"
# The names in Depends, one a line, alternatives included.
dep_list=$(tr ',|' '\n' <<<"$depends" | sed -E 's/\(.*\)//; s/:any//; s/^ *//; s/ *$//' | sed '/^$/d')
dep_names=$(sort -u <<<"$dep_list")
# Each package is named once: a name both written by hand and found by
# dpkg-shlibdeps would stand twice, with two version bounds.
twice=$(sort <<<"$dep_list" | uniq -d | paste -sd' ')
[[ -z $twice ]] && pass "Depends names each package once" || fail "Depends names more than once: $twice"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic libc6 libstdc++6; do
  grep -qx "$needed" <<<"$dep_names" && pass "Depends names $needed" || fail "Depends does not name $needed"
done

# --- Contents ---------------------------------------------------------------
dpkg-deb -c "$deb" >"$tmp/contents"
want_file() {  # path, mode pattern
  local line
  line=$(awk -v p="./$1" '$6 == p' "$tmp/contents")
  if [[ -z $line ]]; then
    fail "package lacks /$1"
  elif [[ ! ${line%% *} =~ $2 ]]; then
    fail "/$1 has mode ${line%% *}"
  elif [[ $(awk '{print $2}' <<<"$line") != root/root ]]; then
    fail "/$1 is not owned by root"
  else
    pass "/$1"
  fi
}
want_file usr/bin/linear-graph '^-rwxr-xr-x$'
# The lessons of lessons.json, a line each: the entry's file, Exec, Name,
# Comment and Keywords, by tabs. The first lesson's entry starts the program
# as it is, every other's starts it on its lesson.
entries=$(/usr/bin/python3 - "$lessons_json" <<'EOF'
import json, sys
for i, l in enumerate(json.load(open(sys.argv[1], encoding="utf-8"))["lessons"]):
    file, run = ("linear-graph", "linear-graph") if i == 0 else (f"linear-graph-{l['name']}", f"linear-graph --lesson {l['name']}")
    print("\t".join((file + ".desktop", run, l["title"], l["comment"], l["keywords"])))
EOF
)
[[ -n $entries ]] || { echo "FAIL: no lessons in $lessons_json"; exit 1; }
while IFS=$'\t' read -r file _; do
  want_file "usr/share/applications/$file" '^-rw-r--r--$'
done <<<"$entries"
want_file usr/share/icons/hicolor/scalable/apps/linear-graph.svg '^-rw-r--r--$'
want_file usr/share/icons/hicolor/48x48/apps/linear-graph.png '^-rw-r--r--$'
want_file usr/share/icons/hicolor/256x256/apps/linear-graph.png '^-rw-r--r--$'
want_file usr/share/doc/linear-graph/changelog.gz '^-rw-r--r--$'
want_file usr/share/doc/linear-graph/copyright '^-rw-r--r--$'
# Every folder is open to read, as Debian's folders are.
closed=$(awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print $1, $6}' "$tmp/contents" | paste -sd' ')
[[ -z $closed ]] && pass "every folder has mode 755" || fail "folders without mode 755: $closed"
# Nothing of the build (static library, tests, benchmarks) comes along.
entry_files=$(cut -f1 <<<"$entries" | sed 's/\./\\./g' | paste -sd'|')
extra=$(awk '$1 !~ /^d/ {print $6}' "$tmp/contents" | grep -Ev "^\./usr/(bin/linear-graph|share/applications/($entry_files)|share/icons/hicolor/[^/]+/apps/linear-graph\.(svg|png)|share/doc/linear-graph/(changelog\.gz|copyright))$" || true)
[[ -z $extra ]] && pass "no other files" || fail "other files in the package: $extra"

root="$tmp/root"
dpkg-deb -x "$deb" "$root"

# --- The menu entries ---------------------------------------------------------
# One for each lesson, as lessons.json says it; the same icon.
check_desktop() {  # file, Exec, Name, Comment, Keywords
  local desktop="$root/usr/share/applications/$1" file=$1
  [[ -f $desktop ]] || return 0
  entry_value() { sed -n "s/^$1=//p" "$desktop"; }
  [[ $(head -n1 "$desktop") == "[Desktop Entry]" ]] && pass "$file: desktop entry group" \
    || fail "$file does not start with [Desktop Entry]"
  check_entry() {
    local got
    got=$(entry_value "$1")
    [[ $got == "$2" ]] && pass "$file: $1=$2" || fail "$file: $1 is '$got', not '$2'"
  }
  check_entry Exec "$2"
  check_entry Name "$3"
  check_entry Comment "$4"
  check_entry Keywords "$5"
  check_entry Icon linear-graph
  check_entry Type Application
  check_entry Terminal false
  check_entry Categories "Education;Math;"
  comment=$(entry_value Comment)
  grep -qP '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' <<<"$comment" && pass "$file: Comment in Japanese: $comment" \
    || fail "$file: Comment is '$comment'"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" && pass "$file: desktop-file-validate" || fail "$file: desktop-file-validate"
  fi
}
while IFS=$'\t' read -r file run name comment keywords; do
  check_desktop "$file" "$run" "$name" "$comment" "$keywords"
done <<<"$entries"

# --- The icons ----------------------------------------------------------------
png_size() {  # width x height from the PNG's IHDR
  local hex
  hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}
for size in 48 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/linear-graph.png"
  [[ -f $png ]] || continue
  if [[ $(od -An -tx1 -N8 "$png" | tr -d ' \n') != 89504e470d0a1a0a ]]; then
    fail "${size}x${size} icon is not a PNG"
  else
    got=$(png_size "$png")
    [[ $got == "${size}x${size}" ]] && pass "PNG icon is $got" || fail "PNG icon in ${size}x${size} is $got"
  fi
done
svg="$root/usr/share/icons/hicolor/scalable/apps/linear-graph.svg"
if [[ -f $svg ]]; then
  grep -q '<svg[^>]*viewBox=' "$svg" && grep -q '</svg>' "$svg" && pass "SVG icon" || fail "SVG icon is no SVG drawing"
fi

# --- The changelog and the copyright file ----------------------------------
doc="$root/usr/share/doc/linear-graph"
changelog="$doc/changelog.gz"
if [[ -f $changelog ]]; then
  # gzip's header: the magic, no stored name (flag 0x08), no time, and the
  # mark of the strongest compression (2), as Debian wants it.
  read -r m1 m2 _ flags t1 t2 t3 t4 xfl _ < <(od -An -tx1 -N10 "$changelog")
  if [[ $m1$m2 != 1f8b ]]; then
    fail "changelog.gz is not gzip-compressed"
  elif ((16#$flags & 8)) || [[ $t1$t2$t3$t4 != 00000000 ]] || [[ $xfl != 02 ]]; then
    fail "changelog.gz holds a name or a time, or is not compressed with -9 (flags $flags, time $t1$t2$t3$t4, xfl $xfl)"
  else
    pass "changelog.gz compressed with gzip -9n"
  fi
  gzip -dc "$changelog" >"$tmp/changelog"
  # The newest entry is the package's own version (for a native package:
  # no Debian revision).
  # dpkg-parsechangelog (dpkg-dev) also reads the entry's form: any complaint
  # of it fails.
  if command -v dpkg-parsechangelog >/dev/null; then
    top=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version 2>"$tmp/parse.log") || true
    [[ ! -s $tmp/parse.log ]] && pass "changelog is well formed" || fail "changelog: $(head -n1 "$tmp/parse.log")"
  else
    top=$(sed -nE '1s/^linear-graph \(([^)]*)\) .*/\1/p' "$tmp/changelog")
  fi
  [[ $top == "$version" ]] && pass "changelog's newest entry is $version" || fail "changelog's newest entry is '$top', not $version"
fi
copyright="$doc/copyright"
if [[ -f $copyright ]]; then
  [[ $(head -n1 "$copyright") == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] \
    && pass "copyright is machine-readable" || fail "copyright does not start with the Format line"
  # The paragraph for every file names its holder and its licence, and that
  # licence's text stands in the file.
  files_para=$(awk '/^Files: \*$/ {p = 1} p && /^$/ {exit} p' "$copyright")
  licence=$(sed -n 's/^License: //p' <<<"$files_para")
  if [[ -z $files_para ]]; then
    fail "copyright has no paragraph for Files: *"
  elif ! grep -q '^Copyright: .' <<<"$files_para" || [[ -z $licence ]]; then
    fail "copyright's Files: * paragraph lacks Copyright or License"
  elif ! awk -v l="License: $licence" '$0 == l {n++; getline; if ($0 ~ /^ ./) t = 1} END {exit !(n >= 2 && t)}' "$copyright"; then
    fail "copyright does not hold the text of the licence $licence"
  else
    pass "copyright: every file under $licence, with its text"
  fi
fi

# --- lintian ------------------------------------------------------------------
# Errors fail; warnings and notes are shown and let pass.
if command -v lintian >/dev/null; then
  lintian_rc=0
  lintian "$deb" >"$tmp/lintian.log" 2>&1 || lintian_rc=$?
  sed 's/^/  lintian: /' "$tmp/lintian.log"
  errors=$(grep -c '^E: ' "$tmp/lintian.log" || true)
  if ((errors)); then
    fail "lintian reports $errors error(s)"
  elif ((lintian_rc)); then
    fail "lintian stopped with exit code $lintian_rc"
  else
    pass "lintian reports no error"
  fi
else
  echo "note: lintian is not installed; the package was not checked with it"
fi

# --- The program ----------------------------------------------------------------
exe="$root/usr/bin/linear-graph"
if [[ -f $exe ]]; then
  [[ $(od -An -c -N4 "$exe" | tr -d ' ') == '177ELF' ]] && pass "program is an ELF file" || fail "program is no ELF file"
  # Every library the program loads belongs to a package named in Depends.
  if command -v readelf >/dev/null && command -v dpkg-query >/dev/null; then
    while read -r lib; do
      # (no early exit in these pipelines: a closed pipe would stop the script)
      path=$(ldconfig -p | awk -v l="$lib" '$1 == l && !found {print $NF; found = 1}')
      if [[ -z $path ]]; then
        fail "$lib (needed by the program) is not on this machine"
        continue
      fi
      owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | sed -n '1s/:.*//p') \
        || owner=$(dpkg -S "$path" 2>/dev/null | sed -n '1s/:.*//p') || owner=
      if [[ -z $owner ]]; then
        fail "no package owns $lib"
      elif grep -qx "$owner" <<<"$dep_names"; then
        pass "$lib comes with $owner"
      else
        fail "$lib comes with $owner, which Depends does not name"
      fi
    done < <(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  fi
fi

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all package checks passed"
