#!/usr/bin/env bash
# Runs a command on a private virtual display under a window manager, on the
# Qt platform QT_QPA_PLATFORM names (xcb when unset): offscreen is for a test
# that draws off screen but whose platform theme needs a display (GTK's).
set -u
command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
  { echo "FAIL: Xvfb or openbox is missing (apt-get install xvfb openbox)" >&2; exit 1; }
platform=${QT_QPA_PLATFORM:-xcb}
source "$(dirname "$0")/../tools/virtual_display.sh"
start_virtual_display
export QT_QPA_PLATFORM=$platform
"$@"
