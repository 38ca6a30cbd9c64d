#!/usr/bin/env bash
# Input waits for a slow picture, in a real window under a window manager.
#
# The program runs from a copy of its folder whose kita.jpg (entry 2) is a
# large progressive photograph that takes the loader seconds. Option2 is
# clicked, then, during the decode, Option1 and "写真2". While the decode runs,
# the window, minimised and brought back, must repaint with entry 2's text
# beside the picture it showed before, the two clicks still waiting; after it,
# the clicks must have been handled in their order: entry 1's text, "写真2"
# (enabled by Option1) showing room2.jpg. Handled during the decode, they
# would end with entry 1's text beside kita.jpg; lost or swapped, with entry
# 2's text or room1.jpg. The expected looks are screenshots of the same
# program from its own folder, clicked the same way with time to finish each;
# whether the decode still runs is told by its thread.
#
#   picture_wait_window_check.sh PROGRAM SLOW_PHOTO
# KEEP_SHOTS=1 keeps the screenshots and names their folder.
set -u
program=${1:?usage: picture_wait_window_check.sh PROGRAM SLOW_PHOTO}
slow_photo=${2:?usage: picture_wait_window_check.sh PROGRAM SLOW_PHOTO}
fail() { echo "FAIL: $*" >&2; exit 1; }
for t in Xvfb openbox xdotool xprop xwininfo xdpyinfo import compare convert; do
  command -v "$t" >/dev/null || fail "$t is missing (apt-get install xvfb openbox xdotool x11-utils imagemagick)"
done
[ -s "$slow_photo" ] || fail "no slow photograph at $slow_photo"
source "$(dirname "$0")/../../tools/virtual_display.sh"
start_virtual_display
work=$(mktemp -d)
[ -n "${KEEP_SHOTS:-}" ] && echo "shots in $work"
pid=""
trap 'kill $pid 2>/dev/null; kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null; [ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT

folder=$(dirname "$program")
for copy in fast slow; do
  mkdir "$work/$copy"
  cp "$program" "$folder"/*.jpg "$work/$copy/"
done
cp "$slow_photo" "$work/slow/kita.jpg"

# Places on the form, in pixels at 96 DPI (twips / 15), below the menu bar.
client_height=$((7395 / 15))
option1="120 272"
option2="112 64"
command2="600 324"
text1="665x129+8+352"
image1="328x247+344+56"
away="4 4" # the pointer ends on the form here, over no button, so that none is shown hovered

shot() { import -window "$win" "$work/$1.png"; }
# crop SHOT REGION: the region of a shot, the menu bar's height added to its top.
crop() {
  local size=${2%%+*} pos=${2#*+}
  convert "$work/$1.png" -crop "$size+${pos%+*}+$((${pos#*+} + menu))" +repage "$work/$1.$3.png"
}
# same SHOT REF [REGION NAME]: whether two shots, or one region of them, match.
same() {
  local a=$work/$1.png b=$work/$2.png
  if [ -n "${3:-}" ]; then
    crop "$1" "$3" "$4"; crop "$2" "$3" "$4"
    a=$work/$1.$4.png b=$work/$2.$4.png
  fi
  [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0 ]
}
point() { xdotool mousemove --window "$win" "$1" "$(($2 + menu))"; }
click() { point "$@"; xdotool click 1; }
# settle NAME [REGION]: waits (about 6 s at most) until two shots 0.3 s apart match,
# in REGION if given, and keeps the last as NAME.
settle() {
  shot "$1"
  for _ in $(seq 10); do
    sleep 0.3
    mv "$work/$1.png" "$work/$1.prev.png"
    shot "$1"
    same "$1" "$1.prev" ${2:+"$2" settle} && return 0
  done
  fail "the window did not settle for '$1'"
}
error_box() { xdotool search --onlyvisible --name "^えらー\$" >/dev/null 2>&1; }
start() {
  "$work/$1/mirteka" &
  pid=$!
  win=$(wait_for_window "ヌペ部の謎") || fail "the main window did not appear ($1)"
  xdotool windowactivate --sync "$win" 2>/dev/null
  local height
  height=$(xwininfo -id "$win" | awk '/  Height:/ {print $NF}')
  menu=$((height - client_height))
  [ "$menu" -gt 10 ] && [ "$menu" -lt 60 ] || fail "window height $height: no menu bar above a $client_height-pixel form"
}
stop() {
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=""
}

# The expected looks, from the program's own folder. At start the caret
# blinks in the description box, so only the picture is compared then.
start fast
settle start "$image1"
click $option2
settle entry2
click $option1
settle entry1
click $command2
point $away
settle final
same entry2 final && fail "the reference clicks changed nothing"
stop

start slow
settle slow_start "$image1"
same slow_start start "$image1" image || fail "the copy with the slow kita.jpg does not start as the program does"
# The decode runs on a thread of its own, the only one besides the main
# thread that keeps the program's name: while it lives, the decode goes on.
threads() { cat "/proc/$pid/task/"*/comm 2>/dev/null | grep -cx "$(basename "$program")"; }
idle_threads=$(threads)
began=$(date +%s%N)
ms() { echo $((($(date +%s%N) - began) / 1000000)); }
click $option2
sleep 0.2
click $option1
click $command2
point $away
# Unmapped and mapped again, the window's contents are gone until it repaints.
xdotool windowminimize "$win"
for _ in $(seq 30); do
  xprop -id "$win" WM_STATE | grep -q 'window state: Iconic' && break
  sleep 0.1
done
xdotool windowactivate --sync "$win" 2>/dev/null
# Shots for up to a second after the window is back, until its description
# box shows either entry's text; the decode must still run after the last.
shown=$(ms)
while :; do
  shot during
  decoding=$(($(threads) > idle_threads))
  same during entry2 "$text1" text || same during entry1 "$text1" text && break
  [ $(($(ms) - shown)) -lt 1000 ] || break
  sleep 0.1
done
during_ms=$(ms)
error_box && fail "the slow kita.jpg was refused (えらー box)"
[ $decoding = 1 ] || fail "the decode was over within $during_ms ms, too soon to look at the window during it: too fast a photo or a loaded machine"
# What went wrong during the decode is reported with what came after it.
problems=0
problem() { echo "FAIL: $*" >&2; problems=$((problems + 1)); }
if same during entry1 "$text1" text; then
  problem "$during_ms ms into the decode, entry 1's text: the clicks made during it were handled at once"
elif ! same during entry2 "$text1" text; then
  problem "$during_ms ms into the decode, the window, mapped again, does not show entry 2's text: not repainted"
elif ! same during start "$image1" image; then
  problem "$during_ms ms into the decode, the picture is no longer room1.jpg"
else
  echo "during the decode ($during_ms ms in): repainted with entry 2's text, the old picture, the clicks waiting"
fi

for _ in $(seq 300); do
  [ "$(threads)" -gt "$idle_threads" ] || break
  sleep 0.2
done
[ "$(threads)" -gt "$idle_threads" ] && fail "the decode did not end within a minute"
decode_ms=$(ms)
settle after
error_box && fail "the slow kita.jpg was refused (えらー box)"
if same after final; then
  echo "after the decode (about $decode_ms ms): Option1 then 写真2 handled in order, room2.jpg shown"
else
  same after final "$text1" text || problem "after the decode the description is not entry 1's"
  same after final "$image1" image || problem "after the decode the picture is not room2.jpg (写真2 after Option1)"
  problem "after the decode the window does not look as after the same clicks without waiting"
fi
[ $problems = 0 ] || exit 1
