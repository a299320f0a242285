#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the platform-free code
# natively under AddressSanitizer and UBSan, the Windows program's tests under Wine on a
# virtual X server. Prints each runner's summary and the details of any failure; exits
# non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
start=$SECONDS

# A server left behind by an interrupted run may hold a desktop on a display that is gone.
scripts/wine-run --kill-server
bash scripts/setup.sh
setup_done=$SECONDS
bash scripts/build.sh
build_done=$SECONDS

. scripts/xvfb.sh
stop_all_on_exit
start_xvfb

status=0
: >build/test-totals.txt
# Runs one CTest tree and keeps its full log; prints every runner's summary and, for a
# failed runner, its output.
run_suite() {
  local title=$1 dir=$2 log="build/$3.log" rc=0
  echo "== $title =="
  ctest --test-dir "$dir" -V --timeout 600 >"$log" 2>&1 || rc=$?
  awk -v failed_detail="$([ $rc -ne 0 ] && echo 1 || echo 0)" -v totals=build/test-totals.txt '
    match($0, /^ *Start +[0-9]+: /) { split(substr($0, RLENGTH + 1), w, " "); n = $0; sub(/^ *Start +/, "", n); sub(/:.*/, "", n); name[n] = w[1] }
    match($0, /^[0-9]+: /) {
      n = substr($0, 1, RLENGTH - 2); text = substr($0, RLENGTH + 1); out[n] = out[n] text "\n"
      if (text ~ /^\[  PASSED  \] [0-9]+ tests?\./) { split(text, w, " "); pass[n] += w[4]; summary[n] = summary[n] text "  " }
      if (text ~ /^\[  SKIPPED \] [0-9]+ tests?[.,]/) { split(text, w, " "); skip[n] += w[4]; summary[n] = summary[n] text "  " }
      if (text ~ /^\[  FAILED  \] [0-9]+ tests?, listed below/) { split(text, w, " "); fail[n] += w[4]; summary[n] = summary[n] text "  " }
    }
    match($0, /Test +#[0-9]+: [^ ]+ \.+/) {
      s = $0; sub(/.*Test +#/, "", s); n = s; sub(/:.*/, "", n)
      result[n] = ($0 ~ /\.+ +Passed/) ? "ok" : "failed"; order[++count] = n
    }
    /tests passed, [0-9]+ tests failed out of/ { closing = $0 }
    END {
      for (i = 1; i <= count; i++) {
        n = order[i]
        if (summary[n] == "") {   # not a GoogleTest runner, or it died before its summary
          summary[n] = (result[n] == "ok") ? "passed" : "FAILED (no test summary: crashed or timed out)"
          if (result[n] == "ok") pass[n]++; else fail[n]++
        } else if (result[n] != "ok" && fail[n] == 0) { fail[n]++; summary[n] = summary[n] "(exit status non-zero)" }
        sub(/ +$/, "", summary[n])
        printf "%s: %s\n", name[n], summary[n]
        tp += pass[n]; tf += fail[n]; ts += skip[n]
      }
      print closing
      if (failed_detail == 1)
        for (i = 1; i <= count; i++) {
          n = order[i]
          if (result[n] != "ok") printf "---- output of %s ----\n%s", name[n], out[n]
        }
      printf "%d %d %d\n", tp, tf, ts >> totals
    }' "$log"
  if [ $rc -ne 0 ]; then
    echo "(full log: $log)"
    status=1
  fi
}
run_suite "native tests under AddressSanitizer and UBSan" build/native native-tests
run_suite "Windows tests under Wine" build/win win-tests
tests_done=$SECONDS

echo "== times =="
echo "set-up $((setup_done - start)) s, build $((build_done - setup_done)) s, tests $((tests_done - build_done)) s, total $((tests_done - start)) s"
awk '{ p += $1; f += $2; s += $3 } END { printf "tests: %d passed, %d failed, %d skipped\n", p, f, s }' build/test-totals.txt
exit $status
