#!/usr/bin/env bash
# Signing as tools/build_windows.sh does it, with a throw-away self-signed
# certificate made here: the program signed with a PEM certificate and key,
# the installer (and the uninstaller inside it) with the same as PKCS#12 with a
# password. Each signature verifies against the certificate, a changed byte
# breaks it, and the uninstaller the installer writes under wine carries its
# signature too. No timestamp server is reachable here: signed without one.
#
#   signing_check.sh PROGRAM_EXE MIRTEKA_NSI MAKENSIS_COMMAND...
#   (MIRTEKA_WINE_PREFIX: the prefix, made if not ready)
set -u -o pipefail
usage="usage: signing_check.sh PROGRAM_EXE MIRTEKA_NSI MAKENSIS_COMMAND..."
program=${1:?$usage} nsi=${2:?$usage}
shift 2
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
fail() { echo "FAIL: $*" >&2; exit 1; }
here=$(dirname "$0")
sign=$(realpath "$here/../../tools/sign_windows.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=mirteka throw-away test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null ||
  fail "openssl could not make a certificate"
openssl rand -hex 12 >"$work/password"
openssl pkcs12 -export -in "$work/cert.pem" -inkey "$work/key.pem" -out "$work/signer.p12" \
  -passout "file:$work/password" || fail "openssl could not write PKCS#12"

verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
# A byte in the middle of the file changed: the signature no longer matches.
breaks_when_changed() {
  local copy=$work/changed.exe offset byte
  cp "$1" "$copy"
  offset=$(($(stat -c %s "$copy") / 2))
  byte=$(od -An -tu1 -j "$offset" -N1 "$copy" | tr -d ' ')
  # shellcheck disable=SC2059 # the octal escape is the format
  printf "$(printf '\\%03o' $((byte ^ 255)))" | dd of="$copy" bs=1 seek="$offset" conv=notrunc 2>/dev/null
  cmp -s "$1" "$copy" && fail "the byte did not change"
  ! verifies "$copy"
}

# What tools/build_windows.sh asks before it builds: sign, do not sign (and
# say so), or stop on half a configuration.
check() { env -u MIRTEKA_SIGN_PKCS12 -u MIRTEKA_SIGN_CERT -u MIRTEKA_SIGN_KEY -u MIRTEKA_SIGN_PASSWORD_FILE \
  -u MIRTEKA_SIGN_TIMESTAMP "$@" "$sign" --check 2>/dev/null; echo $?; }
[ "$(check)" = 1 ] || fail "signing asked for with no certificate named"
[ "$(check MIRTEKA_SIGN_CERT="$work/cert.pem" MIRTEKA_SIGN_TIMESTAMP=none)" = 2 ] || fail "a certificate without its key passes"
[ "$(check MIRTEKA_SIGN_CERT="$work/cert.pem" MIRTEKA_SIGN_KEY="$work/key.pem")" = 2 ] ||
  fail "a certificate without a timestamp server (or none) passes"
[ "$(check MIRTEKA_SIGN_CERT="$work/cert.pem" MIRTEKA_SIGN_KEY="$work/key.pem" MIRTEKA_SIGN_TIMESTAMP=none)" = 0 ] ||
  fail "a certificate, its key and \"none\" do not ask for signing"
echo "signing asked for only with a certificate, its key and a timestamp server (or none)"

cp "$program" "$work/mirteka.exe"
MIRTEKA_SIGN_CERT=$work/cert.pem MIRTEKA_SIGN_KEY=$work/key.pem MIRTEKA_SIGN_TIMESTAMP=none \
  "$sign" "$work/mirteka.exe" || fail "sign_windows.sh could not sign with PEM"
verifies "$work/mirteka.exe" || fail "the program's signature does not verify: $(tail -3 "$work/verify.log")"
breaks_when_changed "$work/mirteka.exe" || fail "the program with a changed byte still verifies"
echo "program: signed (PEM), verifies, a changed byte breaks it"

export MIRTEKA_SIGN_PKCS12=$work/signer.p12 MIRTEKA_SIGN_PASSWORD_FILE=$work/password MIRTEKA_SIGN_TIMESTAMP=none
"$@" "-DSIGN=$sign" "-DPROGRAM=$work/mirteka.exe" "-DOUTFILE=$work/setup.exe" "$nsi" >"$work/makensis.log" 2>&1 ||
  fail "makensis: $(tail -5 "$work/makensis.log")"
"$sign" "$work/setup.exe" || fail "sign_windows.sh could not sign with PKCS#12"
verifies "$work/setup.exe" || fail "the installer's signature does not verify: $(tail -3 "$work/verify.log")"
breaks_when_changed "$work/setup.exe" || fail "the installer with a changed byte still verifies"
echo "installer: signed (PKCS#12 with a password), verifies, a changed byte breaks it"

# What the user's disk gets: the program as signed and the uninstaller that
# the installer writes, signed too.
source "$here/../../tools/wine_prefix.sh"
fresh_wine_session || fail "no wine prefix"
start_wine_display || fail "no virtual display"
local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
folder=$(wine winepath -u "$local_app_data\\Programs\\mirteka" 2>/dev/null | tr -d '\r')
[ -n "$folder" ] && [ ! -e "$folder" ] || fail "no empty place to install into ($folder)"
timeout 60 wine "$work/setup.exe" /S || fail "the signed installer failed"
for f in mirteka.exe uninstall.exe; do
  verifies "$folder/$f" || fail "the installed $f does not verify: $(tail -3 "$work/verify.log")"
done
timeout 60 wine "$folder/uninstall.exe" /S || fail "the signed uninstaller failed"
# The uninstaller finishes in a copy of itself that it starts: wait for it.
timeout 120 wineserver -w || fail "the uninstaller did not end"
[ -e "$folder" ] && fail "$folder is still there after the uninstall"
timeout 30 wineserver -w
echo "installed under wine: the program and the uninstaller verify; uninstalled"
