#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler and checks
# the result (tools/check_windows_resources.py): every string of the version
# table, the numeric version, the file type and OS, the translation, and the
# icon as the script embeds it from the .ico, at every size.
# Usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <LegalCopyright as configured>
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rc=${1:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico>}
ico=${2:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <copyright>}
copyright=${3:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <copyright>}
windres=x86_64-w64-mingw32-windres

command -v "$windres" >/dev/null ||
    fail "$windres not found; on Debian: apt-get install binutils-mingw-w64-x86-64"
command -v cpp >/dev/null || fail "cpp (the C preprocessor windres runs) not found"
command -v python3 >/dev/null || fail "python3 not found"
command -v convert >/dev/null || fail "convert (ImageMagick, which decodes the icons) not found"
[ -f "$rc" ] || fail "no resource script at $rc; configure the project first"
[ -f "$ico" ] || fail "no icon at $ico; build the target mirteka_ico first"

# The script compiled as the Windows build compiles it, then read back: the
# version information and the icon at every size, as the Windows test reads
# them from the built program.
python3 "$(dirname "$0")/../../tools/check_windows_resources.py" \
    "$(dirname "$0")/../../resources/mirteka_icon.xpm" "$copyright" "$rc" ||
    fail "version information or icons of $rc"
