#!/usr/bin/env bash
# Runs a Windows program under wine in the prefix $1, which is made first if
# it is not ready (the tests' emulator: wine_run.sh PREFIX PROGRAM.exe ARGS...).
set -euo pipefail
prefix=${1:?usage: wine_run.sh PREFIX PROGRAM ARGS...}
shift
source "$(dirname "$0")/wine_prefix.sh"
ensure_wine_prefix "$prefix"
exec wine "$@"
