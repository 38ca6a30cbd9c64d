#!/usr/bin/env bash
# Runs a command on a private virtual display under a window manager, on the
# Qt platform QT_QPA_PLATFORM names (xcb when unset): offscreen is for a test
# that draws off screen but whose platform theme needs a display (GTK's).
# --thick-frames: the window manager draws frames 20 pixels thick.
set -u
command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
  { echo "FAIL: Xvfb or openbox is missing (apt-get install xvfb openbox)" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
openbox_options=()
if [ "${1:-}" = --thick-frames ]; then
  shift
  openbox_options=(--config-file "$here/openbox/thick-frames.xml")
  export XDG_DATA_HOME="$here/openbox" # where openbox finds the theme
fi
platform=${QT_QPA_PLATFORM:-xcb}
source "$here/../../tools/virtual_display.sh"
start_virtual_display "${openbox_options[@]}"
unset XDG_DATA_HOME
export QT_QPA_PLATFORM=$platform
"$@"
