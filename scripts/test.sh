#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test
# headless: the desktop program's, then the page's (in Node, headless
# Chromium and WebKitGTK); ends with CTest's summary of both.
# CTEST_ARGS passes further options to CTest (for example "-E fuzz");
# LG_TEST_WEB=0 leaves the page out.
set -euo pipefail
# shellcheck source=SCRIPTDIR/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" test

failed=0
summary=()
run_ctest()
{
  local folder=$1 log
  log=$(mktemp)
  # shellcheck disable=SC2086
  (cd "$folder" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ${CTEST_ARGS:-}) 2>&1 \
    | tee "$log" || failed=1
  summary+=("$(basename "$folder"): $(grep -E 'tests passed|tests failed|No tests were found' "$log" | tail -n 1 || true)")
  rm -f "$log"
}

run_ctest "$BUILD"
if [[ ${LG_TEST_WEB:-1} != 0 ]]; then
  build_web tests
  run_ctest "$WEB_BUILD"
fi

echo
echo "== CTest's summary =="
printf '%s\n' "${summary[@]}"
exit "$failed"
