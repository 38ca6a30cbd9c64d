#!/usr/bin/env bash
# The windows on a real display under a window manager: the main window's
# frame sits in the middle of the screen; the version window and the exit
# question are owned by it (transient for it), modal, and centred frame and
# all; minimising the owned window takes its owner along; Enter presses the
# focused OK, and F10 then → and Enter run a menu command.
set -u
program=${1:?usage: desktop_window_check.sh PROGRAM}
fail() { echo "FAIL: $*" >&2; exit 1; }
for t in Xvfb openbox xdotool xprop xwininfo xdpyinfo; do
  command -v "$t" >/dev/null || fail "$t is missing (apt-get install xvfb openbox xdotool x11-utils)"
done
source "$(dirname "$0")/../tools/virtual_display.sh"
start_virtual_display

# The frame's rectangle "x y width height" from the client's place and the frame extents.
frame_of() {
  local info ext x y w h l r t b
  info=$(xwininfo -id "$1")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/  Width:/ {print $NF}' <<<"$info")
  h=$(awk '/  Height:/ {print $NF}' <<<"$info")
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' | tr -d ' ')
  IFS=, read -r l r t b <<<"$ext"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
# Twice the centre of a rectangle, so that half pixels stay whole.
centre2() { awk '{print 2 * $1 + $3, 2 * $2 + $4}' <<<"$1"; }
near() { # two doubled centres within one pixel of each other
  awk -v a="$1" -v b="$2" 'BEGIN {split(a, p, " "); split(b, q, " ");
    exit !((p[1] - q[1]) ^ 2 <= 4 && (p[2] - q[2]) ^ 2 <= 4)}'
}
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*$'; }
iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
gone() { # waits up to 5 s for the window called $1 to go
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

read -r sw sh < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
screen2="$sw $sh"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null; kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null' EXIT
main=$(wait_for_window "ヌペ部の謎") || fail "the main window did not appear"
main_hex=$(printf '0x%x' "$main")
sleep 0.5
frame=$(frame_of "$main")
near "$(centre2 "$frame")" "$screen2" ||
  fail "main window frame $frame is not centred on the ${sw}x${sh} screen"
echo "main window: frame $frame, centred"

xdotool mousemove --window "$main" 90 9 click 1 # バージョン情報
ver=$(wait_for_window "バージョン情報") || fail "no version window"
sleep 0.5
[ "$(transient_for "$ver")" = "$main_hex" ] || fail "version window is transient for '$(transient_for "$ver")', not $main_hex"
xprop -id "$ver" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "version window not modal"
vframe=$(frame_of "$ver")
near "$(centre2 "$vframe")" "$screen2" || fail "version window frame $vframe is not centred"
echo "version window: transient for the main window, modal, frame $vframe centred"

xdotool windowminimize "$ver"
for _ in $(seq 30); do iconic "$main" && break; sleep 0.1; done
iconic "$main" || fail "minimising the version window left the main window on screen"
xdotool windowactivate "$ver" 2>/dev/null
for _ in $(seq 30); do iconic "$ver" || break; sleep 0.1; done
iconic "$ver" && fail "the version window did not come back"
echo "minimising the version window takes the main window along, and both come back"

xdotool windowactivate --sync "$ver" 2>/dev/null
sleep 0.3
xdotool key Return # OK has the focus
gone "バージョン情報" || fail "Enter on the focused OK did not close the version window"
echo "Enter on OK closed the version window"

xdotool windowactivate --sync "$main" 2>/dev/null
sleep 0.3
xdotool key F10 Right Return # バージョン情報 by keyboard
ver=$(wait_for_window "バージョン情報") || fail "F10, → and Enter did not open the version window"
xdotool windowactivate --sync "$ver" 2>/dev/null
sleep 0.3
xdotool key Return
gone "バージョン情報" || fail "the version window opened by keyboard did not close"
echo "F10, → and Enter opened the version window"

xdotool mousemove --window "$main" 14 9 click 1 # 終了
box=$(wait_for_window "終了") || fail "no exit question"
sleep 0.5
[ "$(transient_for "$box")" = "$main_hex" ] || fail "exit question is transient for '$(transient_for "$box")', not $main_hex"
bframe=$(frame_of "$box")
near "$(centre2 "$bframe")" "$(centre2 "$(frame_of "$main")")" ||
  fail "exit question frame $bframe is not centred on the main window's"
echo "exit question: transient for the main window, frame $bframe centred on it"
xdotool key Return
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Yes"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "ended with status $status"
echo "ended by Enter at the exit question: status 0"
