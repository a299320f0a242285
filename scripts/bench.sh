#!/usr/bin/env bash
# Sets up what is missing, builds the benchmarks of the Windows program and runs them under Wine
# on a virtual desktop, printing their figures (also kept in build/bench.log). With no display it
# starts a virtual X server. Options go to the benchmark:
#   scripts/bench.sh [--runs N] [--long-runs N] [--seconds S]
# Takes about five minutes with the defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh win bench_mainwindow

. scripts/xvfb.sh
cleanup() {
  scripts/wine-run --kill-server
  stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM
[ -n "${DISPLAY:-}" ] || start_xvfb

# The virtual desktop does not pass the exit code on: a failure is told by the output.
scripts/wine-test build/win/bin/bench_mainwindow.exe "$@" | tee build/bench.log
! grep -q '^benchmark failed' build/bench.log
