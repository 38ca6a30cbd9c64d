#!/usr/bin/env bash
# A slow picture under wine: the window keeps painting while it is decoded,
# and input waits for the handler that asked for it.
#
# The program runs from a copy of its folder whose kita.jpg (entry 2) takes
# the loader seconds. The decode runs on a thread of its own, the program's
# only one besides its main thread: while that thread lives, the decode goes
# on. During it the probe invalidates the window and must see it painted with
# the thread still there. Option1, clicked during the decode, must wait for
# it: handled after it, it ends with entry 1's text beside room1.jpg; handled
# during it, the decode's picture would come last, kita.jpg beside entry 1's text.
#
#   picture_wait_check.sh APP_DIR PROBE_EXE SLOW_PHOTO  (MIRTEKA_WINE_PREFIX: the prefix)
set -u -o pipefail
app_dir=${1:?usage: picture_wait_check.sh APP_DIR PROBE_EXE SLOW_PHOTO}
probe_exe=${2:?usage: picture_wait_check.sh APP_DIR PROBE_EXE SLOW_PHOTO}
slow_photo=${3:?usage: picture_wait_check.sh APP_DIR PROBE_EXE SLOW_PHOTO}
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -s "$slow_photo" ] || fail "no slow photograph at $slow_photo"
source "$(dirname "$0")/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
start_wine_display || fail "no virtual display"

scratch=$(mktemp -d)
trap 'stop_wine_display; rm -rf "$scratch"' EXIT
cp "$app_dir"/mirteka.exe "$app_dir"/*.jpg "$scratch/"
cp "$slow_photo" "$scratch/kita.jpg"

# A probe that cannot finish (wine stuck under load) answers nothing rather than hanging the test.
probe() { timeout 30 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits up to 10 s for the frame to show $1.
wait_picture() {
  for _ in $(seq 50); do
    [ "$(probe name Image1)" = "表示中の写真：$1" ] && return 0
    sleep 0.2
  done
  return 1
}
click_control() {
  local x y w h
  read -r x y w h <<<"$(probe rect "$1")"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
threads() { ls "/proc/$pid/task" 2>/dev/null | wc -l; }
decoding() { (($(threads) > idle)); }

(cd "$scratch" && exec wine mirteka.exe) &
pid=$!
wait_picture room1.jpg || fail "the program did not start with room1.jpg"
idle=$(threads)

# One try: entry 2 chosen while tv.jpg is shown. Fails the check on what the
# program did; returns 1 when the decode was over before what it tells could
# be looked at (a loaded machine may start the probe late).
try_decode() {
  click_control Option3
  wait_picture tv.jpg || fail "Option3 did not show tv.jpg"
  click_control Option2
  for _ in $(seq 50); do
    decoding && break
    sleep 0.2
  done
  decoding || { [ "$(probe name Image1)" = "表示中の写真：kita.jpg" ] && fail "kita.jpg was decoded on the window's thread"; return 1; }
  [ "$(probe repainted 60000)" = 1 ] || fail "the window was not painted within a minute"
  decoding || return 1
  [ "$(probe text | head -n 1)" = "北朝鮮監視用望遠鏡" ] || fail "during the decode the description is not entry 2's"
  [ "$(probe name Image1)" = "表示中の写真：tv.jpg" ] || fail "during the decode the frame does not show tv.jpg"
  echo "during the decode: the window painted, with entry 2's text beside tv.jpg"

  click_control Option1
  decoding || return 1
  for _ in $(seq 300); do
    decoding || break
    sleep 0.2
  done
  decoding && fail "the decode did not end within a minute"
  for _ in $(seq 50); do
    [ "$(probe text | head -n 1)" = "パソコン部の部室って、いったいどんな所なの？" ] && break
    sleep 0.2
  done
  [ "$(probe text | head -n 1)" = "パソコン部の部室って、いったいどんな所なの？" ] \
    || fail "Option1, clicked during the decode, was not handled after it"
  wait_picture room1.jpg \
    || fail "entry 1's text beside '$(probe name Image1)', not room1.jpg: Option1 was handled during the decode"
  echo "Option1, clicked during the decode, handled after it: entry 1 with room1.jpg"
}
try_decode || try_decode || try_decode || fail "each of three decodes was over before it could be looked at"
