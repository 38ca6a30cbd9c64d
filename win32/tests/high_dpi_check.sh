#!/usr/bin/env bash
# The Windows program at 150 % (144 DPI) under wine: the client area, the
# photograph's frame and the text box are the layout's twips at that scale,
# edge by edge, and the type is the layout's points at that scale. Then in a
# prefix without the preferred face: the fonts fall back to a Japanese UI face.
#
#   high_dpi_check.sh APP_DIR PROBE_EXE   (MIRTEKA_WINE_PREFIX: the prefix, made if not ready)
set -u -o pipefail
app_dir=${1:?usage: high_dpi_check.sh APP_DIR PROBE_EXE}
probe_exe=${2:?usage: high_dpi_check.sh APP_DIR PROBE_EXE}
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
# The prefix is shared: back to 96 DPI and its own fonts whatever happens.
restore() {
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  wine regedit /S "$WINEPREFIX/mirteka-fonts.reg" >/dev/null 2>&1
  timeout 20 wineserver -w
}
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 \
  || fail "cannot set 144 DPI"
timeout 20 wineserver -w
start_wine_display || { restore; fail "no virtual display"; }
trap 'stop_wine_display; restore' EXIT

# A probe that cannot finish (wine stuck under load) answers nothing rather than hanging the test.
probe() { timeout 30 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Text's extent in a face (probe extent): wine reads a Japanese command line
# in the locale's encoding.
extent() { LANG=C.UTF-8 LC_ALL=C.UTF-8 probe extent "$@"; }
start() {
  (cd "$app_dir" && exec wine mirteka.exe) &
  pid=$!
  for _ in $(seq 50); do probe client >/dev/null && break; sleep 0.2; done
}
start
# 10185 × 7395 twips at 1.5 px per 15 twips, halves rounded up: 1018.5 → 1019, 739.5 → 740.
[ "$(probe client)" = "1019 740" ] || fail "client area $(probe client), not 1019 × 740"
# Image1: 5160 … 10080 × 840 … 4545 twips → 516 … 1008 × 84 … 455 px, and its
# 2-pixel frame outside: 496 × 375 on screen.
read -r _ _ w h <<<"$(probe rect Image1)"
[ "$w $h" = "496 375" ] || fail "the photograph's frame is $w × $h, not 496 × 375"
read -r _ _ w h <<<"$(probe rect Text1)"
[ "$w $h" = "998 194" ] || fail "the text box is $w × $h, not 998 × 194"
echo "150 %: client 1019 × 740, photograph frame 496 × 375, text box 998 × 194"
# The title's 26.25 points and the default 9 are 52.5 and 18 px at 144 DPI, halves rounded up.
title="☆ヌペ部の謎　'99☆"
read -r _ _ w h <<<"$(probe rect Label4)"
[ "$w $h" = "$(extent "ＭＳ Ｐゴシック" 53 "$title")" ] || fail "the title is $w × $h, not 26.25-point at 144 DPI"
read -r _ _ w h <<<"$(probe rect Label1)"
[ "$w $h" = "$(extent "ＭＳ Ｐゴシック" 18 "廊下")" ] || fail "廊下 is $w × $h, not 9-point at 144 DPI"
echo "150 %: the title at 53 px to the em, the plan's labels at 18"

# Without ＭＳ Ｐゴシック: the font mapper's own choice for the missing face
# is told from the first Japanese UI face by its widths; the title is in the latter.
kill "$pid"
wait "$pid" 2>/dev/null
reg=$WINEPREFIX/mirteka-fallback.reg
{ printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"=-\r\n"MS PGothic"=-\r\n\r\n' \
    | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
wine regedit /S "$reg" >/dev/null 2>&1 || fail "cannot take ＭＳ Ｐゴシック away"
timeout 20 wineserver -w
start
fallback=$(extent "Yu Gothic UI" 53 "$title")
mapped=$(extent "ＭＳ Ｐゴシック" 53 "$title")
[ "$fallback" != "$mapped" ] || fail "the font mapper's choice for the missing face cannot be told from Yu Gothic UI ($mapped)"
read -r _ _ w h <<<"$(probe rect Label4)"
[ "$w $h" = "$fallback" ] || fail "without ＭＳ Ｐゴシック the title is $w × $h, not $fallback as in Yu Gothic UI (the mapper's choice: $mapped)"
echo "without ＭＳ Ｐゴシック: the title in Yu Gothic UI ($fallback), not in the mapper's choice ($mapped)"
