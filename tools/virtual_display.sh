# Sourced: starts a private virtual display (96 DPI) with a window manager,
# given any options for openbox, and ends both when the calling script exits.
# The X server picks a free display number itself, so several of these can
# start at once. With MIRTEKA_DISPLAY_GIVEN=1 it uses the display in DISPLAY
# instead (xvfb-run's, in the installed package's test) and starts only the
# window manager.
start_virtual_display() {
  _xvfb_pid=
  if [ "${MIRTEKA_DISPLAY_GIVEN:-}" != 1 ]; then
    local number
    number=$(mktemp)
    # -noreset: a server that resets as its last client leaves refuses the next
    # one for a moment, and the window manager, starting then, would be lost.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$number" \
      >/dev/null 2>&1 &
    _xvfb_pid=$!
    # The number is written, with a line feed, once the server takes clients.
    for _ in $(seq 100); do grep -q '^[0-9]' "$number" && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$number")"
    rm -f "$number"
  fi
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox "$@" >/dev/null 2>&1 &
  _wm_pid=$!
  trap 'kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null' EXIT
  # Openbox has taken the screen once it has set its check window on the root.
  local up=""
  for _ in $(seq 100); do
    [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]] && { up=1; break; }
    sleep 0.1
  done
  [ -n "$up" ] || { echo "FAIL: the window manager did not start on $DISPLAY" >&2; exit 1; }
  unset QT_QPA_PLATFORM
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

# Runs the command until it succeeds, 10 s at most; fails if it never does.
wait_until() {
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Whether the window $1 has the input focus, given it by the window manager.
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
