#!/usr/bin/env bash
# How long the program takes from its start to its first shown window, and how
# much memory it holds then, beside a bare Qt window (one empty QWidget of the
# same size) built the same way.
#
#   bash tools/measure_startup.sh [RUNS]        (default 10 runs of each)
#
# The program is taken from BUILD_DIR (default build/, as scripts/setup.sh
# builds it). The bare window and the probe are built into
# TOOLS_BUILD_DIR (default BUILD_DIR/startup-tools) with the program's build
# type, compiler and flags. Without DISPLAY an Xvfb of its own is started on a
# free display. Each run is timed from the fork by tools/startup_probe:
#   mapped       the window is mapped (shown to the X server);
#   first frame  its first drawing has reached the screen;
#   CPU          processor time used up to the first frame, all threads (other
#                load on the machine stretches the two times, hardly this);
#   VmRSS        resident memory, SETTLE_MS (default 1000) after the frame.
# The runs of the two alternate, after one run of each that is not counted.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS=${1:-10}
BUILD=${BUILD_DIR:-$ROOT/build}
TOOLS_BUILD=${TOOLS_BUILD_DIR:-$BUILD/startup-tools}
SETTLE_MS=${SETTLE_MS:-1000}
PROGRAM=$BUILD/linear-graph

[[ $RUNS =~ ^[1-9][0-9]*$ ]] || { echo "RUNS must be a whole number above 0, not '$RUNS'" >&2; exit 2; }

missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v Xvfb >/dev/null || missing+=(xvfb)
[[ -f /usr/include/X11/Xlib.h ]] || missing+=(libx11-dev)
if ((${#missing[@]})); then
  echo "Missing packages. Install them, then run this again:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
if [[ ! -x $PROGRAM || ! -f $BUILD/CMakeCache.txt ]]; then
  echo "No program at $PROGRAM: build it first (bash scripts/setup.sh, or set BUILD_DIR)" >&2
  exit 1
fi

# The bare window is built as the program was.
cache() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt"; }
build_type=$(cache CMAKE_BUILD_TYPE)
if [[ $(cache LG_SANITIZE) == ON ]]; then
  echo "note: $BUILD is built with sanitizers; its figures are not the program's own" >&2
fi
cmake -S "$ROOT/tools" -B "$TOOLS_BUILD" \
  -DCMAKE_BUILD_TYPE="$build_type" \
  -DCMAKE_CXX_COMPILER="$(cache CMAKE_CXX_COMPILER)" \
  -DCMAKE_CXX_FLAGS="$(cache CMAKE_CXX_FLAGS)" >"$TOOLS_BUILD.log" 2>&1 \
  && cmake --build "$TOOLS_BUILD" >>"$TOOLS_BUILD.log" 2>&1 \
  || { cat "$TOOLS_BUILD.log" >&2; echo "could not build the measuring tools" >&2; exit 1; }
BARE=$TOOLS_BUILD/bare-window
PROBE=$TOOLS_BUILD/startup_probe

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
  for n in $(seq 90 189); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -br -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    ready=
    for _ in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      DISPLAY=":$n" "$PROBE" --ping && { ready=1; break; }
      sleep 0.1
    done
    if [[ -n $ready ]]; then
      export DISPLAY=":$n"
      break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  [[ -n ${DISPLAY:-} ]] || { cat "$work/xvfb.log" >&2; echo "could not start Xvfb" >&2; exit 1; }
  echo "Xvfb on $DISPLAY"
fi

export QT_QPA_PLATFORM=xcb
export LC_ALL=${LC_ALL:-C.UTF-8}
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# One run: appends "map paint cpu rss" to the named file.
run() {  # name program
  local out
  out=$("$PROBE" "$SETTLE_MS" "$2" 2>>"$work/$1.err") \
    || { cat "$work/$1.err" >&2; echo "run of $2 failed" >&2; exit 1; }
  sed -E 's/map_ms=([^ ]+) paint_ms=([^ ]+) cpu_ms=([^ ]+) rss_kib=([^ ]+)/\1 \2 \3 \4/' <<<"$out" >>"$work/$1"
}

run warmup "$PROGRAM"
run warmup "$BARE"
for ((i = 1; i <= RUNS; ++i)); do
  run program "$PROGRAM"
  run bare "$BARE"
  [[ -t 2 ]] && printf '\r%d/%d' "$i" "$RUNS" >&2
done
[[ -t 2 ]] && printf '\r' >&2

# median, min and max of one column
stats() {  # file column
  awk -v c="$2" '{print $c}' "$1" | sort -g | awk '
    { v[NR] = $1 }
    END {
      m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%s %s %s\n", m, v[1], v[NR]
    }'
}
row() {  # label file prefix
  local m lo hi col cells=() v
  for col in 1 2 3 4; do
    read -r m lo hi <<<"$(stats "$2" "$col")"
    if ((col == 4)); then  # kB to MiB
      read -r m lo hi <<<"$(awk -v a="$m" -v b="$lo" -v c="$hi" 'BEGIN {print a/1024, b/1024, c/1024}')"
    fi
    cells+=("$(printf '%7.1f (%5.1f–%5.1f)' "$m" "$lo" "$hi")")
    v+=" $m"
  done
  printf '%-13s %s  %s  %s  %s\n' "$1" "${cells[@]}"
  eval "$3=(${v})"
}

echo "Start-up and memory, $RUNS runs each ($build_type build, display $DISPLAY); median (min–max)"
echo "              mapped, ms             first frame, ms        CPU to frame, ms       VmRSS, MiB"
row "linear-graph" "$work/program" P
row "bare window" "$work/bare" B
printf '%-13s %+7.1f                %+7.1f                %+7.1f                %+7.1f\n' "difference" \
  "$(awk -v a="${P[0]}" -v b="${B[0]}" 'BEGIN {print a - b}')" \
  "$(awk -v a="${P[1]}" -v b="${B[1]}" 'BEGIN {print a - b}')" \
  "$(awk -v a="${P[2]}" -v b="${B[2]}" 'BEGIN {print a - b}')" \
  "$(awk -v a="${P[3]}" -v b="${B[3]}" 'BEGIN {print a - b}')"
