#!/usr/bin/env bash
# Renews the screenshots in docs/: the main window at scale factors 1 and 2,
# the version window, and the main window on a desktop with a dark colour
# scheme (KDE's platform theme reading a dark kdeglobals, which Qt applies
# with no KDE installed). Needs a build (tools/setup.sh) and no display.
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

# A dark scheme: the colours of a common dark KDE scheme, in a private config folder.
dark=$(mktemp -d)
trap 'rm -rf "$dark"; kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null' EXIT
cat >"$dark/kdeglobals" <<'KDE'
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=252,252,252
[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=252,252,252
KDE
shoot_dark() {
  XDG_CONFIG_HOME=$dark XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 "$program" &
  local pid=$! win
  win=$(wait_for_window "ヌペ部の謎") || { echo "no main window" >&2; exit 1; }
  sleep 1
  import -window "$win" -frame docs/main-window-dark.png
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
shoot_dark
echo "saved docs/main-window.png, docs/main-window@2x.png, docs/version-window.png, docs/main-window-dark.png"
