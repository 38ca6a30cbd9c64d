#!/usr/bin/env bash
# The program in a real window under a window manager: its main window appears
# with its title, a fixed size and its icon; closing it through the window
# manager ends the program with status 0, and so does "終了" answered with Enter.
# Every wait is for a state, 10 s at most, never a fixed pause.
set -u
program=${1:?usage: real_window_check.sh PROGRAM}
fail() { echo "FAIL: $*" >&2; exit 1; }
for t in Xvfb openbox xdotool wmctrl xprop xdpyinfo; do
  command -v "$t" >/dev/null || fail "$t is missing (apt-get install xvfb openbox xdotool wmctrl x11-utils)"
done
source "$(dirname "$0")/../../tools/virtual_display.sh"
start_virtual_display

# Waits for the program to end and puts its exit status (or "hung") in $status.
wait_for_exit() {
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      status=$?
      return
    fi
    sleep 0.1
  done
  kill "$1"
  status=hung
}

"$program" &
pid=$!
win=$(wait_for_window "ヌペ部の謎") || fail "the main window did not appear"
hints=$(xprop -id "$win" WM_NORMAL_HINTS)
min=$(grep -o 'minimum size: [0-9]* by [0-9]*' <<<"$hints" | grep -o '[0-9]* by [0-9]*')
max=$(grep -o 'maximum size: [0-9]* by [0-9]*' <<<"$hints" | grep -o '[0-9]* by [0-9]*')
[ -n "$min" ] && [ "$min" = "$max" ] || fail "the window is not of fixed size ($hints)"
xprop -id "$win" _NET_WM_ICON | grep -q "Icon (32 x 32)" || fail "no 32 × 32 icon on the window"
wmctrl -i -c "$win"
wait_for_exit "$pid"
[ "$status" = 0 ] || fail "closing through the window manager ended with status $status"
echo "closed by the window manager: status 0"

"$program" &
pid=$!
win=$(wait_for_window "ヌペ部の謎") || fail "the main window did not appear the second time"
# Clicked once the window manager has framed it and the program has put it in
# the middle: a click while it moves would miss.
framed() { xprop -id "$win" _NET_FRAME_EXTENTS | grep -q '='; }
wait_until framed || fail "the window manager did not frame the window"
at() { xdotool getwindowgeometry "$win" | grep Position; }
still() { local before; before=$(at); sleep 0.2; [ "$(at)" = "$before" ]; }
wait_until still || fail "the window kept moving"
xdotool windowactivate "$win" 2>/dev/null
wait_until is_active "$win" || fail "the main window did not take the focus"
xdotool mousemove --window "$win" 14 9 click 1 # "終了" at the left of the menu bar
box=$(wait_for_window "終了") || fail "no exit question after clicking 終了"
wait_until is_active "$box" || fail "the exit question did not take the focus"
xdotool key Return # Yes is the default button
wait_for_exit "$pid"
[ "$status" = 0 ] || fail "終了 answered with Enter ended with status $status"
echo "ended by 終了 and Enter: status 0"

# Started with its standard error closed and no usable runtime folder, the
# program writes Qt's warnings nowhere (its descriptor 2 reopened on
# /dev/null, so no file it opens later takes that number) and shows its window.
XDG_RUNTIME_DIR=/nonexistent "$program" 2>&- &
pid=$!
win=$(wait_for_window "ヌペ部の謎") || fail "no window when started with 2>&- and no runtime folder"
ls -l "/proc/$pid/fd/2" 2>/dev/null | grep -q /dev/null || fail "descriptor 2 is not /dev/null"
wmctrl -i -c "$win"
wait_for_exit "$pid"
[ "$status" = 0 ] || fail "started with 2>&-, closing ended with status $status"
echo "started with standard error closed: window shown, status 0"
