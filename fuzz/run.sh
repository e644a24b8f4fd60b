#!/usr/bin/env bash
# Builds the fuzz target into <build-dir> and fuzzes for <seconds> from a copy
# of the seed corpus. Exits non-zero on any finding (or a failed build); exits
# 0 with a note when no clang is installed, so that the caller decides.
#   bash fuzz/run.sh <build-dir> <seconds>
# FUZZ_SEED=<n> repeats a run with libFuzzer's seed n (printed in the log).
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 <build-dir> <seconds>" >&2
  exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if command -v clang++-14 >/dev/null 2>&1; then
  cxx=clang++-14
elif command -v clang++ >/dev/null 2>&1; then
  cxx=clang++
else
  echo "fuzz: no clang++ found (clang++-14 or clang++): the fuzz target was not built or run"
  exit 0
fi

mkdir -p "$build"
build=$(cd "$build" && pwd)

CXX=$cxx cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log"
  echo "fuzz: configuring with $cxx failed" >&2
  exit 1
}
cmake --build "$build" -j2 || {
  echo "fuzz: building with $cxx failed (is libclang-rt-14-dev installed?)" >&2
  exit 1
}

# Fuzz a copy, so that the seed corpus in the repository does not grow.
corpus="$build/corpus"
findings="$build/findings"
rm -rf "$corpus" "$findings"
cp -r "$here/corpus" "$corpus"
mkdir -p "$findings"

seed=()
if [ -n "${FUZZ_SEED:-}" ]; then
  seed=(-seed="$FUZZ_SEED")
fi

log="$build/fuzz.log"
start=$(date +%s)
"$build/fuzz_textvalue" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "${seed[@]}" \
  -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1
rc=$?
end=$(date +%s)

execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)

if [ "$rc" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
  tail -n 60 "$log"
  echo "fuzz: ${execs:-?} executions in $((end - start)) s; $(grep -m1 -o 'Seed: [0-9]*' "$log")" >&2
  echo "fuzz: FAILED (exit $rc); findings in $findings:" >&2
  ls -l "$findings" >&2
  exit 1
fi

echo "fuzz: ${execs:-?} executions in $((end - start)) s (${rate:-?} per second)${done_line:+; libFuzzer: $done_line}"
echo "fuzz: no finding"
exit 0
