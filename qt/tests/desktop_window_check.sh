#!/usr/bin/env bash
# The windows on a real display under a window manager: the main window's
# frame sits in the middle of the screen; the version window and the exit
# question are owned by it (transient for it), modal, and centred frame and
# all; minimising the owned window takes its owner along; Enter presses the
# focused OK, and F10 then → and Enter run a menu command.
#
# Every wait is for a state (a window shown, placed, active, gone), 10 s at
# most, never a fixed pause, so a loaded machine only makes the run slower.
set -u
program=${1:?usage: desktop_window_check.sh PROGRAM}
fail() { echo "FAIL: $*" >&2; exit 1; }
for t in Xvfb openbox xdotool xprop xwininfo xdpyinfo; do
  command -v "$t" >/dev/null || fail "$t is missing (apt-get install xvfb openbox xdotool x11-utils)"
done
source "$(dirname "$0")/../../tools/virtual_display.sh"
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
shown() { ! iconic "$1"; }
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# Whether the frame of window $1 has its centre within a pixel of the doubled centre $2.
centred_on() { near "$(centre2 "$(frame_of "$1")")" "$2"; }

read -r sw sh < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
screen2="$sw $sh"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null; kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null' EXIT
main=$(wait_for_window "ヌペ部の謎") || fail "the main window did not appear"
main_hex=$(printf '0x%x' "$main")
wait_until centred_on "$main" "$screen2" ||
  fail "main window frame $(frame_of "$main") is not centred on the ${sw}x${sh} screen"
echo "main window: frame $(frame_of "$main"), centred"

xdotool mousemove --window "$main" 90 9 click 1 # バージョン情報
ver=$(wait_for_window "バージョン情報") || fail "no version window"
[ "$(transient_for "$ver")" = "$main_hex" ] || fail "version window is transient for '$(transient_for "$ver")', not $main_hex"
xprop -id "$ver" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "version window not modal"
wait_until centred_on "$ver" "$screen2" || fail "version window frame $(frame_of "$ver") is not centred"
echo "version window: transient for the main window, modal, frame $(frame_of "$ver") centred"

xdotool windowminimize "$ver"
wait_until iconic "$main" || fail "minimising the version window left the main window on screen"
xdotool windowactivate "$ver" 2>/dev/null
wait_until shown "$ver" || fail "the version window did not come back"
echo "minimising the version window takes the main window along, and both come back"

xdotool windowactivate "$ver" 2>/dev/null
wait_until is_active "$ver" || fail "the version window did not take the focus"
xdotool key Return # OK has the focus
wait_until gone "バージョン情報" || fail "Enter on the focused OK did not close the version window"
echo "Enter on OK closed the version window"

xdotool windowactivate "$main" 2>/dev/null
wait_until is_active "$main" || fail "the main window did not take the focus back"
xdotool key F10 Right Return # バージョン情報 by keyboard
ver=$(wait_for_window "バージョン情報") || fail "F10, → and Enter did not open the version window"
wait_until is_active "$ver" || fail "the version window opened by keyboard did not take the focus"
xdotool key Return
wait_until gone "バージョン情報" || fail "the version window opened by keyboard did not close"
echo "F10, → and Enter opened the version window"

xdotool mousemove --window "$main" 14 9 click 1 # 終了
box=$(wait_for_window "終了") || fail "no exit question"
[ "$(transient_for "$box")" = "$main_hex" ] || fail "exit question is transient for '$(transient_for "$box")', not $main_hex"
wait_until centred_on "$box" "$(centre2 "$(frame_of "$main")")" ||
  fail "exit question frame $(frame_of "$box") is not centred on the main window's"
echo "exit question: transient for the main window, frame $(frame_of "$box") centred on it"
wait_until is_active "$box" || fail "the exit question did not take the focus"
xdotool key Return
ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_until ended || fail "the program did not end after Yes"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "ended with status $status"
echo "ended by Enter at the exit question: status 0"
