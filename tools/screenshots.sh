#!/usr/bin/env bash
# Renews the screenshots in docs/: the main window at scale factors 1 and 2,
# and the version window. Needs a build (tools/setup.sh) and no display.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/virtual_display.sh
start_virtual_display
program=build/app/mirteka
mkdir -p docs

shoot() { # scale, file
  QT_SCALE_FACTOR=$1 "$program" &
  local pid=$! win
  win=$(wait_for_window "ヌペ部の謎") || { echo "no main window" >&2; exit 1; }
  sleep 1
  import -window "$win" -frame "docs/$2"
  if [ "$1" = 1 ]; then
    xdotool mousemove --window "$win" 90 9 click 1 # バージョン情報
    win=$(wait_for_window "バージョン情報") || { echo "no version window" >&2; exit 1; }
    sleep 1.2
    import -window "$win" -frame docs/version-window.png
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
shoot 1 main-window.png
shoot 2 main-window@2x.png
echo "saved docs/main-window.png, docs/main-window@2x.png, docs/version-window.png"
