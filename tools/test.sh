#!/usr/bin/env bash
# Quick start: set up, build and run every test: the Linux program's, and the
# Windows program's, cross-built and run under wine, then the browser
# program's, under node and in headless Chromium and Firefox ESR.
#
# Once the Linux build is done, the two sides run at once, as neither needs
# the other: much of the Linux tests' time runs on one core (the large-photo
# tests, lintian, configuring, linking), and the Windows build and wine fill
# the other. The Windows side writes to build-windows/test.log, shown when it
# ends. The soak test, a long run by design, is left to
# tools/check_hardening.sh (CI runs both).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

mkdir -p build-windows
windows_log=build-windows/test.log
# In a session of its own, so that an interrupt can end all of it.
setsid env MIRTEKA_HOST_BUILD=build bash -c 'tools/build_windows.sh && cd build-windows && ctest --output-on-failure -j2 --timeout 300' \
  >"$windows_log" 2>&1 </dev/null &
windows=$!
trap 'kill -- -$windows 2>/dev/null; exit 130' INT TERM
trap 'kill -- -$windows 2>/dev/null || true' EXIT
echo "The Windows program builds and runs its tests meanwhile: $windows_log"

linux=0
(cd build && ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE soak) || linux=$?
echo "Waiting for the Windows side"
windows_status=0
wait "$windows" || windows_status=$?
trap - EXIT
echo "== The Windows program ($windows_log)"
cat "$windows_log"

web=0
{ tools/build_web.sh && (cd build-web && ctest --output-on-failure -j2 --timeout 600); } || web=$?
((linux == 0)) || echo "The Linux tests failed" >&2
((windows_status == 0)) || echo "The Windows build or tests failed" >&2
((web == 0)) || echo "The browser build or tests failed" >&2
((linux == 0 && windows_status == 0 && web == 0))
