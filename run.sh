#!/usr/bin/env bash
# Sets up what is missing, builds the Windows program and runs it under Wine on the current
# display. With no display it starts a virtual X server, saves a screenshot of the program's
# window to build/screenshot.png once the window is shown, and keeps the program running
# until it is closed or this script is interrupted (Ctrl+C).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh win NameGen

. scripts/xvfb.sh
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  scripts/wine-run --kill-server
  stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM

headless=
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  headless=1
  echo "run: no display given; started a virtual X server on $DISPLAY"
fi

scripts/wine-run build/win/bin/NameGen.exe &
program=$!

if [ -n "$headless" ]; then
  # Wine names the program's X windows after the executable; wait for a visible one.
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --classname 'namegen.exe' 2>/dev/null | tail -n1 || true)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "run: the program showed no window" >&2
    exit 1
  fi
  sleep 1  # let it finish painting
  import -window "$window" build/screenshot.png
  echo "run: screenshot of the program's window written to build/screenshot.png"
fi

echo "run: NameGen is running; close its window or press Ctrl+C to end it"
rc=0
wait "$program" || rc=$?
program=
exit $rc
