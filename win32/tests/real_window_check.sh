#!/usr/bin/env bash
# The Windows program in real windows under wine, driven with real clicks and
# keys on a private virtual display, and read through the probe helper:
# client size, every spot and both photo buttons, the missing-picture box,
# the exit question in Japanese under an English locale, and the version
# window's glide. Every wait is bounded.
#
#   real_window_check.sh APP_DIR PROBE_EXE  (MIRTEKA_WINE_PREFIX: the prefix, made if not ready)
set -u -o pipefail
app_dir=${1:?usage: real_window_check.sh APP_DIR PROBE_EXE}
probe_exe=${2:?usage: real_window_check.sh APP_DIR PROBE_EXE}
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
start_wine_display || fail "no virtual display"
export LANG=C LC_ALL=C # Windows in English: the program's boxes must still be Japanese

# The program runs from a folder of its own, so photographs can be taken away.
scratch=$(mktemp -d)
trap 'stop_wine_display; rm -rf "$scratch"' EXIT
work=$scratch/app
mkdir "$work"
cp "$app_dir"/mirteka.exe "$app_dir"/*.jpg "$work/"

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits up to 10 s for `probe ARGS...` to print exactly $expected.
wait_probe() {
  local expected=$1 got=
  shift
  for _ in $(seq 50); do
    got=$(probe "$@")
    [ "$got" = "$expected" ] && return 0
    sleep 0.2
  done
  echo "probe $* printed '$got', expected '$expected'" >&2
  return 1
}
click_at() { xdotool mousemove "$1" "$2" click 1; }
# Clicks the middle of "X Y W H".
click_rect() {
  local x y w h
  read -r x y w h <<<"$1"
  click_at $((x + w / 2)) $((y + h / 2))
}
click_control() { click_rect "$(probe rect "$1")"; }
# The menu bar lies just above the client area; "終了" is its first item.
click_end() {
  local x y
  read -r x y <<<"$(probe origin)"
  click_at $((x + 12)) $((y - 8))
}
# "バージョン情報" by keyboard: F10 enters the menu bar at "終了", → moves on.
choose_ver() { xdotool key F10 Right Return; }
wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; status=$?; return; }
    sleep 0.1
  done
  status=hung
}

(cd "$work" && exec wine mirteka.exe) &
pid=$!
wait_probe "679 493" client || fail "Form1's client area is not 10185 × 7395 twips at 96 DPI"
echo "client area 679 × 493"

# Each spot: its text (first line), its photograph, and 写真2 on or off.
spots=(
  "1|パソコン部の部室って、いったいどんな所なの？|room1.jpg|1"
  "2|北朝鮮監視用望遠鏡|kita.jpg|0"
  "3|超大型ワイドテレビ　＆　ヌペ応接セット|tv.jpg|0"
  "4|超絶スペックのハイパ～マッシ～ン|paso1.jpg|1"
  "5|ヌペ式カラスよけ|karasu.jpg|0"
  "6|松茂町営「松庵」|matsu.jpg|0"
  "7|祭壇|saidan.jpg|0"
  "8|東ヌペ部（CIA教室）|higashi.jpg|0"
)
wait_probe "表示中の写真：room1.jpg" name Image1 || fail "entry 1's photograph is not shown at start"
for spot in 2 3 4 5 6 7 8 1; do
  IFS='|' read -r n first picture photo2 <<<"${spots[spot - 1]}"
  click_control "Option$n"
  wait_probe "表示中の写真：$picture" name Image1 || fail "Option$n did not show $picture"
  [ "$(probe text | head -n 1)" = "$first" ] || fail "Option$n's text does not start with $first"
  [ "$(probe checked "Option$n")" = 1 ] || fail "Option$n is not selected after its click"
  [ "$(probe enabled Command2)" = "$photo2" ] || fail "写真2 is not $photo2 at entry $n"
done
echo "the eight spots: texts, photographs and 写真2 as the guide says"

# Screen readers: the spots, the plan and its labels have names.
[ "$(probe name Option1)" = "部室（入り口のドアと窓）" ] || fail "Option1 has no name"
[ "$(probe name Option4)" = "超絶スペックのハイパ～マッシ～ン" ] || fail "Option4 has no name"
[ "$(probe name Option8)" = "東ヌペ部" ] || fail "Option8 is not named by its caption"
[ "$(probe name Label2)" = "ヌペ文庫" ] || fail "Label2 has no name"
[ "$(probe name Label4)" = "☆ヌペ部の謎　'99☆" ] || fail "the title has no name"

click_control Command2
wait_probe "表示中の写真：room2.jpg" name Image1 || fail "写真2 at entry 1 did not show room2.jpg"
click_control Option4
wait_probe "表示中の写真：paso1.jpg" name Image1 || fail "Option4 again"
click_control Command2
wait_probe "表示中の写真：paso2.jpg" name Image1 || fail "写真2 at entry 4 did not show paso2.jpg"
click_control Command1
wait_probe "表示中の写真：paso1.jpg" name Image1 || fail "写真1 at entry 4 did not show paso1.jpg"
# Keyboard: Tab from the text box reaches 写真1, Enter presses it.
click_control Command2
wait_probe "表示中の写真：paso2.jpg" name Image1 || fail "写真2 at entry 4 again"
click_control Text1
xdotool key Tab Return
wait_probe "表示中の写真：paso1.jpg" name Image1 || fail "Tab to 写真1 and Enter did not show paso1.jpg"
echo "photo buttons: room2.jpg, paso2.jpg, paso1.jpg; Tab and Enter press 写真1"

# A missing photograph: the box names it, and the frame keeps the picture it had.
rm "$work/tv.jpg"
click_control Option3
wait_probe "えらー
画像ファイル「tv.jpg」がみつかりません。
間違って削除した場合は、新たにダウンロードし直して下さい。
OK" box || fail "no missing-picture box for tv.jpg"
xdotool key Return
wait_probe "" box || fail "Enter did not close the missing-picture box"
[ "$(probe name Image1)" = "表示中の写真：paso1.jpg" ] || fail "the frame did not keep paso1.jpg"
[ "$(probe text | head -n 1)" = "超大型ワイドテレビ　＆　ヌペ応接セット" ] || fail "entry 3's text"
echo "missing tv.jpg: えらー box with OK, picture kept"

# The version window: the title glides right by 100 twips (6 or 7 px) every
# 50 ms from 1440 twips (96 px), and turns once its right edge has passed the
# window's outer width less 200 twips (the title's width is its font's).
# The probe is started first, so it sees the title from the window's first moment.
probe glide 2600 >"$work/glide" &
prober=$!
sleep 1
choose_ver
wait "$prober"
samples=$(cat "$work/glide")
read -r cw ch _ _ lw _ ow <<<"$(probe form2)"
[ "$cw $ch" = "480 98" ] || fail "the version window's client area is ${cw:-?} × ${ch:-?}, not 7200 × 1470 twips"
# The window manager may map the window a tick late: 1440 or 1540 twips first.
lx=$(head -n 1 <<<"$samples" | awk '{ print $2 }')
[ "$lx" = 96 ] || [ "$lx" = 103 ] || fail "the title did not start at 1440 twips (96 px) but at ${lx:-?} px"
moves=$(wc -l <<<"$samples")
((moves >= 40)) || fail "the title moved only $moves times in 2.6 s"
max=$(awk '{ if ($2 > m) m = $2 } END { print m }' <<<"$samples")
turn=$(awk -v lw="$lw" -v ow="$ow" 'BEGIN {
  for (t = 1440; t + lw * 15 <= ow * 15 - 200; t += 100) {}
  print int(t / 15 + 0.5) }')
[ "$max" = "$turn" ] || fail "the title turned at $max px, not at $turn px (title $lw px, window $ow px)"
awk 'NR > 1 && ($2 - x > 7 || x - $2 > 7) { bad = 1 } { x = $2 } END { exit bad }' <<<"$samples" \
  || fail "the title jumped by more than one step"
# Ticks as seen from outside: the median gap between moves.
median=$(awk 'NR > 1 { print $1 - t } { t = $1 }' <<<"$samples" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
awk -v m="$median" 'BEGIN { exit !(m >= 40 && m <= 65) }' || fail "median tick gap $median ms"
echo "glide: $moves moves in 2.6 s, turned at $max px as its width says, median gap $median ms"
click_rect "$(probe ok)"
for _ in $(seq 50); do probe form2 >/dev/null || break; sleep 0.2; done
probe form2 >/dev/null && fail "OK did not close the version window"
probe glide 10 >"$work/glide" &
prober=$!
sleep 1
choose_ver
wait "$prober"
first=$(head -n 1 "$work/glide" | awk '{ print $2 }')
[ "$first" = 96 ] || [ "$first" = 103 ] || fail "reopened, the title did not start afresh (${first:-?} px)"
click_rect "$(probe ok)"
for _ in $(seq 50); do probe form2 >/dev/null || break; sleep 0.2; done
echo "version window: closed by OK, reopened from the start"

# The exit question, in Japanese: No keeps the program, Yes (Enter) ends it.
sleep 0.5
click_end
wait_probe "終了
終了します。
はい(&Y) いいえ(&N)" box || fail "no Japanese exit question"
xdotool key n
wait_probe "" box || fail "No did not close the exit question"
kill -0 "$pid" 2>/dev/null || fail "No ended the program"
[ "$(probe name Image1)" = "表示中の写真：paso1.jpg" ] || fail "No changed the picture"
sleep 0.5
click_end
wait_probe "終了
終了します。
はい(&Y) いいえ(&N)" box || fail "no exit question the second time"
xdotool key Return
wait_exit "$pid"
[ "$status" = 0 ] || fail "Yes ended the program with status $status"
echo "exit question: はい/いいえ under LANG=C; No goes on, Enter (Yes) ends with status 0"

# Started without room1.jpg: the box comes before the main window, which then
# shows entry 1's text and an empty frame. From a folder whose name has
# Japanese and a space, as a user's may: its other photographs still load.
# (Wine reads the name with the locale's encoding, so this run's is UTF-8;
# Windows stays in English.)
folder="$scratch/ヌペ部 の謎"
mv "$work" "$folder"
rm "$folder/room1.jpg"
(cd "$folder" && LANG=C.UTF-8 LC_ALL=C.UTF-8 exec wine mirteka.exe) &
pid=$!
wait_probe "えらー
画像ファイル「room1.jpg」がみつかりません。
間違って削除した場合は、新たにダウンロードし直して下さい。
OK" box || fail "no missing-picture box for room1.jpg at start"
[ "$(probe visible)" = 0 ] || fail "the main window was shown before the missing-picture box"
xdotool key Return
wait_probe 1 visible || fail "the main window did not appear after the box"
[ "$(probe name Image1)" = "写真" ] || fail "the frame is not empty"
[ "$(probe text | head -n 1)" = "パソコン部の部室って、いったいどんな所なの？" ] || fail "entry 1's text"
click_control Command2
wait_probe "表示中の写真：room2.jpg" name Image1 || fail "写真2 did not show room2.jpg from the Japanese folder"
# The close box: no question, status 0.
xdotool key alt+F4
wait_exit "$pid"
[ "$status" = 0 ] || fail "closing the window ended the program with status $status"
echo "without room1.jpg, in a folder named in Japanese: the box first, then entry 1 and an empty frame; room2.jpg loads; Alt+F4 ends with 0"
