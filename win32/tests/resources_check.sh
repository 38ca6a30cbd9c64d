#!/usr/bin/env bash
# What the Windows program file and its installer carry, read back from the
# files themselves: the version information (with the configured copyright)
# and the icons at every size (tools/check_windows_resources.py), the manifest, all in
# Japanese; and imports of DLLs that come with Windows only.
#
#   resources_check.sh PROGRAM_EXE SETUP_EXE ARTWORK_XPM LEGAL_COPYRIGHT
set -u -o pipefail
exe=${1:?usage: resources_check.sh PROGRAM_EXE SETUP_EXE ARTWORK_XPM LEGAL_COPYRIGHT}
setup=${2:?} artwork=${3:?} copyright=${4:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
python3 "$(dirname "$0")/../../tools/check_windows_resources.py" "$artwork" "$copyright" "$exe" "$setup" ||
  fail "version information or icons"
rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || fail "cannot read the resources of $exe"
grep -qF 'PerMonitorV2' <<<"$rc" || fail "the manifest does not ask for per-monitor DPI"
grep -qF 'Microsoft.Windows.Common-Controls' <<<"$rc" || fail "the manifest does not ask for common controls 6"
grep -q 'LANGUAGE 17, 1' <<<"$rc" || fail "the resources are not marked Japanese"
echo "manifest as it should be"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
for dll in $imports; do
  case "$dll" in
  kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll) ;;
  *) fail "$exe imports $dll" ;;
  esac
done
echo "imports: $(tr '\n' ' ' <<<"$imports")"
