#!/usr/bin/env bash
# The Windows program at 150 % (144 DPI) under wine: the client area, the
# photograph's frame and the text box are the layout's twips at that scale,
# edge by edge.
#
#   high_dpi_check.sh APP_DIR PROBE_EXE   (MIRTEKA_WINE_PREFIX: the prefix, made if not ready)
set -u -o pipefail
app_dir=${1:?usage: high_dpi_check.sh APP_DIR PROBE_EXE}
probe_exe=${2:?usage: high_dpi_check.sh APP_DIR PROBE_EXE}
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
# The prefix is shared: back to 96 DPI whatever happens.
restore() {
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  timeout 20 wineserver -w
}
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 \
  || fail "cannot set 144 DPI"
timeout 20 wineserver -w
start_wine_display || { restore; fail "no virtual display"; }
trap 'stop_wine_display; restore' EXIT

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
(cd "$app_dir" && exec wine mirteka.exe) &
for _ in $(seq 50); do probe client >/dev/null && break; sleep 0.2; done
# 10185 × 7395 twips at 1.5 px per 15 twips, halves rounded up: 1018.5 → 1019, 739.5 → 740.
[ "$(probe client)" = "1019 740" ] || fail "client area $(probe client), not 1019 × 740"
# Image1: 5160 … 10080 × 840 … 4545 twips → 516 … 1008 × 84 … 455 px, and its
# 2-pixel frame outside: 496 × 375 on screen.
read -r _ _ w h <<<"$(probe rect Image1)"
[ "$w $h" = "496 375" ] || fail "the photograph's frame is $w × $h, not 496 × 375"
read -r _ _ w h <<<"$(probe rect Text1)"
[ "$w $h" = "998 194" ] || fail "the text box is $w × $h, not 998 × 194"
echo "150 %: client 1019 × 740, photograph frame 496 × 375, text box 998 × 194"
