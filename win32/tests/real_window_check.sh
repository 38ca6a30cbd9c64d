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
# A desktop whose work area is not the whole screen, as with a task bar.
WINE_WM_CONFIG=$(realpath "$(dirname "$0")")/work_area.xml start_wine_display || fail "no virtual display"
export LANG=C LC_ALL=C # Windows in English: the program's boxes must still be Japanese

# The program runs from a folder of its own, so photographs can be taken away.
scratch=$(mktemp -d)
trap 'stop_wine_display; rm -rf "$scratch"' EXIT
work=$scratch/app
mkdir "$work"
cp "$app_dir"/mirteka.exe "$app_dir"/*.jpg "$work/"

# A probe that cannot finish (wine stuck under load) answers nothing rather than hanging the test.
probe() { timeout 30 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Text's extent in a face (probe extent): wine reads a Japanese command line
# in the locale's encoding.
extent() { LANG=C.UTF-8 LC_ALL=C.UTF-8 probe extent "$@"; }
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
# Right-clicks the middle of a control, and waits for the menu it opens.
menu_of_control() {
  local x y w h
  read -r x y w h <<<"$(probe rect "$1")"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
  wait_probe 1 popup
}
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

# Centred on the work area, which the window manager keeps clear of margins
# at the top and on the left, not on the whole screen.
# Placed before it is shown; wine learns the work area as its session starts.
wait_probe 1 visible || fail "Form1 was not shown"
for _ in $(seq 50); do
  read -r x y w h wx wy ww wh <<<"$(probe placement)"
  [ "$wx $wy" = "300 100" ] && break
  sleep 0.2
done
[ "$wx $wy" = "300 100" ] || fail "the work area is at $wx, $wy, not inside the window manager's margins"
[ "$x $y" = "$((wx + (ww - w) / 2)) $((wy + (wh - h) / 2))" ] \
  || fail "the window is at $x, $y: not centred on the work area $wx $wy $ww × $wh"
echo "centred on the work area"

# The plan as the screen shows it, at points in pixels (twips / 15): each
# region in its colour, and where items overlap, the nearer one on top.
plan=(
  "24,280 FFFFC0 the ground (Shape9) left of the room"
  "120,320 FFFFC0 the ground (Shape9) below the rooms"
  "133,120 FFFFFF the main room (Shape1)"
  "300,100 C0FFFF the east room (Shape8)"
  "220,133 E0E0E0 the grey strip (Shape4) over the main room"
  "230,100 C0FFFF the block Shape18 over the grey strip"
  "45,254 C0FFFF the block Shape13 over the grey strip Shape10"
  "80,90 C0FFFF the block Shape2 over the main room"
  "100,160 E0E0E0 the grey block Shape5 over the main room"
  "180,276 E0E0E0 the grey block Shape7 over the main room"
  "315,166 C0FFFF Option8's back, the east room's colour"
)
mapfile -t seen < <(probe pixels $(for p in "${plan[@]}"; do echo "${p%% *}"; done))
for i in "${!plan[@]}"; do
  read -r at colour what <<<"${plan[i]}"
  [ "${seen[i]:-}" = "$colour" ] || fail "at $at px, ${seen[i]:-nothing} where $what is #$colour"
done
# The labels' captions lie over the blocks beneath them.
(($(probe ink 184 280 44 12) > 20)) || fail "コピー機 (Label3) is not drawn over its grey block"
(($(probe ink 43 160 15 52) > 20)) || fail "ヌペ文庫 (Label2) is not drawn over its grey strip"
echo "the plan's colours and depths as the layout gives them"

# Type sizes: the title, 26.25-point, and a plan label in the 9-point default
# are as large as their captions in ＭＳ Ｐゴシック at 35 and 12 px to the em.
read -r _ _ w h <<<"$(probe rect Label4)"
[ "$w $h" = "$(extent "ＭＳ Ｐゴシック" 35 "☆ヌペ部の謎　'99☆")" ] || fail "the title is $w × $h, not 26.25-point"
read -r _ _ w h <<<"$(probe rect Label1)"
[ "$w $h" = "$(extent "ＭＳ Ｐゴシック" 12 "廊下")" ] || fail "廊下 is $w × $h, not 9-point"
echo "type sizes: the title at 35 px to the em, the plan's labels at 12"

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

# The description box takes Enter as a new line; its menu's コピー (C) copies
# the selection and leaves it, 切り取り (T) cuts it.
text=$(probe text)
# A click that wine's X11 layer drops under load is clicked again (three at
# most): what is checked is that a click focuses the box.
for _ in 1 2 3; do
  click_control Text1
  wait_probe Text1 focus 2>/dev/null && break
done
[ "$(probe focus)" = Text1 ] || fail "a click in the description box did not focus it"
xdotool key ctrl+End Return x
wait_probe "$text
x" text || fail "Enter and x at the end of the description did not give a last line x"
xdotool key shift+Home
menu_of_control Text1 || fail "no menu on the description box"
xdotool key c
wait_probe x clipboard || fail "コピー did not copy the selected x"
[ "$(probe text)" = "$text
x" ] || fail "コピー changed the description"
xdotool key ctrl+End shift+Home
menu_of_control Text1 || fail "no menu on the description box"
xdotool key t
wait_probe "$text" text || fail "切り取り did not cut the selected x"
echo "description box: Enter starts a line; コピー copies, 切り取り cuts"

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
# Whenever the poller first sees it, every position it sees lies on that path
# (1440 + 100 k twips), rising to the turn and falling after it; a busy machine
# may hide moves from the poller, never put the title off the path.
# on_glide_path TURN_PX < "T X" lines: the path from Load, as far as the first
# turn and back; the reason why not on stderr.
on_glide_path() {
  awk -v turn="$1" '
    function px(t) { return int(t / 15 + 0.5) }
    BEGIN { for (t = 1340; px(t) <= turn; t += 100) path[px(t)] = 1 }
    !($2 in path) { print "at " $2 " px, off the path of 100-twip steps" > "/dev/stderr"; bad = 1; exit }
    NR == 1 && $2 < 96 { print "first seen at " $2 " px, left of its Load position (96 px)" > "/dev/stderr"; bad = 1; exit }
    NR > 1 && !turned && $2 < x { if (x != turn) { print "turned back at " x " px, not at " turn > "/dev/stderr"; bad = 1; exit } turned = 1 }
    NR > 1 && turned && $2 > x { print "moved right again at " $2 " px before reaching the left limit" > "/dev/stderr"; bad = 1; exit }
    { x = $2 }
    END { if (!bad && !turned) print "never turned" > "/dev/stderr"; exit bad || !turned }'
}
# Follows the title from the window's first moment (the probe is started
# first) until it has turned once; 20 s at most.
follow_glide() {
  probe glide 20000 1 >"$work/glide" &
  local prober=$!
  sleep 1
  choose_ver
  wait "$prober"
}
close_form2() {
  click_rect "$(probe ok)"
  for _ in $(seq 50); do probe form2 >/dev/null || break; sleep 0.2; done
  ! probe form2 >/dev/null
}
# Opened, followed to its first turn and closed while the title moves left;
# opened again: a fresh window, whose title starts from its Load position
# moving right.
follow_glide
mv "$work/glide" "$work/glide1"
close_form2 || fail "OK did not close the version window"
follow_glide
read -r cw ch _ _ lw _ ow <<<"$(probe form2)"
[ "$cw $ch" = "480 98" ] || fail "the version window's client area is ${cw:-?} × ${ch:-?}, not 7200 × 1470 twips"
turn=$(awk -v lw="$lw" -v ow="$ow" 'BEGIN {
  for (t = 1440; t + lw * 15 <= ow * 15 - 200; t += 100) {}
  print int(t / 15 + 0.5) }')
on_glide_path "$turn" <"$work/glide1" || fail "the title's glide (title $lw px, window $ow px): $(tr '\n' ' ' <"$work/glide1")"
on_glide_path "$turn" <"$work/glide" || fail "reopened, the title did not start afresh: $(tr '\n' ' ' <"$work/glide")"
median=$(awk 'NR > 1 { print $1 - t } { t = $1 }' "$work/glide1" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
echo "glide: seen from $(head -n 1 "$work/glide1" | awk '{ print $2 }') px, turned at $turn px as its width says ($(wc -l <"$work/glide1") moves seen, median gap $median ms); reopened, from $(head -n 1 "$work/glide" | awk '{ print $2 }') px on the same path"

# Its controls where its layout puts them (twips / 15): OK at 6720, 960,
# 375 × 440; the icon at 240, 120, 960 × 720; the labels at their corners,
# each as large as its caption in its font (the title 12-point bold, 16 px to
# the em; the others the 9-point default, 12 px).
mapfile -t parts < <(probe form2controls)
[ "${parts[0]:-}" = "448 64 25 29" ] || fail "OK is at ${parts[0]:-?}, not 448 64 25 29"
[ "${parts[1]:-}" = "16 8 64 48" ] || fail "the icon is at ${parts[1]:-?}, not 16 8 64 48"
read -r _ y w h <<<"${parts[2]:-}"
[ "$y $w $h" = "24 $(extent "ＭＳ Ｐゴシック" 16 700 "ヌペ部の謎　'99")" ] \
  || fail "the title is at y ${y:-?}, ${w:-?} × ${h:-?}: not 12-point bold at 360 twips"
line=$(extent "ＭＳ Ｐゴシック" 12 "企" | awk '{ print $2 }')
read -r x y _ h <<<"${parts[3]:-}"
[ "$x $y $h" = "8 64 $line" ] || fail "Label2 is at ${parts[3]:-?}, not at 8, 64 and $line high"
read -r x y _ h <<<"${parts[4]:-}"
[ "$x $y $h" = "8 80 $line" ] || fail "Label3 is at ${parts[4]:-?}, not at 8, 80 and $line high"
close_form2 || fail "OK did not close the version window the second time"
echo "version window: OK 25 × 29 at 448, 64; icon 64 × 48 at 16, 8; the labels in place, sized by their fonts"

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
