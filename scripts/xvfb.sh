# Sourced: start_xvfb starts a virtual X server on a free display and exports DISPLAY;
# stop_xvfb stops it again; stop_all_on_exit ends the tree's Wine server and that X server when the
# sourcing script ends, also on an interrupt.
#
# Xvfb picks the display itself (-displayfd): it skips displays whose lock belongs to a
# live server and takes over locks left behind by dead ones, so neither a parallel run
# nor a crashed one gets in the way.
start_xvfb() {
  local fifo n
  fifo=$(mktemp -u /tmp/namegen-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
    3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  # Reading the display number blocks until the server is ready (or gone).
  n=$(timeout 30 head -n1 "$fifo" || true)
  rm -f "$fifo"
  if [ -z "$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
    echo "could not start Xvfb" >&2
    XVFB_PID=
    return 1
  fi
  export DISPLAY=":$n"
}
stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  XVFB_PID=
}
stop_all_on_exit() {
  local wine_run
  wine_run="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-run"
  trap "'$wine_run' --kill-server; stop_xvfb" EXIT
  trap 'exit 130' INT TERM
}
