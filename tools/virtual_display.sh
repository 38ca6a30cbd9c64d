# Sourced: starts a private virtual display (96 DPI) with a window manager and
# ends both when the calling script exits. With MIRTEKA_DISPLAY_GIVEN=1 it
# uses the display in DISPLAY instead (xvfb-run's, in the installed package's
# test) and starts only the window manager.
start_virtual_display() {
  _xvfb_pid=
  if [ "${MIRTEKA_DISPLAY_GIVEN:-}" != 1 ]; then
    local d=90
    while [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ]; do d=$((d + 1)); done
    Xvfb ":$d" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    _xvfb_pid=$!
    export DISPLAY=":$d"
  fi
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  _wm_pid=$!
  sleep 0.5
  unset QT_QPA_PLATFORM
  trap 'kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null' EXIT
}

# Prints the id of the visible window called $1 once it appears (10 s at most).
wait_for_window() {
  local win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  return 1
}
