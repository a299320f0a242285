#!/usr/bin/env bash
# Sets up what is missing, builds the optimised Windows program and runs it under Wine on the current
# display. With no display it starts a virtual X server, saves a screenshot of the program's
# window to build/screenshot.png once the window is shown, and keeps the program running
# until it is closed or this script is interrupted (Ctrl+C).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh release NameGen

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

if [ -n "$headless" ]; then
  # Headless, the program runs on a Wine virtual desktop, which draws the window frames itself
  # (a bare X server has no window manager to draw them); the screenshot is the window's area.
  scripts/wine-run explorer /desktop=NameGen,1280x1024 build/release/bin/NameGen.exe &
else
  scripts/wine-run build/release/bin/NameGen.exe &
fi
program=$!

if [ -n "$headless" ]; then
  desktop=
  for _ in $(seq 300); do
    desktop=$(xdotool search --onlyvisible --classname 'explorer.exe' 2>/dev/null | tail -n1 || true)
    [ -n "$desktop" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$desktop" ]; then
    echo "run: the program showed no window" >&2
    exit 1
  fi
  sleep 2  # let the window appear and finish painting
  # The main window opens at (150, 146) with an outer size of 550 x 309.
  import -window root -crop 550x309+150+146 +repage build/screenshot.png
  echo "run: screenshot of the program's window written to build/screenshot.png"
fi

echo "run: NameGen is running; close its window or press Ctrl+C to end it"
rc=0
wait "$program" || rc=$?
program=
exit $rc
