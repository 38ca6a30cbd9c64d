#!/usr/bin/env bash
# Signs Windows program files in place with Debian's osslsigncode (Authenticode,
# SHA-256), with the certificate and key the environment names:
#
#   MIRTEKA_SIGN_PKCS12=cert.p12                      the certificate and key in one file, or
#   MIRTEKA_SIGN_CERT=cert.pem MIRTEKA_SIGN_KEY=key.pem   both in PEM
#   MIRTEKA_SIGN_PASSWORD_FILE=file                   the key's password, if it has one
#   MIRTEKA_SIGN_TIMESTAMP=http://...                 an RFC 3161 timestamp server, so that
#                                                     the signature outlives the certificate;
#                                                     "none" signs without (tests, offline builds)
#
#   tools/sign_windows.sh FILE...      signs each FILE (a signature already there is replaced)
#   tools/sign_windows.sh --check      exit 0 if the environment asks for signing, 1 if it
#                                      names nothing, 2 (with the reason) if it is incomplete
#   tools/sign_windows.sh --signed FILE   exit 0 if FILE carries a signature
set -euo pipefail

# What the environment asks for: 0 sign, 1 nothing named, 2 half named.
signing_requested() {
  local named=${MIRTEKA_SIGN_PKCS12:-}${MIRTEKA_SIGN_CERT:-}${MIRTEKA_SIGN_KEY:-}
  [ -n "$named" ] || return 1
  if [ -n "${MIRTEKA_SIGN_PKCS12:-}" ]; then
    [ -z "${MIRTEKA_SIGN_CERT:-}${MIRTEKA_SIGN_KEY:-}" ] ||
      { echo "name MIRTEKA_SIGN_PKCS12 or MIRTEKA_SIGN_CERT and MIRTEKA_SIGN_KEY, not both" >&2; return 2; }
    [ -r "$MIRTEKA_SIGN_PKCS12" ] || { echo "cannot read MIRTEKA_SIGN_PKCS12=$MIRTEKA_SIGN_PKCS12" >&2; return 2; }
  else
    [ -r "${MIRTEKA_SIGN_CERT:-}" ] && [ -r "${MIRTEKA_SIGN_KEY:-}" ] ||
      { echo "MIRTEKA_SIGN_CERT and MIRTEKA_SIGN_KEY must both name readable PEM files" >&2; return 2; }
  fi
  [ -z "${MIRTEKA_SIGN_PASSWORD_FILE:-}" ] || [ -r "$MIRTEKA_SIGN_PASSWORD_FILE" ] ||
    { echo "cannot read MIRTEKA_SIGN_PASSWORD_FILE=$MIRTEKA_SIGN_PASSWORD_FILE" >&2; return 2; }
  [ -n "${MIRTEKA_SIGN_TIMESTAMP:-}" ] ||
    { echo "MIRTEKA_SIGN_TIMESTAMP must name a timestamp server (or be \"none\")" >&2; return 2; }
  return 0
}

# Whether FILE carries a signature (osslsigncode writes it out only to a new file).
if [ "${1:-}" = --signed ]; then
  sig=$(mktemp -u)
  status=0
  osslsigncode extract-signature -in "${2:?}" -out "$sig" >/dev/null 2>&1 || status=$?
  rm -f "$sig"
  exit $((status != 0))
fi

if [ "${1:-}" = --check ]; then
  status=0
  signing_requested || status=$?
  exit "$status"
fi
[ $# -gt 0 ] || { echo "usage: sign_windows.sh FILE... | --check" >&2; exit 2; }
signing_requested || { echo "sign_windows.sh: nothing to sign with" >&2; exit 2; }

key=()
if [ -n "${MIRTEKA_SIGN_PKCS12:-}" ]; then
  key=(-pkcs12 "$MIRTEKA_SIGN_PKCS12")
else
  key=(-certs "$MIRTEKA_SIGN_CERT" -key "$MIRTEKA_SIGN_KEY")
fi
[ -z "${MIRTEKA_SIGN_PASSWORD_FILE:-}" ] || key+=(-readpass "$MIRTEKA_SIGN_PASSWORD_FILE")
timestamp=()
[ "$MIRTEKA_SIGN_TIMESTAMP" = none ] || timestamp=(-ts "$MIRTEKA_SIGN_TIMESTAMP")

for file in "$@"; do
  unsigned=$file.unsigned
  signed=$file.signed
  rm -f "$unsigned" "$signed"
  # Signing a signed file would nest a second signature: start from none.
  if "$0" --signed "$file"; then
    osslsigncode remove-signature -in "$file" -out "$unsigned" >/dev/null
  else
    cp "$file" "$unsigned"
  fi
  osslsigncode sign "${key[@]}" "${timestamp[@]}" -h sha256 -n "ヌペ部の謎　'99" \
    -in "$unsigned" -out "$signed" >/dev/null ||
    { rm -f "$unsigned" "$signed"; echo "sign_windows.sh: osslsigncode could not sign $file" >&2; exit 1; }
  mv "$signed" "$file"
  rm -f "$unsigned"
  name=$(basename "$file")
  [[ $name == *.exe ]] || name="the uninstaller ($name)"
  echo "Signed $name${timestamp[*]:+ (timestamped by $MIRTEKA_SIGN_TIMESTAMP)}"
done
