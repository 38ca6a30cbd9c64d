#!/usr/bin/env bash
# Without a display the program says so in one line and ends with status 1:
# no abort, no core dump, no screenful of plugin advice.
set -u
program=${1:?usage: no_display_check.sh PROGRAM}
fail() { echo "FAIL: $*" >&2; exit 1; }
err=$(mktemp)
trap 'rm -f "$err"' EXIT

check() { # description, expected text in the line, then the environment to run with
  local what=$1 expect=$2 status lines
  shift 2
  (ulimit -c 0; env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 10 "$program") \
    >/dev/null 2>"$err"
  status=$?
  lines=$(wc -l <"$err")
  [ "$status" = 1 ] || fail "$what: status $status, not 1 ($(head -c 300 "$err"))"
  [ "$lines" = 1 ] || fail "$what: $lines lines on stderr, not one: $(head -c 300 "$err")"
  grep -q "^mirteka: .*$expect" "$err" || fail "$what: the line does not name $expect: $(cat "$err")"
  echo "$what: status 1, $(cat "$err")"
}

check "DISPLAY unset" "DISPLAY"
d=90
while [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ]; do d=$((d + 1)); done
check "DISPLAY=:$d unreachable" "DISPLAY=:$d" DISPLAY=":$d"
