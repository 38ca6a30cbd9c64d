#!/usr/bin/env bash
# What the Windows program file carries, read back from the file itself: the
# version information, the 32 × 32 16-colour icon and the manifest, all in
# Japanese; and imports of DLLs that come with Windows only.
#
#   resources_check.sh PROGRAM_EXE
set -u -o pipefail
exe=${1:?usage: resources_check.sh PROGRAM_EXE}
fail() { echo "FAIL: $*" >&2; exit 1; }
rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || fail "cannot read the resources of $exe"

title='L"\x30cc\x30da\x90e8\x306e\x8b0e\x3000'"'"'99"' # ヌペ部の謎　'99
for key in ProductName FileDescription Comments LegalTrademarks; do
  grep -qF "VALUE \"$key\", $title" <<<"$rc" || fail "$key is not ヌペ部の謎　'99"
done
for pair in 'CompanyName", "Project ZOMI"' 'InternalName", "mirteka"' \
  'OriginalFilename", "mirteka.exe"' 'FileVersion", "1.00"' 'ProductVersion", "1.00"'; do
  grep -qF "VALUE \"$pair" <<<"$rc" || fail "no $pair"
done
grep -qE '^ FILEVERSION 1, 0, 0, 0$' <<<"$rc" || fail "numeric version is not 1.0.0.0"
grep -qF 'BLOCK "041104B0"' <<<"$rc" || fail "no Japanese Unicode string table"
grep -qF 'VALUE "Translation", 0x411, 1200' <<<"$rc" || fail "no Japanese translation entry"
# One icon image: 32 × 32 px, 16 colours, 4 bits per pixel.
grep -qF '"\040\040\020\000", 1, 4,' <<<"$rc" || fail "the icon is not 32 × 32 in 16 colours"
grep -qF 'PerMonitorV2' <<<"$rc" || fail "the manifest does not ask for per-monitor DPI"
grep -qF 'Microsoft.Windows.Common-Controls' <<<"$rc" || fail "the manifest does not ask for common controls 6"
grep -q 'LANGUAGE 17, 1' <<<"$rc" || fail "the resources are not marked Japanese"
echo "version information, icon and manifest as they should be"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
for dll in $imports; do
  case "$dll" in
  kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll) ;;
  *) fail "$exe imports $dll" ;;
  esac
done
echo "imports: $(tr '\n' ' ' <<<"$imports")"
