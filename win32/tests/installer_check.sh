#!/usr/bin/env bash
# The installer under wine: a silent install for the current user puts the
# program and its ten photographs into %LOCALAPPDATA%\Programs\mirteka, a
# Start-menu entry and an uninstall entry under HKCU; the installed program
# starts; the silent uninstall takes all of it away again.
#
#   installer_check.sh SETUP_EXE      (MIRTEKA_WINE_PREFIX: the prefix, made if not ready)
set -u -o pipefail
setup=${1:?usage: installer_check.sh SETUP_EXE}
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
start_wine_display || fail "no virtual display"

# Windows paths of the prefix as Linux paths.
unix_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
folder=$(unix_path "$local_app_data\\Programs\\mirteka")
start_menu=$(unix_path "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs")
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\mirteka'
[ -n "$folder" ] && [ -n "$start_menu" ] || fail "the prefix's folders cannot be named"
[ -e "$folder" ] && fail "$folder is there before the install"

timeout 60 wine "$setup" /S || fail "the installer failed"
for f in mirteka.exe uninstall.exe room1.jpg room2.jpg kita.jpg tv.jpg paso1.jpg paso2.jpg \
  karasu.jpg matsu.jpg saidan.jpg higashi.jpg; do
  [ -f "$folder/$f" ] || fail "$f was not installed into $folder"
done
[ "$(find "$folder" -type f | wc -l)" = 12 ] || fail "the install folder holds more than it should"
[ -f "$start_menu/ヌペ部の謎.lnk" ] || fail "no Start-menu entry"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
grep -q 'DisplayName.*REG_SZ' <<<"$entry" || fail "no uninstall entry under HKCU"
grep -q 'UninstallString.*uninstall.exe' <<<"$entry" || fail "the uninstall entry has no command"
grep -q 'DisplayVersion.*1.00' <<<"$entry" || fail "the uninstall entry has no version"
echo "installed: 12 files, Start-menu entry, uninstall entry under HKCU"

# The installed program starts with its photograph: the probe finds entry 1's.
(cd "$folder" && exec wine mirteka.exe) &
pid=$!
shown=
for _ in $(seq 50); do
  shown=$(wine "${MIRTEKA_PROBE:?MIRTEKA_PROBE must name the probe}" name Image1 2>/dev/null | tr -d '\r')
  [ "$shown" = "表示中の写真：room1.jpg" ] && break
  sleep 0.2
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ "$shown" = "表示中の写真：room1.jpg" ] || fail "the installed program did not show room1.jpg ($shown)"
echo "the installed program starts and shows room1.jpg"

# The uninstaller copies itself away and runs from there: wait for its work.
timeout 60 wine "$folder/uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
[ -e "$folder" ] && fail "$folder is still there after the uninstall"
[ -e "$start_menu/ヌペ部の謎.lnk" ] && fail "the Start-menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
echo "uninstalled: folder, Start-menu entry and uninstall entry gone"
