#!/usr/bin/env bash
# Renews the Windows program's screenshots in docs/: the main window, the
# version window and the exit question, taken under wine in a virtual desktop
# (wine draws the window frames there, as Windows would) with Windows in
# English, on a private display. Needs tools/build_windows.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
source tools/wine_prefix.sh
ensure_wine_prefix "$PWD/$build/wine/prefix"
timeout 20 wineserver -k 2>/dev/null || true
start_wine_display
mkdir -p docs

# Prints the id of the X window called $1 once it appears (10 s at most).
wait_for_window() {
  local win
  for _ in $(seq 100); do
    # xwininfo, which reads the window's name as wine sets it in any locale.
    win=$(xwininfo -root -tree | grep -F "\"$1\": (" | awk '{ print $1 }' | head -n 1)
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  echo "no window called $1" >&2
  return 1
}

# Windows in English: the program's own texts stay Japanese.
(cd "$build/app" && LANG=C LC_ALL=C exec wine explorer /desktop=mirteka,800x600 mirteka.exe) &
main=$(wait_for_window "ヌペ部の謎")
sleep 1.5
import -window "$main" docs/windows-main-window.png

xdotool mousemove --window "$main" 200 300 click 1 # into the plan: the window takes the keys
xdotool key F10 Right Return                      # バージョン情報
version=$(wait_for_window "バージョン情報")
sleep 1.2
import -window "$version" docs/windows-version-window.png
xdotool key Return # OK
sleep 0.5

xdotool key F10 Return # 終了
question=$(wait_for_window "終了")
sleep 0.5
import -window "$question" docs/windows-exit-question.png
xdotool key Return # はい
sleep 0.5
echo "docs/windows-main-window.png, docs/windows-version-window.png, docs/windows-exit-question.png"
