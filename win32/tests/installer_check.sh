#!/usr/bin/env bash
# The installer under wine: a silent install for the current user puts the
# program and the photographs the guide names into %LOCALAPPDATA%\Programs\mirteka,
# a Start-menu entry and an uninstall entry under HKCU (name, version, icon, the
# size of the installed files, and a publisher and links only as configured);
# the installed program starts; the silent uninstall takes all of it away again
# and leaves nothing in %TEMP% but NSIS's own copy of the uninstaller's folder.
#
#   installer_check.sh SETUP_EXE PHOTO_NAMES PUBLISHER URL_INFO HELP_URL
#   (the last three empty when not configured; MIRTEKA_WINE_PREFIX: the prefix)
set -u -o pipefail
usage="usage: installer_check.sh SETUP_EXE PHOTO_NAMES PUBLISHER URL_INFO HELP_URL"
setup=${1:?$usage} photo_names=${2:?$usage}
publisher=${3-} url_info=${4-} help_url=${5-}
mapfile -t photos <"$photo_names"
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

temp=$(unix_path "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")
[ -d "$temp" ] || fail "the prefix's %TEMP% cannot be named"
ls -A "$temp" | sort >"$temp.before"
[ ${#photos[@]} -ge 1 ] || fail "$photo_names names no photographs"

timeout 60 wine "$setup" /S || fail "the installer failed"
for f in mirteka.exe uninstall.exe "${photos[@]}"; do
  [ -f "$folder/$f" ] || fail "$f was not installed into $folder"
done
files=$((${#photos[@]} + 2))
[ "$(find "$folder" -type f | wc -l)" = $files ] || fail "the install folder holds more than it should"
[ -f "$start_menu/ヌペ部の謎.lnk" ] || fail "no Start-menu entry"
ls -A "$temp" | sort | cmp -s - "$temp.before" || fail "the installer left something in %TEMP%: $(ls -A "$temp")"

# The entry as Apps reads it: every value, by name, from the registry's own export.
wine reg export "$key" "$(wine winepath -w "$temp.reg" 2>/dev/null | tr -d '\r')" /y >/dev/null 2>&1 ||
  fail "no uninstall entry under HKCU"
entry=$(iconv -f UTF-16 -t UTF-8 "$temp.reg" | tr -d '\r' | sed -n 's/^"\([^"]*\)"=/\1=/p')
rm -f "$temp.reg"
value() { sed -n "s/^$1=//p" <<<"$entry"; }
win_folder='C:\\\\users\\\\[^\\\\]*\\\\AppData\\\\Local\\\\Programs\\\\mirteka'
[ "$(value DisplayName)" = "\"ヌペ部の謎　'99\"" ] || fail "DisplayName is $(value DisplayName)"
[ "$(value DisplayVersion)" = '"1.00"' ] || fail "DisplayVersion is $(value DisplayVersion)"
grep -qx "\"$win_folder\\\\\\\\mirteka.exe,0\"" <<<"$(value DisplayIcon)" || fail "DisplayIcon is $(value DisplayIcon)"
grep -qx "\"$win_folder\"" <<<"$(value InstallLocation)" || fail "InstallLocation is $(value InstallLocation)"
grep -qx "\"\\\\\"$win_folder\\\\\\\\uninstall.exe\\\\\"\"" <<<"$(value UninstallString)" ||
  fail "UninstallString is $(value UninstallString)"
# EstimatedSize: the installed files in KiB rounded up, as a DWORD.
kib=$((($(find "$folder" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }') + 1023) / 1024))
[ "$(value EstimatedSize)" = "$(printf 'dword:%08x' $kib)" ] ||
  fail "EstimatedSize is $(value EstimatedSize), the files are $kib KiB"
# A publisher and links only as configured; nothing else.
expected="DisplayIcon DisplayName DisplayVersion EstimatedSize InstallLocation NoModify NoRepair QuietUninstallString UninstallString"
for pair in "Publisher=$publisher" "URLInfoAbout=$url_info" "HelpLink=$help_url"; do
  name=${pair%%=*} configured=${pair#*=}
  if [ -n "$configured" ]; then
    expected+=" $name"
    [ "$(value "$name")" = "\"$configured\"" ] || fail "$name is $(value "$name"), configured $configured"
  fi
done
names=$(sed 's/=.*//' <<<"$entry" | sort | tr '\n' ' ')
[ "$names" = "$(tr ' ' '\n' <<<"$expected" | sort | tr '\n' ' ')" ] || fail "the entry's values are $names"
echo "installed: $files files, Start-menu entry; uninstall entry: $names($(value EstimatedSize))"

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
# The uninstaller's copy ends after the folder is gone: wait for it, bounded.
timeout 30 wineserver -w || fail "the uninstaller did not end"
# The uninstaller runs from a copy in %TEMP%\~nsuN.tmp, which NSIS (not this
# script) queues for deletion at the next restart, folder before file: the
# folder, emptied then, stays. Anything else left there is the script's.
left=$(ls -A "$temp" | sort | comm -13 "$temp.before" - | grep -vx '~nsu[0-9]*\.tmp')
rm -f "$temp.before"
[ -z "$left" ] || fail "the uninstaller left in %TEMP%: $left"
[ -e "$start_menu/ヌペ部の謎.lnk" ] && fail "the Start-menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
echo "uninstalled: folder, Start-menu entry and uninstall entry gone"
