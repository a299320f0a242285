#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the platform-free code
# natively under AddressSanitizer and UBSan, the Windows program's tests under Wine on a
# virtual X server. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh

. scripts/xvfb.sh
start_xvfb
trap 'scripts/wine-run --kill-server >/dev/null 2>&1 || true; stop_xvfb' EXIT

status=0
# Runs one CTest tree, keeps its full log and prints each runner's summary.
run_suite() {
  local title=$1 dir=$2 log="build/$3.log" rc=0
  echo "== $title =="
  ctest --test-dir "$dir" --output-on-failure -V >"$log" 2>&1 || rc=$?
  grep -E '^[0-9]+: \[  (PASSED|FAILED)  \]|^[0-9]+: \[  FAILED  \] |^[0-9]+/[0-9]+ Test|tests passed' "$log" || true
  if [ $rc -ne 0 ]; then
    echo "-- failures in $title (full log: $log) --"
    grep -E '^[0-9]+: .*(Failure|FAILED|error)' "$log" | head -n 60 || true
    status=1
  fi
}
run_suite "native tests under AddressSanitizer and UBSan" build/native native-tests
run_suite "Windows tests under Wine" build/win win-tests
exit $status
