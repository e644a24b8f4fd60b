#!/usr/bin/env bash
# The release is reproducible: scripts/release.sh, run twice on the commit at
# HEAD, in two different folders, the second run starting at least a second
# after the first ended, makes the same five files byte for byte. Then what
# the release holds: the sums, the zip's entries (sorted, at the top but the
# guide's pictures in guide/, dated by the commit, mode 644, every lesson's
# page and program of the commit's lessons.json among them), each lesson's
# page as one file (at most 600 kB, the zip's program of its lesson inside,
# and no other lesson's), the package's
# entries (dated by the commit, owned by root), no trace of the folders it was
# built in, and the version, the one of the commit's CMakeLists.txt,
# everywhere it is shown.
#
#   check_release.sh SOURCE_DIR
# (pass never fails, so `test && pass || fail` reads as if-then-else here.)
# shellcheck disable=SC2015
set -euo pipefail
root=$1

for tool in git emcmake cpack dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "release: skipped ($tool is not installed)"; exit 0; }
done
git -C "$root" rev-parse --verify -q HEAD >/dev/null || { echo "release: skipped ($root has no commit)"; exit 0; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
commit=$(git -C "$root" rev-parse HEAD)
version=$(git -C "$root" show "$commit:CMakeLists.txt" | sed -nE 's/^project\(linear_graph VERSION ([0-9.]+) .*/\1/p')
epoch=$(git -C "$root" log -1 --format=%ct "$commit")
echo "the release $version of $commit, twice"

release() {  # folder: the release's work under it, its files in folder/dist
  mkdir -p "$1"
  if ! DIST_DIR="$1/dist" TMPDIR="$1" bash "$root/scripts/release.sh" "$commit" >"$1.log" 2>&1; then
    tail -n 40 "$1.log"
    echo "FAIL: scripts/release.sh failed in $1"
    exit 1
  fi
}
release "$tmp/first"
sleep 1.1
release "$tmp/second/elsewhere"
one=$tmp/first/dist
two=$tmp/second/elsewhere/dist

# The lessons of the commit's lessons.json: each one's page in the zip, its
# program (NAME.js), and its page as one file in the release, named after the
# page (index.html the first's: linear-graph-VERSION.html; PAGE.html:
# linear-graph-PAGE-VERSION.html).
mapfile -t lessons < <(git -C "$root" show "$commit:lessons.json" | /usr/bin/python3 -c '
import json, sys
for l in json.load(sys.stdin)["lessons"]:
    print(l["page"], l["name"] + ".js")')
site_pages=() programs=() pages=()
for entry in "${lessons[@]}"; do
  read -r page program <<<"$entry"
  site_pages+=("$page")
  programs+=("$program")
  if [[ $page == index.html ]]; then pages+=("linear-graph-$version.html"); else pages+=("linear-graph-${page%.html}-$version.html"); fi
done

# --- The same, byte for byte ---------------------------------------------------
names=("linear-graph-web-$version.zip" "linear-graph_${version}_$(dpkg --print-architecture).deb" "${pages[@]}" SHA256SUMS)
held=$(find "$one" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | paste -sd' ')
[[ $held == $(printf '%s\n' "${names[@]}" | LC_ALL=C sort | paste -sd' ') ]] && pass "dist holds ${names[*]}" \
  || fail "dist holds: $held"
for name in "${names[@]}"; do
  if cmp -s "$one/$name" "$two/$name"; then
    pass "$name is the same in both releases"
  else
    fail "$name differs between the two releases (diffoscope $one/$name $two/$name shows where)"
  fi
done
zip=$one/${names[0]}
deb=$one/${names[1]}
[[ -f $zip && -f $deb ]] || { echo "$failures check(s) failed"; exit 1; }
for page in "${pages[@]}"; do [[ -f $one/$page ]] || { echo "$failures check(s) failed"; exit 1; }; done

# --- The sums ------------------------------------------------------------------
(cd "$one" && sha256sum --quiet -c SHA256SUMS) && pass "SHA256SUMS holds the files' sums" || fail "SHA256SUMS does not check"
[[ $(awk '{print $2}' "$one/SHA256SUMS" | paste -sd' ') == "${names[0]} ${pages[*]} ${names[1]}" ]] \
  && pass "SHA256SUMS names the zip, the lessons' pages and the package" \
  || fail "SHA256SUMS names: $(awk '{print $2}' "$one/SHA256SUMS")"

# --- The zip and the package's entries -------------------------------------------
mkdir "$tmp/site" "$tmp/root"
zip_report=$(/usr/bin/python3 - "$zip" "$epoch" "$tmp/site" "${site_pages[@]}" "${programs[@]}" <<'EOF'
import sys, time, zipfile
path, epoch, out, lessons = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
with zipfile.ZipFile(path) as z:
    infos = z.infolist()
    z.extractall(out)
names = [i.filename for i in infos]
when = time.gmtime(epoch)[:5] + (time.gmtime(epoch)[5] // 2 * 2,)
problems = []
if names != sorted(names): problems.append("entries not sorted")
if "index.html" not in names: problems.append("no index.html at the top")
problems += [f"no {name}" for name in lessons if name not in names]
problems += [f"{i.filename} is in a folder" for i in infos if "/" in i.filename and not i.filename.startswith("guide/")]
if "guide.html" not in names or not any(n.startswith("guide/") for n in names): problems.append("no guide.html with its pictures")
problems += [f"{i.filename} dated {i.date_time}" for i in infos if i.date_time != when]
problems += [f"{i.filename} has mode {oct(i.external_attr >> 16)}" for i in infos if i.external_attr >> 16 != 0o100644]
problems += [f"{i.filename} carries extra fields" for i in infos if i.extra]
print("; ".join(problems) or "ok")
EOF
)
[[ $zip_report == ok ]] && pass "the zip's entries: sorted, at the top (the guide's pictures in guide/), dated by the commit, mode 644, ${site_pages[*]} and ${programs[*]} among them" \
  || fail "the zip: $zip_report"
listed=$(sed -nE "s/^var FILES = \[(.*)\];/\1/p" "$tmp/site/sw.js" | tr -d "' " | tr ',' '\n' | sort | paste -sd' ')
# The guide beside the lesson is not the service worker's to keep.
[[ $listed == $(find "$tmp/site" -maxdepth 1 -type f ! -name sw.js ! -name guide.html -printf '%f\n' | sort | paste -sd' ') ]] \
  && pass "the zip holds the lesson's folder: the files sw.js lists, and sw.js" || fail "sw.js lists $listed"

# --- Each lesson's page as one file ------------------------------------------------
# (That it runs from the disk with nothing else is the browsers' tests' part:
# tests/web with LG_SINGLE, tests/webkit --single.)
for i in "${!pages[@]}"; do
  page=${pages[$i]} program=${programs[$i]}
  bytes=$(stat -c %s "$one/$page")
  ((bytes <= 600000)) && pass "$page: $bytes bytes (at most 600 kB)" || fail "$page: $bytes bytes, more than 600 kB"
  # Its own program, as the zip has it, and no other lesson's.
  held=$(/usr/bin/python3 -c '
import sys
page = open(sys.argv[1]).read()
print(" ".join(p for p in sys.argv[3:] if open(sys.argv[2] + "/" + p).read() in page))' \
    "$one/$page" "$tmp/site" "${programs[@]}")
  [[ $held == "$program" ]] && pass "$page holds the zip's $program, and no other program" \
    || fail "$page holds the zip's programs '$held', not $program alone"
done

dpkg-deb -x "$deb" "$tmp/root"
bad_entries=$(dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time --numeric-owner \
  | awk -v d="$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" '$2 != "0/0" || $4" "$5 != d' | head -n 3)
[[ -z $bad_entries ]] && pass "the package's entries are dated by the commit and owned by root" \
  || fail "the package's entries: $bad_entries"

# --- No trace of the build folders ---------------------------------------------------
# Their names begin linear-graph-release. (mktemp under TMPDIR); each lesson's
# program is searched in its WebAssembly, which its NAME.js holds in base64.
for program in "${programs[@]}"; do
  /usr/bin/python3 - "$tmp/site/$program" "$tmp/${program%.js}.wasm" <<'EOF'
import base64, re, sys
text = open(sys.argv[1]).read()
found = re.search(r"base64,([A-Za-z0-9+/=]+)", text)
open(sys.argv[2], "wb").write(base64.b64decode(found.group(1)) if found else b"")
EOF
  [[ -s $tmp/${program%.js}.wasm ]] || fail "$program holds no WebAssembly module"
done
traces=$(grep -rlaF -e "linear-graph-release." -e "$tmp" "$tmp/site" "$tmp/root" "$tmp"/*.wasm \
  "${pages[@]/#/$one/}" || true)
[[ -z $traces ]] && pass "no build folder is named in any file of the release" || fail "a build folder is named in: $traces"

# --- The version everywhere ---------------------------------------------------------
gzip -dc "$tmp/root/usr/share/doc/linear-graph/changelog.gz" >"$tmp/changelog"
declare -A shown=(
  ["the package's Version"]=$(dpkg-deb -f "$deb" Version)
  ["linear-graph --version"]=$("$tmp/root/usr/bin/linear-graph" --version | sed 's/^linear-graph //')
  ["the changelog's newest entry"]=$(sed -nE '1s/^linear-graph \(([^)]*)\) .*/\1/p' "$tmp/changelog")
  ["index.html's <meta name=\"version\">"]=$(sed -nE 's/.*<meta name="version" content="([^"]*)">.*/\1/p' "$tmp/site/index.html")
  ["sw.js's cache name"]=$(sed -nE "s/^var RELEASE = '([^']*)';/\1/p" "$tmp/site/sw.js")
)
for page in "${pages[@]}"; do
  shown["$page's <meta name=\"version\">"]=$(sed -nE 's/.*<meta name="version" content="([^"]*)">.*/\1/p' "$one/$page")
done
for where in "${!shown[@]}"; do
  [[ ${shown[$where]} == "$version" ]] && pass "$where: $version" || fail "$where is '${shown[$where]}', not $version"
done

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the release is reproducible: $(awk '{print $2}' "$one/SHA256SUMS" | paste -sd' ')"
