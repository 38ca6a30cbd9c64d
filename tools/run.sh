#!/usr/bin/env bash
# Quick start: set up, build and start the program. Without a display it starts
# it on a virtual one and saves a screenshot of the main window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
program=build/app/mirteka

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

source tools/virtual_display.sh
start_virtual_display
"$program" &
pid=$!
win=$(wait_for_window "ヌペ部の謎") || { echo "the main window did not appear" >&2; exit 1; }
sleep 1
shot=$PWD/build/screenshot.png
import -window "$win" -frame "$shot"
kill "$pid"
echo "No display here: started the program on a virtual one; its main window is in $shot"
