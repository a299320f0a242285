#!/usr/bin/env bash
# Sets up what is missing, builds the optimised program and its benchmarks (build/release) and runs
# them under Wine on a virtual desktop, printing their figures (also kept in build/bench.log). With
# no display it starts a virtual X server.
#   scripts/bench.sh                      both benchmarks with their defaults (about six minutes)
#   scripts/bench.sh startup [--runs N] [--seconds S]
#       start-up, working set (and where it goes) and idle CPU time against the floor program,
#       the bare floor and the plain floor (default 61 launches of each in rounds and 60 s of idle;
#       about four minutes)
#   scripts/bench.sh mainwindow [--runs N] [--long-runs N] [--seconds S]
#       the start click and the marquee's idle cost inside the main window (about five minutes)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

which=${1:-all}
[ $# -gt 0 ] && shift
case "$which" in
  startup) benches=(bench_startup) ;;
  mainwindow) benches=(bench_mainwindow) ;;
  all) benches=(bench_startup bench_mainwindow) ;;
  *) echo "usage: scripts/bench.sh [startup|mainwindow] [options]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
bash scripts/build.sh release "${benches[@]}"

. scripts/xvfb.sh
stop_all_on_exit
[ -n "${DISPLAY:-}" ] || start_xvfb

# The virtual desktop does not pass the exit code on: a failure is told by the output.
: >build/bench.log
for bench in "${benches[@]}"; do
  echo "== $bench" | tee -a build/bench.log
  scripts/wine-test "build/release/bin/$bench.exe" "$@" | tee -a build/bench.log
done
! grep -q '^benchmark failed' build/bench.log
